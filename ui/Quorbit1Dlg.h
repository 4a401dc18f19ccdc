// The main window: the expression, error and answer fields, the Degrees/Radians pair, OK and
// Exit, and the menu bar. It only moves values between its controls and its members and hands
// the OK command to the toolkit-free core; every rule of evaluation lives below it.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "Dialog2.h"
#include "Equation.h"
#include "Working.h"

class QButtonGroup;
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
    void OnAboutBox();     // the menu bar's "About Quorbit1"
    void OnLittleHelp();   // the menu bar's "A Little Help"
    void OnSysAbout();     // "&About Quorbit1..." from the window or context menu
    void OnShowWorking();  // the menu bar's "Show Working"
    void OnVariables();    // the menu bar's "Variables"

    // The working window, once it has been opened.
    CWorkingWindow* WorkingWindow() const;

    int m_defaultAngle = 0;
    int m_inputError = 0;
    std::string m_errorText;
    CEquation m_equation;
    CDialog2 m_helpDlg;
    QString m_input;
    QString m_errors;
    double m_answer = 0.0;
    int m_angle = -1;  // 0 Degrees, 1 Radians, -1 none selected
    QIcon m_hIcon;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void OnInitDialog();
    void InitCommon();
    void Remember(const QString& text);
    void Recall(int step);
    void UpdateWorking();
    void MarkCharacter(int bytePos);

    std::unique_ptr<Ui::CQuorbit1Dlg> m_ui;
    QButtonGroup* m_angleButtons = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QPointer<CWorkingWindow> m_workingWindow;

    // Expressions of this run, oldest first, for Up and Down in the expression field; while
    // the user walks through them, m_draft keeps what was typed before the first Up.
    QStringList m_history;
    int m_historyPos = 0;
    QString m_draft;

    // The last OK command, for the working window, with its working when the window was open.
    WorkingRecorder m_recorder{60};
    bool m_recorded = false;
    QString m_lastText;
    int m_lastAngle = 0;
    bool m_lastSolved = false;
    std::string m_lastMessage;
};

}  // namespace quorbit1
