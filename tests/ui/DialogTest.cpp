// The desktop dialog driven as a person drives it: typing into the fields, pressing Enter or
// clicking OK, switching the angle unit, opening the menus. What the OK command computes is the
// core tests' business; these prove the dialog hands it over and shows it. Runs on the
// offscreen platform.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <functional>
#include <memory>
#include <set>

#include "DialogUnits.h"
#include "NumberText.h"
#include "Quorbit1.h"
#include "Quorbit1Dlg.h"
#include "WorkingWindow.h"

#include <QFile>
#include <QFileInfo>

using namespace quorbit1;

namespace {

template <class T = QWidget>
T* Find(QWidget* dlg, const char* name) {
    T* w = dlg->findChild<T*>(QString::fromLatin1(name));
    if (w == nullptr) {
        qFatal("no widget %s", name);
    }
    return w;
}

QString Text(QWidget* dlg, const char* field) {
    return Find<QLineEdit>(dlg, field)->text();
}

void Trigger(QWidget* dlg, const char* action) {
    dlg->findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

// Runs check on the next modal window to appear, then closes it; seen says whether one did.
void OnNextModal(std::function<void(QWidget*)> check, bool* seen) {
    QTimer::singleShot(0, [check, seen]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        *seen = true;
        check(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->done(QDialog::Accepted);
        } else {
            modal->close();
        }
    });
}

void ShowAndWait(QDialog& dlg) {
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
}

// Types text into the expression field, or pastes it where it could not be typed (key events
// carry printable Latin-1 only) or would take long to, then presses Enter or clicks OK.
void TypeAndPress(CQuorbit1Dlg& dlg, const QString& text, bool enter = true) {
    if (!dlg.isVisible()) {
        ShowAndWait(dlg);  // Enter reaches the default button only in a shown dialog
    }
    auto* input = Find<QLineEdit>(&dlg, "inputEdit");
    input->clear();
    const bool typeable = text.size() < 100 && std::all_of(text.begin(), text.end(), [](QChar c) {
                              return c.unicode() >= 0x20 && c.unicode() < 0x7f;
                          });
    if (typeable) {
        QTest::keyClicks(input, text);
    } else {
        input->setText(text);
    }
    if (enter) {
        QTest::keyClick(input, Qt::Key_Return);
    } else {
        QTest::mouseClick(Find<QPushButton>(&dlg, "okButton"), Qt::LeftButton);
    }
}

// The letters after '&' in the form's labels, buttons and menu bar.
std::vector<QChar> AccessKeys(QWidget* dlg) {
    QStringList texts;
    for (QWidget* w : dlg->findChildren<QWidget*>()) {
        texts << w->property("text").toString();
    }
    for (QAction* action : Find<QMenuBar>(dlg, "menuBar")->actions()) {
        texts << action->text();
    }
    std::vector<QChar> keys;
    for (const QString& text : texts) {
        if (const qsizetype amp = text.indexOf(u'&'); amp >= 0 && amp + 1 < text.size()) {
            keys.push_back(text.at(amp + 1).toLower());
        }
    }
    return keys;
}

}  // namespace

class DialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_data;

private slots:
    // Each test has a history and settings of its own, never the user's.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        m_data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", m_data->path().toUtf8());
        qunsetenv("QUORBIT1_NO_HISTORY");
        QSettings(QStringLiteral("quorbit1"), QStringLiteral("quorbit1")).clear();
    }

    // One dialog through a run of commands, as a person uses it: the answer and message of
    // each, the unit read only at OK, a refused text keeping the answer before it, and texts
    // that do not fit the language or the field.
    void okCommandsInARow() {
        struct Step {
            QString text;
            bool radians;
            bool enter;
            const char* answer;
            const char* message;
        };
        const Step steps[] = {
            {QStringLiteral("10 + cos(45)"), false, true, "10.7071067859062", ""},
            {QStringLiteral("sin(30)"), true, false, "-0.988031624092862", ""},
            {QString(), true, true, "-0.988031624092862", "Enter an equation."},
            {QStringLiteral("x=1"), false, true, "-0.988031624092862",
             "= is not supported. Restructure."},
            {QStringLiteral("((2)+ln(-1)"), false, true, "2", "Ln negatives not allowed."},
            {QString::fromUtf8("5\u22122"), false, true, "7", "Invalid character."},
            {QString::fromUtf16(u"4\u0000+2", 4), false, true, "6", "Invalid character."},
            // Pasted, longer than the toolkit's usual limit of 32,767: the whole text counts.
            {QStringLiteral("1+").repeated(20000) + QLatin1Char('1'), false, true, "20001", ""},
            {QStringLiteral("2*3+4"), false, false, "14", ""},
        };
        CQuorbit1Dlg dlg;
        // Not a number in the answer field: the other controls are read all the same.
        Find<QLineEdit>(&dlg, "answerEdit")->setText(QStringLiteral("not a number"));
        for (const Step& step : steps) {
            QTest::mouseClick(Find(&dlg, step.radians ? "radiansRadio" : "degreesRadio"),
                              Qt::LeftButton);
            TypeAndPress(dlg, step.text, step.enter);
            QCOMPARE(Text(&dlg, "answerEdit"), QString::fromLatin1(step.answer));
            QCOMPARE(Text(&dlg, "errorsEdit"), QString::fromLatin1(step.message));
        }
        QVERIFY(dlg.m_errorText.empty());
    }

    // Up and Down recall this run's expressions, then earlier runs'; only what OK evaluated is
    // kept, and Clear History or QUORBIT1_NO_HISTORY keep nothing.
    void historyIsKeptAcrossRuns() {
        {
            CQuorbit1Dlg earlier;
            for (const char* text : {"10 + cos(45)", "x=1", "2*3+4", "2*3+4", ""}) {
                TypeAndPress(earlier, QString::fromLatin1(text));
            }
        }
        CQuorbit1Dlg dlg;
        auto* input = Find<QLineEdit>(&dlg, "inputEdit");
        TypeAndPress(dlg, QStringLiteral("sin(30)"));
        input->setText(QStringLiteral("draft"));
        // Up to the oldest and once more past it, then back down to the draft.
        for (const char* seen : {"sin(30)", "2*3+4", "10 + cos(45)", "10 + cos(45)"}) {
            QTest::keyClick(input, Qt::Key_Up);
            QCOMPARE(input->text(), QString::fromLatin1(seen));
        }
        for (const char* seen : {"2*3+4", "sin(30)", "draft"}) {
            QTest::keyClick(input, Qt::Key_Down);
            QCOMPARE(input->text(), QString::fromLatin1(seen));
        }
        const QString file = m_data->filePath(QStringLiteral("quorbit1/history"));
        QFile history(file);
        QVERIFY(history.open(QIODevice::ReadOnly));
        QCOMPARE(history.readAll(), QByteArray("10 + cos(45)\n2*3+4\nsin(30)\n"));
        history.close();

        // Clear History asks first, saying how many go and that the command line shares them.
        for (const bool yes : {false, true}) {
            bool asked = false;
            QTimer::singleShot(0, [yes, &asked]() {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                asked = true;
                QVERIFY(box->text().contains(QStringLiteral(": 3.")));
                QVERIFY(box->text().contains(QStringLiteral("quorbit1-cli")));
                QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
                box->button(yes ? QMessageBox::Yes : QMessageBox::Cancel)->click();
            });
            dlg.OnClearHistory();
            QVERIFY(asked);
            QCOMPARE(dlg.History().size(), yes ? 0u : 3u);
        }
        QCOMPARE(Text(&dlg, "errorsEdit"), QStringLiteral("History cleared."));
        QTest::keyClick(input, Qt::Key_Up);
        QCOMPARE(input->text(), QStringLiteral("draft"));
        QCOMPARE(QFileInfo(file).size(), 0);
    }

    // Right after start-up the focus is on OK, the first in tab order; typing, pasting and
    // editing keys go to the expression field, and Space still presses a focused button.
    void keyboardFromTheStart() {
        const struct {
            const char* before;
            QKeySequence keys;
            const char* typed;  // then typed as characters, each where the focus is then
            const char* after;
        } rows[] = {
            {"", QKeySequence(), "10 + cos(45)", "10 + cos(45)"},
            {"123", QKeySequence(Qt::Key_Backspace), "", "12"},
            {"123", QKeySequence::SelectAll, "7", "7"},
            {"123", QKeySequence(Qt::Key_Home), "9", "9123"},
            {"123", QKeySequence(Qt::Key_End), "+1", "123+1"},
            {"", QKeySequence::Paste, "", "2*3"},
        };
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        QCOMPARE(QApplication::focusWidget(), Find(&dlg, "okButton"));
        for (const char* name :
             {"exitButton", "inputEdit", "errorsEdit", "answerEdit", "degreesRadio", "okButton"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
        auto* input = Find<QLineEdit>(&dlg, "inputEdit");
        QApplication::clipboard()->setText(QStringLiteral("2*3"));
        for (const auto& row : rows) {
            input->setText(QString::fromLatin1(row.before));
            Find(&dlg, "okButton")->setFocus();
            QTest::keySequence(QApplication::focusWidget(), row.keys);
            for (const char* c = row.typed; *c != '\0'; ++c) {
                QTest::keyClick(QApplication::focusWidget(), *c);
            }
            QCOMPARE(input->text(), QString::fromLatin1(row.after));
            QCOMPARE(QApplication::focusWidget(), input);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Text(&dlg, "answerEdit"), QStringLiteral("6"));
        Find(&dlg, "exitButton")->setFocus();
        QTest::keyClick(Find(&dlg, "exitButton"), Qt::Key_Space);
        QVERIFY(!dlg.isVisible());
    }

    // Enter presses the focused button, whose frame shows the focus apart from the default's.
    void enterPressesTheFocusedButton() {
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        auto* ok = Find<QPushButton>(&dlg, "okButton");
        const QImage focused = ok->grab().toImage();
        Find(&dlg, "inputEdit")->setFocus();
        QVERIFY(ok->isDefault());
        QVERIFY(ok->grab().toImage() != focused);
        Find<QLineEdit>(&dlg, "inputEdit")->setText(QStringLiteral("2*3"));
        Find(&dlg, "exitButton")->setFocus();
        QTest::keyClick(Find(&dlg, "exitButton"), Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(Text(&dlg, "answerEdit"), QStringLiteral("0"));  // OK did not run
    }

    // In every language: access keys that do not clash, and every text whole in the form,
    // About and the help, at the usual font size and a half larger (144 dpi).
    void textsFitInEveryLanguage() {
        const QFont usual = QApplication::font();
        for (const char* language : {"C", "de", "fr"}) {
            Translations translations;
            QCOMPARE(translations.Install(QLocale(QString::fromLatin1(language))),
                     qstrcmp(language, "C") != 0);
            for (const double scale : {1.0, 1.5}) {
                QFont font = usual;
                font.setPointSizeF(usual.pointSizeF() * scale);
                QApplication::setFont(font);
                CQuorbit1Dlg dlg;
                std::vector<QChar> keys = AccessKeys(&dlg);
                QCOMPARE(std::set<QChar>(keys.begin(), keys.end()).size(), std::size_t{11});
                // The form's menu holds About and Clear History; the page puts Clear History
                // beside the form's own controls, so its key is theirs to share with no one.
                const auto key = [](const char* source) {
                    const QString text =
                        QCoreApplication::translate("quorbit1::CQuorbit1Dlg", source);
                    return text.at(text.indexOf(u'&') + 1).toLower();
                };
                QVERIFY(key("&About Quorbit1...") != key("&Clear History"));
                keys.push_back(key("&Clear History"));
                QCOMPARE(std::set<QChar>(keys.begin(), keys.end()).size(), std::size_t{12});
                CAboutDlg about(QIcon(), &dlg);
                dlg.m_helpDlg.show();  // built on first show
                for (QWidget* form : {static_cast<QWidget*>(&dlg), static_cast<QWidget*>(&about),
                                      static_cast<QWidget*>(&dlg.m_helpDlg)}) {
                    for (QLabel* label : form->findChildren<QLabel*>()) {
                        const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                             : label->sizeHint().height();
                        QVERIFY2(label->sizeHint().width() <= label->width() || label->wordWrap(),
                                 qPrintable(label->text()));
                        QVERIFY2(needed <= label->height(), qPrintable(label->text()));
                    }
                    for (QAbstractButton* button : form->findChildren<QAbstractButton*>()) {
                        // A push button's hint has a minimum width beyond its text's.
                        const int needed = qobject_cast<QPushButton*>(button) != nullptr
                                               ? button->fontMetrics().horizontalAdvance(
                                                     QString(button->text()).remove(u'&'))
                                               : button->sizeHint().width();
                        QVERIFY2(needed <= button->width(), qPrintable(button->text()));
                    }
                }
                dlg.m_helpDlg.hide();
            }
            if (qstrcmp(language, "de") == 0) {
                CQuorbit1Dlg dlg;
                QCOMPARE(Find<QLabel>(&dlg, "inputLabel")->text(),
                         QString::fromUtf8("&Gleichung eingeben"));
                TypeAndPress(dlg, QString());
                QCOMPARE(Text(&dlg, "errorsEdit"),
                         QString::fromUtf8("Geben Sie eine Gleichung ein."));
                TypeAndPress(dlg, QStringLiteral("sin(cos(1))"));
                Trigger(&dlg, "workingAction");
                const QString working = dlg.WorkingWindow()->PlainText();
                QVERIFY2(working.contains(QString::fromUtf8("Gelesen als cos(1)\n")),
                         qPrintable(working));
                QVERIFY2(working.contains(QString::fromUtf8(
                             "sin weggelassen: von einer Funktion einer Funktion bleibt nur die "
                             "innere")),
                         qPrintable(working));
                dlg.WorkingWindow()->close();
            }
            if (qstrcmp(language, "fr") == 0) {
                // The working window's own sentences, the usual reading's refusal included.
                CQuorbit1Dlg dlg;
                TypeAndPress(dlg, QStringLiteral("0*5"));
                Trigger(&dlg, "workingAction");
                QVERIFY(dlg.WorkingWindow()->PlainText().contains(QString::fromUtf8(
                    "Lu comme 5\n  0* omis : un facteur gauche nul est une case vide")));
                TypeAndPress(dlg, QStringLiteral("2**3"));
                const QString working = dlg.WorkingWindow()->PlainText();
                QVERIFY2(working.contains(QString::fromUtf8("2**3 en degrés")),
                         qPrintable(working));
                QVERIFY2(working.contains(QString::fromUtf8("« * » inattendu à la position 3")),
                         qPrintable(working));
                for (const char* title :
                     {"après la lecture",
                      "passe 1 : commencée au terme 2, a réduit les termes 0 à 2"}) {
                    QVERIFY2(working.contains(QString::fromUtf8(title)), qPrintable(working));
                }
                dlg.WorkingWindow()->close();
            }
        }
        QApplication::setFont(usual);
    }

    void workingWindowGoesBesideTheCalculator() {
        const struct {
            QRect calculator;
            QRect expected;
        } rows[] = {
            // Centred on the screen: no side has room for the whole window, nor beside it for
            // its columns, so it goes below, lower, and not over the calculator.
            {QRect(420, 260, 440, 280), QRect(420, 548, 560, 252)},
            {QRect(0, 0, 440, 280), QRect(448, 0, 560, 480)},        // right
            {QRect(800, 500, 440, 280), QRect(232, 320, 560, 480)},  // left, kept on screen
            {QRect(0, 0, 1280, 280), QRect(0, 288, 560, 480)},       // below
            {QRect(0, 520, 1280, 280), QRect(0, 32, 560, 480)},      // above
            // Wide enough for its columns beside the calculator: narrower, full height.
            {QRect(300, 260, 440, 280), QRect(748, 260, 532, 480)},
            // A calculator widened to 1,000 pixels: lower, on the roomier side, above.
            {QRect(140, 300, 1000, 230), QRect(140, 0, 560, 292)},
            // Only a sliver of room anywhere: the roomiest side, smaller still.
            {QRect(130, 100, 1020, 600), QRect(1158, 100, 122, 480)},
            {QRect(0, 0, 1280, 740), QRect(720, 0, 560, 480)},  // no room: at the edge
        };
        for (const auto& row : rows) {
            QCOMPARE(PlaceBeside(row.calculator, QSize(560, 480), QRect(0, 0, 1280, 800),
                                 QSize(430, 240)),
                     row.expected);
        }
    }

    // The form's size in dialog units is the default and the least; it may grow wider only.
    void windowWidensWithItsFields() {
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        const DialogUnitBase base = DialogUnitBaseFor(dlg.font());
        const QSize units = DialogUnitsToPixels(QRect(0, 0, 252, 127), base).size();
        const QSize form = dlg.size();
        QCOMPARE(form, QSize(units.width(), units.height() + Find(&dlg, "menuBar")->height()));
        QCOMPARE(dlg.minimumSize(), form);
        const QRect input = Find(&dlg, "inputEdit")->geometry();
        const QRect ok = Find(&dlg, "okButton")->geometry();
        dlg.resize(form.width() + 200, form.height() + 100);
        QTRY_COMPARE(dlg.size(), QSize(form.width() + 200, form.height()));
        QCOMPARE(Find(&dlg, "inputEdit")->geometry(), input.adjusted(0, 0, 200, 0));
        QCOMPARE(Find(&dlg, "okButton")->geometry(), ok.translated(200, 0));
    }

    // What a screen reader sees: named controls, the radio buttons inside their group, a named
    // menu bar, and the message as the description of its field. (The alert the field raises with
    // it reaches only an active accessibility bridge, which the offscreen platform does not have.)
    void screenReadersAreTold() {
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        for (const char* name : {"okButton", "exitButton", "inputEdit", "errorsEdit", "answerEdit",
                                 "degreesRadio", "radiansRadio", "angleGroup"}) {
            QVERIFY2(!Find(&dlg, name)->accessibleName().isEmpty(), name);
        }
        QAccessibleInterface* group =
            QAccessible::queryAccessibleInterface(Find(&dlg, "angleGroup"));
        QCOMPARE(group->childCount(), 2);
        QVERIFY(!Find(&dlg, "menuBar")->accessibleName().isEmpty());
        TypeAndPress(dlg, QStringLiteral("1++2"));
        QCOMPARE(Find(&dlg, "errorsEdit")->accessibleDescription(),
                 QStringLiteral("Two sequential operators."));
        // A long tooltip wraps instead of running across the screen.
        auto* input = Find(&dlg, "inputEdit");
        QToolTip::showText(input->mapToGlobal(QPoint(5, 5)), input->toolTip(), input);
        QWidget* tip = nullptr;
        QTRY_VERIFY((tip = QApplication::widgetAt(input->mapToGlobal(QPoint(20, 30)))) != nullptr &&
                    tip->inherits("QTipLabel"));
        QVERIFY2(tip->width() < 600, qPrintable(QString::number(tip->width())));
        QToolTip::hideText();
    }

    // The window opens where it was and as wide; the unit and the variables start afresh. A
    // second one opened meanwhile goes lower and to the right.
    void positionIsRememberedNotTheUnit() {
        QPoint where;
        {
            CQuorbit1Dlg dlg;
            ShowAndWait(dlg);
            dlg.move(dlg.pos() + QPoint(37, 21));
            dlg.resize(dlg.width() + 150, dlg.height());
            where = dlg.pos();
            QTest::mouseClick(Find(&dlg, "radiansRadio"), Qt::LeftButton);
            dlg.m_calculator.SetSlots({5, 0, 0, 0});
            dlg.reject();
        }
        CQuorbit1Dlg dlg;
        QCOMPARE(dlg.pos(), where);
        QCOMPARE(dlg.width(), dlg.minimumWidth() + 150);
        {
            CQuorbit1Dlg second;
            QVERIFY(second.x() > where.x() && second.y() > where.y());
            QCOMPARE(second.x() - where.x(), second.y() - where.y());
        }
        QVERIFY(Find<QRadioButton>(&dlg, "degreesRadio")->isChecked());
        TypeAndPress(dlg, QStringLiteral("x"));
        QCOMPARE(Text(&dlg, "answerEdit"), QStringLiteral("0"));
    }

    void showWorkingFollowsEveryOk() {
        CQuorbit1Dlg dlg;
        TypeAndPress(dlg, QStringLiteral("-(cos(45))"));
        Trigger(&dlg, "workingAction");
        CWorkingWindow* window = dlg.WorkingWindow();
        QVERIFY(window != nullptr && window->isVisible() && !window->isModal());
        // An ordinary window of its own, which the window manager does not keep above.
        QVERIFY(window->parentWidget() == nullptr &&
                window->windowHandle()->transientParent() == nullptr);
        QVERIFY(!window->frameGeometry().intersects(dlg.frameGeometry()));
        QString text = window->PlainText();
        QVERIFY(text.contains(QStringLiteral("pass 3: started at term 1")));
        QVERIFY(!text.contains(QStringLiteral("pass 4")));
        QVERIFY(text.contains(QStringLiteral("usual precedence it would give -0.707106785906176")));
        QVERIFY(text.contains(QStringLiteral("Read as -cos(45)\n")));
        TypeAndPress(dlg, QStringLiteral("2*3+4"));
        text = window->PlainText();
        QVERIFY(text.contains(QStringLiteral("Answer: 14")));
        QVERIFY(text.contains(QStringLiteral("Read as 2*(3+4)\n")));
        // Above the usual reading, with a line for each rule that changed the text.
        QVERIFY(text.indexOf(QStringLiteral("Read as")) < text.indexOf(QStringLiteral("usual")));
        QVERIFY(text.contains(QStringLiteral("pass 1: started at term 2, swept terms 0 to 2")));
        QVERIFY(text.contains(QStringLiteral("usual precedence it would give 10")));
        TypeAndPress(dlg, QStringLiteral("0*5/0"));
        text = window->PlainText();
        QVERIFY2(text.contains(QStringLiteral("Read as 5\n")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("/0 not done: division by almost zero")));
        QVERIFY(text.contains(QStringLiteral("0* left out: a zero left factor is an empty slot")));
        TypeAndPress(dlg, QString());
        QVERIFY(window->PlainText().contains(QStringLiteral("Not evaluated")));
        // Moved or widened, the calculator takes its working along, never over itself.
        dlg.move(dlg.pos() + QPoint(200, 50));
        QTRY_VERIFY(!window->frameGeometry().intersects(dlg.frameGeometry()));
        dlg.resize(900, dlg.height());
        QTRY_VERIFY(!window->frameGeometry().intersects(dlg.frameGeometry()));
        // Its columns are never cut.
        QVERIFY(window->width() >= window->SmallestSize().width());
    }

    void variablesAreSetForTheRun() {
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        bool seen = false;
        OnNextModal(
            [](QWidget* w) {
                // X is selected, so what is typed replaces it.
                QCOMPARE(w->focusWidget(), Find(w, "varXEdit"));
                QCOMPARE(Find<QLineEdit>(w, "varXEdit")->selectedText(), QStringLiteral("0"));
                Find<QLineEdit>(w, "varXEdit")->setText(QStringLiteral("2"));
                Find<QLineEdit>(w, "varYEdit")->setText(QStringLiteral("seven"));
                static_cast<QDialog*>(w)->accept();
                QVERIFY(w->isVisible());  // refused: the dialog stays open and says why
                QVERIFY(Find<QLabel>(w, "variablesMessage")->text().startsWith(QLatin1Char('Y')));
                Find<QLineEdit>(w, "varYEdit")->setText(QStringLiteral("0.5"));
                static_cast<QDialog*>(w)->accept();
            },
            &seen);
        Trigger(&dlg, "variablesAction");
        QVERIFY(seen);
        TypeAndPress(dlg, QStringLiteral("x^3+y"));  // x^(3+y) = 8 * sqrt(2)
        QCOMPARE(Text(&dlg, "answerEdit"), QStringLiteral("11.3137084989848"));
    }

    void messageMarksItsCharacter() {
        const struct {
            QString text;
            QString selected;
            int start;
        } rows[] = {{QStringLiteral("2*e"), QStringLiteral("e"), 2},
                    {QString::fromUtf8("12×3"), QString::fromUtf8("×"), 2},
                    {QStringLiteral("2+*3"), QStringLiteral("+"), 1}};
        CQuorbit1Dlg dlg;
        for (const auto& row : rows) {
            TypeAndPress(dlg, row.text);
            QCOMPARE(Find<QLineEdit>(&dlg, "inputEdit")->selectedText(), row.selected);
            QCOMPARE(Find<QLineEdit>(&dlg, "inputEdit")->selectionStart(), row.start);
        }
    }

    // The menus, F1 for the help, the right click for About, and Ctrl+Q to close.
    void menusOpenTheirWindows() {
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        bool seen = false;
        OnNextModal([&dlg](QWidget* w) { QCOMPARE(w, static_cast<QWidget*>(&dlg.m_helpDlg)); },
                    &seen);
        QTest::keyClick(&dlg, Qt::Key_F1);
        QTRY_VERIFY(seen);
        // A right click on the form offers the About box.
        seen = false;
        QTimer::singleShot(0, [&seen]() {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            OnNextModal([](QWidget* w) { QVERIFY(qobject_cast<CAboutDlg*>(w) != nullptr); }, &seen);
            menu->actions()[0]->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 40),
                                dlg.mapToGlobal(QPoint(10, 40)));
        QApplication::sendEvent(&dlg, &event);
        QTRY_VERIFY(seen);
        // The same menu from the keyboard. (Under valgrind, scripts/memcheck.sh, the offscreen
        // platform closes the popup before any timer can see it.)
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        Find(&dlg, "okButton")->setFocus();
        const bool underValgrind = qEnvironmentVariableIsSet("QUORBIT1_UNDER_VALGRIND");
        for (const auto& keys :
             {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
            if (underValgrind) {
                break;
            }
            QString opened;
            // The key is delivered after events already queued, so the menu is watched for.
            auto* watch = new QTimer(&dlg);
            connect(watch, &QTimer::timeout, [&opened, watch]() {
                if (QWidget* menu = QApplication::activePopupWidget()) {
                    opened = menu->objectName();
                    menu->close();
                    watch->deleteLater();
                }
            });
            watch->start(5);
            QTest::keySequence(&dlg, keys);
            QTRY_VERIFY(!opened.isEmpty());
            QCOMPARE(opened, QStringLiteral("formContextMenu"));
        }
        // Alt and a letter that nothing answers to types nothing.
        auto* input = Find<QLineEdit>(&dlg, "inputEdit");
        input->setText(QStringLiteral("2**3"));
        input->setFocus();
        input->setCursorPosition(1);
        QTest::keyClick(input, Qt::Key_J, Qt::AltModifier);
        QTest::keyClick(input, Qt::Key_W, Qt::AltModifier | Qt::ShiftModifier);
        QCOMPARE(input->text(), QStringLiteral("2**3"));
        // The About message box leaves room for its caption.
        seen = false;
        OnNextModal(
            [](QWidget* w) {
                const int caption = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar"))
                                        .horizontalAdvance(w->windowTitle());
                QVERIFY2(w->width() >= caption + 120, qPrintable(QString::number(w->width())));
            },
            &seen);
        Trigger(&dlg, "aboutAction");
        QVERIFY(seen);
        CQuorbit1Dlg other;
        ShowAndWait(other);
        QTest::keyClick(&other, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!other.isVisible());
    }

    // A text longer than the field takes is refused whole, never cut and evaluated: the paste
    // is taken back, and nothing is evaluated or kept.
    // The faces' table (tests/data/faces.tsv), as every face runs it: set into the field as a
    // paste would, then OK.
    void facesTable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("taken");
        QFile file(QStringLiteral(QUORBIT1_TEST_DATA "/faces.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.isEmpty() || line.startsWith('#')) {
                continue;
            }
            const QList<QByteArray> f = line.split('\t');
            QByteArray bytes;
            for (qsizetype i = 0; i < f[1].size(); ++i) {
                if (f[1][i] == '\\' && f[1].mid(i + 1, 1) == "x") {
                    bytes += static_cast<char>(f[1].mid(i + 2, 2).toInt(nullptr, 16));
                    i += 3;
                } else if (f[1][i] == '\\' && f[1].mid(i + 1, 1) == "t") {
                    bytes += '\t';
                    ++i;
                } else {
                    bytes += f[1][i];
                }
            }
            if (!QUtf8StringView(bytes).isValidUtf8()) {
                continue;  // nothing a field can hold
            }
            QTest::newRow(f[0].constData())
                << QString::fromUtf8(bytes).repeated(f[2].toInt()) << QString::fromUtf8(f[3])
                << QString::fromUtf8(f[4]) << (f[5] == "taken");
        }
    }

    void facesTable() {
        QFETCH(QString, text);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QFETCH(bool, taken);
        CQuorbit1Dlg dlg;
        TypeAndPress(dlg, text);
        if (taken) {
            QCOMPARE(Text(&dlg, "answerEdit"), answer);
            QCOMPARE(Text(&dlg, "errorsEdit"), message);
        } else {
            QCOMPARE(Text(&dlg, "answerEdit"), QStringLiteral("0"));
            QCOMPARE(Text(&dlg, "errorsEdit"),
                     QStringLiteral("An expression of more than 100,000 characters is not "
                                    "taken; nothing was evaluated."));
        }
    }

    // The readings' table in the working window: the same reading as the command line and
    // the module, with a line for each note.
    void readingsTable() {
        CQuorbit1Dlg dlg;
        dlg.m_calculator.SetSlots({2, 3, 5, 7});
        Trigger(&dlg, "workingAction");
        QFile file(QStringLiteral(QUORBIT1_TEST_DATA "/reading.tsv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        int rows = 0;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.isEmpty() || line.startsWith('#')) {
                continue;
            }
            const QList<QByteArray> f = line.split('\t');
            Find<QRadioButton>(&dlg, f[2] == "rad" ? "radiansRadio" : "degreesRadio")->click();
            TypeAndPress(dlg, QString::fromUtf8(f[1]));
            const QString text = dlg.WorkingWindow()->PlainText();
            QVERIFY2(text.contains(QStringLiteral("Read as %1\n").arg(QString::fromUtf8(f[3]))),
                     f[0].constData());
            const int notes = f[4] == "none" ? 0 : static_cast<int>(f[4].count('|')) + 1;
            const qsizetype at = text.indexOf(QStringLiteral("Read as"));
            const QStringList after = text.mid(at).split(u'\n');
            // The notes: the lines between the reading and the usual reading's line.
            int shown = 0;
            while (shown + 1 < after.size() &&
                   !after[shown + 1].startsWith(QStringLiteral("Read with"))) {
                ++shown;
            }
            QCOMPARE(shown, notes);
            ++rows;
        }
        QVERIFY(rows > 20);
    }

    void overlongTextIsRefusedNotCut() {
        CQuorbit1Dlg dlg;
        TypeAndPress(dlg, QStringLiteral("2*3"));
        auto* input = Find<QLineEdit>(&dlg, "inputEdit");
        input->setText(QStringLiteral("7+"));
        input->end(false);
        QApplication::clipboard()->setText(
            QStringLiteral("1+").repeated(CQuorbit1Dlg::kMaxInputLength / 2 + 1));
        input->paste();
        QVERIFY(Text(&dlg, "errorsEdit").contains(QStringLiteral("100,000")));
        QTRY_COMPARE(input->text(), QStringLiteral("7+"));
        // A text that is too long all the same (recalled, or set) is refused at OK.
        input->setText(QStringLiteral("1").repeated(CQuorbit1Dlg::kMaxInputLength + 5));
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(Text(&dlg, "answerEdit"), QStringLiteral("6"));
        QVERIFY(Text(&dlg, "errorsEdit").contains(QStringLiteral("not taken")));
        QCOMPARE(dlg.History().size(), 1u);
    }

    void noDisplayIsDetected() {
        const QByteArray saved[] = {qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY")};
        qunsetenv("QT_QPA_PLATFORM");
        qputenv("DISPLAY", ":987");  // no such server
        const bool missingServer = DisplayAvailable();
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QVERIFY(!missingServer && DisplayAvailable());
        qputenv("QT_QPA_PLATFORM", saved[0]);
        qputenv("DISPLAY", saved[1]);
    }
};

QTEST_MAIN(DialogTest)
#include "DialogTest.moc"
