#include "WorkingWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "Functions.h"
#include "Messages.h"
#include "OkCommand.h"

namespace quorbit1 {

namespace {

QString Escaped(const std::string& s) {
    return QString::fromStdString(s).toHtmlEscaped();
}

// One line of a stage: the term's index, operator, value, function and bracket counts in
// columns.
QString Row(const std::array<QString, 6>& fields) {
    static constexpr int kWidths[] = {5, 3, 20, 8, 5, 5};
    QString line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += fields[i].leftJustified(kWidths[i]) + QLatin1Char(' ');
    }
    return line.trimmed() + QLatin1Char('\n');
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
    resize(kPreferredSize);
}

QRect PlaceBeside(const QRect& calculator, QSize wanted, const QRect& screen, QSize smallest,
                  int gap) {
    wanted = wanted.boundedTo(screen.size());
    // Room in pixels on each side, between the calculator (and the gap) and the screen's edge.
    const int right = screen.right() - calculator.right() - gap;
    const int left = calculator.left() - screen.left() - gap;
    const int below = screen.bottom() - calculator.bottom() - gap;
    const int top =
        std::clamp(calculator.top(), screen.top(), screen.bottom() + 1 - wanted.height());
    const int leftEdge =
        std::clamp(calculator.left(), screen.left(), screen.right() + 1 - wanted.width());
    const auto atRight = [&](int width) {
        return QRect(calculator.right() + 1 + gap, top, width, wanted.height());
    };
    const auto atLeft = [&](int width) {
        return QRect(calculator.left() - gap - width, top, width, wanted.height());
    };
    const auto atBottom = [&](int height) {
        return QRect(leftEdge, calculator.bottom() + 1 + gap, wanted.width(), height);
    };
    if (right >= wanted.width()) {
        return atRight(wanted.width());
    }
    if (left >= wanted.width()) {
        return atLeft(wanted.width());
    }
    if (below >= wanted.height()) {
        return atBottom(wanted.height());
    }
    if (std::max(right, left) >= smallest.width()) {
        return right >= left ? atRight(right) : atLeft(left);
    }
    if (below >= smallest.height()) {
        return atBottom(below);
    }
    return QRect(screen.right() + 1 - wanted.width(), top, wanted.width(), wanted.height());
}

QString CWorkingWindow::PlainText() const {
    return m_browser->toPlainText();
}

QString CWorkingWindow::StageTitle(const WorkingStage& stage) {
    if (stage.pass == 0) {
        return tr("after the scan");
    }
    if (stage.sweptFrom == stage.start) {
        return tr("pass %1: started at term %2, worked on term %2")
            .arg(stage.pass)
            .arg(stage.start);
    }
    return tr("pass %1: started at term %2, swept terms %3 to %2")
        .arg(stage.pass)
        .arg(stage.start)
        .arg(stage.sweptFrom);
}

void CWorkingWindow::Show(const WorkingView& view) {
    // A text of thousands of characters is shown by its two ends, which is what a reader
    // can take in.
    QString text = QString::fromStdString(view.text);
    if (text.size() > kMaxTextShown) {
        text = text.left(kMaxTextShown / 2) + QStringLiteral(" \u2026 ") +
               text.right(kMaxTextShown / 2);
    }
    QString html;
    html += QStringLiteral("<p><b>%1</b> in %2</p>")
                .arg(text.toHtmlEscaped(), view.angleMode == 1 ? tr("radians") : tr("degrees"));
    const QString message = TranslatedMessage(view.message).toHtmlEscaped();
    if (!view.evaluated) {
        html += QStringLiteral("<p>%1</p>").arg(tr("Not evaluated: %1").arg(message));
    } else {
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("Answer: %1").arg(Escaped(view.answer)) +
                         (message.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(message)));
    }
    html +=
        QStringLiteral("<p>%1</p>")
            .arg(view.usual.ok ? tr("Read with the usual precedence it would give %1.")
                                     .arg(Escaped(AnswerText(view.usual.value)))
                               : tr("Read with the usual precedence it is not an expression (%1).")
                                     .arg(Escaped(view.usual.error)));

    for (const WorkingStage& stage : view.stages) {
        html += QStringLiteral("<h4>%1</h4>").arg(StageTitle(stage).toHtmlEscaped());
        // One preformatted block per stage, a line per term: a table of cells takes the text
        // view many times as long to lay out, which a long expression would feel on every OK.
        html += QStringLiteral("<pre>");
        html += Row({tr("term"), tr("op"), tr("value"), tr("function"), tr("open"), tr("close")})
                    .toHtmlEscaped();
        const std::size_t rows = std::min<std::size_t>(stage.terms.size(), kMaxRows);
        for (std::size_t i = 0; i < rows; ++i) {
            const Term& t = stage.terms[i];
            const QString line =
                Row({QString::number(i), QString(QChar::fromLatin1(t.op)),
                     QString::fromStdString(AnswerText(t.value)),
                     QString::fromLatin1(FunctionName(t.funcCode)), QString::number(t.openParens),
                     QString::number(t.closeParens)})
                    .toHtmlEscaped();
            html += stage.changed[i]
                        ? QStringLiteral("<span style=\"background:#ffe08a\"><b>%1</b></span>")
                              .arg(line)
                        : line;
        }
        html += QStringLiteral("</pre>");
        if (stage.termCount > rows) {
            html += QStringLiteral("<p>%1</p>")
                        .arg(tr("... %1 more terms not shown").arg(stage.termCount - rows));
        }
    }
    if (!view.stages.empty() && view.passCount > view.stages.back().pass) {
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("... %1 more passes not shown")
                             .arg(view.passCount - view.stages.back().pass));
    }
    m_browser->setHtml(html);
}

}  // namespace quorbit1
