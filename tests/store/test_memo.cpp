// Memo files: naming, bytes on disk, reading, number allocation, and the memo
// number of a list line (which must never name a file outside the directory).

#include "common/temp_files.h"
#include "common/test_main.h"

#include "store/memo.h"
#include "store/records.h"
#include "store/settings_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

class TestMemo : public QObject {
    Q_OBJECT

private slots:
    void fileName_data();
    void fileName();
    void bytesFromText_data();
    void bytesFromText();
    void readDropsLastTwoBytes_data();
    void readDropsLastTwoBytes();
    void writeAndRead();
    void allocate_data();
    void allocate();
    void allocateAtTheTop();
    void memoNumber_data();
    void memoNumber();
};

void TestMemo::fileName_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::newRow("1") << 1 << "~0000001.txt";
    QTest::newRow("42") << 42 << "~0000042.txt";
    QTest::newRow("9999999") << 9999999 << "~9999999.txt";
}

void TestMemo::fileName()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QCOMPARE(memoFileName(number), name);
    QCOMPARE(memoPath(QStringLiteral("/data/山田/"), number), QStringLiteral("/data/山田/") + name);
}

void TestMemo::bytesFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("textBack");

    QTest::newRow("one line") << "会議" << QByteArray("\x89\xEF\x8B\x63\r\n") << "会議";
    QTest::newRow("line breaks") << "一\n\n二" << QByteArray("\x88\xEA\r\n\r\n\x93\xF1\r\n") << "一\n\n二";
    QTest::newRow("CR LF typed") << "a\r\nb" << QByteArray("a\r\nb\r\n") << "a\nb";
    QTest::newRow("ends with a break") << "a\n" << QByteArray("a\r\n\r\n") << "a\n";
    QTest::newRow("empty") << "" << QByteArray("\r\n") << "";
}

void TestMemo::bytesFromText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, textBack);
    QCOMPARE(memoBytesFromText(text), bytes);
    QCOMPARE(memoTextFromBytes(bytes), textBack);
}

void TestMemo::readDropsLastTwoBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("CR LF at the end") << QByteArray("abc\r\n") << "abc";
    QTest::newRow("no line end: two characters lost") << QByteArray("abcde") << "abc";
    QTest::newRow("LF lines inside") << QByteArray("a\nb\r\n") << "a\nb";
    QTest::newRow("one byte") << QByteArray("a") << "";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("twin code") << QByteArray("\xED\x40\r\n") << "纊";
}

void TestMemo::readDropsLastTwoBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = memoPath(dir.path() + '/', 7);
    writeBytes(path, bytes);
    const MemoRead r = readMemo(path);
    QVERIFY(r.status.ok());
    QCOMPARE(r.text, text);
}

void TestMemo::writeAndRead()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = memoPath(dir.path() + '/', 42);
    QCOMPARE(readMemo(path).status.error, FileError::FileNotFound);

    QVERIFY(writeMemo(path, QStringLiteral("資料\n持参")).ok());
    QCOMPARE(readBytes(dir.path() + "/~0000042.txt"), QByteArray("\x8E\x91\x97\xBF\r\n\x8E\x9D\x8E\x51\r\n"));
    QCOMPARE(readMemo(path).text, QStringLiteral("資料\n持参"));

    QVERIFY(writeMemo(path, QStringLiteral("短い")).ok());
    QCOMPARE(readMemo(path).text, QStringLiteral("短い"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"~0000042.txt"});
}

void TestMemo::allocate_data()
{
    QTest::addColumn<QByteArray>("counter");
    QTest::addColumn<QList<int>>("existing");
    QTest::addColumn<int>("allocated");

    QTest::newRow("41 gives 42") << QByteArray(" 41 ") << QList<int>{} << 42;
    QTest::newRow("odd spacing") << QByteArray("41") << QList<int>{} << 42;
    QTest::newRow("existing files skipped") << QByteArray(" 41 ") << QList<int>{42, 43, 45} << 44;
    QTest::newRow("older files do not matter") << QByteArray(" 41 ") << QList<int>{40, 41} << 42;
    QTest::newRow("new settings") << QByteArray(" 0 ") << QList<int>{} << 1;
    QTest::newRow("missing counter") << QByteArray() << QList<int>{} << 1;
    QTest::newRow("no number, memo 1 exists") << QByteArray("abc") << QList<int>{1} << 2;
    QTest::newRow("negative counter") << QByteArray(" -5 ") << QList<int>{} << 1;
    QTest::newRow("last number") << QByteArray(" 9999998 ") << QList<int>{} << 9999999;
}

void TestMemo::allocate()
{
    QFETCH(QByteArray, counter);
    QFETCH(QList<int>, existing);
    QFETCH(int, allocated);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString own = dir.path() + '/';
    for (int n : existing)
        writeBytes(memoPath(own, n), "old\r\n");

    AppSettings s = newSettings(QStringLiteral("自分"), own, {});
    s.memoCounter = Field::fromBytes(counter);
    const int n = allocateMemoNo(s, own);
    QCOMPARE(n, allocated);
    QCOMPARE(s.memoCounter.bytes(), ' ' + QByteArray::number(allocated) + ' ');
    QCOMPARE(::memoNumber(Field::number(n)), n);
    // The number is claimed by its file, created empty; no existing memo was touched.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), existing.size() + 1);
    QCOMPARE(QFileInfo(memoPath(own, n)).size(), 0);
    for (int e : existing)
        QCOMPARE(readBytes(memoPath(own, e)), QByteArray("old\r\n"));
    // Given back unwritten, the claim goes; a memo written meanwhile stays.
    releaseMemoNo(own, n);
    QVERIFY(!QFileInfo::exists(memoPath(own, n)));
    if (!existing.isEmpty()) {
        releaseMemoNo(own, existing.first());
        QVERIFY(QFileInfo::exists(memoPath(own, existing.first())));
    }
}

void TestMemo::allocateAtTheTop()
{
    // Past 9999999 a number no longer names a memo file (a line holding it reads
    // as "no memo"), so the counter must never hand one out.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString own = dir.path() + '/';
    for (const char* counter : {" 9999999 ", " 123456789 ", " 99999999999 "}) {
        AppSettings s = newSettings(QStringLiteral("自分"), own, {});
        s.memoCounter = Field::fromBytes(counter);
        const int n = allocateMemoNo(s, own);
        QVERIFY2(n >= 1 && ::memoNumber(Field::number(n)) == n, counter);
        // A free number, claimed by its new, empty file.
        QCOMPARE(QFileInfo(memoPath(own, n)).size(), 0);
        releaseMemoNo(own, n);
    }
}

void TestMemo::memoNumber_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("number");

    QTest::newRow("written form") << QByteArray(" 5 ") << 5;
    QTest::newRow("bare digits") << QByteArray("5") << 5;
    QTest::newRow("wide spacing") << QByteArray("  5  ") << 5;
    QTest::newRow("leading zeros") << QByteArray(" 0042 ") << 42;
    QTest::newRow("largest") << QByteArray(" 9999999 ") << 9999999;
    QTest::newRow("zero") << QByteArray(" 0 ") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("spaces only") << QByteArray("   ") << 0;
    QTest::newRow("letters") << QByteArray("abc") << 0;
    QTest::newRow("digits then letters") << QByteArray(" 5a ") << 0;
    QTest::newRow("two numbers") << QByteArray(" 1 2 ") << 0;
    QTest::newRow("negative") << QByteArray("-3") << 0;
    QTest::newRow("eight digits") << QByteArray("99999999") << 0;
    QTest::newRow("beyond long long") << QByteArray("99999999999999999999999") << 0;
    QTest::newRow("path text") << QByteArray("../../etc/passwd") << 0;
    QTest::newRow("invalid bytes") << QByteArray("\x82\xFF", 2) << 0;
}

void TestMemo::memoNumber()
{
    QFETCH(QByteArray, line);
    QFETCH(int, number);
    const int n = ::memoNumber(Field::fromBytes(line));
    QCOMPARE(n, number);
    if (n != 0) {
        const QString name = memoFileName(n);
        QCOMPARE(name.size(), 12);
        QVERIFY(!name.contains('/'));
    }
}

PORUKA_TEST_MAIN(TestMemo)
#include "test_memo.moc"
