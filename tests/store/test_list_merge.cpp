// Two copies on one list: the edits of this copy replayed onto the file's
// present version, and the journal they are kept in.
#include "common/test_main.h"

#include "store/list_merge.h"

namespace {

ScheduleItem item(const QString& content)
{
    ScheduleItem s;
    s.entryDate = Field("2026/12/01");
    s.date = Field("2026/12/24");
    s.time = Field("10:00");
    s.content = Field(content);
    s.memoNo = Field::number(0);
    return s;
}

ItemList<ScheduleItem> listOf(const QString& contents)
{
    ItemList<ScheduleItem> l;
    for (const QString& c : contents.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        l.append(item(c));
    return l;
}

QString contentsOf(const ItemList<ScheduleItem>& l)
{
    QStringList out;
    for (const ScheduleItem& s : l.items())
        out << s.content.text();
    return out.join(QLatin1Char(' '));
}

QByteArray bytesOf(const QString& content) { return recordBytes(item(content)); }

}  // namespace

class TestListMerge : public QObject {
    Q_OBJECT
private slots:
    // Both copies started from "A B C". `ours` lists this copy's edits
    // ("+X" added, "-B" removed, "B>B1" changed, "sort" reordered), `mine` is
    // this copy's list after them, `file` the other copy's version.
    void replay_data()
    {
        QTest::addColumn<QString>("ours");
        QTest::addColumn<QString>("mine");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("merged");
        QTest::addColumn<bool>("keptBoth");
        QTest::newRow("both add") << "+X" << "A B C X" << "A B C Y" << "A B C Y X" << false;
        QTest::newRow("change here, add there") << "B>B1" << "A B1 C" << "A B C Y" << "A B1 C Y" << false;
        QTest::newRow("both change the same") << "B>B1" << "A B1 C" << "A B2 C" << "A B2 C B1" << true;
        QTest::newRow("delete here, change there") << "-B" << "A C" << "A B2 C" << "A B2 C" << false;
        QTest::newRow("change here, delete there") << "B>B1" << "A B1 C" << "A C" << "A C B1" << true;
        QTest::newRow("both delete") << "-B" << "A C" << "A C" << "A C" << false;
        QTest::newRow("the file has our add already") << "+X" << "A B C X" << "A B C X Y" << "A B C X Y" << false;
        QTest::newRow("the file lost our add (a lock-blind rename)") << "+X" << "A B C X" << "A B C" << "A B C X"
                                                                      << false;
        QTest::newRow("same record twice, one added here") << "+A" << "A B C A" << "A B C" << "A B C A" << false;
        QTest::newRow("sorted here: only our records move") << "sort" << "C B A" << "A Y B C" << "C Y B A" << false;
        QTest::newRow("sorted and added") << "+X sort" << "X C B A" << "A B C Y" << "X C B Y A" << false;
        QTest::newRow("nothing of ours") << "" << "A B C" << "A Y C" << "A Y C" << false;
    }
    void replay()
    {
        QFETCH(QString, ours);
        QFETCH(QString, mine);
        QFETCH(QString, file);
        QFETCH(bool, keptBoth);
        ListJournal journal;
        for (const QString& e : ours.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (e == "sort")
                journal.reordered();
            else if (e.startsWith('+'))
                journal.add(bytesOf(e.mid(1)));
            else if (e.startsWith('-'))
                journal.remove(bytesOf(e.mid(1)));
            else
                journal.replace(bytesOf(e.section('>', 0, 0)), bytesOf(e.section('>', 1)));
        }
        ItemList<ScheduleItem> onFile = listOf(file);
        const MergeReport report = mergeJournal(onFile, journal, listOf(mine));
        QTEST(contentsOf(onFile), "merged");
        QCOMPARE(report.keptBoth(), keptBoth);
        // Replaying again onto the result changes nothing.
        ItemList<ScheduleItem> again = onFile;
        mergeJournal(again, journal, listOf(mine));
        QCOMPARE(contentsOf(again), contentsOf(onFile));
    }

    // The journal keeps each record's net edit.
    void journalKeepsTheNetEdit()
    {
        ListJournal j;
        j.add(bytesOf("X"));
        j.replace(bytesOf("X"), bytesOf("X1"));
        QCOMPARE(j.edits().size(), std::size_t(1));
        QCOMPARE(j.edits()[0].after, bytesOf("X1"));
        j.remove(bytesOf("X1"));
        QVERIFY(j.edits().empty());

        j.replace(bytesOf("B"), bytesOf("B1"));
        j.replace(bytesOf("B1"), bytesOf("B2"));
        QCOMPARE(j.edits().size(), std::size_t(1));
        QCOMPARE(j.edits()[0].before, bytesOf("B"));
        QCOMPARE(j.edits()[0].after, bytesOf("B2"));
        j.replace(bytesOf("B2"), bytesOf("B"));   // changed back
        QVERIFY(j.edits().empty());

        j.replace(bytesOf("C"), bytesOf("C1"));
        j.remove(bytesOf("C1"));
        QCOMPARE(j.edits().size(), std::size_t(1));
        QCOMPARE(j.edits()[0].kind, ListEdit::Kind::Remove);
        QCOMPARE(j.edits()[0].before, bytesOf("C"));
    }
};

PORUKA_TEST_MAIN(TestListMerge)
#include "test_list_merge.moc"
