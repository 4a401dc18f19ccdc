// The main window: the expression, error and answer fields, the Degrees/Radians pair, OK and
// Exit, and the menu bar. It only moves values between its controls and its members and hands
// the OK command to the toolkit-free core; every rule of evaluation lives below it.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "Calculator.h"
#include "Dialog2.h"
#include "InputRules.h"

class QButtonGroup;
class QLockFile;
class QMenuBar;

namespace Ui {
class CQuorbit1Dlg;
class CAboutDlg;
}  // namespace Ui

namespace quorbit1 {

class CWorkingWindow;

// The About box: the icon, the program's name and version, and OK.
class CAboutDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const QIcon& icon, QWidget* parent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::CAboutDlg> m_ui;
};

class CQuorbit1Dlg final : public QDialog {
    Q_OBJECT
public:
    explicit CQuorbit1Dlg(QWidget* parent = nullptr);
    ~CQuorbit1Dlg() override;

    // Moves every member to its control (save false) or every control to its member (save
    // true). A non-number in the answer field leaves m_answer as it was; the other controls
    // are read all the same. Returns false when the answer field did not hold a number.
    bool UpdateData(bool save);

    void OnOK();
    void OnAboutBox();      // the menu bar's "About Quorbit1"
    void OnLittleHelp();    // the menu bar's "A Little Help"
    void OnSysAbout();      // "&About Quorbit1..." from the window or context menu
    void OnShowWorking();   // the menu bar's "Show Working"
    void OnVariables();     // the menu bar's "Variables"
    void OnClearHistory();  // "Clear History" from the context menu, after asking

    // The longest expression the field takes, in characters; a longer one is refused.
    static constexpr int kMaxInputLength = static_cast<int>(kFieldLimit);

    // The working window, once it has been opened.
    CWorkingWindow* WorkingWindow() const;

    int m_defaultAngle = 0;
    int m_inputError = 0;
    std::string m_errorText;
    // The calculator behind the form: its one evaluator, the slots, the history and the last
    // command, for the dialog's whole life.
    Calculator m_calculator;
    CDialog2 m_helpDlg;
    QString m_input;
    QString m_errors;
    double m_answer = 0.0;
    int m_angle = -1;  // 0 Degrees, 1 Radians, -1 none selected
    QIcon m_hIcon;

    // The history of evaluated expressions, for Up and Down; read from the file named by the
    // environment (HistoryStore::DefaultPath) when the dialog is made.
    const std::vector<std::string>& History() const { return m_calculator.History(); }

    void done(int result) override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void OnInitDialog();
    void InitCommon();
    void Recall(int step);
    void ShowMessage(const std::string& message);
    void RestorePosition();
    int TakeWindowSlot();
    void PlaceWorkingWindow(bool opening = false);
    void ShowFormMenu(const QPoint& at);
    void OnInputChanged(const QString& text);
    static QString TooLongMessage();
    void UpdateWorking();
    void MarkCharacter(int bytePos);

    std::unique_ptr<Ui::CQuorbit1Dlg> m_ui;
    QButtonGroup* m_angleButtons = nullptr;
    QMenuBar* m_menuBar = nullptr;
    // An ordinary window of its own, not a child that would stay above the calculator.
    std::unique_ptr<CWorkingWindow> m_workingWindow;

    // The form's controls as laid out, to stretch the fields when the window is made wider.
    struct Laid {
        QWidget* widget;
        QRect geometry;
        bool grows;  // wider with the window; else moves right with its right edge
    };
    std::vector<Laid> m_laid;
    int m_formWidth = 0;
    // This window's place in the cascade of calculators open at once, held while it runs.
    std::unique_ptr<QLockFile> m_windowSlot;
    // The expression as it was before the last edit, to take back one that made it too long.
    QString m_inputBefore;
};

}  // namespace quorbit1
