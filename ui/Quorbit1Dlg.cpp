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
        m_ui->answerEdit->setText(QString::fromStdString(quorbit1::AnswerText(m_answer)));
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
    const quorbit1::OkOutcome outcome = quorbit1::RunOkCommand(
        m_equation, m_inputError, m_errorText, m_input.toStdString(), m_angle);
    m_answer = outcome.answer;
    m_errors = QString::fromStdString(m_errorText);
    UpdateData(false);
    m_errorText.clear();
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
