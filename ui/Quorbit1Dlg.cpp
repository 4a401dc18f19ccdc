#include "Quorbit1Dlg.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <cstdio>

#include "DialogUnits.h"
#include "Messages.h"
#include "NumberText.h"
#include "VariablesDlg.h"
#include "Version.h"
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
constexpr const char* kSysAboutText =
    QT_TRANSLATE_NOOP("quorbit1::CQuorbit1Dlg", "&About Quorbit1...");
#ifdef Q_OS_WIN
constexpr UINT kIdmAboutBox = 0x0010;
#endif

const char* const kSettingsPosition = "window/position";
const char* const kSettingsWidth = "window/width";

QSettings Settings() {
    return QSettings(QStringLiteral("quorbit1"), QStringLiteral("quorbit1"));
}

void Complain(const std::string& problem) {
    if (!problem.empty()) {
        std::fprintf(stderr, "quorbit1: %s\n", problem.c_str());
    }
}
}  // namespace

// Many styles draw the focused and the default push button with the same frame, so a user
// cannot tell which button has the focus. This one adds a dotted rectangle inside the focused
// button, as classic desktops do; the default button keeps its frame.
class FocusFrameStyle final : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton && (option->state & State_HasFocus) != 0) {
            painter->save();
            painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
            painter->drawRect(option->rect.adjusted(4, 4, -5, -5));
            painter->restore();
        }
    }
};

CAboutDlg::CAboutDlg(const QIcon& icon, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CAboutDlg>()) {
    m_ui->setupUi(this);
    m_ui->versionLabel->setText(tr("Quorbit1 Version %1").arg(QString::fromLatin1(kVersion)));
    QSize size = ApplyDialogUnits(this);
    size.rheight() += FitLabels({m_ui->versionLabel, m_ui->secondLabel});
    setFixedSize(size);
    m_ui->iconLabel->setPixmap(icon.pixmap(32, 32));
    m_ui->iconLabel->resize(32, 32);
}

CAboutDlg::~CAboutDlg() = default;

CQuorbit1Dlg::CQuorbit1Dlg(QWidget* parent)
    : QDialog(parent),
      m_calculator(HistoryStore(HistoryStore::DefaultPath())),
      m_helpDlg(this),
      m_ui(std::make_unique<Ui::CQuorbit1Dlg>()) {
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
    m_menuBar->setAccessibleName(tr("Menu bar"));
    QAction* about = m_menuBar->addAction(tr("A&bout Quorbit1"));
    about->setObjectName(QStringLiteral("aboutAction"));
    QAction* help = m_menuBar->addAction(tr("A Little &Help"));
    help->setObjectName(QStringLiteral("helpAction"));
    QAction* working = m_menuBar->addAction(tr("Show &Working"));
    working->setObjectName(QStringLiteral("workingAction"));
    QAction* variables = m_menuBar->addAction(tr("&Variables"));
    variables->setObjectName(QStringLiteral("variablesAction"));
    const int menuHeight = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, form.width(), menuHeight);
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget != nullptr && widget != m_menuBar && !widget->isWindow()) {
            widget->move(widget->x(), widget->y() + menuHeight);
        }
    }
    // A translation may need more room than the English texts: a label grows to the right,
    // over empty form, and the radio buttons widen their group towards OK and Exit.
    for (QLabel* label : {m_ui->inputLabel, m_ui->errorsLabel, m_ui->answerLabel}) {
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
    }
    int wider = 0;
    for (QRadioButton* radio : {m_ui->degreesRadio, m_ui->radiansRadio}) {
        wider = std::max(wider, radio->sizeHint().width() - radio->width());
    }
    if (wider > 0) {
        for (QWidget* w :
             {static_cast<QWidget*>(m_ui->degreesRadio), static_cast<QWidget*>(m_ui->radiansRadio),
              static_cast<QWidget*>(m_ui->angleGroup)}) {
            w->resize(w->width() + wider, w->height());
        }
    }

    // The window may be made wider, to see a long expression whole; never smaller, nor taller.
    setMinimumSize(form.width(), form.height() + menuHeight);
    setMaximumHeight(form.height() + menuHeight);
    m_formWidth = form.width();
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->inputEdit), static_cast<QWidget*>(m_ui->errorsEdit),
          static_cast<QWidget*>(m_ui->answerEdit)}) {
        m_laid.push_back({w, w->geometry(), true});
    }
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->angleGroup), static_cast<QWidget*>(m_ui->okButton),
          static_cast<QWidget*>(m_ui->exitButton)}) {
        m_laid.push_back({w, w->geometry(), false});
    }

    m_angleButtons = new QButtonGroup(this);
    // The buttons' ids are the angle modes, as m_angle exchanges them with the evaluator.
    m_angleButtons->addButton(m_ui->degreesRadio, AngleMode(AngleUnit::kDegrees));
    m_angleButtons->addButton(m_ui->radiansRadio, AngleMode(AngleUnit::kRadians));

    auto* focusStyle = new FocusFrameStyle;
    focusStyle->setParent(this);
    for (QPushButton* button : {m_ui->okButton, m_ui->exitButton}) {
        button->setStyle(focusStyle);
        button->installEventFilter(this);
    }

    connect(m_ui->okButton, &QPushButton::clicked, this, &CQuorbit1Dlg::OnOK);
    connect(m_ui->exitButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(about, &QAction::triggered, this, &CQuorbit1Dlg::OnAboutBox);
    connect(help, &QAction::triggered, this, &CQuorbit1Dlg::OnLittleHelp);
    connect(working, &QAction::triggered, this, &CQuorbit1Dlg::OnShowWorking);
    connect(variables, &QAction::triggered, this, &CQuorbit1Dlg::OnVariables);
    // F1 for help and Ctrl+Q to leave, as in every desktop program.
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            &CQuorbit1Dlg::OnLittleHelp);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this,
            &QDialog::reject);

    // No text is ever cut without a word: the field holds more than the longest expression it
    // takes (counted in UTF-16, where a character may be two), so a longer paste or text is
    // seen, refused and taken back.
    m_ui->inputEdit->setMaxLength(2 * kMaxInputLength + 2);
    connect(m_ui->inputEdit, &QLineEdit::textChanged, this, &CQuorbit1Dlg::OnInputChanged);
    for (QLineEdit* edit : {m_ui->inputEdit, m_ui->errorsEdit, m_ui->answerEdit}) {
        edit->installEventFilter(this);
    }
    // The form's menu from the keyboard, as a right click opens it.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [this]() {
            QWidget* at = focusWidget() != nullptr ? focusWidget() : this;
            ShowFormMenu(at->mapToGlobal(QPoint(at->width() / 2, at->height() / 2)));
        });
    }
    // Rich text, so that a long tip wraps at a readable width instead of running off as one
    // line across the screen.
    const auto tip = [](const QString& text) {
        return QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped());
    };
    m_ui->inputEdit->setToolTip(
        tip(tr("The expression. No operator precedence: each bracket level is worked from right "
               "to left, so 2*3+4 gives 14. Up and Down recall earlier ones.")));
    m_ui->errorsEdit->setToolTip(tip(tr("What was wrong with the last expression, if anything.")));
    m_ui->answerEdit->setToolTip(tip(tr("The answer to the last expression.")));
    m_ui->angleGroup->setToolTip(tip(
        tr("Whether sin, cos and tan take, and asin, acos and atan give, degrees or radians.")));
    m_ui->degreesRadio->setToolTip(m_ui->angleGroup->toolTip());
    m_ui->radiansRadio->setToolTip(m_ui->angleGroup->toolTip());

    Complain(m_calculator.LoadHistory());

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
    RestorePosition();
}

// Where the window was when it last closed, and as wide, if that is still on a screen; else
// centred. A second calculator opened while the first runs goes a title bar lower and to the
// right of it, and so on, so none hides another. The unit and the variables start afresh, as
// they always have.
void CQuorbit1Dlg::RestorePosition() {
    const QSettings settings = Settings();
    const int width = settings.value(QLatin1String(kSettingsWidth)).toInt();
    if (width > minimumWidth()) {
        resize(width, height());
    }
    const int slot = TakeWindowSlot();
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 6;
    const QPoint offset(slot * step, slot * step);
    const QPoint saved = settings.value(QLatin1String(kSettingsPosition)).toPoint();
    if (!saved.isNull()) {
        for (const QScreen* screen : QGuiApplication::screens()) {
            // Enough of the window to grab it by its title bar must be on the screen.
            const QRect visible = screen->availableGeometry().intersected(
                QRect(saved + offset, QSize(this->width(), 40)));
            if (visible.width() >= 80 && visible.height() >= 20) {
                move(saved + offset);
                return;
            }
        }
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center() + offset);
    }
}

// The number of calculators already open for this user: each holds a lock on a file named
// after its place in the cascade while it runs, and a crashed one's lock is taken over.
int CQuorbit1Dlg::TakeWindowSlot() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        return 0;
    }
    for (int slot = 0; slot < 16; ++slot) {
        auto lock = std::make_unique<QLockFile>(
            QStringLiteral("%1/quorbit1-window-%2.lock").arg(dir).arg(slot));
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            m_windowSlot = std::move(lock);
            return slot;
        }
    }
    return 0;
}

void CQuorbit1Dlg::done(int result) {
    QSettings settings = Settings();
    settings.setValue(QLatin1String(kSettingsPosition), pos());
    settings.setValue(QLatin1String(kSettingsWidth), width());
    if (m_workingWindow != nullptr) {
        m_workingWindow->close();
    }
    QDialog::done(result);
}

void CQuorbit1Dlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int extra = std::max(0, width() - m_formWidth);
    for (const Laid& laid : m_laid) {
        QRect r = laid.geometry;
        if (laid.grows) {
            r.setWidth(r.width() + extra);
        } else {
            r.translate(extra, 0);
        }
        laid.widget->setGeometry(r);
    }
    m_menuBar->resize(width(), m_menuBar->height());
    PlaceWorkingWindow();
}

void CQuorbit1Dlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    PlaceWorkingWindow();
}

// The working window goes beside the calculator, where it does not hide the fields it
// explains, and follows it when the calculator is moved or made wider.
void CQuorbit1Dlg::PlaceWorkingWindow(bool opening) {
    if (m_workingWindow == nullptr || (!opening && !m_workingWindow->isVisible())) {
        return;
    }
    // The frame is not known before the window is shown; the calculator's is a good guess.
    const QSize frame = m_workingWindow->frameGeometry().size() - m_workingWindow->size();
    const QSize guess = frame.isEmpty() ? frameGeometry().size() - size() : frame;
    if (const QScreen* screen = this->screen()) {
        const QRect place =
            PlaceBeside(frameGeometry(), CWorkingWindow::kPreferredSize + guess,
                        screen->availableGeometry(), m_workingWindow->SmallestSize() + guess);
        m_workingWindow->resize(place.size() - guess);
        m_workingWindow->move(place.topLeft());
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
        if (m_angleButtons->button(m_angle) != nullptr) {
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

// A text longer than the field takes was cut; it is refused whole, and the answer, the history
// and the working stay as they were.
QString CQuorbit1Dlg::TooLongMessage() {
    return TranslatedMessage(kMsgTooLong).arg(QLocale().toString(kMaxInputLength));
}

void CQuorbit1Dlg::OnInputChanged(const QString& text) {
    if (text.size() <= kMaxInputLength || FieldTakes(text.toStdString())) {
        m_inputBefore = text;
        return;
    }
    m_ui->errorsEdit->setText(TooLongMessage());
    // The edit that made it too long is taken back once the field has finished with it. (The
    // field's own undo would take back a paste one character at a time.)
    QTimer::singleShot(0, this, [this]() {
        if (!FieldTakes(m_ui->inputEdit->text().toStdString())) {
            m_ui->inputEdit->setText(m_inputBefore);
        }
    });
}

void CQuorbit1Dlg::OnOK() {
    UpdateData(true);
    const std::string text = m_input.toStdString();
    if (!FieldTakes(text)) {
        m_errors = TooLongMessage();
        UpdateData(false);
        return;
    }
    // While the working window is open it shows the working of this very solve.
    m_calculator.RecordWorking(m_workingWindow != nullptr && m_workingWindow->isVisible(),
                               kShownStages, kShownTerms);
    m_inputError = 0;
    m_calculator.SetUnit(UnitOfMode(m_angle));
    const Command& command = m_calculator.Ok(text);
    m_errorText = command.outcome.message;
    m_answer = command.outcome.answer;
    m_errors = TranslatedMessage(m_errorText);
    UpdateData(false);
    ShowMessage(m_errorText);
    m_errorText.clear();
    Complain(m_calculator.TakeHistoryProblem());

    MarkCharacter(command.outcome.markPos);
    if (m_workingWindow != nullptr && m_workingWindow->isVisible()) {
        UpdateWorking();
    }
}

// Selects the character the message is about, so the user sees where to look.
void CQuorbit1Dlg::MarkCharacter(int bytePos) {
    if (bytePos < 0) {
        return;
    }
    const std::string text = m_input.toStdString();
    if (static_cast<std::size_t>(bytePos) >= text.size()) {
        return;
    }
    const int index = static_cast<int>(Utf16Offset(text, static_cast<std::size_t>(bytePos)));
    const int length = index < m_input.size() && m_input.at(index).isHighSurrogate() ? 2 : 1;
    m_ui->inputEdit->setFocus(Qt::OtherFocusReason);
    m_ui->inputEdit->setSelection(index, length);
}

// A screen reader says a new message aloud: the field describes it and raises an alert.
void CQuorbit1Dlg::ShowMessage(const std::string& message) {
    m_ui->errorsEdit->setAccessibleDescription(m_errors);
    if (!message.empty()) {
        QAccessibleEvent alert(m_ui->errorsEdit, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void CQuorbit1Dlg::OnClearHistory() {
    const int count = static_cast<int>(History().size());
    QMessageBox ask(QMessageBox::Question, tr("Clear History"),
                    tr("Expressions in the history: %1. Remove them all? The command line, "
                       "quorbit1-cli, keeps the same history, so they are gone there too.")
                        .arg(count),
                    QMessageBox::Yes | QMessageBox::Cancel, this);
    ask.setObjectName(QStringLiteral("clearHistoryQuestion"));
    ask.setDefaultButton(QMessageBox::Cancel);
    // Our own caption, which the page's question shares through the same translations.
    ask.button(QMessageBox::Cancel)->setText(tr("Cancel"));
    if (ask.exec() != QMessageBox::Yes) {
        return;
    }
    const std::string problem = m_calculator.ClearHistory();
    Complain(problem);
    m_ui->errorsEdit->setText(problem.empty() ? tr("History cleared.")
                                              : tr("The history file could not be emptied."));
}

// Up (step -1) and Down (step +1) through the history, as a shell does: this run's
// expressions first, then earlier runs'.
void CQuorbit1Dlg::Recall(int step) {
    if (const std::optional<std::string> text =
            m_calculator.Recall(step, m_ui->inputEdit->text().toStdString())) {
        m_ui->inputEdit->setText(QString::fromStdString(*text));
    }
}

CWorkingWindow* CQuorbit1Dlg::WorkingWindow() const {
    return m_workingWindow.get();
}

void CQuorbit1Dlg::OnShowWorking() {
    if (m_workingWindow == nullptr) {
        m_workingWindow = std::make_unique<CWorkingWindow>();
        m_workingWindow->setWindowIcon(m_hIcon);
    }
    if (!m_workingWindow->isVisible()) {
        PlaceWorkingWindow(true);
    }
    UpdateWorking();
    m_workingWindow->show();
    m_workingWindow->raise();
}

// Shows the working of the last OK command, which the calculator recorded while the window was
// open, or makes again now.
void CQuorbit1Dlg::UpdateWorking() {
    WorkingView view = m_calculator.Working(kShownStages, kShownTerms);
    if (!m_calculator.Last().any) {
        view.message = tr("No expression yet.").toStdString();
    }
    m_workingWindow->Show(view);
}

void CQuorbit1Dlg::OnVariables() {
    CVariablesDlg dialog(m_calculator.Slots(), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_calculator.SetSlots(dialog.Values());
    }
}

void CQuorbit1Dlg::OnAboutBox() {
    QMessageBox box(QMessageBox::NoIcon, tr("About Quorbit"),
                    tr("Quorbit1 Version %1").arg(QString::fromLatin1(kVersion)), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("aboutMessageBox"));
    // Message boxes size themselves to their text, which is shorter than the caption here;
    // window managers then cut the caption. Room for it and the title bar's buttons.
    const QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    const int captionWidth = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle());
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(
            new QSpacerItem(captionWidth + 160, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
            grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

void CQuorbit1Dlg::OnLittleHelp() {
    m_helpDlg.DoModal();
}

void CQuorbit1Dlg::OnSysAbout() {
    CAboutDlg about(m_hIcon, this);
    about.exec();
}

// The focus starts on OK, the first control in tab order. Someone who starts typing or pasting
// there means the expression, so a character, Backspace, Delete, Home, End and the edit
// shortcuts (paste, cut, select all, undo) typed on either button go to the expression field,
// and the focus with them. Enter, Space, Tab, the arrows and Escape keep their usual meaning.
bool CQuorbit1Dlg::eventFilter(QObject* watched, QEvent* event) {
    // Alt and a letter that no field, button or menu answers to would be typed as the letter;
    // it does nothing instead. (Windows' AltGr arrives as Ctrl+Alt and types as usual.)
    if (event->type() == QEvent::KeyPress &&
        (watched == m_ui->inputEdit || watched == m_ui->errorsEdit ||
         watched == m_ui->answerEdit)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == Qt::AltModifier &&
            !key->text().isEmpty() && key->text().at(0).isPrint()) {
            return true;
        }
    }
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
        const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
                             key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
                             key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) ||
                             key->matches(QKeySequence::SelectAll) ||
                             key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo);
        if (editing) {
            m_ui->inputEdit->setFocus(Qt::OtherFocusReason);
            QCoreApplication::sendEvent(m_ui->inputEdit, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Linux window managers keep their window menu to themselves, so the About entry that the
// window menu carries elsewhere is offered on a right click on the form.
void CQuorbit1Dlg::contextMenuEvent(QContextMenuEvent* event) {
    ShowFormMenu(event->globalPos());
}

void CQuorbit1Dlg::ShowFormMenu(const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("formContextMenu"));
    QAction* about = menu.addAction(tr(kSysAboutText));
    connect(about, &QAction::triggered, this, &CQuorbit1Dlg::OnSysAbout);
    QAction* clear = menu.addAction(tr("&Clear History"));
    clear->setObjectName(QStringLiteral("clearHistoryAction"));
    clear->setEnabled(!History().empty());
    connect(clear, &QAction::triggered, this, &CQuorbit1Dlg::OnClearHistory);
    menu.exec(at);
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
