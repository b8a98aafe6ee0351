// Start-up with a password set, and with data of the previous major version.
#include "common/file_calls_watch.h"
#include "common/test_main.h"
#include "main_form_fixture.h"

#include "core/password.h"
#include "settings/f_ansyo.h"
#include "ui/grid.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

QStringList filesOf(const MainFormFixture& f)
{
    QStringList all;
    for (const QString& d : {f.programDir, f.dataDir})
        for (const QString& e : QDir(d).entryList(QDir::Files))
            all << e + QLatin1Char('=') + QString::number(qHash(readBytes(d + "/" + e)));
    all.sort();
    return all;
}

void writeVersion1(MainFormFixture& f)
{
    AppSettings s = newSettings(QStringLiteral("山田"), f.dataDir, {0, 1500, 1500, 6975, 9450});
    s.banner = Field(QStringLiteral("@ぽるか VER.1.05 旧版のお知らせ"));
    writeBytes(f.settingsPath(), serializeSettings(s));
    const QByteArray header = sjis(QStringLiteral("@ぽるか VER.1.05"));
    writeBytes(f.dataDir + "todo.dat",
               crlfLines({header, "99/12/01", "00/03/01", "10:00", sjis(QStringLiteral("古い件")),
                          sjis(QStringLiteral("山田")), " 0 ", " 9999 ", " 0 ", "", "", ""}));
    writeBytes(f.dataDir + "sche.dat", crlfLines({header}));
    writeBytes(f.programDir + "/poruka.pas", *encodePassword(QStringLiteral("abc")) + "\r\n");
}

}   // namespace

class TestStartupOldData : public QObject {
    Q_OBJECT
private slots:
    void password_data()
    {
        QTest::addColumn<QString>("typed");   // empty: 中止
        QTest::addColumn<bool>("starts");
        QTest::newRow("right") << "あいう" << true;
        QTest::newRow("wrong") << "あい" << false;
        QTest::newRow("中止") << "" << false;
    }
    void password()
    {
        QFETCH(QString, typed);
        QFETCH(bool, starts);
        MainFormFixture f;
        f.writeSettingsFile();
        writeBytes(f.programDir + "/poruka.pas", *encodePassword(QStringLiteral("あいう")) + "\r\n");
        const QStringList before = filesOf(f);
        f.ui.onDialog(QStringLiteral("F_ansyo"), [&](QDialog& d) {
            auto& a = static_cast<F_ansyo&>(d);
            if (typed.isEmpty()) {
                a.Command2->click();
            } else {
                a.Text1->setText(typed);
                a.Command1->click();
            }
            return d.result();
        });
        QCOMPARE(f.start(), starts);
        QCOMPARE(f.ui.dialogsShown, QStringList{"F_ansyo"});
        QCOMPARE(f.ui.messageTexts(), typed == "あい" ? QStringList{"パスワードが違います"} : QStringList{});
        if (!starts)
            QCOMPARE(filesOf(f), before);   // nothing written, no list created
    }

    // Version-1 data: the conversion dialog before the password prompt; after
    // it the converted lists show, no password is asked, and the settings say
    // this version at once.
    void convertsThenStarts()
    {
        MainFormFixture f;
        writeVersion1(f);
        f.ui.onDialog(QStringLiteral("F_Y2K"), [](QDialog& d) {
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d.result();
        });
        QVERIFY(f.start());
        QCOMPARE(f.ui.dialogsShown, QStringList{"F_Y2K"});
        QCOMPARE(f.ui.messageTexts(), QStringList{"パスワードが消去されました。再設定して下さい。"});
        QCOMPARE(f.form->Grid1->cellText(1, 0), QStringLiteral("1900/03/01"));
        QCOMPARE(f.store().todos[1].entryDate.bytes(), QByteArray("1999/12/01"));
        QVERIFY(readBytes(f.settingsPath()).startsWith(currentBanner()));
        QVERIFY(QFileInfo::exists(f.dataDir + "todo.old"));
        QVERIFY(QFileInfo::exists(f.programDir + "/poruka.pasold"));

        // Started again: nothing to convert, no password.
        f.form.reset();
        f.ui.dialogsShown.clear();
        QVERIFY(f.start());
        QVERIFY(f.ui.dialogsShown.isEmpty());
    }

    // Killed while the originals are being converted: the next start finishes
    // the conversion from the backups without asking again, and the backups
    // keep the version-1 data.
    void crashedConversionIsFinished()
    {
        MainFormFixture f;
        writeVersion1(f);
        const QByteArray original = readBytes(f.dataDir + "todo.dat");
        f.ui.onDialog(QStringLiteral("F_Y2K"), [](QDialog& d) {
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d.result();
        });
        f.ui.giveUpAll = true;
        {
            // Past the three backups and the record (six calls each) and the
            // first original: todo.dat converted, sche.dat not yet.
            FileCallsWatch crash(32);
            f.start();
            QVERIFY(crash.stopped());
        }
        QVERIFY(QFileInfo::exists(f.programDir + "/poruka.cnv"));
        QVERIFY(readBytes(f.dataDir + "todo.dat").contains("1999/12/01"));
        QVERIFY(QFileInfo::exists(f.programDir + "/poruka.pas"));
        f.form.reset();
        f.ui.giveUpAll = false;
        f.ui.dialogsShown.clear();
        f.ui.messages.clear();
        QVERIFY(f.start());
        QVERIFY(f.ui.dialogsShown.isEmpty());
        QCOMPARE(f.store().todos[1].entryDate.bytes(), QByteArray("1999/12/01"));
        QCOMPARE(readBytes(f.dataDir + "todo.old"), original);
        QVERIFY(readBytes(f.settingsPath()).startsWith(currentBanner()));
        QVERIFY(!QFileInfo::exists(f.programDir + "/poruka.cnv"));
        QVERIFY(!QFileInfo::exists(f.programDir + "/poruka.pas"));
    }

    void decliningTouchesNothing()
    {
        MainFormFixture f;
        writeVersion1(f);
        const QStringList before = filesOf(f);
        QVERIFY(!f.start());   // no script: データを変換せず終了
        QCOMPARE(f.ui.dialogsShown, QStringList{"F_Y2K"});
        QCOMPARE(filesOf(f), before);
    }

    // Only a "1" in the tenth place of the banner is the previous version.
    void otherVersionsAreNotConverted()
    {
        MainFormFixture f;
        AppSettings s = newSettings(QStringLiteral("山田"), f.dataDir, {0, 1500, 1500, 6975, 9450});
        s.banner = Field(QStringLiteral("@ぽるか VER.2.05"));
        writeBytes(f.settingsPath(), serializeSettings(s));
        QVERIFY(f.start());
        QVERIFY(f.ui.dialogsShown.isEmpty());
    }
};

PORUKA_TEST_MAIN(TestStartupOldData)
#include "test_startup_old_data.moc"
