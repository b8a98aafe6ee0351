// The list files todo.dat / sche.dat and the archives: record layouts, byte-exact
// round trips, malformed input, the 30000-item limit and the masked member view.

#include "common/temp_files.h"
#include "common/test_main.h"

#include "store/cp932.h"
#include "store/list_file.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

using FieldMap = QMap<QString, QByteArray>;

void addOpenFields(FieldMap& m, const OpenItem& it)
{
    m[QStringLiteral("entryDate")] = it.entryDate.bytes();
    m[QStringLiteral("date")] = it.date.bytes();
    m[QStringLiteral("time")] = it.time.bytes();
    m[QStringLiteral("content")] = it.content.bytes();
    m[QStringLiteral("person")] = it.person.bytes();
    m[QStringLiteral("memoNo")] = it.memoNo.bytes();
    m[QStringLiteral("alarm")] = it.alarm.bytes();
    m[QStringLiteral("secret")] = it.secret.bytes();
    m[QStringLiteral("important")] = it.important.bytes();
    m[QStringLiteral("spare")] = it.spare.bytes();
}

FieldMap fieldsOf(const TodoItem& it)
{
    FieldMap m;
    addOpenFields(m, it);
    m[QStringLiteral("rank")] = it.rank.bytes();
    return m;
}

FieldMap fieldsOf(const ScheduleItem& it)
{
    FieldMap m;
    addOpenFields(m, it);
    return m;
}

FieldMap fieldsOf(const DoneItem& it)
{
    return {{QStringLiteral("doneDate"), it.doneDate.bytes()},   {QStringLiteral("entryDate"), it.entryDate.bytes()},
            {QStringLiteral("date"), it.date.bytes()},           {QStringLiteral("time"), it.time.bytes()},
            {QStringLiteral("content"), it.content.bytes()},     {QStringLiteral("person"), it.person.bytes()},
            {QStringLiteral("memoNo"), it.memoNo.bytes()},       {QStringLiteral("secret"), it.secret.bytes()},
            {QStringLiteral("important"), it.important.bytes()}, {QStringLiteral("spare"), it.spare.bytes()}};
}

const QByteArray kHeader = sjis(QStringLiteral("@ぽるか VER.2.10 テスト用のヘッダ"));

struct Parsed {
    QList<FieldMap> records;
    QByteArrayList linesBack;
};

// Through the parser and writer the program runs: a list file has a header
// line, an archive none.
template <class T> Parsed parseAs(const QByteArrayList& lines)
{
    ItemList<T> list;
    QByteArray written;
    if constexpr (std::is_base_of_v<DoneItem, T>) {
        parseRecords(crlfLines(lines), list);
        written = serializeRecords(list);
    } else {
        QByteArray header;
        parseList(crlfLines(QByteArrayList{kHeader} + lines), header, list);
        written = serializeList(header, list);
        written.remove(0, kHeader.size() + 2);
    }
    Parsed p;
    for (const T& item : list.items())
        p.records.append(fieldsOf(item));
    p.linesBack = fileLines(written);
    return p;
}

Parsed parseKind(const QString& kind, const QByteArrayList& lines)
{
    if (kind == QLatin1String("todo"))
        return parseAs<TodoItem>(lines);
    if (kind == QLatin1String("schedule"))
        return parseAs<ScheduleItem>(lines);
    if (kind == QLatin1String("doneTodo"))
        return parseAs<DoneTodoItem>(lines);
    return parseAs<DoneScheduleItem>(lines);
}

int widthOf(ListKind kind) { return kind == ListKind::Todo ? 11 : 10; }

// One open record in file order; rank is only there for a ToDo record.
QByteArrayList record(ListKind kind, const QByteArray& date, const QByteArray& time, const QByteArray& content,
                      const QByteArray& person, const QByteArray& memo, const QByteArray& secret = {},
                      const QByteArray& spare = {})
{
    QByteArrayList l{"2024/04/01", date, time, content, person, memo};
    if (kind == ListKind::Todo)
        l << " 9999 ";
    l << " 1 " << secret << QByteArray() << spare;
    return l;
}

QString dirOf(const QTemporaryDir& d) { return d.path() + QLatin1Char('/'); }

QString fileOf(const QTemporaryDir& d, ListKind kind) { return dirOf(d) + listFileName(kind); }

const ItemList<TodoItem>& todoList(const ItemStore& s, bool member) { return member ? s.memberTodos : s.todos; }

const OpenItem& itemAt(const ItemStore& s, ListKind kind, int i, bool member)
{
    if (kind == ListKind::Todo)
        return (member ? s.memberTodos : s.todos)[i];
    return (member ? s.memberSchedules : s.schedules)[i];
}

int countOf(const ItemStore& s, ListKind kind, bool member)
{
    if (kind == ListKind::Todo)
        return todoList(s, member).count();
    return (member ? s.memberSchedules : s.schedules).count();
}

QByteArrayList recordLinesOf(const ItemStore& s, ListKind kind)
{
    QByteArrayList lines = fileLines(kind == ListKind::Todo ? serializeList(s.todoHeader, s.todos)
                                                            : serializeList(s.scheduleHeader, s.schedules));
    lines.removeFirst();
    return lines;
}

const QByteArrayList& overflowOf(const ItemStore& s, ListKind kind)
{
    return kind == ListKind::Todo ? s.todos.overflow : s.schedules.overflow;
}

}   // namespace

class TestListFile : public QObject {
    Q_OBJECT

private slots:
    void recordLayout_data();
    void recordLayout();
    void roundTrip_data();
    void roundTrip();
    void twinCodesKeptAsRead();
    void programValuesEncoded();
    void emptyFileGetsStandardHeader();
    void truncatedLastRecord_data();
    void truncatedLastRecord();
    void beyondCapacityKept_data();
    void beyondCapacityKept();
    void deriveShown_data();
    void deriveShown();
    void maskedMemberLoad_data();
    void maskedMemberLoad();
    void fileNamesIgnoreCase();
    void createListOnlyWhenMissing();
    void archiveAppend();
};

void TestListFile::recordLayout_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("fields");

    const QStringList open{"entryDate", "date", "time", "content", "person", "memoNo"};
    const QStringList tail{"alarm", "secret", "important", "spare"};
    QTest::newRow("todo: 11 lines") << "todo" << (open + QStringList{"rank"} + tail);
    QTest::newRow("schedule: 10 lines") << "schedule" << (open + tail);
    const QStringList done{"doneDate", "entryDate", "date",   "time",      "content",
                           "person",   "memoNo",    "secret", "important", "spare"};
    QTest::newRow("done todo: 10 lines") << "doneTodo" << done;
    QTest::newRow("done schedule: 10 lines") << "doneSchedule" << done;
}

void TestListFile::recordLayout()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, fields);

    // Two records of distinct lines: the second starts exactly one width later.
    QByteArrayList lines;
    for (int r = 0; r < 2; ++r)
        for (int f = 0; f < fields.size(); ++f)
            lines << QByteArray("r") + QByteArray::number(r) + "-" + QByteArray::number(f);

    const Parsed p = parseKind(kind, lines);
    QCOMPARE(p.records.size(), 2);
    for (int r = 0; r < 2; ++r) {
        QCOMPARE(p.records[r].size(), fields.size());
        for (int f = 0; f < fields.size(); ++f) {
            QVERIFY2(p.records[r].contains(fields[f]), qPrintable(fields[f]));
            QCOMPARE(p.records[r][fields[f]], lines[r * fields.size() + f]);
        }
    }
    QCOMPARE(p.linesBack, lines);
}

void TestListFile::roundTrip_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("expected");

    const auto T = int(ListKind::Todo);
    const auto S = int(ListKind::Schedule);

    const QByteArray jp =
        crlfLines(QByteArrayList{kHeader} +
                  record(ListKind::Todo, "2024/05/01", "13:30", sjis(QStringLiteral("●会議の資料を作る")),
                         sjis(QStringLiteral("山田")), " 12 ", "", sjis(QStringLiteral("ﾒﾓ"))) +
                  record(ListKind::Todo, "0000/00/00", "00:00", sjis(QStringLiteral("電話（至急）")),
                         sjis(QStringLiteral("佐藤")), " 0 ", "SECRET"));
    QTest::newRow("cp932 text") << T << jp << 2 << jp;

    const QByteArray sche = crlfLines(QByteArrayList{kHeader} +
                                      record(ListKind::Schedule, "2024/06/30", "09:00",
                                             sjis(QStringLiteral("打ち合わせ")), sjis(QStringLiteral("自分")), " 3 "));
    QTest::newRow("schedule") << S << sche << 1 << sche;

    const QByteArray invalid =
        crlfLines(QByteArrayList{"\x81\x7F\xFF head"} +
                  record(ListKind::Todo, "2024/05/01", "99:99", QByteArray("\x80\xA0\xFD\xFE\xFF", 5), "\x82",
                         QByteArray("\x81\x39 7 ", 5), "\x85\x40", "\xEF\x40\xF0\x9F"));
    QTest::newRow("invalid bytes") << T << invalid << 1 << invalid;

    const QByteArray odd =
        crlfLines(QByteArrayList{kHeader} +
                  QByteArrayList{"2024/05/01", "9999/99/99", "99:99", "a", "b", "5", "  5  ", "1", "", "", ""} +
                  QByteArrayList{"2024/05/01", "9999/99/99", "99:99", "c", "d", "+7", "9999", "  0", "", "", ""});
    QTest::newRow("numbers with odd spacing") << T << odd << 2 << odd;

    QByteArray lfOnly = jp;
    lfOnly.replace("\r\n", "\n");
    QTest::newRow("LF only, written CR LF") << T << lfOnly << 2 << jp;

    // Every other line end bare LF.
    QByteArray mixed;
    const QByteArrayList jpLines = QByteArray(jp).replace("\r\n", "\n").split('\n');
    for (qsizetype i = 0; i + 1 < jpLines.size(); ++i)
        mixed += jpLines[i] + (i % 2 ? "\n" : "\r\n");
    QTest::newRow("mixed line ends") << T << mixed << 2 << jp;

    QByteArray noFinalEnd = sche;
    noFinalEnd.chop(2);
    QTest::newRow("no line end after the last line") << S << noFinalEnd << 1 << sche;

    // A CR that is not part of a line end is data.
    const QByteArray strayCr =
        crlfLines(QByteArrayList{kHeader} + record(ListKind::Schedule, "2024/06/30", "09:00", "a\rb", "c\r", " 1 "));
    QTest::newRow("stray CR kept") << S << strayCr << 1 << strayCr;

    const QByteArray huge =
        crlfLines(QByteArrayList{kHeader} +
                  record(ListKind::Todo, "2024/05/01", "99:99", QByteArray(3 << 20, '\x88') + "\x9F", "p", " 1 "));
    QTest::newRow("3 MB line") << T << huge << 1 << huge;

    const QByteArray headerOnly = crlfLines({kHeader});
    QTest::newRow("header only, todo") << T << headerOnly << 0 << headerOnly;
    QTest::newRow("header only, schedule") << S << headerOnly << 0 << headerOnly;
    QTest::newRow("header only without line end") << T << kHeader << 0 << headerOnly;
}

void TestListFile::roundTrip()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, input);
    QFETCH(int, count);
    QFETCH(QByteArray, expected);
    const auto k = ListKind(kind);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeBytes(fileOf(dir, k), input);

    ItemStore store;
    QVERIFY(loadOwnList(dirOf(dir), k, store).ok());
    QCOMPARE(countOf(store, k, false), count);
    QVERIFY(overflowOf(store, k).isEmpty());

    QVERIFY(saveList(dirOf(dir), k, store).ok());
    QCOMPARE(readBytes(fileOf(dir, k)), expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{listFileName(k)});
}

void TestListFile::twinCodesKeptAsRead()
{
    // ED40 and EEEF are NEC-selected IBM codes; an encoder writes their characters
    // under other codes, so only keeping the bytes brings them back unchanged.
    const QByteArray twins("\xED\x40\xEE\xEF\xFA\x40\x87\x40\xFA\x5C", 10);
    QVERIFY(cp932::encode(cp932::decode(twins)) != twins);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray file =
        crlfLines(QByteArrayList{kHeader} + record(ListKind::Todo, "2024/05/01", "99:99", twins, twins, " 1 "));
    writeBytes(fileOf(dir, ListKind::Todo), file);

    ItemStore store;
    QVERIFY(loadOwnList(dirOf(dir), ListKind::Todo, store).ok());
    QCOMPARE(store.todos[1].content.bytes(), twins);
    QCOMPARE(store.todos[1].content.text(), QStringLiteral("纊ⅰⅰ①纊"));
    QVERIFY(saveList(dirOf(dir), ListKind::Todo, store).ok());
    QCOMPARE(readBytes(fileOf(dir, ListKind::Todo)), file);
}

void TestListFile::programValuesEncoded()
{
    // A value the program sets goes out as code page 932; numbers as " n ".
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ItemStore store;
    store.todoHeader = kHeader;
    TodoItem it;
    it.entryDate = Field("2024/05/01");
    it.date = Field(sentinel::kNoDeadline);
    it.time = Field(sentinel::kNoTime);
    it.content = Field(QStringLiteral("会議"));
    it.person = Field(QStringLiteral("ｱｲ"));
    it.memoNo = Field::number(42);
    it.rank = Field::number(sentinel::kNoRank);
    it.alarm = Field::number(1);
    store.todos.append(it);
    QVERIFY(saveList(dirOf(dir), ListKind::Todo, store).ok());
    QCOMPARE(readBytes(fileOf(dir, ListKind::Todo)),
             crlfLines({kHeader, "2024/05/01", "9999/99/99", "99:99", "\x89\xEF\x8B\x63", "\xB1\xB2", " 42 ", " 9999 ",
                        " 1 ", "", "", ""}));
}

void TestListFile::emptyFileGetsStandardHeader()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeBytes(fileOf(dir, ListKind::Schedule), QByteArray());

    ItemStore store;
    store.scheduleHeader = "stale";
    QVERIFY(loadOwnList(dirOf(dir), ListKind::Schedule, store).ok());
    QCOMPARE(store.scheduleCount(), 0);
    QCOMPARE(store.scheduleHeader, newListHeader());
    QVERIFY(store.scheduleHeader.startsWith(QByteArray("\x40\x82\xDB\x82\xE9\x82\xA9 VER.2.10")));
    QVERIFY(saveList(dirOf(dir), ListKind::Schedule, store).ok());
    QCOMPARE(readBytes(fileOf(dir, ListKind::Schedule)), newListHeader() + "\r\n");
}

void TestListFile::truncatedLastRecord_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("kept");   // lines of the last record present
    QTest::addColumn<bool>("cutMidLine");   // the last of them lacks its line end

    QTest::newRow("todo, 1 line") << int(ListKind::Todo) << 1 << false;
    QTest::newRow("todo, 6 lines") << int(ListKind::Todo) << 6 << false;
    QTest::newRow("todo, 10 lines") << int(ListKind::Todo) << 10 << false;
    QTest::newRow("todo, 4 lines, cut mid-line") << int(ListKind::Todo) << 4 << true;
    QTest::newRow("schedule, 9 lines") << int(ListKind::Schedule) << 9 << false;
    QTest::newRow("schedule, 2 lines, cut mid-line") << int(ListKind::Schedule) << 2 << true;
}

void TestListFile::truncatedLastRecord()
{
    QFETCH(int, kind);
    QFETCH(int, kept);
    QFETCH(bool, cutMidLine);
    const auto k = ListKind(kind);
    const int width = widthOf(k);

    const QByteArrayList first = record(k, "2024/05/01", "10:00", sjis(QStringLiteral("一件目")), "a", " 1 ");
    QByteArrayList last = record(k, "2024/05/02", "11:00", sjis(QStringLiteral("二件目")), "b", " 2 ", "SECRET", "x");
    for (QByteArray& l : last)
        l += "!";   // no empty line in the cut part
    const QByteArrayList present = last.mid(0, kept);

    QByteArray input = crlfLines(QByteArrayList{kHeader} + first + present);
    if (cutMidLine)
        input.chop(2);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeBytes(fileOf(dir, k), input);
    ItemStore store;
    QVERIFY(loadOwnList(dirOf(dir), k, store).ok());
    QCOMPARE(countOf(store, k, false), 2);

    QByteArrayList expectedLast = present;
    while (expectedLast.size() < width)
        expectedLast << QByteArray();
    QCOMPARE(recordLinesOf(store, k), first + expectedLast);

    // Nothing read is lost; the missing fields come back as empty lines.
    QVERIFY(saveList(dirOf(dir), k, store).ok());
    QCOMPARE(readBytes(fileOf(dir, k)), crlfLines(QByteArrayList{kHeader} + first + expectedLast));
}

void TestListFile::beyondCapacityKept_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("lastKept");   // lines of the last record present

    QTest::newRow("todo, 30001") << int(ListKind::Todo) << 30001 << 11;
    QTest::newRow("schedule, 30005, last cut") << int(ListKind::Schedule) << 30005 << 3;
}

void TestListFile::beyondCapacityKept()
{
    QFETCH(int, kind);
    QFETCH(int, records);
    QFETCH(int, lastKept);
    const auto k = ListKind(kind);
    const int width = widthOf(k);

    QByteArrayList lines{kHeader};
    for (int i = 1; i <= records; ++i) {
        QByteArrayList r = record(k, "2024/05/01", "99:99", sjis(QStringLiteral("項目%1").arg(i)), "p",
                                  ' ' + QByteArray::number(i) + ' ');
        if (i == records)
            r = r.mid(0, lastKept);
        lines += r;
    }
    const QByteArray input = crlfLines(lines);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeBytes(fileOf(dir, k), input);
    ItemStore store;
    QVERIFY(loadOwnList(dirOf(dir), k, store).ok());

    QCOMPARE(countOf(store, k, false), 30000);
    QCOMPARE(itemAt(store, k, 30000, false).content.text(), QStringLiteral("項目30000"));
    const QByteArrayList& overflow = overflowOf(store, k);
    QCOMPARE(overflow.size(), (records - 30001) * width + lastKept);
    QCOMPARE(overflow.first(), QByteArray("2024/04/01"));
    QCOMPARE(overflow.at(3), sjis(QStringLiteral("項目30001")));

    QVERIFY(saveList(dirOf(dir), k, store).ok());
    QVERIFY(readBytes(fileOf(dir, k)) == input);
}

void TestListFile::deriveShown_data()
{
    QTest::addColumn<QByteArray>("date");
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QString>("shownDate");
    QTest::addColumn<QString>("shownTime");

    QTest::newRow("due today") << QByteArray("0000/00/00") << QByteArray("00:00") << "今日中"
                               << "";
    QTest::newRow("no deadline") << QByteArray("9999/99/99") << QByteArray("99:99") << "期限無"
                                 << "";
    QTest::newRow("date without time") << QByteArray("2024/05/01") << QByteArray("99:99") << "2024/05/01"
                                       << "";
    QTest::newRow("date, time 00:00") << QByteArray("2024/05/01") << QByteArray("00:00") << "2024/05/01"
                                      << "";
    QTest::newRow("date and time") << QByteArray("2024/05/01") << QByteArray("13:30") << "2024/05/01"
                                   << "13:30";
    QTest::newRow("today with a time") << QByteArray("0000/00/00") << QByteArray("08:15") << "今日中"
                                       << "08:15";
    QTest::newRow("empty") << QByteArray() << QByteArray() << ""
                           << "";
}

void TestListFile::deriveShown()
{
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, time);
    QFETCH(QString, shownDate);
    QFETCH(QString, shownTime);

    ScheduleItem it;
    it.date = Field::fromBytes(date);
    it.time = Field::fromBytes(time);
    it.content = Field(QStringLiteral("●会議"));
    it.person = Field(QStringLiteral("山田"));
    const Shown shown = ::deriveShown(it);
    QCOMPARE(shown.date, shownDate);
    QCOMPARE(shown.time, shownTime);
    QCOMPARE(rowText(it), shownDate + '\t' + shownTime + QStringLiteral("\t●会議\t山田"));
}

void TestListFile::maskedMemberLoad_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("todo") << int(ListKind::Todo);
    QTest::newRow("schedule") << int(ListKind::Schedule);
}

void TestListFile::maskedMemberLoad()
{
    QFETCH(int, kind);
    const auto k = ListKind(kind);

    QTemporaryDir own, member, other;
    QVERIFY(own.isValid() && member.isValid() && other.isValid());
    const QByteArray ownHeader = sjis(QStringLiteral("@ぽるか VER.2.10 自分"));
    const QByteArray memberHeader = sjis(QStringLiteral("@ぽるか VER.2.10 同僚"));
    const QByteArray ownFile =
        crlfLines(QByteArrayList{ownHeader} +
                  record(k, "2024/05/01", "10:00", sjis(QStringLiteral("自分の件")), "me", " 3 ", "SECRET"));
    const QByteArrayList secretRec = record(k, "2024/06/10", "14:30", sjis(QStringLiteral("人事の件")),
                                            sjis(QStringLiteral("佐藤")), " 7 ", "SECRET", "spare");
    const QByteArrayList openRec =
        record(k, "0000/00/00", "00:00", sjis(QStringLiteral("共有の件")), sjis(QStringLiteral("鈴木")), " 8 ");
    const QByteArray memberFile = crlfLines(QByteArrayList{memberHeader} + secretRec + openRec);
    writeBytes(fileOf(own, k), ownFile);
    writeBytes(fileOf(member, k), memberFile);
    writeBytes(fileOf(other, k), crlfLines(QByteArrayList{"other"} + openRec));

    ItemStore store;
    QVERIFY(loadOwnList(dirOf(own), k, store).ok());
    QVERIFY(loadMemberList(dirOf(member), k, store).ok());

    QCOMPARE(countOf(store, k, true), 2);
    const OpenItem& masked = itemAt(store, k, 1, true);
    QCOMPARE(masked.content.text(), QStringLiteral("★★　ヒ・ミ・ツ　★★"));
    QCOMPARE(memoNumber(masked.memoNo), 0);
    QCOMPARE(masked.entryDate.bytes(), secretRec[0]);
    QCOMPARE(masked.date.bytes(), secretRec[1]);
    QCOMPARE(masked.time.bytes(), secretRec[2]);
    QCOMPARE(masked.person.bytes(), secretRec[4]);
    QCOMPARE(masked.secret.bytes(), QByteArray("SECRET"));
    QCOMPARE(masked.spare.bytes(), QByteArray("spare"));

    const OpenItem& shown = itemAt(store, k, 2, true);
    QCOMPARE(shown.content.bytes(), openRec[3]);
    QCOMPARE(memoNumber(shown.memoNo), 8);
    QCOMPARE(shown.date.bytes(), QByteArray("0000/00/00"));

    // The own list, own secrets and own header stay as they were.
    QCOMPARE(countOf(store, k, false), 1);
    QCOMPARE(itemAt(store, k, 1, false).content.text(), QStringLiteral("自分の件"));
    QCOMPARE(memoNumber(itemAt(store, k, 1, false).memoNo), 3);
    QCOMPARE(k == ListKind::Todo ? store.todoHeader : store.scheduleHeader, ownHeader);
    QCOMPARE(k == ListKind::Todo ? store.memberTodoHeader : store.memberScheduleHeader, memberHeader);
    QVERIFY(saveList(dirOf(own), k, store).ok());
    QCOMPARE(readBytes(fileOf(own, k)), ownFile);
    QCOMPARE(readBytes(fileOf(member, k)), memberFile);

    // Viewing the next member replaces the last one's list.
    QVERIFY(loadMemberList(dirOf(other), k, store).ok());
    QCOMPARE(countOf(store, k, true), 1);
}

void TestListFile::fileNamesIgnoreCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray todo =
        crlfLines(QByteArrayList{kHeader} + record(ListKind::Todo, "2024/05/01", "99:99", "t", "p", " 1 "));
    const QByteArray sche =
        crlfLines(QByteArrayList{kHeader} + record(ListKind::Schedule, "2024/05/01", "10:00", "s", "p", " 2 "));
    writeBytes(dirOf(dir) + "TODO.DAT", todo);
    writeBytes(dirOf(dir) + "sche.dat", sche);

    ItemStore store;
    QVERIFY(loadOwnList(dirOf(dir), ListKind::Todo, store).ok());
    QVERIFY(loadOwnList(dirOf(dir), ListKind::Schedule, store).ok());
    QCOMPARE(store.todoCount(), 1);
    QCOMPARE(store.scheduleCount(), 1);

    store.todos[1].content = Field("T2");
    store.schedules[1].content = Field("S2");
    QVERIFY(saveList(dirOf(dir), ListKind::Todo, store).ok());
    QVERIFY(saveList(dirOf(dir), ListKind::Schedule, store).ok());

    QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    QCOMPARE(names, (QStringList{"TODO.DAT", "sche.dat"}));
    QCOMPARE(readBytes(dirOf(dir) + "TODO.DAT"), QByteArray(todo).replace("\r\nt\r\n", "\r\nT2\r\n"));
    QCOMPARE(readBytes(dirOf(dir) + "sche.dat"), QByteArray(sche).replace("\r\ns\r\n", "\r\nS2\r\n"));
}

void TestListFile::createListOnlyWhenMissing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeBytes(dirOf(dir) + "Todo.Dat", "mine\r\n");

    QVERIFY(createList(dirOf(dir), ListKind::Todo).ok());
    QVERIFY(createList(dirOf(dir), ListKind::Schedule).ok());

    QStringList names = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    QCOMPARE(names, (QStringList{"SCHE.DAT", "Todo.Dat"}));
    QCOMPARE(readBytes(dirOf(dir) + "Todo.Dat"), QByteArray("mine\r\n"));
    QCOMPARE(readBytes(dirOf(dir) + "SCHE.DAT"), newListHeader() + "\r\n");

    ItemStore store;
    QVERIFY(loadOwnList(dirOf(dir), ListKind::Schedule, store).ok());
    QCOMPARE(store.scheduleCount(), 0);
}

void TestListFile::archiveAppend()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dirOf(dir) + kDoneTodoFileName;
    const QByteArray old =
        crlfLines({"2024/01/02", "2024/01/01", "2024/01/01", "99:99", "\xED\x40", "p", "5", "", "", "x"});
    writeBytes(path, old);

    DoneTodoItem d;
    d.doneDate = Field("2024/05/02");
    d.entryDate = Field("2024/04/01");
    d.date = Field(sentinel::kToday);
    d.time = Field(sentinel::kTodayTime);
    d.content = Field(QStringLiteral("会議"));
    d.memoNo = Field::number(5);
    d.secret = Field(sentinel::kSecret);
    QVERIFY(appendDone(path, d).ok());
    QCOMPARE(readBytes(path),
             old +
                 crlfLines({"2024/05/02", "2024/04/01", "0000/00/00", "00:00", "\x89\xEF\x8B\x63", "", " 5 ", "SECRET",
                            "", ""}));

    ItemList<DoneTodoItem> done;
    QVERIFY(loadDone(path, done).ok());
    QCOMPARE(done.count(), 2);
    QCOMPARE(done[1].content.bytes(), QByteArray("\xED\x40"));
    QCOMPARE(memoNumber(done[2].memoNo), 5);
}

PORUKA_TEST_MAIN(TestListFile)
#include "test_list_file.moc"
