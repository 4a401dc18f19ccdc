// "Show Working": a window beside the calculator that shows how the last OK command reduced its
// expression, one table per stage with the cells each pass changed highlighted, and what the
// same text gives when read with school precedence. It stays open and follows every OK.
#pragma once

#include <QDialog>
#include <string>

#include "UsualReading.h"
#include "Working.h"

class QTextBrowser;

namespace quorbit1 {

struct WorkingView {
    std::string text;
    int angleMode = 0;
    bool evaluated = false;
    std::string answer;
    std::string message;
    std::vector<WorkingStage> stages;
    int passCount = 0;
    UsualResult usual;
};

class CWorkingWindow final : public QDialog {
    Q_OBJECT
public:
    explicit CWorkingWindow(QWidget* parent = nullptr);

    void Show(const WorkingView& view);
    QString PlainText() const;

    // Terms shown per stage; a longer list ends with a line that says how many were left out.
    static constexpr int kMaxRows = 300;

private:
    QTextBrowser* m_browser = nullptr;
};

}  // namespace quorbit1
