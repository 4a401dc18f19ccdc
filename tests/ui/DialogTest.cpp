// The desktop dialog driven as a person drives it: typing into the fields, pressing Enter or
// clicking OK, switching the angle unit, opening the menus. What the OK command computes is the
// core tests' business; these prove the dialog hands it over and shows it. Runs on the
// offscreen platform.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <functional>

#include "DialogUnits.h"
#include "OkCommand.h"
#include "Quorbit1.h"
#include "Quorbit1Dlg.h"
#include "WorkingWindow.h"

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

}  // namespace

class DialogTest : public QObject {
    Q_OBJECT

private slots:
    void formStartsAsLaidOut() {
        CQuorbit1Dlg dlg;
        QVERIFY(Find<QPushButton>(&dlg, "okButton")->isDefault());
        QVERIFY(Find<QRadioButton>(&dlg, "degreesRadio")->isChecked());
        QCOMPARE(Text(&dlg, "answerEdit"), QStringLiteral("0"));
        for (const char* name : {"okButton", "exitButton", "inputEdit", "errorsEdit", "answerEdit",
                                 "degreesRadio", "radiansRadio", "angleGroup"}) {
            QVERIFY2(!Find(&dlg, name)->accessibleName().isEmpty(), name);
        }
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
            // Pasted, the text is cut at the field's 32,767 characters.
            {QStringLiteral("1+").repeated(20000), false, true, "16384", ""},
            {QStringLiteral("2*3+4"), false, false, "14", ""},
        };
        CQuorbit1Dlg dlg;
        for (const Step& step : steps) {
            QTest::mouseClick(Find(&dlg, step.radians ? "radiansRadio" : "degreesRadio"),
                              Qt::LeftButton);
            TypeAndPress(dlg, step.text, step.enter);
            QCOMPARE(Text(&dlg, "answerEdit"), QString::fromLatin1(step.answer));
            QCOMPARE(Text(&dlg, "errorsEdit"), QString::fromLatin1(step.message));
        }
        QVERIFY(dlg.m_errorText.empty());
    }

    void nonNumberInAnswerFieldIsIgnored() {
        CQuorbit1Dlg dlg;
        Find<QLineEdit>(&dlg, "answerEdit")->setText(QStringLiteral("not a number"));
        QTest::mouseClick(Find(&dlg, "radiansRadio"), Qt::LeftButton);
        TypeAndPress(dlg, QStringLiteral("sin(30)"), false);
        // The radio pair is still read, and the answer field is rewritten.
        QCOMPARE(Text(&dlg, "answerEdit"), QStringLiteral("-0.988031624092862"));
    }

    void keyboardFromTheStart() {
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        QCOMPARE(QApplication::focusWidget(), Find(&dlg, "okButton"));
        for (const char* name :
             {"exitButton", "inputEdit", "errorsEdit", "answerEdit", "degreesRadio", "okButton"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
        // Each key goes where the focus is at that moment, as real typing does.
        for (const QChar c : QStringLiteral("10 + cos(45)")) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Text(&dlg, "answerEdit"), QStringLiteral("10.7071067859062"));
        // Space on a focused button still presses it.
        Find(&dlg, "exitButton")->setFocus();
        QTest::keyClick(Find(&dlg, "exitButton"), Qt::Key_Space);
        QVERIFY(!dlg.isVisible());
    }

    void historyRecallsEarlierExpressions() {
        CQuorbit1Dlg dlg;
        auto* input = Find<QLineEdit>(&dlg, "inputEdit");
        TypeAndPress(dlg, QStringLiteral("10 + cos(45)"));
        TypeAndPress(dlg, QStringLiteral("2*3+4"));
        input->setText(QStringLiteral("draft"));
        // Up twice, once more past the oldest, then back down to the draft.
        for (const char* seen : {"2*3+4", "10 + cos(45)", "10 + cos(45)"}) {
            QTest::keyClick(input, Qt::Key_Up);
            QCOMPARE(input->text(), QString::fromLatin1(seen));
        }
        for (const char* seen : {"2*3+4", "draft"}) {
            QTest::keyClick(input, Qt::Key_Down);
            QCOMPARE(input->text(), QString::fromLatin1(seen));
        }
    }

    void showWorkingFollowsEveryOk() {
        CQuorbit1Dlg dlg;
        TypeAndPress(dlg, QStringLiteral("-(cos(45))"));
        Trigger(&dlg, "workingAction");
        CWorkingWindow* window = dlg.WorkingWindow();
        QVERIFY(window != nullptr && window->isVisible() && !window->isModal());
        QString text = window->PlainText();
        QVERIFY(text.contains(QStringLiteral("pass 3: started at term 1")));
        QVERIFY(!text.contains(QStringLiteral("pass 4")));
        QVERIFY(text.contains(QStringLiteral("usual precedence it would give -0.707106785906176")));
        TypeAndPress(dlg, QStringLiteral("2*3+4"));
        text = window->PlainText();
        QVERIFY(text.contains(QStringLiteral("Answer: 14")));
        QVERIFY(text.contains(QStringLiteral("pass 1: started at term 2, swept terms 0 to 2")));
        QVERIFY(text.contains(QStringLiteral("usual precedence it would give 10")));
        TypeAndPress(dlg, QString());
        QVERIFY(window->PlainText().contains(QStringLiteral("Not evaluated")));
    }

    void variablesAreSetForTheRun() {
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        bool seen = false;
        OnNextModal(
            [](QWidget* w) {
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
        TypeAndPress(dlg, QStringLiteral("x^3+y"));  // x^(3+y)
        QCOMPARE(Text(&dlg, "answerEdit"),
                 QString::fromStdString(quorbit1::AnswerText(std::pow(2.0, 3.5))));
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

    void menusOpenTheirWindows() {
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        bool seen = false;
        OnNextModal([&dlg](QWidget* w) { QCOMPARE(w, static_cast<QWidget*>(&dlg.m_helpDlg)); },
                    &seen);
        Trigger(&dlg, "helpAction");
        QVERIFY(seen);
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
    }

    void formKeepsItsProportionsInDialogUnits() {
        CQuorbit1Dlg dlg;
        ShowAndWait(dlg);
        const DialogUnitBase base = DialogUnitBaseFor(dlg.font());
        const QSize form = DialogUnitsToPixels(QRect(0, 0, 252, 127), base).size();
        QCOMPARE(dlg.grab().size() / dlg.devicePixelRatio(),
                 QSize(form.width(), form.height() + Find(&dlg, "menuBar")->height()));
        QCOMPARE(DialogUnitsToPixels(QRect(0, 0, 4, 8), base), QRect(0, 0, base.x, base.y));
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
