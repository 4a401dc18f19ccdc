#include "Dialog2.h"

#include <QLabel>

#include "DialogUnits.h"
#include "ui_Dialog2.h"

namespace quorbit1 {

CDialog2::CDialog2(QWidget* parent) : QDialog(parent) {}

CDialog2::~CDialog2() = default;

void CDialog2::Build() {
    m_ui = std::make_unique<Ui::CDialog2>();
    m_ui->setupUi(this);
    QSize size = ApplyDialogUnits(this);

    size.rheight() +=
        FitLabels({m_ui->helpText1, m_ui->helpText2, m_ui->helpText3, m_ui->helpText4});
    setFixedSize(size);
}

int CDialog2::DoModal() {
    if (!m_ui) {
        Build();
    }
    return exec();
}

}  // namespace quorbit1
