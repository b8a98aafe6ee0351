#include "common/test_main.h"
#include "core/list_sort.h"
#include "store/list_file.h"

#include <QDate>
#include <QRandomGenerator>
#include <QTime>

namespace {

// ---- An independent, plain rendering of the passes: 1-based, whole records
// copied about, keys from QDate/QTime parsing.

QString plainDate(const QString& x)
{
    const QDate d = QDate::fromString(x, QStringLiteral("yyyy/M/d"));
    return d.isValid() ? d.toString(QStringLiteral("yyyy/MM/dd")) : x;
}

QString plainTime(const QString& x)
{
    const QTime t = QTime::fromString(x, QStringLiteral("H:m"));
    return t.isValid() ? t.toString(QStringLiteral("HH:mm")) : x;
}

QString plainKey(const OpenItem& item, SortOrder order)
{
    switch (order) {
    case SortOrder::DateTime:
        return plainDate(item.date.text()) + plainTime(item.time.text());
    case SortOrder::Name:
        return item.person.text() + plainDate(item.date.text()) + plainTime(item.time.text());
    case SortOrder::Important:
        return item.important.text();
    }
    return {};
}

QString plainKey(const DoneItem& item, SortOrder order)
{
    switch (order) {
    case SortOrder::DateTime:
        return plainDate(item.doneDate.text());
    case SortOrder::Name:
        return item.person.text() + plainDate(item.doneDate.text());
    case SortOrder::Important:
        return item.important.text();
    }
    return {};
}

template <class T> struct Record {
    T item;
    QString key;
};

template <class T> ItemList<T> plainShellSort(const ItemList<T>& list, SortOrder order)
{
    const bool descending = order == SortOrder::Important;
    std::vector<Record<T>> a(1);   // a[0] unused
    for (const T& item : list.items())
        a.push_back({item, plainKey(item, order)});
    const int n = list.count();
    int g = n;
    while (g > 1) {
        g = g / 2;
        for (int i = g + 1; i <= n; ++i) {
            const Record<T> t = a[i];
            int j = i - g;
            while (j >= 1 && (descending ? a[j].key < t.key : a[j].key > t.key)) {
                a[j + g] = a[j];
                j = j - g;
            }
            a[j + g] = t;
        }
    }
    ItemList<T> out;
    for (int i = 1; i <= n; ++i)
        out.append(a[i].item);
    return out;
}

// ---- Generated lists: many equal keys, every kind of date and time.

const QStringList kPeople{
    QStringLiteral("山田"),     QStringLiteral("佐藤"),   QStringLiteral("A"),       QStringLiteral("AB"),
    QStringLiteral("a"),        QStringLiteral("Ｂ"),     QStringLiteral("ﾔﾏﾀﾞ"),    QString(),
    QStringLiteral("鈴木一郎"), QStringLiteral("Yamada"), QStringLiteral("山田花子")};

QByteArray randomDate(QRandomGenerator& r)
{
    const int pick = r.bounded(100);
    if (pick < 10)
        return sentinel::kToday;
    if (pick < 20)
        return sentinel::kNoDeadline;
    if (pick < 22)
        return "2025/02/30";   // no such day: compared as written
    const QDate d = QDate(2025, 1, 1).addDays(r.bounded(3 * 365));
    if (pick < 30)   // one-digit month and day, as old data may have them
        return d.toString(QStringLiteral("yyyy/M/d")).toLatin1();
    return d.toString(QStringLiteral("yyyy/MM/dd")).toLatin1();
}

QByteArray randomTime(QRandomGenerator& r)
{
    const int pick = r.bounded(100);
    if (pick < 15)
        return sentinel::kTodayTime;
    if (pick < 30)
        return sentinel::kNoTime;
    const QTime t(r.bounded(24), 5 * r.bounded(12));
    if (pick < 36)
        return t.toString(QStringLiteral("H:m")).toLatin1();
    return t.toString(QStringLiteral("HH:mm")).toLatin1();
}

template <class T> ItemList<T> generatedList(int n, quint32 seed)
{
    QRandomGenerator r(seed);
    ItemList<T> list;
    for (int i = 0; i < n; ++i) {
        T item;
        item.entryDate = Field("2025/01/01");
        item.date = Field::fromBytes(randomDate(r));
        item.time = Field::fromBytes(randomTime(r));
        item.content = Field(QStringLiteral("項目%1").arg(i));
        item.person = Field(kPeople[r.bounded(int(kPeople.size()))]);
        item.memoNo = Field::number(i);
        item.alarm = Field::number(r.bounded(2));
        item.important = r.bounded(10) < 3 ? Field(sentinel::kImportant) : Field();
        list.append(item);
    }
    return list;
}

template <class T> QStringList contents(const ItemList<T>& list)
{
    QStringList out;
    for (const T& item : list.items())
        out << item.content.text();
    return out;
}

// Every field of every record, in order, as a file would hold them.
template <class T> QByteArray serializeRecordsOf(const ItemList<T>& list)
{
    if constexpr (std::is_base_of_v<DoneItem, T>)
        return serializeRecords(list);
    else
        return serializeList(QByteArray("h"), list);
}

template <class T> void compareWithPlain(const ItemList<T>& input, SortOrder order)
{
    ItemList<T> ours = input;
    int yields = 0;
    sortList(ours, order, [&] { ++yields; });
    const ItemList<T> expected = plainShellSort(input, order);

    QCOMPARE(contents(ours), contents(expected));
    // Whole records went along, not just the contents.
    QVERIFY(serializeRecordsOf(ours) == serializeRecordsOf(expected));

    // One yield after every insertion step of every pass.
    int steps = 0;
    for (int g = input.count(); g > 1;) {
        g /= 2;
        steps += input.count() - g;
    }
    QCOMPARE(yields, steps);

    // And the passes do sort.
    for (int k = 1; k < ours.count(); ++k) {
        const QString a = plainKey(ours[k], order), b = plainKey(ours[k + 1], order);
        QVERIFY2(isDescending(order) ? a >= b : a <= b, qPrintable(QStringLiteral("%1 / %2").arg(a, b)));
    }
}

// "content|date|time|person|important" per item.
template <class T> ItemList<T> itemsFrom(const QStringList& rows)
{
    ItemList<T> list;
    for (const QString& row : rows) {
        const QStringList f = row.split(QLatin1Char('|'));
        T item;
        item.content = Field(f.value(0));
        item.date = Field(f.value(1));
        item.time = Field(f.value(2));
        item.person = Field(f.value(3));
        item.important = Field(f.value(4));
        list.append(item);
    }
    return list;
}

}   // namespace

class TestListSort : public QObject {
    Q_OBJECT
private slots:
    void keys_data()
    {
        QTest::addColumn<bool>("isDate");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        const auto date = [](const char* name, const QString& in, const QString& out) {
            QTest::newRow(name) << true << in << out;
        };
        const auto time = [](const char* name, const QString& in, const QString& out) {
            QTest::newRow(name) << false << in << out;
        };
        date("D padded", QStringLiteral("2024/1/5"), QStringLiteral("2024/01/05"));
        date("D as written", QStringLiteral("2024/12/25"), QStringLiteral("2024/12/25"));
        date("D leap day", QStringLiteral("2024/2/29"), QStringLiteral("2024/02/29"));
        date("D today sentinel", QStringLiteral("0000/00/00"), QStringLiteral("0000/00/00"));
        date("D no deadline sentinel", QStringLiteral("9999/99/99"), QStringLiteral("9999/99/99"));
        date("D no such day", QStringLiteral("2023/2/29"), QStringLiteral("2023/2/29"));
        date("D month 13", QStringLiteral("2024/13/01"), QStringLiteral("2024/13/01"));
        date("D two-digit year", QStringLiteral("24/01/05"), QStringLiteral("24/01/05"));
        date("D three-digit month", QStringLiteral("2024/001/05"), QStringLiteral("2024/001/05"));
        date("D other separator", QStringLiteral("2024-01-05"), QStringLiteral("2024-01-05"));
        date("D trailing space", QStringLiteral("2024/01/05 "), QStringLiteral("2024/01/05 "));
        date("D full-width digits", QStringLiteral("２０２４/1/5"), QStringLiteral("２０２４/1/5"));
        date("D empty", QString(), QString());
        time("T padded", QStringLiteral("9:5"), QStringLiteral("09:05"));
        time("T midnight", QStringLiteral("00:00"), QStringLiteral("00:00"));
        time("T last minute", QStringLiteral("23:59"), QStringLiteral("23:59"));
        time("T no time sentinel", QStringLiteral("99:99"), QStringLiteral("99:99"));
        time("T hour 24", QStringLiteral("24:00"), QStringLiteral("24:00"));
        time("T minute 60", QStringLiteral("12:60"), QStringLiteral("12:60"));
        time("T letters", QStringLiteral("12:3a"), QStringLiteral("12:3a"));
        time("T with seconds", QStringLiteral("12:30:00"), QStringLiteral("12:30:00"));
        time("T empty", QString(), QString());
    }
    void keys()
    {
        QFETCH(bool, isDate);
        QFETCH(QString, text);
        QFETCH(QString, key);
        QCOMPARE(isDate ? dateKey(text) : timeKey(text), key);
        // The same from a field's bytes, as the sort builds it.
        TodoItem item;
        (isDate ? item.date : item.time) = Field(text);
        (isDate ? item.time : item.date) = Field();
        QCOMPARE(sortKey(item, SortOrder::DateTime), key);
    }

    void itemKeys()
    {
        TodoItem open;
        open.date = Field("2024/1/5");
        open.time = Field("9:05");
        open.person = Field(QStringLiteral("山田"));
        open.important = Field(sentinel::kImportant);
        QCOMPARE(sortKey(open, SortOrder::DateTime), QStringLiteral("2024/01/0509:05"));
        QCOMPARE(sortKey(open, SortOrder::Name), QStringLiteral("山田2024/01/0509:05"));
        QCOMPARE(sortKey(open, SortOrder::Important), QStringLiteral("JYUYO"));

        // A date field that is no date, in Japanese: decoded, compared as written.
        open.date = Field(QStringLiteral("未定"));
        QCOMPARE(sortKey(open, SortOrder::Name), QStringLiteral("山田未定09:05"));

        // Archive items: the completion date alone, the item's own date and time play no part.
        DoneTodoItem done;
        done.doneDate = Field("2024/3/9");
        done.date = Field("2020/01/01");
        done.time = Field("10:00");
        done.person = Field(QStringLiteral("佐藤"));
        QCOMPARE(sortKey(done, SortOrder::DateTime), QStringLiteral("2024/03/09"));
        QCOMPARE(sortKey(done, SortOrder::Name), QStringLiteral("佐藤2024/03/09"));
        QCOMPARE(sortKey(done, SortOrder::Important), QString());
        done.important = Field(sentinel::kImportant);
        QCOMPARE(sortKey(DoneScheduleItem{done}, SortOrder::Important), QStringLiteral("JYUYO"));
    }

    void edgeCases_data()
    {
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("expected");   // contents in sorted order
        const auto row = [](const char* name, SortOrder order, const QStringList& items, const QStringList& expected) {
            QTest::newRow(name) << int(order) << items << expected;
        };
        row("sentinel dates first and last", SortOrder::DateTime,
            {"a|9999/99/99|99:99", "b|2024/05/01|10:00", "c|0000/00/00|00:00", "d|2023/12/31|99:99",
             "e|9999/99/99|00:00", "f|0000/00/00|99:99"},
            {"c", "f", "d", "b", "e", "a"});
        row("00:00 before the times of its day, 99:99 after", SortOrder::DateTime,
            {"a|2024/05/01|99:99", "b|2024/05/01|12:30", "c|2024/05/01|9:05", "d|2024/05/01|00:00",
             "e|2024/04/30|99:99"},
            {"e", "d", "c", "b", "a"});
        row("name A before name AB of an earlier date", SortOrder::Name,
            {"AB|1999/12/31|00:00|AB", "A|2000/01/01|00:00|A"}, {"A", "AB"});
        row("names case-sensitive, upper case first", SortOrder::Name,
            {"a|2024/01/01|00:00|a", "B|2024/01/01|00:00|B", "none|2024/01/01|00:00|"}, {"none", "B", "a"});
        row("name then date then time", SortOrder::Name,
            {"y2|2024/01/02|00:00|山田", "s|2024/01/09|00:00|佐藤", "y1|2024/01/02|9:00|山田",
             "y0|2024/1/1|99:99|山田"},
            {"s", "y0", "y2", "y1"});
        row("JYUYO first", SortOrder::Important, {"a|||x|", "b|||x|JYUYO", "c|||x|", "d|||x|JYUYO"},
            {"b", "d", "a", "c"});
        // Gaps 2 then 1 reorder the unmarked items; a stable sort would give c e a b d.
        row("JYUYO, five items, not stable", SortOrder::Important,
            {"a||||", "b||||", "c||||JYUYO", "d||||", "e||||JYUYO"}, {"c", "e", "b", "d", "a"});
        row("n = 0", SortOrder::DateTime, {}, {});
        row("n = 1", SortOrder::DateTime, {"a|9999/99/99|99:99"}, {"a"});
        row("n = 2", SortOrder::DateTime, {"a|2024/01/02|00:00", "b|2024/01/01|00:00"}, {"b", "a"});
        row("n = 2, equal keys stay", SortOrder::DateTime, {"a|2024/1/1|0:0", "b|2024/01/01|00:00"}, {"a", "b"});
        row("n = 3", SortOrder::Name, {"c|2024/01/01|00:00|C", "a|2024/01/01|00:00|A", "b|2024/01/01|00:00|B"},
            {"a", "b", "c"});
        row("n = 5", SortOrder::DateTime,
            {"e|2024/01/05|00:00", "d|2024/01/04|00:00", "c|2024/01/03|00:00", "b|2024/01/02|00:00",
             "a|2024/01/01|00:00"},
            {"a", "b", "c", "d", "e"});
    }
    void edgeCases()
    {
        QFETCH(int, order);
        QFETCH(QStringList, items);
        QFETCH(QStringList, expected);
        for (bool schedule : {false, true}) {
            if (schedule) {
                ItemList<ScheduleItem> list = itemsFrom<ScheduleItem>(items);
                sortList(list, SortOrder(order));
                QCOMPARE(contents(list), expected);
            } else {
                ItemList<TodoItem> list = itemsFrom<TodoItem>(items);
                sortList(list, SortOrder(order));
                QCOMPARE(contents(list), expected);
            }
        }
    }

    void archiveOrder()
    {
        // doneDate decides; the item's own date and time do not.
        ItemList<DoneTodoItem> list;
        for (const auto& [content, done, date, person] : {std::tuple{"a", "2024/3/1", "2020/01/01", "B"},
                                                          {"b", "2024/02/28", "2030/01/01", "A"},
                                                          {"c", "2024/03/01", "2010/01/01", "A"}}) {
            DoneTodoItem item;
            item.content = Field(content);
            item.doneDate = Field(done);
            item.date = Field(date);
            item.person = Field(person);
            list.append(item);
        }
        ItemList<DoneTodoItem> byDate = list;
        sortList(byDate, SortOrder::DateTime);
        QCOMPARE(contents(byDate), (QStringList{"b", "a", "c"}));
        ItemList<DoneTodoItem> byName = list;
        sortList(byName, SortOrder::Name);
        QCOMPARE(contents(byName), (QStringList{"b", "c", "a"}));
    }

    void generated_data()
    {
        QTest::addColumn<int>("kind");   // 0 ToDo, 1 schedule, 2 archived ToDo
        QTest::addColumn<int>("order");
        QTest::addColumn<int>("n");
        const char* kinds[] = {"todo", "sche", "todo_kan"};
        const char* orders[] = {"日時", "名前", "重要"};
        for (int kind : {0, 1, 2})
            for (SortOrder order : {SortOrder::DateTime, SortOrder::Name, SortOrder::Important})
                for (int n : {0, 1, 2, 3, 5, 17, kind == 2 ? 3000 : 30000})
                    QTest::addRow("%s %s n=%d", kinds[kind], orders[int(order)], n) << kind << int(order) << n;
    }
    void generated()
    {
        QFETCH(int, kind);
        QFETCH(int, order);
        QFETCH(int, n);
        switch (kind) {
        case 0:
            compareWithPlain(generatedList<TodoItem>(n, 4), SortOrder(order));
            break;
        case 1:
            compareWithPlain(generatedList<ScheduleItem>(n, 9), SortOrder(order));
            break;
        default: {
            ItemList<DoneTodoItem> done;
            QRandomGenerator r(13);
            const ItemList<TodoItem> open = generatedList<TodoItem>(n, 11);
            for (const TodoItem& t : open.items()) {
                DoneTodoItem d;
                static_cast<DoneItem&>(d) = DoneItem{Field::fromBytes(randomDate(r)),
                                                     t.entryDate,
                                                     t.date,
                                                     t.time,
                                                     t.content,
                                                     t.person,
                                                     t.memoNo,
                                                     t.secret,
                                                     t.important,
                                                     t.spare};
                done.append(d);
            }
            compareWithPlain(done, SortOrder(order));
        }
        }
    }
};

PORUKA_TEST_MAIN(TestListSort)
#include "test_list_sort.moc"
