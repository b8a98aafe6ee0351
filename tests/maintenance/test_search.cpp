// The keyword search over a list file's bytes.
#include "common/temp_files.h"
#include "common/test_main.h"

#include "maintenance/search.h"
#include "store/list_file.h"

namespace {

TodoItem todo(const char* date, const char* time, const QByteArray& content, int memoNo = 0)
{
    TodoItem t;
    t.entryDate = Field("2026/12/01");
    t.date = Field(date);
    t.time = Field(time);
    t.content = Field::fromBytes(content);
    t.person = Field(QStringLiteral("山田"));
    t.memoNo = Field::number(memoNo);
    t.rank = Field::number(9999);
    t.alarm = Field::number(0);
    return t;
}

QByteArray todoFile(const QList<TodoItem>& items)
{
    ItemList<TodoItem> list;
    for (const TodoItem& i : items)
        list.append(i);
    return serializeList(newListHeader(), list);
}

QStringList contents(const SearchResult& r)
{
    QStringList out;
    for (const SearchHit& h : r.hits)
        out << h.content;
    return out;
}

}   // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void matching_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("substring anywhere") << "会議" << QStringList{"定例会議", "会議資料", "●会議室予約"};
        QTest::newRow("case counts") << "abc" << QStringList{"abc"};
        QTest::newRow("width counts") << "ＡＢＣ" << QStringList{"ＡＢＣ"};
        QTest::newRow("half-width kana are not full-width") << "ｶﾅ" << QStringList{"ｶﾅ"};
        QTest::newRow("the important mark is content") << "●" << QStringList{"●会議室予約"};
        QTest::newRow("empty keyword: every record with content")
            << "" << QStringList{"定例会議", "abc",      "ABC",         "ＡＢＣ",         "カナ",
                                 "ｶﾅ",       "会議資料", "●会議室予約", "bad \uFFFD@ mid"};
        QTest::newRow("invalid bytes: the valid part still matches") << "mid" << QStringList{"bad \uFFFD@ mid"};
        QTest::newRow("nothing") << "存在しない" << QStringList{};
    }
    void matching()
    {
        QFETCH(QString, keyword);
        QFETCH(QStringList, found);
        QList<TodoItem> items;
        for (const char* c : {"定例会議", "abc", "ABC", "ＡＢＣ", "カナ", "ｶﾅ", "会議資料", "●会議室予約", ""})
            items << todo("2026/12/24", "10:00", sjis(c));
        items.insert(8, todo("2026/12/24", "10:00", QByteArray("bad \x85\x40") + " mid"));
        const SearchResult r = searchRecords(todoFile(items), SearchTarget::Todo, keyword);
        QCOMPARE(contents(r), found);
        QVERIFY(!r.cut);
    }

    void shownDatesAndTimes_data()
    {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QByteArray>("time");
        QTest::addColumn<QString>("shownDate");
        QTest::addColumn<QString>("shownTime");
        QTest::newRow("no deadline") << QByteArray("9999/99/99") << QByteArray("99:99") << "期限無"
                                     << "";
        QTest::newRow("today") << QByteArray("0000/00/00") << QByteArray("00:00") << "今日中"
                               << "";
        QTest::newRow("00:00 on a date") << QByteArray("2026/12/24") << QByteArray("00:00") << "2026/12/24"
                                         << "";
        QTest::newRow("a time") << QByteArray("2026/12/24") << QByteArray("09:30") << "2026/12/24"
                                << "09:30";
    }
    void shownDatesAndTimes()
    {
        QFETCH(QByteArray, date);
        QFETCH(QByteArray, time);
        const SearchResult r =
            searchRecords(todoFile({todo(date.constData(), time.constData(), "x", 7)}), SearchTarget::Todo, "x");
        QCOMPARE(r.hits.size(), std::size_t(1));
        QTEST(r.hits[0].date, "shownDate");
        QTEST(r.hits[0].time, "shownTime");
        QCOMPARE(r.hits[0].person, QStringLiteral("山田"));
        QCOMPARE(r.hits[0].memoNo, 7);
    }

    // Archives: no header line; the completion date, never a time.
    void archive()
    {
        ItemList<DoneScheduleItem> done;
        DoneScheduleItem d;
        d.doneDate = Field("0000/00/00");   // shown with the same wording
        d.date = Field("2026/12/01");
        d.time = Field("10:00");
        d.content = Field(QStringLiteral("済んだ会議"));
        d.memoNo = Field::number(4);
        done.append(d);
        d.doneDate = Field("2026/12/05");
        done.append(d);
        const SearchResult r =
            searchRecords(serializeRecords(done), SearchTarget::DoneSchedule, QStringLiteral("会議"));
        QCOMPARE(r.hits.size(), std::size_t(2));
        QCOMPARE(r.hits[0].date, QStringLiteral("今日中"));
        QCOMPARE(r.hits[1].date, QStringLiteral("2026/12/05"));
        QVERIFY(r.hits[0].time.isEmpty());
        QCOMPARE(r.hits[1].memoNo, 4);
    }

    // 100 hits at most, the first in file order; exactly 100 counts as cut too.
    void atMost100_data()
    {
        QTest::addColumn<int>("matching");
        QTest::newRow("99") << 99;
        QTest::newRow("100") << 100;
        QTest::newRow("250") << 250;
    }
    void atMost100()
    {
        QFETCH(int, matching);
        QList<TodoItem> items;
        for (int i = 0; i < matching; ++i)
            items << todo("2026/12/24", "10:00", "hit " + QByteArray::number(i));
        items << todo("2026/12/24", "10:00", "other");
        const SearchResult r = searchRecords(todoFile(items), SearchTarget::Todo, QStringLiteral("hit"));
        QCOMPARE(int(r.hits.size()), std::min(matching, kMaxHits));
        QCOMPARE(r.cut, matching >= kMaxHits);
        QCOMPARE(r.hits.back().content, QStringLiteral("hit %1").arg(std::min(matching, kMaxHits) - 1));
    }

    // The caller may stop a long search; what was found so far is not shown.
    void stopsWhenAsked()
    {
        QList<TodoItem> items;
        for (int i = 0; i < 2000; ++i)
            items << todo("2026/12/24", "10:00", "x");
        int asked = 0;
        const SearchResult r =
            searchRecords(todoFile(items), SearchTarget::Todo, QStringLiteral("x"), [&] { return ++asked < 3; });
        QVERIFY(r.stopped);
        QCOMPARE(asked, 3);
    }
};

PORUKA_TEST_MAIN(TestSearch)
#include "test_search.moc"
