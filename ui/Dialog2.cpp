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

    // The texts were sized for a small bitmap font. Where today's font needs more lines, a text
    // grows downwards and pushes what lies below it, so nothing is cut off.
    int shift = 0;
    for (QLabel* label : {m_ui->helpText1, m_ui->helpText2, m_ui->helpText3, m_ui->helpText4}) {
        QRect r = label->geometry();
        r.translate(0, shift);
        const int needed = label->heightForWidth(r.width());
        if (needed > r.height()) {
            shift += needed - r.height();
            r.setHeight(needed);
        }
        label->setGeometry(r);
    }
    m_ui->okButton->move(m_ui->okButton->x(), m_ui->okButton->y() + shift);
    size.rheight() += shift;
    setFixedSize(size);
}

int CDialog2::DoModal() {
    if (!m_ui) {
        Build();
    }
    return exec();
}

}  // namespace quorbit1
