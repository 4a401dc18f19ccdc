#include "WorkingWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>
#include <bit>
#include <cstdint>

#include "Functions.h"
#include "OkCommand.h"

namespace quorbit1 {

namespace {

QString Escaped(const std::string& s) {
    return QString::fromStdString(s).toHtmlEscaped();
}

QString Cell(const QString& text, bool changed) {
    return changed ? QStringLiteral("<td style=\"background:#ffe08a\"><b>%1</b></td>").arg(text)
                   : QStringLiteral("<td>%1</td>").arg(text);
}

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

CWorkingWindow::CWorkingWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("workingWindow"));
    setWindowTitle(tr("Quorbit1 - Working"));
    setModal(false);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("workingText"));
    m_browser->setAccessibleName(tr("Working of the last expression"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    resize(560, 480);
}

QString CWorkingWindow::PlainText() const {
    return m_browser->toPlainText();
}

void CWorkingWindow::Show(const WorkingView& view) {
    QString html;
    html += QStringLiteral("<p><b>%1</b> in %2</p>")
                .arg(Escaped(view.text), view.angleMode == 1 ? tr("radians") : tr("degrees"));
    if (!view.evaluated) {
        html += QStringLiteral("<p>%1</p>").arg(tr("Not evaluated: %1").arg(Escaped(view.message)));
    } else {
        html +=
            QStringLiteral("<p>%1</p>")
                .arg(tr("Answer: %1").arg(Escaped(view.answer)) +
                     (view.message.empty() ? QString()
                                           : QStringLiteral(" (%1)").arg(Escaped(view.message))));
    }
    html +=
        QStringLiteral("<p>%1</p>")
            .arg(view.usual.ok ? tr("Read with the usual precedence it would give %1.")
                                     .arg(Escaped(AnswerText(view.usual.value)))
                               : tr("Read with the usual precedence it is not an expression (%1).")
                                     .arg(Escaped(view.usual.error)));

    const WorkingStage* before = nullptr;
    for (const WorkingStage& stage : view.stages) {
        html += QStringLiteral("<h4>%1</h4>").arg(Escaped(StageTitle(stage)));
        html += QStringLiteral(
            "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr><th>term</th><th>op</th>"
            "<th>value</th><th>function</th><th>open</th><th>close</th></tr>");
        const std::size_t rows = std::min<std::size_t>(stage.terms.size(), kMaxRows);
        for (std::size_t i = 0; i < rows; ++i) {
            const Term& t = stage.terms[i];
            const bool fresh = before == nullptr || i >= before->terms.size();
            const Term p = fresh ? Term{} : before->terms[i];
            const bool isNew = before != nullptr && i >= before->terms.size();
            html += QStringLiteral("<tr>") + Cell(QString::number(i), isNew) +
                    Cell(QString(QChar::fromLatin1(t.op)), !fresh && t.op != p.op) +
                    Cell(Escaped(AnswerText(t.value)), !fresh && !SameBits(t.value, p.value)) +
                    Cell(QString::fromLatin1(FunctionName(t.funcCode)),
                         !fresh && t.funcCode != p.funcCode) +
                    Cell(QString::number(t.openParens), !fresh && t.openParens != p.openParens) +
                    Cell(QString::number(t.closeParens), !fresh && t.closeParens != p.closeParens) +
                    QStringLiteral("</tr>");
        }
        html += QStringLiteral("</table>");
        if (stage.terms.size() > rows) {
            html += QStringLiteral("<p>%1</p>")
                        .arg(tr("... %1 more terms not shown").arg(stage.terms.size() - rows));
        }
        before = &stage;
    }
    if (!view.stages.empty() && view.passCount > view.stages.back().pass) {
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("... %1 more passes not shown")
                             .arg(view.passCount - view.stages.back().pass));
    }
    m_browser->setHtml(html);
}

}  // namespace quorbit1
