#include "WorkingWindow.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "Messages.h"
#include "NumberText.h"
#include "Placement.h"
#include "TextTemplate.h"

namespace quorbit1 {

namespace {

// One of core's working texts in the user's language, its places filled as core fills them.
QString Translated(const char* pattern, std::initializer_list<std::string_view> args) {
    const QByteArray translated =
        QCoreApplication::translate("quorbit1::Working", pattern).toUtf8();
    return QString::fromStdString(
        FillTemplate(std::string_view(translated.constData(), translated.size()), args));
}

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
    const auto box = [](const QRect& r) { return ScreenBox{r.x(), r.y(), r.width(), r.height()}; };
    const ScreenBox place =
        quorbit1::PlaceBeside(box(calculator), {wanted.width(), wanted.height()}, box(screen),
                              {smallest.width(), smallest.height()}, gap);
    return {place.x, place.y, place.width, place.height};
}

QSize CWorkingWindow::SmallestSize() const {
    // A stage's widest line in the fixed-pitch font, the text view's frame and scroll bar,
    // and the window's margins.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const int line = QFontMetrics(fixed).horizontalAdvance(
        Row({QString(5, u'0'), QString(3, u'0'), QString(20, u'0'), QString(8, u'0'),
             QString(5, u'0'), QString(5, u'0')})
            .trimmed());
    const QMargins margins = layout()->contentsMargins();
    const int chrome = 2 * m_browser->frameWidth() +
                       2 * static_cast<int>(m_browser->document()->documentMargin()) +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent) + margins.left() +
                       margins.right();
    return {std::max(kSmallestSize.width(), line + chrome), kSmallestSize.height()};
}

QString CWorkingWindow::PlainText() const {
    return m_browser->toPlainText();
}

// Why the usual reading refused the text, in the user's language.
QString CWorkingWindow::RefusalWords(const UsualResult& usual) {
    if (usual.refusal == UsualRefusal::kNone) {
        return {};
    }
    QString why = Translated(UsualRefusalWords(usual.refusal), {usual.subject});
    if (usual.position == 0) {
        return why;  // a blank text has no place to point at
    }
    return Translated(kUsualRefusalAt, {why.toStdString(), std::to_string(usual.position)});
}

QString CWorkingWindow::StageTitle(const WorkingStage& stage) {
    const StageTitleTemplate title = TitleOf(stage);
    std::array<std::string, 3> args;
    std::transform(title.args.begin(), title.args.end(), args.begin(),
                   [](int n) { return std::to_string(n); });
    return Translated(title.text, {args[0], args[1], args[2]});
}

void CWorkingWindow::Show(const WorkingView& view) {
    const QString text = QString::fromStdString(view.shownText);
    QString html;
    html += QStringLiteral("<p>%1</p>")
                .arg(tr("%1 in %2", "the expression, in degrees or radians")
                         .arg(QStringLiteral("<b>%1</b>").arg(text.toHtmlEscaped()),
                              view.angleMode == AngleMode(AngleUnit::kRadians) ? tr("radians")
                                                                               : tr("degrees")));
    const QString message = TranslatedMessage(view.message).toHtmlEscaped();
    if (!view.evaluated) {
        html += QStringLiteral("<p>%1</p>").arg(tr("Not evaluated: %1").arg(message));
    } else {
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("Answer: %1").arg(Escaped(view.answer)) +
                         (message.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(message)));
    }
    if (view.evaluated) {
        html += QStringLiteral("<p>%1</p>")
                    .arg(tr("Read as %1", "what the calculator computed, with school precedence")
                             .arg(QStringLiteral("<b>%1</b>")
                                      .arg(Escaped(ShownText(view.reading.text)))));
        for (const ReadingNote& note : view.reading.notes) {
            html += QStringLiteral("<p>&nbsp;&nbsp;%1</p>")
                        .arg(Translated(RuleInfo(note.rule).words, {note.places}).toHtmlEscaped());
        }
    }
    html +=
        QStringLiteral("<p>%1</p>")
            .arg(view.usual.ok ? tr("Read with the usual precedence it would give %1.")
                                     .arg(Escaped(AnswerText(view.usual.value)))
                               : tr("Read with the usual precedence it is not an expression (%1).")
                                     .arg(RefusalWords(view.usual).toHtmlEscaped()));

    for (const WorkingStage& stage : view.stages) {
        html += QStringLiteral("<h4>%1</h4>").arg(StageTitle(stage).toHtmlEscaped());
        // One preformatted block per stage, a line per term: a table of cells takes the text
        // view many times as long to lay out, which a long expression would feel on every OK.
        html += QStringLiteral("<pre>");
        std::array<QString, kWorkingColumns.size()> headings;
        std::transform(kWorkingColumns.begin(), kWorkingColumns.end(), headings.begin(),
                       [](const char* column) { return tr(column); });
        html += Row(headings).toHtmlEscaped();
        const std::size_t rows = std::min<std::size_t>(stage.terms.size(), kMaxRows);
        for (std::size_t i = 0; i < rows; ++i) {
            const Term& t = stage.terms[i];
            const QString line =
                Row({QString::number(i), QString(QChar::fromLatin1(t.op)),
                     QString::fromStdString(AnswerText(t.value)),
                     QString::fromLatin1(TermFunctionName(t)), QString::number(t.openParens),
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
