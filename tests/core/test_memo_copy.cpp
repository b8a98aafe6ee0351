// A new own data folder: the memo files of the own open items are copied
// along (the old ones stay); nothing within one folder however spelled; the
// names of those that could not be copied, each once.
#include "common/temp_files.h"
#include "common/test_main.h"

#include "core/memo_copy.h"
#include "store/item_store.h"
#include "store/memo.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

template <class T> T withMemo(int memoNo)
{
    T item;
    item.memoNo = Field::number(memoNo);
    return item;
}

struct Folders {
    QTemporaryDir tmp;
    Folders()
    {
        QDir(tmp.path()).mkpath("old");
        QDir(tmp.path()).mkpath("new");
    }
    QString oldDir() const { return tmp.filePath("old") + '/'; }
    QString newDir() const { return tmp.filePath("new") + '/'; }
    QStringList newFiles() const { return QDir(tmp.filePath("new")).entryList(QDir::Files); }
};

}   // namespace

class TestMemoCopy : public QObject {
    Q_OBJECT
private slots:
    void copiesMemosOfOpenItems()
    {
        Folders f;
        const QByteArray memo5 = "first\r\n\x82\xa0\r\n", memo12 = "second\r\n";
        writeBytes(memoPath(f.oldDir(), 5), memo5);
        writeBytes(memoPath(f.oldDir(), 12), memo12);
        writeBytes(memoPath(f.oldDir(), 99), "not ours\r\n");   // a finished item's memo stays behind
        ItemStore store;
        store.todos.append(withMemo<TodoItem>(5));
        store.todos.append(withMemo<TodoItem>(0));
        store.schedules.append(withMemo<ScheduleItem>(12));
        QVERIFY(copyOwnMemos(store, f.oldDir(), f.newDir()).isEmpty());
        QCOMPARE(f.newFiles(), (QStringList{memoFileName(5), memoFileName(12)}));
        QCOMPARE(readBytes(memoPath(f.newDir(), 5)), memo5);
        QCOMPARE(readBytes(memoPath(f.newDir(), 12)), memo12);
        QCOMPARE(readBytes(memoPath(f.oldDir(), 5)), memo5);   // the old files stay
    }

    void sameFolder_data()
    {
        QTest::addColumn<QString>("other");
        QTest::addColumn<bool>("same");
        QTest::newRow("other spelling") << "new/../old" << true;
        QTest::newRow("no separator") << "old" << true;
        QTest::newRow("another folder") << "new" << false;
    }
    void sameFolder()
    {
        QFETCH(QString, other);
        Folders f;
        QTEST(isSameFolder(f.oldDir(), f.tmp.path() + "/" + other), "same");
    }

    void missingMemosNamed()
    {
        Folders f;
        writeBytes(memoPath(f.oldDir(), 5), "here\r\n");
        ItemStore store;
        store.todos.append(withMemo<TodoItem>(5));
        store.todos.append(withMemo<TodoItem>(7));   // its file is gone
        store.schedules.append(withMemo<ScheduleItem>(8));   // and this one too
        store.schedules.append(withMemo<ScheduleItem>(7));   // one memo, two items: named once
        QCOMPARE(copyOwnMemos(store, f.oldDir(), f.newDir()), (QStringList{memoFileName(7), memoFileName(8)}));
        QCOMPARE(f.newFiles(), QStringList{memoFileName(5)});
    }
};

PORUKA_TEST_MAIN(TestMemoCopy)
#include "test_memo_copy.moc"
