// poruka.ini: the 315-line layout of a new file, lines kept as read, the lines
// a write replaces, short and long files, and the banner's version digit.

#include "common/temp_files.h"
#include "common/test_main.h"

#include "store/settings_file.h"

#include <QTemporaryDir>

namespace {

// Splits a file that must be written with CR LF: every line ends with CR LF and
// no bare LF appears anywhere.
QByteArrayList crlfSplit(const QByteArray& bytes)
{
    QByteArrayList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0) {
            lines << "<<no CR LF at the end>>";
            break;
        }
        lines << bytes.mid(start, end - start);
        start = end + 2;
    }
    for (const QByteArray& l : lines)
        if (l.contains('\n'))
            return {"<<bare LF>>"};
    return lines;
}

// 1-based numbers of the lines in which a and b differ.
QList<int> differingLines(const QByteArrayList& a, const QByteArrayList& b)
{
    QList<int> diff;
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i])
            diff << int(i + 1);
    return diff;
}

// A settings file as an older run of the program left it, with something
// different on every line and a few oddities.
QByteArrayList existingLines()
{
    QByteArrayList l;
    l << sjis(QStringLiteral("@ぽるか VER.2.10 前回のお知らせ"));
    l << "  41";
    l << "abc" << QByteArray("\x81\x7F\xFF", 3) << "line five";
    l << " 0 "
      << "1200"
      << " 300 "
      << " 6000 "
      << "  9000  ";
    for (int i = 0; i < 5; ++i)
        l << sjis(QStringLiteral("控え%1").arg(i));
    for (int i = 0; i < 100; ++i)
        l << (i == 4 ? QByteArray("\xED\x40\xEE\xEF", 4) : sjis(QStringLiteral("未使用")));
    l << sjis(QStringLiteral("自分")) << "/home/me/data/";
    for (int k = 1; k < 100; ++k) {
        if (k % 3 == 0)
            l << sjis(QStringLiteral("－－－")) << sjis(QStringLiteral("指定無し"));
        else
            l << sjis(QStringLiteral("同僚%1").arg(k)) << "/share/m" + QByteArray::number(k) + "/";
    }
    return l;
}

}   // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void newFile_data();
    void newFile();
    void unchangedRoundTrip_data();
    void unchangedRoundTrip();
    void placementAndBanner();
    void missingLines_data();
    void missingLines();
    void extraLinesKept();
    void memberSlots();
    void bannerMajorVersion_data();
    void bannerMajorVersion();
    void readWrite();
    void negativePlacementWritten();
    void understoodOrNot_data();
    void understoodOrNot();
    void salvageKeepsWhatWasRead();
    void separatorsAdded();
};

void TestSettingsFile::newFile_data()
{
    QTest::addColumn<QString>("dirGiven");
    QTest::newRow("directory without separator") << "/home/山田/ぽるか";
    QTest::newRow("directory with separator") << "/home/山田/ぽるか/";
}

void TestSettingsFile::newFile()
{
    QFETCH(QString, dirGiven);
    const AppSettings s = newSettings(QStringLiteral("山田"), dirGiven, WindowPlacement{2, 1200, 300, 6000, 9000});
    const QByteArrayList lines = crlfSplit(serializeSettings(s));

    QCOMPARE(lines.size(), 315);
    QCOMPARE(lines[0], currentBanner());
    QVERIFY(lines[0].startsWith(QByteArray("\x40\x82\xDB\x82\xE9\x82\xA9 VER.2.10")));
    QCOMPARE(lines[1], QByteArray(" 0 "));
    QCOMPARE(lines.mid(2, 3), (QByteArrayList{"", "", ""}));
    QCOMPARE(lines.mid(5, 5), (QByteArrayList{" 2 ", " 1200 ", " 300 ", " 6000 ", " 9000 "}));
    for (int i = 0; i < 5; ++i)   // 予備0 .. 予備4
        QCOMPARE(lines[10 + i], QByteArray("\x97\x5C\x94\xF5") + char('0' + i));
    for (int i = 15; i < 115; ++i)   // 未使用
        QCOMPARE(lines[i], QByteArray("\x96\xA2\x8E\x67\x97\x70"));
    QCOMPARE(lines[115], sjis(QStringLiteral("山田")));
    QCOMPARE(lines[116], sjis(QStringLiteral("/home/山田/ぽるか/")));
    for (int i = 117; i < 315; i += 2) {
        QCOMPARE(lines[i], QByteArray("\x81\x7C\x81\x7C\x81\x7C"));   // －－－
        QCOMPARE(lines[i + 1], QByteArray("\x8E\x77\x92\xE8\x96\xB3\x82\xB5"));   // 指定無し
    }
    QCOMPARE(s.memoCounterValue(), 0);
    QCOMPARE(s.ownName(), QStringLiteral("山田"));
    QCOMPARE(s.ownDirectory(), QStringLiteral("/home/山田/ぽるか/"));
}

void TestSettingsFile::unchangedRoundTrip_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("CR LF") << crlfLines(existingLines());
    QTest::newRow("LF only") << existingLines().join('\n') + '\n';
}

void TestSettingsFile::unchangedRoundTrip()
{
    QFETCH(QByteArray, input);
    const AppSettings s = parseSettings(input);
    QCOMPARE(s.memoCounterValue(), 41);
    QCOMPARE(s.placement().top, 1200);
    QCOMPARE(s.placement().width, 9000);

    const QByteArrayList out = crlfSplit(serializeSettings(s));
    QCOMPARE(differingLines(existingLines(), out), QList<int>{5});
    QCOMPARE(out[4], QByteArray());
}

void TestSettingsFile::placementAndBanner()
{
    AppSettings s = parseSettings(crlfLines(existingLines()));
    s.setPlacement({2, 10, 20, 30, 40});
    s.banner = Field::fromBytes(currentBanner());

    const QByteArrayList out = crlfSplit(serializeSettings(s));
    QCOMPARE(differingLines(existingLines(), out), (QList<int>{1, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(out[0], currentBanner());
    QCOMPARE(out.mid(5, 5), (QByteArrayList{" 2 ", " 10 ", " 20 ", " 30 ", " 40 "}));
    const WindowPlacement p = s.placement();
    QCOMPARE((QList<int>{p.state, p.top, p.left, p.height, p.width}), (QList<int>{2, 10, 20, 30, 40}));
}

void TestSettingsFile::missingLines_data()
{
    QTest::addColumn<int>("present");
    for (int n : {0, 1, 4, 10, 115, 116, 200, 314})
        QTest::addRow("%d lines", n) << n;
}

void TestSettingsFile::missingLines()
{
    QFETCH(int, present);
    const QByteArrayList full = existingLines();
    const AppSettings s = parseSettings(crlfLines(full.mid(0, present)));

    QCOMPARE(s.memoCounterValue(), present >= 2 ? 41 : 0);
    QCOMPARE(s.ownName(), present >= 116 ? QStringLiteral("自分") : QString());
    QCOMPARE(s.memberDirectory(99), QString());
    QVERIFY(isFreeSlot(s, 99));   // a slot the file does not reach holds nobody

    // Whatever was there comes back; the rest are empty lines.
    QByteArrayList expected = full.mid(0, present);
    while (expected.size() < 315)
        expected << QByteArray();
    expected[4] = QByteArray();
    QCOMPARE(crlfSplit(serializeSettings(s)), expected);
}

void TestSettingsFile::extraLinesKept()
{
    QByteArrayList lines = existingLines();
    lines << "extra 316"
          << "" << QByteArray("\xFF\xFE", 2);
    const QByteArrayList out = crlfSplit(serializeSettings(parseSettings(crlfLines(lines))));
    QCOMPARE(out.size(), 318);
    QCOMPARE(differingLines(lines, out), QList<int>{5});
}

void TestSettingsFile::memberSlots()
{
    const QByteArrayList lines = existingLines();
    const AppSettings s = parseSettings(crlfLines(lines));
    // Member k: name on line 116 + 2k, directory on line 117 + 2k.
    QCOMPARE(s.memberName(7), QStringLiteral("同僚7"));
    QCOMPARE(sjis(s.memberName(7)), lines[129]);
    QCOMPARE(s.memberDirectory(7).toUtf8(), lines[130]);
    QCOMPARE(s.memberName(99), QStringLiteral("－－－"));
    QCOMPARE(s.memberDirectory(99), QStringLiteral("指定無し"));
    QCOMPARE(s.ownDirectory(), QStringLiteral("/home/me/data/"));

    // The user and the colleagues there are; every third slot is free.
    QList<int> used{0};
    for (int k = 1; k < 100; ++k)
        if (k % 3 != 0)
            used << k;
    QCOMPARE(usedMemberSlots(s), used);
    QVERIFY(!isFreeSlot(s, 0) && !isFreeSlot(s, 98) && isFreeSlot(s, 99));
    QCOMPARE(firstFreeSlot(s), 3);
    AppSettings full = s;
    for (int k = 3; k < 100; k += 3)
        full.members[std::size_t(k)].name = Field(QStringLiteral("同僚%1").arg(k));
    QCOMPARE(firstFreeSlot(full), 0);
}

void TestSettingsFile::bannerMajorVersion_data()
{
    QTest::addColumn<QByteArray>("banner");
    QTest::addColumn<int>("major");

    // The tenth character, not the tenth byte: ぽ, る and か take two bytes each.
    QTest::newRow("version 1") << sjis(QStringLiteral("@ぽるか VER.1.05 お知らせ")) << 1;
    QTest::newRow("version 1, nothing after") << sjis(QStringLiteral("@ぽるか VER.1")) << 1;
    QTest::newRow("current banner") << currentBanner() << 2;
    QTest::newRow("version 3") << sjis(QStringLiteral("@ぽるか VER.3.00")) << 3;
    QTest::newRow("no digit there") << sjis(QStringLiteral("@ぽるか VER.x.10")) << 0;
    QTest::newRow("too short") << sjis(QStringLiteral("@ぽるか VER.")) << 0;
    QTest::newRow("empty") << QByteArray() << 0;
}

void TestSettingsFile::bannerMajorVersion()
{
    QFETCH(QByteArray, banner);
    QFETCH(int, major);
    QCOMPARE(::bannerMajorVersion(Field::fromBytes(banner)), major);
}

void TestSettingsFile::readWrite()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = programFile(dir.path(), kSettingsFileName);

    QCOMPARE(readSettings(path).status.error, FileError::FileNotFound);

    const QByteArray input = crlfLines(existingLines());
    writeBytes(path, input);
    const SettingsRead r = readSettings(path);
    QVERIFY(r.status.ok());
    QVERIFY(writeSettings(path, r.settings).ok());
    QCOMPARE(differingLines(existingLines(), crlfSplit(readBytes(path))), QList<int>{5});
}

// A window left of or above the screen: the sign takes the place of the space.
void TestSettingsFile::negativePlacementWritten()
{
    AppSettings s = parseSettings(crlfLines(existingLines()));
    s.setPlacement({0, -1500, -15, 6975, 9450});
    const QByteArrayList out = crlfSplit(serializeSettings(s));
    QCOMPARE(out.mid(5, 5), (QByteArrayList{" 0 ", "-1500 ", "-15 ", " 6975 ", " 9450 "}));
    QCOMPARE(parseSettings(serializeSettings(s)).placement().top, -1500);
}

// Only a whole file with a usable own folder is taken as it is.
void TestSettingsFile::understoodOrNot_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("understood");
    const QByteArrayList full = existingLines();
    QTest::newRow("whole") << crlfLines(full) << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("10 lines") << crlfLines(full.mid(0, 10)) << false;
    QTest::newRow("314 lines") << crlfLines(full.mid(0, 314)) << false;
    QByteArrayList relative = full;
    relative[116] = "data/";
    QTest::newRow("own folder not absolute") << crlfLines(relative) << false;
    QByteArrayList empty = full;
    empty[116] = QByteArray();
    QTest::newRow("own folder empty") << crlfLines(empty) << false;
    QTest::newRow("garbage") << (QByteArray("\x89PNG", 4) + QByteArray("\0\1\2", 3) + " not a settings file at all")
                             << false;
}

void TestSettingsFile::understoodOrNot()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeBytes(dir.path() + "/poruka.ini", bytes);
    QTEST(settingsUnderstood(readSettings(dir.path() + "/poruka.ini")), "understood");
}

void TestSettingsFile::salvageKeepsWhatWasRead()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QByteArrayList cut = existingLines().mid(0, 150);   // the own entry and 16 colleagues
    writeBytes(dir.path() + "/poruka.ini", crlfLines(cut));
    const AppSettings s = salvageSettings(readSettings(dir.path() + "/poruka.ini"));
    QCOMPARE(s.memoCounterValue(), 41);
    QCOMPARE(s.ownName(), QStringLiteral("自分"));
    QCOMPARE(s.ownDirectory(), QStringLiteral("/home/me/data/"));
    QCOMPARE(s.memberName(1), QStringLiteral("同僚1"));
    // The lines that were not there are those of a new file.
    QCOMPARE(s.memberName(99), QStringLiteral("－－－"));
    QCOMPARE(s.memberDirectory(99), QStringLiteral("指定無し"));

    writeBytes(dir.path() + "/poruka.ini", "garbage\r\n\x81\r\n");
    const AppSettings g = salvageSettings(readSettings(dir.path() + "/poruka.ini"));
    QCOMPARE(g.ownDirectory(), QString());
    QCOMPARE(g.memberName(5), QStringLiteral("－－－"));
    QCOMPARE(serializeSettings(g).count("\r\n"), 315);
}

void TestSettingsFile::separatorsAdded()
{
    AppSettings s = parseSettings(crlfLines(existingLines()));
    s.members[0].directory = Field("/home/me/data");
    s.members[1].directory = Field("/share/m1/");
    s.members[2].directory = Field("relative");
    addMissingSeparators(s);
    QCOMPARE(s.ownDirectory(), QStringLiteral("/home/me/data/"));
    QCOMPARE(s.memberDirectory(1), QStringLiteral("/share/m1/"));
    QCOMPARE(s.memberDirectory(2), QStringLiteral("relative"));
    QCOMPARE(s.memberDirectory(3), QStringLiteral("指定無し"));
}

PORUKA_TEST_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
