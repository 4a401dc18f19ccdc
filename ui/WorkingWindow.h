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

// Where the working window goes beside the calculator (core's PlaceBeside), in Qt's rectangles.
QRect PlaceBeside(const QRect& calculator, QSize wanted, const QRect& screen, QSize smallest,
                  int gap = 8);

}  // namespace quorbit1
