// The dialog's OK command from key press to repaint: a typical expression, and the longest
// text the expression field takes (kMaxInputLength characters), which must not freeze the
// window, with and without the working window open.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "Quorbit1Dlg.h"

using namespace quorbit1;

class DialogBench : public QObject {
    Q_OBJECT

private:
    static void PressEnter(CQuorbit1Dlg& dlg, const QString& text) {
        auto* input = dlg.findChild<QLineEdit*>(QStringLiteral("inputEdit"));
        input->setText(text);
        QBENCHMARK {
            QTest::keyClick(input, Qt::Key_Return);
            dlg.repaint();
        }
    }

private slots:
    void initTestCase() {
        qputenv("QUORBIT1_NO_HISTORY", "1");  // a benchmark keeps nothing of the user's
    }

    void okOnTypicalExpression() {
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        PressEnter(dlg, QStringLiteral("10 + cos(45)"));
    }

    void okOnLongestText_data() {
        QTest::addColumn<QString>("text");
        constexpr int kLongest = CQuorbit1Dlg::kMaxInputLength;
        QTest::newRow("sum of products") << QStringLiteral("(x*2.5+sin(30))*(y-1.25)+")
                                                    .repeated(kLongest / 25 + 1)
                                                    .left(kLongest - 1) +
                                                QStringLiteral("1");
        QTest::newRow("changes of sign") << QStringLiteral("-(").repeated((kLongest - 1) / 3) +
                                                QStringLiteral("1") +
                                                QString((kLongest - 1) / 3, u')');
        QTest::newRow("digits") << QString(kLongest, u'7');
    }

    void okOnLongestText() {
        QFETCH(QString, text);
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        PressEnter(dlg, text);
    }

    // With Show Working open, every OK also records and shows the working.
    void okOnLongestTextWithWorking_data() { okOnLongestText_data(); }
    void okOnLongestTextWithWorking() {
        QFETCH(QString, text);
        CQuorbit1Dlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.OnShowWorking();
        PressEnter(dlg, text);
    }
};

QTEST_MAIN(DialogBench)
#include "DialogBench.moc"
