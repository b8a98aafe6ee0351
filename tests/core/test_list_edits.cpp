// Two copies on one list: the edits of this copy applied to the file's present
// version, once each, in order; and after a crash, only where the file does not
// show them yet.
#include "common/test_main.h"

#include "core/list_edits.h"

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

// "+X" added, "-B" removed, "B>B1" changed.
std::vector<ListEdit> editsOf(const QString& text)
{
    std::vector<ListEdit> edits;
    for (const QString& e : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (e.startsWith('+'))
            edits.push_back({ListEdit::Kind::Add, {}, bytesOf(e.mid(1))});
        else if (e.startsWith('-'))
            edits.push_back({ListEdit::Kind::Remove, bytesOf(e.mid(1)), {}});
        else
            edits.push_back({ListEdit::Kind::Replace, bytesOf(e.section('>', 0, 0)), bytesOf(e.section('>', 1))});
    }
    return edits;
}

}   // namespace

class TestListEdits : public QObject {
    Q_OBJECT
private slots:
    // Both copies started from "A B C"; `ours` are this copy's edits not yet
    // written, `file` the other copy's version they are applied to.
    void apply_data()
    {
        QTest::addColumn<QString>("ours");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("merged");
        QTest::addColumn<bool>("keptBoth");
        QTest::newRow("both add") << "+X"
                                  << "A B C Y"
                                  << "A B C Y X" << false;
        QTest::newRow("change here, add there") << "B>B1"
                                                << "A B C Y"
                                                << "A B1 C Y" << false;
        QTest::newRow("both change the same") << "B>B1"
                                              << "A B2 C"
                                              << "A B2 C B1" << true;
        QTest::newRow("delete here, change there") << "-B"
                                                   << "A B2 C"
                                                   << "A B2 C" << false;
        QTest::newRow("change here, delete there") << "B>B1"
                                                   << "A C"
                                                   << "A C B1" << true;
        QTest::newRow("both delete") << "-B"
                                     << "A C"
                                     << "A C" << false;
        QTest::newRow("the same record twice, one added here") << "+A"
                                                               << "A B C"
                                                               << "A B C A" << false;
        QTest::newRow("the other copy added the same record too") << "+Y"
                                                                  << "A B C Y"
                                                                  << "A B C Y Y" << false;
        // Edits made while a write was given up, in the order they were made:
        // no intermediate version reappears, nothing is lost.
        QTest::newRow("add, then change it") << "+X X>X1"
                                             << "A B C Y"
                                             << "A B C Y X1" << false;
        QTest::newRow("add, then delete it") << "+X -X"
                                             << "A B C Y"
                                             << "A B C Y" << false;
        QTest::newRow("change, change back") << "B>B1 B1>B"
                                             << "A B C Y"
                                             << "A B C Y" << false;
        QTest::newRow("change twice") << "B>B1 B1>B2"
                                      << "A B C Y"
                                      << "A B2 C Y" << false;
        QTest::newRow("nothing of ours") << ""
                                         << "A Y C"
                                         << "A Y C" << false;
    }
    void apply()
    {
        QFETCH(QString, ours);
        QFETCH(QString, file);
        QFETCH(bool, keptBoth);
        ItemList<ScheduleItem> onFile = listOf(file);
        const MergeReport report = applyEdits(onFile, editsOf(ours));
        QTEST(contentsOf(onFile), "merged");
        QCOMPARE(report.keptBoth(), keptBoth);
    }

    // After a crash the list file may or may not hold an edit: `held` is how
    // many of the edit's records the list had before it. Made again, an edit
    // the file shows is passed over; one it lacks is made.
    void applyIfMissing_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("heldAfter");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("result");
        QTest::newRow("add, not yet written") << "+X" << 0 << 0 << "A B"
                                              << "A B X";
        QTest::newRow("add, written") << "+X" << 0 << 0 << "A X B"
                                      << "A X B";
        QTest::newRow("add of a second twin, written") << "+A" << 1 << 0 << "A B A"
                                                       << "A B A";
        QTest::newRow("add of a second twin, not yet") << "+A" << 1 << 0 << "A B"
                                                       << "A B A";
        QTest::newRow("remove, not yet written") << "-B" << 1 << 0 << "A B C"
                                                 << "A C";
        QTest::newRow("remove, written") << "-B" << 1 << 0 << "A C"
                                         << "A C";
        QTest::newRow("remove one of twins, written") << "-A" << 2 << 0 << "A B"
                                                      << "A B";
        QTest::newRow("change, not yet written") << "B>B1" << 1 << 0 << "A B C"
                                                 << "A B1 C";
        QTest::newRow("change, written") << "B>B1" << 1 << 0 << "A B1 C"
                                         << "A B1 C";
        QTest::newRow("change, the other copy deleted it") << "B>B1" << 1 << 0 << "A C"
                                                           << "A C B1";
    }
    void applyIfMissing()
    {
        QFETCH(QString, edit);
        QFETCH(int, held);
        QFETCH(int, heldAfter);
        QFETCH(QString, file);
        ItemList<ScheduleItem> list = listOf(file);
        ::applyIfMissing(list, editsOf(edit).front(), held, heldAfter);
        QTEST(contentsOf(list), "result");
        // Once more: nothing changes.
        const QString once = contentsOf(list);
        ::applyIfMissing(list, editsOf(edit).front(), held, heldAfter);
        QCOMPARE(contentsOf(list), once);
    }

    // Sorted here: the records both have take this copy's order, in their
    // places; the other copy's own records stay where they are.
    void takeOrder()
    {
        ItemList<ScheduleItem> file = listOf("A Y B C");
        ::takeOrder(file, listOf("X C B A"));
        QCOMPARE(contentsOf(file), QStringLiteral("C Y B A"));
    }

    void whatChanged_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("order");
        QTest::addColumn<bool>("records");
        QTest::newRow("nothing") << "A B C"
                                 << "A B C" << false << false;
        QTest::newRow("order only") << "A B C"
                                    << "C A B" << true << false;
        QTest::newRow("one changed") << "A B C"
                                     << "A B B" << true << true;
        QTest::newRow("one more") << "A B C"
                                  << "A B C D" << true << true;
    }
    void whatChanged()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        const ListChange c = compareHashes(recordHashes(listOf(before)), recordHashes(listOf(after)));
        QTEST(c.order, "order");
        QTEST(c.records, "records");
    }
};

PORUKA_TEST_MAIN(TestListEdits)
#include "test_list_edits.moc"
