#include "common/test_main.h"

#include "ui/ui.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

Q_DECLARE_METATYPE(MsgButtons)
Q_DECLARE_METATYPE(MsgAnswer)

namespace {

// Answers the next message box with a key press once it is up, and hands back
// what it showed.
struct BoxAnswerer {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QObject alive;   // polling stops when the answerer goes

    void pressWhenShown(Qt::Key key)
    {
        QTimer::singleShot(0, &alive, [this, key] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                pressWhenShown(key);
                return;
            }
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            QTest::keyClick(box, key);
        });
    }
};

}   // namespace

class TestUi : public QObject {
    Q_OBJECT

private slots:
    void messageAnswers_data()
    {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("ok, enter") << MsgButtons::Ok << int(Qt::Key_Return) << MsgAnswer::Ok;
        QTest::newRow("ok, escape") << MsgButtons::Ok << int(Qt::Key_Escape) << MsgAnswer::Ok;
        QTest::newRow("ok/cancel, enter") << MsgButtons::OkCancel << int(Qt::Key_Return) << MsgAnswer::Ok;
        QTest::newRow("ok/cancel, escape") << MsgButtons::OkCancel << int(Qt::Key_Escape) << MsgAnswer::Cancel;
        QTest::newRow("yes/no, enter") << MsgButtons::YesNo << int(Qt::Key_Return) << MsgAnswer::Yes;
        QTest::newRow("yes/no, escape") << MsgButtons::YesNo << int(Qt::Key_Escape) << MsgAnswer::No;
        QTest::newRow("retry/cancel, enter") << MsgButtons::RetryCancel << int(Qt::Key_Return) << MsgAnswer::Retry;
        QTest::newRow("retry/cancel, escape") << MsgButtons::RetryCancel << int(Qt::Key_Escape) << MsgAnswer::Cancel;
    }
    void messageAnswers()
    {
        QFETCH(MsgButtons, buttons);
        QFETCH(int, key);
        QFETCH(MsgAnswer, answer);
        QtUi ui;
        BoxAnswerer box;
        box.pressWhenShown(Qt::Key(key));
        QCOMPARE(ui.message(nullptr, QStringLiteral("保存しますか？"), buttons, MsgIcon::Question, kAppTitle), answer);
        QCOMPARE(box.title, kAppTitle);
        QCOMPARE(box.text, QStringLiteral("保存しますか？"));
        QCOMPARE(box.icon, QMessageBox::Question);
    }

    void firstYieldRunsPendingEvents()
    {
        QtUi ui;
        bool ran = false;
        QTimer::singleShot(0, [&] { ran = true; });
        ui.yieldToEvents();
        QVERIFY(ran);
    }

    void busyPointerNests()
    {
        QVERIFY(!QGuiApplication::overrideCursor());
        {
            BusyPointer outer;
            {
                BusyPointer inner;
                QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            }
            QVERIFY(QGuiApplication::overrideCursor());
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

PORUKA_TEST_MAIN(TestUi)
#include "test_ui.moc"
