// The transcription dialog: its controls and how a colleague's item shows.
#include "common/test_main.h"

#include "main_window/f_tenki.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

class TestFTenki : public QObject {
    Q_OBJECT
private slots:
    void controlsAfterLoading()
    {
        OpenItem item;
        item.date = Field("0000/00/00");
        item.time = Field("00:00");
        item.content = Field(QStringLiteral("電話"));
        item.person = Field(QStringLiteral("鈴木"));
        F_tenki d(ListKind::Todo, dialogTexts(item), nullptr);
        QCOMPARE(d.objectName(), QStringLiteral("F_tenki"));
        QCOMPARE(d.windowTitle(), QStringLiteral("ぽるか　Ver.2.10"));
        QCOMPARE(d.Label1->text(), QStringLiteral("以下のデータを、自分の【ぽるか】に転記しますか？"));
        QCOMPARE((QStringList{d.Label2->text(), d.Label3->text(), d.Label4->text(), d.Label5->text()}),
                 (QStringList{"名前", "年/月/日", "時:分", "内　容"}));
        QCOMPARE(d.Command1->text(), QStringLiteral("転記する"));
        QCOMPARE(d.Command2->text(), QStringLiteral("やっぱり止める"));
        QVERIFY(d.Option1->isChecked());
        QVERIFY(!d.Option1->isEnabled() && !d.Option2->isEnabled());
        QCOMPARE((QStringList{d.Text1->text(), d.Text2->text(), d.Text3->text(), d.Text4->text()}),
                 (QStringList{"今日中", "", "電話", "鈴木"}));
        for (QLineEdit* t : {d.Text1, d.Text2, d.Text3, d.Text4}) {
            QVERIFY(t->isReadOnly());
            QTest::keyClicks(t, QStringLiteral("x"));
        }
        QCOMPARE(d.Text3->text(), QStringLiteral("電話"));
        d.Command1->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }
};

PORUKA_TEST_MAIN(TestFTenki)
#include "test_f_tenki.moc"
