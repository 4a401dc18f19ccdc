#include "Quorbit1Dlg.h"

#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

#include "DialogUnits.h"
#include "OkCommand.h"
#include "UsualReading.h"
#include "VariablesDlg.h"
#include "Working.h"
#include "WorkingWindow.h"
#include "ui_AboutDlg.h"
#include "ui_Quorbit1Dlg.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// The icons are compiled into this library; a static library's resources must be registered
// by hand before first use.
static void InitIconResources() {
    Q_INIT_RESOURCE(quorbit1);
}

namespace quorbit1 {

namespace {
constexpr const char* kSysAboutText = "&About Quorbit1...";
#ifdef Q_OS_WIN
constexpr UINT kIdmAboutBox = 0x0010;
#endif
}  // namespace

CAboutDlg::CAboutDlg(const QIcon& icon, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CAboutDlg>()) {
    m_ui->setupUi(this);
    setFixedSize(ApplyDialogUnits(this));
    m_ui->iconLabel->setPixmap(icon.pixmap(32, 32));
    m_ui->iconLabel->resize(32, 32);
}

CAboutDlg::~CAboutDlg() = default;

CQuorbit1Dlg::CQuorbit1Dlg(QWidget* parent)
    : QDialog(parent), m_helpDlg(this), m_ui(std::make_unique<Ui::CQuorbit1Dlg>()) {
    InitIconResources();
    for (const int size : {16, 32, 48, 64}) {
        m_hIcon.addFile(QStringLiteral(":/icons/quorbit1-%1.png").arg(size));
    }
    m_ui->setupUi(this);
    const QSize form = ApplyDialogUnits(this);

    // The menu bar sits above the form, which keeps its own proportions below it.
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    m_menuBar->setNativeMenuBar(false);
    QAction* about = m_menuBar->addAction(tr("About Quorbit1"));
    about->setObjectName(QStringLiteral("aboutAction"));
    QAction* help = m_menuBar->addAction(tr("A Little Help"));
    help->setObjectName(QStringLiteral("helpAction"));
    QAction* working = m_menuBar->addAction(tr("Show Working"));
    working->setObjectName(QStringLiteral("workingAction"));
    QAction* variables = m_menuBar->addAction(tr("Variables"));
    variables->setObjectName(QStringLiteral("variablesAction"));
    const int menuHeight = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, form.width(), menuHeight);
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && widget != m_menuBar && !widget->isWindow()) {
            widget->move(widget->x(), widget->y() + menuHeight);
        }
    }
    setFixedSize(form.width(), form.height() + menuHeight);

    m_angleButtons = new QButtonGroup(this);
    m_angleButtons->addButton(m_ui->degreesRadio, 0);
    m_angleButtons->addButton(m_ui->radiansRadio, 1);

    m_ui->okButton->installEventFilter(this);
    m_ui->exitButton->installEventFilter(this);

    connect(m_ui->okButton, &QPushButton::clicked, this, &CQuorbit1Dlg::OnOK);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(about, &QAction::triggered, this, &CQuorbit1Dlg::OnAboutBox);
    connect(help, &QAction::triggered, this, &CQuorbit1Dlg::OnLittleHelp);
    connect(working, &QAction::triggered, this, &CQuorbit1Dlg::OnShowWorking);
    connect(variables, &QAction::triggered, this, &CQuorbit1Dlg::OnVariables);

    m_ui->inputEdit->installEventFilter(this);
    m_ui->inputEdit->setToolTip(
        tr("The expression. No operator precedence: each bracket level is worked from right to "
           "left, so 2*3+4 gives 14. Up and Down recall earlier ones."));
    m_ui->errorsEdit->setToolTip(tr("What was wrong with the last expression, if anything."));
    m_ui->answerEdit->setToolTip(tr("The answer to the last expression."));
    m_ui->angleGroup->setToolTip(
        tr("Whether sin, cos and tan take, and asin, acos and atan give, degrees or radians."));
    m_ui->degreesRadio->setToolTip(m_ui->angleGroup->toolTip());
    m_ui->radiansRadio->setToolTip(m_ui->angleGroup->toolTip());

    OnInitDialog();
}

CQuorbit1Dlg::~CQuorbit1Dlg() = default;

void CQuorbit1Dlg::InitCommon() {
#ifdef Q_OS_WIN
    HMENU sysMenu = GetSystemMenu(reinterpret_cast<HWND>(winId()), FALSE);
    if (sysMenu != nullptr) {
        AppendMenuW(sysMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(sysMenu, MF_STRING, kIdmAboutBox, L"&About Quorbit1...");
    }
#endif
    setWindowIcon(m_hIcon);
}

void CQuorbit1Dlg::OnInitDialog() {
    InitCommon();
    m_defaultAngle = 0;
    m_inputError = 0;
    m_angle = m_defaultAngle;
    m_errorText.clear();
    UpdateData(false);
    // Nobody sets the focus here, so it starts on the first control in tab order.
    m_ui->okButton->setFocus(Qt::OtherFocusReason);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

bool CQuorbit1Dlg::UpdateData(bool save) {
    bool answerIsNumber = true;
    if (save) {
        m_input = m_ui->inputEdit->text();
        m_errors = m_ui->errorsEdit->text();
        const double answer =
            QLocale::c().toDouble(m_ui->answerEdit->text().trimmed(), &answerIsNumber);
        if (answerIsNumber) {
            m_answer = answer;
        }
        m_angle = m_angleButtons->checkedId();
    } else {
        if (m_ui->inputEdit->text() != m_input) {
            m_ui->inputEdit->setText(m_input);
        }
        m_ui->errorsEdit->setText(m_errors);
        m_ui->answerEdit->setText(QString::fromStdString(AnswerText(m_answer)));
        if (m_angle == 0 || m_angle == 1) {
            m_angleButtons->button(m_angle)->setChecked(true);
        } else {
            m_angleButtons->setExclusive(false);
            m_ui->degreesRadio->setChecked(false);
            m_ui->radiansRadio->setChecked(false);
            m_angleButtons->setExclusive(true);
        }
    }
    return answerIsNumber;
}

void CQuorbit1Dlg::OnOK() {
    UpdateData(true);
    const std::string text = m_input.toStdString();
    // While the working window is open it shows the working of this very solve.
    m_recorded = m_workingWindow != nullptr && m_workingWindow->isVisible();
    m_equation.SetObserver(m_recorded ? &m_recorder : nullptr);
    const OkOutcome outcome = RunOkCommand(m_equation, m_inputError, m_errorText, text, m_angle);
    m_equation.SetObserver(nullptr);
    m_answer = outcome.answer;
    m_errors = QString::fromStdString(m_errorText);
    UpdateData(false);
    m_lastMessage = m_errorText;
    m_errorText.clear();

    Remember(m_input);
    m_lastText = m_input;
    m_lastAngle = m_angle;
    m_lastSolved = outcome.solved;
    MarkCharacter(outcome.markPos);
    if (m_workingWindow != nullptr && m_workingWindow->isVisible()) {
        UpdateWorking();
    }
}

// Selects the character the message is about, so the user sees where to look.
void CQuorbit1Dlg::MarkCharacter(int bytePos) {
    if (bytePos < 0) {
        return;
    }
    const QByteArray bytes = m_input.toUtf8();
    if (bytePos >= bytes.size()) {
        return;
    }
    const int index = static_cast<int>(QString::fromUtf8(bytes.constData(), bytePos).size());
    const int length = index < m_input.size() && m_input.at(index).isHighSurrogate() ? 2 : 1;
    m_ui->inputEdit->setFocus(Qt::OtherFocusReason);
    m_ui->inputEdit->setSelection(index, length);
}

void CQuorbit1Dlg::Remember(const QString& text) {
    if (!text.isEmpty() && (m_history.isEmpty() || m_history.back() != text)) {
        m_history.push_back(text);
    }
    m_historyPos = static_cast<int>(m_history.size());
    m_draft.clear();
}

// Up (step -1) and Down (step +1) through the expressions of this run, as a shell does.
void CQuorbit1Dlg::Recall(int step) {
    const int size = static_cast<int>(m_history.size());
    const int next = m_historyPos + step;
    if (next < 0 || next > size || size == 0) {
        return;
    }
    if (m_historyPos == size) {
        m_draft = m_ui->inputEdit->text();
    }
    m_historyPos = next;
    m_ui->inputEdit->setText(next == size ? m_draft : m_history.at(next));
}

CWorkingWindow* CQuorbit1Dlg::WorkingWindow() const {
    return m_workingWindow.data();
}

void CQuorbit1Dlg::OnShowWorking() {
    if (m_workingWindow == nullptr) {
        m_workingWindow = new CWorkingWindow(this);
        // Beside the calculator, where it does not hide the fields it explains.
        const QRect frame = frameGeometry();
        QPoint at(frame.right() + 8, frame.top());
        if (const QScreen* screen = this->screen()) {
            const QRect room = screen->availableGeometry();
            at.setX(
                std::max(room.left(), std::min(at.x(), room.right() - m_workingWindow->width())));
            at.setY(
                std::max(room.top(), std::min(at.y(), room.bottom() - m_workingWindow->height())));
        }
        m_workingWindow->move(at);
    }
    UpdateWorking();
    m_workingWindow->show();
    m_workingWindow->raise();
}

// Shows the working the last OK command recorded. When the window was closed at that OK, the
// command is solved again, the same way, on an evaluator of its own with the same variables:
// OK does not pay for recording a working nobody looks at.
void CQuorbit1Dlg::UpdateWorking() {
    WorkingView view;
    view.text = m_lastText.toStdString();
    view.angleMode = m_lastAngle;
    view.evaluated = m_lastSolved;
    view.message = m_lastMessage;
    view.answer = AnswerText(m_equation.m_result);
    if (m_lastSolved && !m_recorded) {
        CEquation again;
        again.SetObserver(&m_recorder);
        again.m_varX = m_equation.m_varX;
        again.m_varY = m_equation.m_varY;
        again.m_varZ = m_equation.m_varZ;
        again.m_varT = m_equation.m_varT;
        again.m_text = view.text;
        again.m_angleMode = m_lastAngle;
        again.Solve();
        m_recorded = true;
    }
    if (m_lastSolved) {
        view.stages = m_recorder.Stages();
        view.passCount = m_recorder.PassCount();
    }
    view.usual =
        EvaluateUsual(view.text, m_lastAngle,
                      {m_equation.m_varX, m_equation.m_varY, m_equation.m_varZ, m_equation.m_varT});
    if (m_lastText.isEmpty() && !m_lastSolved && m_lastMessage.empty()) {
        view.message = tr("No expression yet.").toStdString();
    }
    m_workingWindow->Show(view);
}

void CQuorbit1Dlg::OnVariables() {
    CVariablesDlg dialog(
        {m_equation.m_varX, m_equation.m_varY, m_equation.m_varZ, m_equation.m_varT}, this);
    if (dialog.exec() == QDialog::Accepted) {
        const auto& v = dialog.Values();
        m_equation.m_varX = v[0];
        m_equation.m_varY = v[1];
        m_equation.m_varZ = v[2];
        m_equation.m_varT = v[3];
    }
}

void CQuorbit1Dlg::OnAboutBox() {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("About Quorbit"),
                    QStringLiteral("Quorbit1 Version 1.0"), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("aboutMessageBox"));
    box.exec();
}

void CQuorbit1Dlg::OnLittleHelp() {
    m_helpDlg.DoModal();
}

void CQuorbit1Dlg::OnSysAbout() {
    CAboutDlg about(m_hIcon, this);
    about.exec();
}

// The focus starts on OK, the first control in tab order. Someone who starts typing there
// means the expression, so a character typed on either button goes to the expression field,
// and the focus with it. Enter, Space, Tab and Escape keep their usual meaning.
bool CQuorbit1Dlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == m_ui->inputEdit) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Recall(key == Qt::Key_Up ? -1 : 1);
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress &&
        (watched == m_ui->okButton || watched == m_ui->exitButton)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                               text != QLatin1String(" ") &&
                               (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
        if (printable) {
            m_ui->inputEdit->setFocus(Qt::OtherFocusReason);
            m_ui->inputEdit->end(false);
            m_ui->inputEdit->insert(text);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Linux window managers keep their window menu to themselves, so the About entry that the
// window menu carries elsewhere is offered on a right click on the form.
void CQuorbit1Dlg::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("formContextMenu"));
    QAction* about = menu.addAction(QString::fromLatin1(kSysAboutText));
    connect(about, &QAction::triggered, this, &CQuorbit1Dlg::OnSysAbout);
    menu.exec(event->globalPos());
}

#ifdef Q_OS_WIN
bool CQuorbit1Dlg::nativeEvent(const QByteArray& eventType, void* message, qintptr* result) {
    auto* msg = static_cast<MSG*>(message);
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == kIdmAboutBox) {
        OnSysAbout();
        *result = 0;
        return true;
    }
    return QDialog::nativeEvent(eventType, message, result);
}
#endif

}  // namespace quorbit1
