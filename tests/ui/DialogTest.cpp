// The desktop dialog driven as a person drives it: typing into the fields, pressing Enter or
// clicking OK, switching the angle unit, opening the menus. Runs on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <functional>

#include "DialogUnits.h"
#include "OkCommand.h"
#include "Quorbit1.h"
#include "Quorbit1Dlg.h"
#include "WorkingWindow.h"

namespace {

// Runs check on the next modal window to appear, then closes it; fails if none appears.
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

}  // namespace

class DialogTest : public QObject {
    Q_OBJECT

private:
    template <class T>
    static T* Find(QWidget* dlg, const char* name) {
        T* w = dlg->findChild<T*>(QString::fromLatin1(name));
        if (w == nullptr) {
            qFatal("no widget %s", name);
        }
        return w;
    }

    static void TypeAndPress(CQuorbit1Dlg& dlg, const QString& text, bool enter) {
        if (!dlg.isVisible()) {
            dlg.show();  // Enter reaches the default button only in a shown dialog
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        }
        auto* input = Find<QLineEdit>(&dlg, "inputEdit");
        input->clear();
        bool ascii = true;
        for (const QChar c : text) {
            ascii = ascii && c.unicode() < 0x80;
        }
        if (ascii) {
            QTest::keyClicks(input, text);
        } else {
            input->insert(text);  // as if pasted: key events carry Latin-1 only
        }
        if (enter) {
            QTest::keyClick(input, Qt::Key_Return);
        } else {
            QTest::mouseClick(Find<QPushButton>(&dlg, "okButton"), Qt::LeftButton);
        }
    }

    static QString Answer(CQuorbit1Dlg& dlg) { return Find<QLineEdit>(&dlg, "answerEdit")->text(); }
    static QString Errors(CQuorbit1Dlg& dlg) { return Find<QLineEdit>(&dlg, "errorsEdit")->text(); }

private slots:
    void formAsLaidOut() {
        CQuorbit1Dlg dlg;
        QVERIFY(Find<QPushButton>(&dlg, "okButton")->isDefault());
        QVERIFY(Find<QRadioButton>(&dlg, "degreesRadio")->isChecked());
        QCOMPARE(Answer(dlg), QStringLiteral("0"));
        QCOMPARE(Errors(dlg), QString());
        QVERIFY(!dlg.windowIcon().isNull());
        for (const char* name : {"okButton", "exitButton", "inputEdit", "errorsEdit", "answerEdit",
                                 "degreesRadio", "radiansRadio", "angleGroup"}) {
            QVERIFY2(!Find<QWidget>(&dlg, name)->accessibleName().isEmpty(), name);
        }
        // The buttons sit to the right of the radio group, the answer field to its left.
        QVERIFY(Find<QWidget>(&dlg, "okButton")->x() > Find<QWidget>(&dlg, "angleGroup")->x());
        QVERIFY(Find<QWidget>(&dlg, "answerEdit")->x() < Find<QWidget>(&dlg, "angleGroup")->x());
    }

    void okCommand_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("radians");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("plus cos, Enter") << "10 + cos(45)" << false << true << "10.7071067859062"
                                         << "";
        QTest::newRow("plus cos, OK") << "10 + cos(45)" << false << false << "10.7071067859062"
                                      << "";
        QTest::newRow("radians") << "sin(30)" << true << true << "-0.988031624092862"
                                 << "";
        QTest::newRow("several flags, last wins") << "((2)+ln(-1)" << false << true << "2"
                                                  << "Ln negatives not allowed.";
        QTest::newRow("non-ASCII") << QString::fromUtf8("5\u22122") << false << true << "7"
                                   << "Invalid character.";
    }

    void okCommand() {
        QFETCH(QString, text);
        QFETCH(bool, radians);
        QFETCH(bool, enter);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        CQuorbit1Dlg dlg;
        if (radians) {
            QTest::mouseClick(Find<QRadioButton>(&dlg, "radiansRadio"), Qt::LeftButton);
        }
        TypeAndPress(dlg, text, enter);
        QCOMPARE(Answer(dlg), answer);
        QCOMPARE(Errors(dlg), message);
        QCOMPARE(Find<QLineEdit>(&dlg, "inputEdit")->text(), text);
        QVERIFY(dlg.m_errorText.empty());
    }

    void keepsWorkingAfterHostileText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("nul") << QString::fromUtf16(u"4\u0000+2", 4) << "Invalid character.";
        QTest::newRow("longest text the field holds") << QStringLiteral("1+").repeated(20000) << "";
        QTest::newRow("digits beyond the field") << QString(1 << 20, u'1') << "Number too long.";
    }

    void keepsWorkingAfterHostileText() {
        QFETCH(QString, text);
        QFETCH(QString, message);
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        auto* input = Find<QLineEdit>(&dlg, "inputEdit");
        input->setText(text);  // as pasted: the field keeps at most its maximum length
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(Errors(dlg), message);
        TypeAndPress(dlg, QStringLiteral("2*3+4"), true);
        QCOMPARE(Answer(dlg), QStringLiteral("14"));
        QCOMPARE(Errors(dlg), QString());
    }

    void rejectedInputKeepsStaleAnswer() {
        CQuorbit1Dlg dlg;
        TypeAndPress(dlg, QStringLiteral("2+3"), true);
        QCOMPARE(Answer(dlg), QStringLiteral("5"));
        TypeAndPress(dlg, QString(), true);
        QCOMPARE(Answer(dlg), QStringLiteral("5"));
        QCOMPARE(Errors(dlg), QStringLiteral("Enter an equation."));
        TypeAndPress(dlg, QStringLiteral("a=1"), true);
        QCOMPARE(Answer(dlg), QStringLiteral("5"));
        QCOMPARE(Errors(dlg), QStringLiteral("= is not supported. Restructure."));
    }

    void angleUnitIsReadOnlyOnOk() {
        CQuorbit1Dlg dlg;
        TypeAndPress(dlg, QStringLiteral("sin(30)"), true);
        QCOMPARE(Answer(dlg), QStringLiteral("0.49999999614644"));
        QTest::mouseClick(Find<QRadioButton>(&dlg, "radiansRadio"), Qt::LeftButton);
        QCOMPARE(Answer(dlg), QStringLiteral("0.49999999614644"));
        QTest::keyClicks(Find<QLineEdit>(&dlg, "inputEdit"), QStringLiteral("+0"));
        QCOMPARE(Answer(dlg), QStringLiteral("0.49999999614644"));
        QTest::mouseClick(Find<QPushButton>(&dlg, "okButton"), Qt::LeftButton);
        QCOMPARE(Answer(dlg), QStringLiteral("-0.988031624092862"));
        QVERIFY(Find<QRadioButton>(&dlg, "radiansRadio")->isChecked());
    }

    void nonNumberInAnswerFieldIsIgnored() {
        CQuorbit1Dlg dlg;
        auto* answer = Find<QLineEdit>(&dlg, "answerEdit");
        answer->clear();
        QTest::keyClicks(answer, QStringLiteral("not a number"));
        QTest::mouseClick(Find<QRadioButton>(&dlg, "radiansRadio"), Qt::LeftButton);
        TypeAndPress(dlg, QStringLiteral("sin(30)"), false);
        // The radio pair is still read, and the answer field is rewritten.
        QCOMPARE(Answer(dlg), QStringLiteral("-0.988031624092862"));
        QCOMPARE(Errors(dlg), QString());
    }

    void tabOrder() {
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCOMPARE(QApplication::focusWidget(), Find<QWidget>(&dlg, "okButton"));
        const char* order[] = {"exitButton", "inputEdit",    "errorsEdit",
                               "answerEdit", "degreesRadio", "okButton"};
        for (const char* name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
    }

    void typingOnTheButtonsGoesToTheExpression() {
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        // Each key goes where the focus is at that moment, as real typing does.
        for (const QChar c : QStringLiteral("10 + cos(45)")) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
        QCOMPARE(Find<QLineEdit>(&dlg, "inputEdit")->text(), QStringLiteral("10 + cos(45)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(Answer(dlg), QStringLiteral("10.7071067859062"));
        // Space on a focused button still presses it.
        Find<QPushButton>(&dlg, "exitButton")->setFocus();
        QTest::keyClick(Find<QPushButton>(&dlg, "exitButton"), Qt::Key_Space);
        QVERIFY(!dlg.isVisible());
    }

    void escapeAndExitClose() {
        for (const bool escape : {true, false}) {
            CQuorbit1Dlg dlg;
            dlg.show();
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            if (escape) {
                QTest::keyClick(&dlg, Qt::Key_Escape);
            } else {
                QTest::mouseClick(Find<QPushButton>(&dlg, "exitButton"), Qt::LeftButton);
            }
            QVERIFY(!dlg.isVisible());
            QCOMPARE(dlg.result(), int(QDialog::Rejected));
        }
    }

    void historyRecallsEarlierExpressions() {
        CQuorbit1Dlg dlg;
        auto* input = Find<QLineEdit>(&dlg, "inputEdit");
        TypeAndPress(dlg, QStringLiteral("10 + cos(45)"), true);
        TypeAndPress(dlg, QStringLiteral("2*3+4"), true);
        input->clear();
        QTest::keyClicks(input, QStringLiteral("draft"));
        QTest::keyClick(input, Qt::Key_Up);
        QCOMPARE(input->text(), QStringLiteral("2*3+4"));
        QTest::keyClick(input, Qt::Key_Up);
        QCOMPARE(input->text(), QStringLiteral("10 + cos(45)"));
        QTest::keyClick(input, Qt::Key_Up);  // nothing older
        QCOMPARE(input->text(), QStringLiteral("10 + cos(45)"));
        QTest::keyClick(input, Qt::Key_Down);
        QCOMPARE(input->text(), QStringLiteral("2*3+4"));
        QTest::keyClick(input, Qt::Key_Down);
        QCOMPARE(input->text(), QStringLiteral("draft"));
        // The field's own editing keys still work.
        QTest::keyClick(input, Qt::Key_Home);
        QTest::keyClick(input, Qt::Key_Delete);
        QCOMPARE(input->text(), QStringLiteral("raft"));
        // A recalled expression is evaluated like a typed one.
        QTest::keyClick(input, Qt::Key_Up);
        QTest::keyClick(input, Qt::Key_Up);
        QTest::keyClick(input, Qt::Key_Return);
        QCOMPARE(Answer(dlg), QStringLiteral("10.7071067859062"));
    }

    void showWorkingFollowsEveryOk() {
        CQuorbit1Dlg dlg;
        TypeAndPress(dlg, QStringLiteral("-(cos(45))"), true);
        Find<QMenuBar>(&dlg, "menuBar")->actions()[2]->trigger();
        CWorkingWindow* window = dlg.WorkingWindow();
        QVERIFY(window != nullptr && window->isVisible() && !window->isModal());
        QString text = window->PlainText();
        QVERIFY(text.contains(QStringLiteral("pass 3: started at term 1")));
        QVERIFY(!text.contains(QStringLiteral("pass 4")));
        QVERIFY(text.contains(QStringLiteral("usual precedence it would give -0.707106785906176")));
        TypeAndPress(dlg, QStringLiteral("2*3+4"), true);
        text = window->PlainText();
        QVERIFY(text.contains(QStringLiteral("2*3+4")));
        QVERIFY(text.contains(QStringLiteral("pass 1: started at term 2, swept terms 0 to 2")));
        QVERIFY(text.contains(QStringLiteral("Answer: 14")));
        QVERIFY(text.contains(QStringLiteral("usual precedence it would give 10")));
        TypeAndPress(dlg, QStringLiteral("2*e"), true);
        QVERIFY(window->PlainText().contains(QStringLiteral("not an expression")));
        TypeAndPress(dlg, QString(), true);
        QVERIFY(window->PlainText().contains(QStringLiteral("Not evaluated")));
    }

    void variablesAreSetForTheRun() {
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        bool seen = false;
        OnNextModal(
            [](QWidget* w) {
                auto* x = Find<QLineEdit>(w, "varXEdit");
                QCOMPARE(x->text(), QStringLiteral("0"));
                x->setText(QStringLiteral("2"));
                Find<QLineEdit>(w, "varTEdit")->setText(QStringLiteral("0.5"));
                static_cast<QDialog*>(w)->accept();
            },
            &seen);
        Find<QMenuBar>(&dlg, "menuBar")->actions()[3]->trigger();
        QVERIFY(seen);
        TypeAndPress(dlg, QStringLiteral("x^3+t"), true);  // x^(3+t)
        QCOMPARE(Answer(dlg), QString::fromStdString(quorbit1::AnswerText(std::pow(2.0, 3.5))));
    }

    void variablesRefuseANonNumber() {
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        bool seen = false;
        OnNextModal(
            [](QWidget* w) {
                Find<QLineEdit>(w, "varXEdit")->setText(QStringLiteral("7"));
                Find<QLineEdit>(w, "varYEdit")->setText(QStringLiteral("seven"));
                static_cast<QDialog*>(w)->accept();
                QVERIFY(w->isVisible());  // refused: the dialog stays open
                QCOMPARE(Find<QLabel>(w, "variablesMessage")->text(),
                         QStringLiteral("Y is not a number."));
                static_cast<QDialog*>(w)->reject();
            },
            &seen);
        Find<QMenuBar>(&dlg, "menuBar")->actions()[3]->trigger();
        QVERIFY(seen);
        QCOMPARE(dlg.m_equation.m_varX, 0.0);  // nothing changed, X included
        QCOMPARE(dlg.m_equation.m_varY, 0.0);
    }

    void messageMarksItsCharacter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("start");
        QTest::newRow("unknown letter") << "2*e"
                                        << "e" << 2;
        QTest::newRow("invalid character") << "1+2#3"
                                           << "#" << 3;
        QTest::newRow("non-ASCII after ASCII")
            << QString::fromUtf8("12×3") << QString::fromUtf8("×") << 2;
        QTest::newRow("doubled operator") << "2+*3"
                                          << "+" << 1;
        QTest::newRow("spaces") << "2  +3"
                                << " " << 1;
    }

    void messageMarksItsCharacter() {
        QFETCH(QString, text);
        QFETCH(QString, selected);
        QFETCH(int, start);
        CQuorbit1Dlg dlg;
        TypeAndPress(dlg, text, true);
        auto* input = Find<QLineEdit>(&dlg, "inputEdit");
        QCOMPARE(input->selectedText(), selected);
        QCOMPARE(input->selectionStart(), start);
    }

    void aboutMessageBox() {
        CQuorbit1Dlg dlg;
        bool seen = false;
        OnNextModal(
            [](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                QVERIFY(box != nullptr);
                QCOMPARE(box->text(), QStringLiteral("Quorbit1 Version 1.0"));
            },
            &seen);
        Find<QMenuBar>(&dlg, "menuBar")->actions()[0]->trigger();
        QVERIFY(seen);
    }

    void helpDialogEveryTime() {
        CQuorbit1Dlg dlg;
        for (int round = 0; round < 2; ++round) {
            bool seen = false;
            OnNextModal(
                [&dlg](QWidget* w) {
                    QCOMPARE(w, static_cast<QWidget*>(&dlg.m_helpDlg));
                    for (const char* name : {"helpText1", "helpText2", "helpText3", "helpText4"}) {
                        QVERIFY(!Find<QLabel>(w, name)->text().isEmpty());
                        QVERIFY(Find<QLabel>(w, name)->wordWrap());
                    }
                },
                &seen);
            Find<QMenuBar>(&dlg, "menuBar")->actions()[1]->trigger();
            QVERIFY(seen);
        }
    }

    void contextMenuOffersAboutBox() {
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        bool aboutSeen = false;
        QTimer::singleShot(0, [&aboutSeen]() {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            OnNextModal(
                [](QWidget* w) {
                    QVERIFY(qobject_cast<CAboutDlg*>(w) != nullptr);
                    QVERIFY(!Find<QLabel>(w, "iconLabel")->pixmap().isNull());
                },
                &aboutSeen);
            menu->actions()[0]->trigger();
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 40),
                                dlg.mapToGlobal(QPoint(10, 40)));
        QApplication::sendEvent(&dlg, &event);
        QTRY_VERIFY(aboutSeen);
    }

    void renderingKeepsProportions() {
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const QPixmap shot = dlg.grab();
        const QTemporaryDir dir;
        QVERIFY(shot.save(dir.filePath(QStringLiteral("quorbit1-dialog.png"))));
        const DialogUnitBase base = DialogUnitBaseFor(dlg.font());
        const QSize form = DialogUnitsToPixels(QRect(0, 0, 252, 127), base).size();
        const int menuHeight = Find<QMenuBar>(&dlg, "menuBar")->height();
        QCOMPARE(shot.size() / shot.devicePixelRatio(),
                 QSize(form.width(), form.height() + menuHeight));
        // Below the menu bar the form keeps its 252 x 127 proportions in the font's units.
        const double ratio = double(form.width()) / form.height();
        const double expected = (252.0 * base.x / 4) / (127.0 * base.y / 8);
        QVERIFY(std::abs(ratio - expected) < 0.02);
        // Every control lies inside the window.
        for (QWidget* w : dlg.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!w->isWindow()) {
                QVERIFY2(dlg.rect().contains(w->geometry()), qPrintable(w->objectName()));
            }
        }
    }

    void dialogUnitsFollowTheFont() {
        QFont small = QApplication::font();
        small.setPointSize(8);
        QFont large = small;
        large.setPointSize(16);
        const DialogUnitBase a = DialogUnitBaseFor(small);
        const DialogUnitBase b = DialogUnitBaseFor(large);
        QVERIFY(b.x > a.x && b.y > a.y);
        QCOMPARE(DialogUnitsToPixels(QRect(0, 0, 4, 8), a), QRect(0, 0, a.x, a.y));
    }

    void noDisplayIsDetected() {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        const QByteArray display = qgetenv("DISPLAY");
        const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
        qunsetenv("QT_QPA_PLATFORM");
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("DISPLAY");
        const bool none = DisplayAvailable();
        qputenv("DISPLAY", ":987");
        const bool missingServer = DisplayAvailable();
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const bool chosen = DisplayAvailable();
        qputenv("QT_QPA_PLATFORM", platform);
        qputenv("DISPLAY", display);
        qputenv("WAYLAND_DISPLAY", wayland);
        QVERIFY(!none);
        QVERIFY(!missingServer);
        QVERIFY(chosen);
    }
};

QTEST_MAIN(DialogTest)
#include "DialogTest.moc"
