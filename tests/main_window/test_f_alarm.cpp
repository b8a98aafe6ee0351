#include "common/fake_ui.h"
#include "common/test_main.h"
#include "main_window/f_alarm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

class TestFAlarm : public QObject {
    Q_OBJECT
private slots:
    void loadShowsTheNotice()
    {
        FakeUi ui;
        QWidget main;
        main.setGeometry(10, 10, 200, 150);   // the notice ignores where the main window is
        const AlarmNotice notice{QStringLiteral("2026/12/10"), QStringLiteral("15:00"),
                                 QStringLiteral("●見積書を部長に提出、ついでに来期の予算案も相談"),
                                 QStringLiteral("山田")};
        F_Alarm d(notice, ui, &main);

        QCOMPARE(d.objectName(), QStringLiteral("F_Alarm"));
        QCOMPARE(d.windowTitle(), QStringLiteral("★★　お邪魔します　★★"));
        QCOMPARE(d.Label1->text(), QStringLiteral("間もなくお時間でございます。"));
        QCOMPARE(d.Command1->text(), QStringLiteral("わかった"));
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(d.Text1->text(), notice.date);
        QCOMPARE(d.Text2->text(), notice.time);
        QCOMPARE(d.Text3->text(), notice.content);
        QCOMPARE(d.Text4->text(), notice.person);

        // Each box has its caption.
        for (const auto& [edit, caption] :
             {std::pair{d.Text1, "日付"}, {d.Text2, "時刻"}, {d.Text4, "名前"}, {d.Text3, "内容"}}) {
            QLabel* label = nullptr;
            for (QLabel* l : d.findChildren<QLabel*>())
                if (l->buddy() == edit)
                    label = l;
            QVERIFY(label);
            QCOMPARE(label->text(), QString::fromUtf8(caption));
        }

        // Centred on the screen.
        const QRect s = d.screen()->availableGeometry();
        const QRect frame = d.frameGeometry();
        QCOMPARE(frame.left(), s.left() + (s.width() - frame.width()) / 2);
        QCOMPARE(frame.top(), s.top() + (s.height() - frame.height()) / 2);

        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        // Date, time and name on one row; the content below, wider than each.
        QCOMPARE(d.Text2->y(), d.Text1->y());
        QCOMPARE(d.Text4->y(), d.Text1->y());
        QVERIFY(d.Text1->x() < d.Text2->x() && d.Text2->x() < d.Text4->x());
        QVERIFY(d.Text3->y() > d.Text1->y());
        QVERIFY(d.Text3->width() > d.Text1->width() + d.Text2->width());

        // Display only: typing changes nothing.
        d.Text3->setFocus();
        QTest::keyClicks(d.Text3, QStringLiteral("abc"));
        QTest::keyClick(d.Text3, Qt::Key_Backspace);
        QCOMPARE(d.Text3->text(), notice.content);

        d.Command1->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
    }
};

PORUKA_TEST_MAIN(TestFAlarm)
#include "test_f_alarm.moc"
