// The delete dialog: its controls, and how an open or archived item shows.
#include "common/test_main.h"

#include "maintenance/f_sakujo.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

OpenItem open(const char* date, const char* time)
{
    OpenItem item;
    item.date = Field(date);
    item.time = Field(time);
    item.content = Field(QStringLiteral("会議"));
    return item;
}

}   // namespace

class TestFSakujo : public QObject {
    Q_OBJECT
private slots:
    void controlsAfterLoading()
    {
        QWidget main;
        main.setGeometry(100, 50, 1000, 800);
        F_sakujo d(ListKind::Schedule, dialogTexts(open("2026/12/24", "15:00")), &main);
        QCOMPARE(d.objectName(), QStringLiteral("F_sakujo"));
        QCOMPARE(d.windowTitle(), QStringLiteral("ぽるか　Ver.2.10"));
        QCOMPARE(d.Label1->text(), QStringLiteral("以下のデータを削除して宜しいですか？"));
        QCOMPARE(d.Command1->text(), QStringLiteral("ＯＫ"));
        QCOMPARE(d.Command2->text(), QStringLiteral("やっぱりダメ"));
        QVERIFY(d.Option2->isChecked() && !d.Option1->isChecked());
        QVERIFY(!d.Option1->isEnabled() && !d.Option2->isEnabled());
        for (QLineEdit* t : {d.Text1, d.Text2, d.Text3})
            QVERIFY(t->isReadOnly());
        QCOMPARE(d.Text3->text(), QStringLiteral("会議"));
        const QSize size = d.frameGeometry().size();
        QCOMPARE(d.pos(), QPoint(100 + (1000 - size.width()) / 2, 50 + (800 - size.height()) / 2));
        // Typing changes nothing; ＯＫ and やっぱりダメ only close it.
        QTest::keyClicks(d.Text1, QStringLiteral("x"));
        QCOMPARE(d.Text1->text(), QStringLiteral("2026/12/24"));
        QSignalSpy finished(&d, &QDialog::finished);
        d.Command2->click();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void shownDateAndTime_data()
    {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QByteArray>("time");
        QTest::addColumn<QString>("shownDate");
        QTest::addColumn<QString>("shownTime");
        QTest::newRow("no deadline") << QByteArray("9999/99/99") << QByteArray("99:99") << "期限無"
                                     << "";
        QTest::newRow("due today") << QByteArray("0000/00/00") << QByteArray("00:00") << "今日中"
                                   << "";
        QTest::newRow("00:00 on a date shows as it is")
            << QByteArray("2026/12/24") << QByteArray("00:00") << "2026/12/24"
            << "00:00";
        QTest::newRow("no time") << QByteArray("2026/12/24") << QByteArray("99:99") << "2026/12/24"
                                 << "";
    }
    void shownDateAndTime()
    {
        QFETCH(QByteArray, date);
        QFETCH(QByteArray, time);
        F_sakujo d(ListKind::Todo, dialogTexts(open(date.constData(), time.constData())), nullptr);
        QTEST(d.Text1->text(), "shownDate");
        QTEST(d.Text2->text(), "shownTime");
    }

    void archivedItemShowsItsCompletionDate()
    {
        DoneTodoItem done;
        done.doneDate = Field("2026/12/01");
        done.date = Field("2026/11/30");
        done.time = Field("10:00");
        done.content = Field(QStringLiteral("済"));
        F_sakujo d(ListKind::Todo, dialogTexts(done), nullptr);
        QCOMPARE(d.Text1->text(), QStringLiteral("2026/12/01"));
        QVERIFY(d.Text2->text().isEmpty());
        QVERIFY(d.Option1->isChecked());
    }
};

PORUKA_TEST_MAIN(TestFSakujo)
#include "test_f_sakujo.moc"
