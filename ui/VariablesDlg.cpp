#include "VariablesDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>
#include <optional>

#include "InputRules.h"
#include "NumberText.h"

namespace quorbit1 {

namespace {
QString Letter(std::size_t slot) {
    return QString(QLatin1Char(kSlotLetters[slot]));
}
}  // namespace

CVariablesDlg::CVariablesDlg(const SlotValues& values, QWidget* parent)
    : QDialog(parent), m_values(values) {
    setObjectName(QStringLiteral("variablesDialog"));
    setWindowTitle(tr("Variables"));
    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QLineEdit(QString::fromStdString(AnswerText(values[i])), this);
        m_fields[i]->setObjectName(QStringLiteral("var%1Edit").arg(Letter(i)));
        m_fields[i]->setAccessibleName(tr("Value of %1").arg(Letter(i)));
        form->addRow(QStringLiteral("%1 =").arg(Letter(i)), m_fields[i]);
    }
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("variablesMessage"));
    m_message->setStyleSheet(QStringLiteral("color: #b00020"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CVariablesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("What the letters stand for in expressions, for this run:"), this));
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(buttons);
    // X is selected, so what is typed replaces it.
    m_fields[0]->setFocus(Qt::OtherFocusReason);
    m_fields[0]->selectAll();
}

void CVariablesDlg::accept() {
    SlotValues parsed{};
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        // The C form or the desktop's own decimal separator.
        const std::optional<double> v = ReadSlotValue(m_fields[i]->text().toStdString(),
                                                      QLocale().decimalPoint().toStdString());
        if (!v) {
            m_message->setText(tr(kMsgNotANumber).arg(Letter(i)));
            m_fields[i]->setFocus();
            m_fields[i]->selectAll();
            return;  // nothing changes
        }
        parsed[i] = *v;
    }
    m_values = parsed;
    QDialog::accept();
}

}  // namespace quorbit1
