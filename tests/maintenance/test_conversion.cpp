// The conversion of the previous version's data: the date rules, whole files,
// and the procedure with its backups, all or nothing.
#include "common/fake_ui.h"
#include "common/file_calls_watch.h"
#include "common/temp_files.h"
#include "common/test_main.h"

#include "core/conversion.h"
#include "maintenance/old_data.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

// A version-1 ToDo record: entry date, deadline, time, content, person, memo,
// rank, alarm, secret, important, spare.
QByteArrayList oldTodo(const QByteArray& entry, const QByteArray& date)
{
    return {entry, date, "10:00", sjis(QStringLiteral("古い件")), sjis(QStringLiteral("山田")), " 0 ", " 9999 ", " 1 ",
            "",    "",   ""};
}

QByteArrayList oldDone(const QByteArray& done, const QByteArray& entry, const QByteArray& date)
{
    return {done, entry, date, "99:99", sjis(QStringLiteral("済")), sjis(QStringLiteral("山田")), " 0 ", "", "", ""};
}

struct OldData {
    QTemporaryDir root;
    QString programDir, dataDir;
    QByteArray todo, sche, doneTodo, doneSche;
    QByteArray header = sjis(QStringLiteral("@ぽるか VER.1.05 旧版"));

    OldData()
    {
        QDir(root.path()).mkpath(QStringLiteral("prog"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        programDir = root.filePath(QStringLiteral("prog"));
        dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        todo = crlfLines(QByteArrayList{header} + oldTodo("99/12/31", "00/03/01") + oldTodo("98/01/01", "00/00/00") +
                         oldTodo("00/00/00", "99/99/99"));
        QByteArrayList s = oldTodo("99/01/02", "99/02/03");
        s.removeAt(6);   // no rank in a schedule record
        sche = crlfLines(QByteArrayList{header} + s);
        doneTodo = crlfLines(oldDone("00/01/05", "00/00/00", "00/00/00") + oldDone("99/12/31", "98/12/31", "99/99/99"));
        doneSche = crlfLines(oldDone("97/06/30", "97/06/01", "1997/06/02"));
        writeBytes(dataDir + "todo.dat", todo);
        writeBytes(dataDir + "SCHE.DAT", sche);
        writeBytes(programDir + "/todo_kan.dat", doneTodo);
        writeBytes(programDir + "/sche_kan.dat", doneSche);
        writeBytes(programDir + "/poruka.pas", " 1345\t\r\n");
    }

    QStringList entries() const
    {
        QStringList all;
        for (const QString& d : {programDir, dataDir})
            for (const QString& e : QDir(d).entryList(QDir::Files))
                all << e;
        all.sort();
        return all;
    }
};

}   // namespace

class TestConversion : public QObject {
    Q_OBJECT
private slots:
    void dateRules_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<bool>("sentinel");
        QTest::addColumn<QByteArray>("converted");
        QTest::newRow("99/12/31") << QByteArray("99/12/31") << false << QByteArray("1999/12/31");
        QTest::newRow("00/03/01: no century window") << QByteArray("00/03/01") << false << QByteArray("1900/03/01");
        QTest::newRow("plain rule on 00/00/00") << QByteArray("00/00/00") << false << QByteArray("1900/00/00");
        QTest::newRow("today") << QByteArray("00/00/00") << true << QByteArray("0000/00/00");
        QTest::newRow("no deadline") << QByteArray("99/99/99") << true << QByteArray("9999/99/99");
        QTest::newRow("other date, sentinel rule") << QByteArray("98/12/31") << true << QByteArray("1998/12/31");
        QTest::newRow("already four digits") << QByteArray("1999/12/31") << true << QByteArray("1999/12/31");
        QTest::newRow("short") << QByteArray("9/1/1") << false << QByteArray("9/1/1");
        QTest::newRow("empty") << QByteArray() << true << QByteArray();
        QTest::newRow("eight bytes, four characters")
            << sjis(QStringLiteral("年月日時")) << false << sjis(QStringLiteral("年月日時"));
    }
    void dateRules()
    {
        QFETCH(QByteArray, field);
        QFETCH(bool, sentinel);
        QTEST(convertDateField(field, sentinel ? DateRule::Sentinel : DateRule::Plain), "converted");
    }

    // Header and the lines that are no dates stay byte for byte.
    void wholeFiles()
    {
        OldData d;
        QCOMPARE(convertFileBytes(d.todo, OldFile::Todo),
                 crlfLines(QByteArrayList{d.header} + oldTodo("1999/12/31", "1900/03/01") +
                           oldTodo("1998/01/01", "0000/00/00") + oldTodo("1900/00/00", "9999/99/99")));
        QCOMPARE(convertFileBytes(d.doneTodo, OldFile::DoneTodo),
                 crlfLines(oldDone("1900/01/05", "1900/00/00", "0000/00/00") +
                           oldDone("1999/12/31", "1998/12/31", "9999/99/99")));
        // Converting again changes nothing.
        const QByteArray once = convertFileBytes(d.sche, OldFile::Schedule);
        QCOMPARE(convertFileBytes(once, OldFile::Schedule), once);
    }

    // The four files converted, each backed up as it was; the password file
    // moved aside, with its message.
    void procedure()
    {
        OldData d;
        FakeUi ui;
        QCOMPARE(convertOldData(d.dataDir, d.programDir, ui, nullptr), Conversion::Done);
        QCOMPARE(readBytes(d.dataDir + "todo.old"), d.todo);
        QCOMPARE(readBytes(d.dataDir + "SCHE.old"), d.sche);
        QCOMPARE(readBytes(d.programDir + "/todo_kan.datold"), d.doneTodo);
        QCOMPARE(readBytes(d.programDir + "/sche_kan.datold"), d.doneSche);
        QCOMPARE(readBytes(d.programDir + "/poruka.pasold"), QByteArray(" 1345\t\r\n"));
        QVERIFY(!QFileInfo::exists(d.programDir + "/poruka.pas"));
        QCOMPARE(readBytes(d.dataDir + "todo.dat"), convertFileBytes(d.todo, OldFile::Todo));
        QCOMPARE(readBytes(d.dataDir + "SCHE.DAT"), convertFileBytes(d.sche, OldFile::Schedule));
        QCOMPARE(readBytes(d.programDir + "/todo_kan.dat"), convertFileBytes(d.doneTodo, OldFile::DoneTodo));
        QCOMPARE(ui.messageTexts(), QStringList{"パスワードが消去されました。再設定して下さい。"});

        // Until the settings say this version the conversion's record stays:
        // a second run finishes the same conversion, and the backups keep
        // the version-1 originals.
        const QByteArray converted = readBytes(d.dataDir + "todo.dat");
        QVERIFY(conversionUnfinished(d.programDir));
        QCOMPARE(convertOldData(d.dataDir, d.programDir, ui, nullptr), Conversion::Done);
        QCOMPARE(readBytes(d.dataDir + "todo.dat"), converted);
        QCOMPARE(readBytes(d.dataDir + "todo.old"), d.todo);
        QVERIFY(closeConversion(d.programDir).ok());
        QVERIFY(!conversionUnfinished(d.programDir));
    }

    void missingList()
    {
        OldData d;
        QFile::remove(d.dataDir + "SCHE.DAT");
        const QStringList before = d.entries();
        FakeUi ui;
        QCOMPARE(convertOldData(d.dataDir, d.programDir, ui, nullptr), Conversion::ListMissing);
        QCOMPARE(ui.messageTexts(), QStringList{"予定のデータファイル(" + d.dataDir + "sche.dat）がありません"});
        QCOMPARE(ui.messages[0].title, QStringLiteral("変換できません"));
        QCOMPARE(d.entries(), before);
        QCOMPARE(readBytes(d.dataDir + "todo.dat"), d.todo);
    }

    // A backup that cannot be written stops everything before any original changes.
    void crashAtEveryStep();
    void failedRollbackIsTold();
    void listGoneMeanwhile();
    void failedBackupChangesNothing()
    {
        OldData d;
        QVERIFY(QDir().mkpath(d.programDir + "/sche_kan.datold"));   // a folder in the backup's place
        FakeUi ui;
        QCOMPARE(convertOldData(d.dataDir, d.programDir, ui, nullptr), Conversion::Failed);
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(ui.messages[0].text.contains(QStringLiteral("sche_kan.datold")));
        QCOMPARE(readBytes(d.dataDir + "todo.dat"), d.todo);
        QCOMPARE(readBytes(d.programDir + "/todo_kan.dat"), d.doneTodo);
        QVERIFY(QFileInfo::exists(d.programDir + "/poruka.pas"));
    }
};

// Killed at any durable step of the conversion, then started again (which
// finishes a conversion its record names, or asks again and converts anew):
// every file ends converted and every backup holds the version-1 original.
void TestConversion::crashAtEveryStep()
{
    int steps = 0;
    {
        OldData d;
        FileCallsWatch count;
        QCOMPARE(runConversion(d.dataDir, d.programDir).result, ConversionOutcome::Result::Done);
        steps = count.durableCalls();
    }
    QVERIFY(steps > 10);
    for (int n = 1; n <= steps; ++n) {
        OldData d;
        {
            FileCallsWatch crash(n);
            (void)runConversion(d.dataDir, d.programDir);
            QVERIFY(crash.stopped());
        }
        const ConversionOutcome again = conversionUnfinished(d.programDir) ? finishConversion(d.programDir)
                                                                           : runConversion(d.dataDir, d.programDir);
        QCOMPARE(again.result, ConversionOutcome::Result::Done);
        QCOMPARE(readBytes(d.dataDir + "todo.dat"), convertFileBytes(d.todo, OldFile::Todo));
        QCOMPARE(readBytes(d.dataDir + "SCHE.DAT"), convertFileBytes(d.sche, OldFile::Schedule));
        QCOMPARE(readBytes(d.programDir + "/todo_kan.dat"), convertFileBytes(d.doneTodo, OldFile::DoneTodo));
        QCOMPARE(readBytes(d.programDir + "/sche_kan.dat"), convertFileBytes(d.doneSche, OldFile::DoneSchedule));
        QCOMPARE(readBytes(d.dataDir + "todo.old"), d.todo);
        QCOMPARE(readBytes(d.dataDir + "SCHE.old"), d.sche);
        QCOMPARE(readBytes(d.programDir + "/todo_kan.datold"), d.doneTodo);
        QCOMPARE(readBytes(d.programDir + "/sche_kan.datold"), d.doneSche);
        QCOMPARE(readBytes(d.programDir + "/poruka.pasold"), QByteArray(" 1345\t\r\n"));
        QVERIFY(!QFileInfo::exists(d.programDir + "/poruka.pas"));
    }
}

// An original cannot be written, and putting back those already converted
// fails too: the user is told so, not that the data are as before, and the
// next start finishes the conversion.
void TestConversion::failedRollbackIsTold()
{
    OldData d;
    FakeUi ui;
    {
        // The two lists are converted; every later write of an original fails.
        int renames = 0;
        const FileCallsWatch outer;
        setFileCallHook([&](FileCall call, const QByteArray& path) {
            if (call != FileCall::Rename || path.endsWith("old") || path.endsWith(".cnv"))
                return CallAnswer::Make;
            return ++renames <= 2 ? CallAnswer::Make : CallAnswer::Fail;
        });
        QCOMPARE(convertOldData(d.dataDir, d.programDir, ui, nullptr), Conversion::Failed);
    }
    QCOMPARE(ui.messages.size(), 1);
    QVERIFY(ui.messages[0].text.contains(QStringLiteral("todo_kan.dat を書けませんでした。")));
    QVERIFY(ui.messages[0].text.contains(QStringLiteral("元に戻せませんでした")));
    QVERIFY(!ui.messages[0].text.contains(QStringLiteral("変換前のまま")));
    QVERIFY(conversionUnfinished(d.programDir));

    QCOMPARE(finishOldDataConversion(d.programDir, ui, nullptr), Conversion::Done);
    QCOMPARE(readBytes(d.programDir + "/todo_kan.dat"), convertFileBytes(d.doneTodo, OldFile::DoneTodo));
    QCOMPARE(readBytes(d.dataDir + "todo.old"), d.todo);
}

// A list file that goes between the check and its conversion is passed over
// with a message; the other files are converted.
void TestConversion::listGoneMeanwhile()
{
    OldData d;
    FakeUi ui;
    {
        const FileCallsWatch outer;
        bool removed = false;
        setFileCallHook([&](FileCall call, const QByteArray&) {
            // Just after todo.dat was found, while sche.dat is looked for.
            if (call == FileCall::List && !removed)
                removed = QFile::remove(d.dataDir + "todo.dat");
            return CallAnswer::Make;
        });
        QCOMPARE(convertOldData(d.dataDir, d.programDir, ui, nullptr), Conversion::Done);
    }
    QCOMPARE(ui.messageTexts(),
             (QStringList{"やることのファイル(" + d.dataDir + "TODO.DAT)が無いので変換しませんでした。",
                          "パスワードが消去されました。再設定して下さい。"}));
    QVERIFY(!QFileInfo::exists(d.dataDir + "todo.old"));
    QCOMPARE(readBytes(d.dataDir + "SCHE.DAT"), convertFileBytes(d.sche, OldFile::Schedule));
}

PORUKA_TEST_MAIN(TestConversion)
#include "test_conversion.moc"
