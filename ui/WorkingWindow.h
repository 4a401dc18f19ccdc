// "Show Working": a window beside the calculator that shows how the last OK command reduced its
// expression, one table per stage with the cells each pass changed highlighted, and what the
// same text gives when read with school precedence. It stays open and follows every OK.
#pragma once

#include <QDialog>
#include <QRect>
#include <QSize>
#include <string>

#include "Working.h"

class QTextBrowser;

namespace quorbit1 {

class CWorkingWindow final : public QDialog {
    Q_OBJECT
public:
    explicit CWorkingWindow(QWidget* parent = nullptr);

    void Show(const WorkingView& view);
    QString PlainText() const;

    // Terms shown per stage; a longer list ends with a line that says how many were left out.
    static constexpr std::size_t kMaxRows = kShownTerms;
    static constexpr QSize kPreferredSize{560, 480};
    static constexpr QSize kSmallestSize{320, 240};

    // The least size that shows a stage's columns whole, in the fonts of this desktop.
    QSize SmallestSize() const;

private:
    static QString StageTitle(const WorkingStage& stage);
    static QString RefusalWords(const UsualResult& usual);

    QTextBrowser* m_browser = nullptr;
};

// Where a window of the wanted frame size goes beside the calculator's frame on a screen's
// available area: to the right where it fits whole, else to the left, else below, else above.
// Where none has room for the whole of it, it goes beside the calculator made narrower down to
// the smallest width, else above or below it made lower down to the smallest height, else on
// the roomiest side smaller still; only when no side has room at all may it cover the
// calculator.
QRect PlaceBeside(const QRect& calculator, QSize wanted, const QRect& screen, QSize smallest,
                  int gap = 8);

}  // namespace quorbit1
