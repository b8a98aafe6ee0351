// 元に戻す and やり直し: every command taken back and made again, checked in the
// files; a memo number taken meanwhile; an item another copy changed since;
// the notes of the status bar; and the depth of the history.
#include "common/test_main.h"
#include "copy_commands.h"
#include "presenter_fixture.h"

#include <QDirIterator>
#include <algorithm>

namespace {

struct UndoFixture : PresenterFixture {
    UndoFixture() { writeOffice(); }
    QString run(const QString& command)
    {
        return runCopyCommand({*presenter, forms, time}, command.split(QLatin1Char(' ')));
    }
};

// What the files hold: each list's records in any order (an item that comes
// back is appended), the archives as they are, and every memo file.
struct Files {
    QList<QByteArray> todos, schedules;
    QByteArray doneTodos, doneSchedules;
    QMap<QString, QByteArray> memos;
    bool operator==(const Files&) const = default;
};

template <class T> QList<QByteArray> sortedRecords(const QString& path)
{
    ItemList<T> list;
    QByteArray header;
    parseList(readBytes(path), header, list);
    QList<QByteArray> out;
    for (const T& item : list.items())
        out << recordBytes(item);
    std::sort(out.begin(), out.end());
    return out;
}

Files filesOf(const UndoFixture& f)
{
    Files s{sortedRecords<TodoItem>(f.todoPath()),
            sortedRecords<ScheduleItem>(f.schedulePath()),
            QFileInfo::exists(f.archivePath(ListKind::Todo)) ? readBytes(f.archivePath(ListKind::Todo)) : QByteArray(),
            QFileInfo::exists(f.archivePath(ListKind::Schedule)) ? readBytes(f.archivePath(ListKind::Schedule))
                                                                 : QByteArray(),
            {}};
    for (QDirIterator it(f.dataDir, {QStringLiteral("~*.txt")}, QDir::Files); it.hasNext();) {
        it.next();
        s.memos[it.fileName()] = readBytes(it.filePath());
    }
    return s;
}

}   // namespace

class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void everyCommandTakenBackAndMadeAgain_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("command");
        QTest::newRow("登録 with a memo") << ""
                                          << "add todo 新件 新しいメモ";
        QTest::newRow("変更 of the content") << ""
                                             << "change todo 一番 一番改";
        QTest::newRow("変更 of the memo") << ""
                                          << "memo todo 二番 書き直したメモ";
        QTest::newRow("変更, memo emptied") << ""
                                            << "memo todo 一番 -";
        QTest::newRow("変更 into the other list") << ""
                                                  << "move todo 一番 移したメモ";
        QTest::newRow("完了") << ""
                              << "complete sche 会議";
        QTest::newRow("削除 with its memo") << ""
                                            << "delete todo 一番";
        QTest::newRow("削除 of an archived item") << "view done"
                                                  << "delete todo 済んだ件";
        QTest::newRow("完了を取り消す") << "view done"
                                        << "reopen todo 済んだ件";
        QTest::newRow("転記 with its memo") << "view 1"
                                            << "transcribe todo 同僚の件";
    }
    void everyCommandTakenBackAndMadeAgain()
    {
        QFETCH(QString, before);
        QFETCH(QString, command);
        UndoFixture f;
        QVERIFY(f.start());
        if (!before.isEmpty())
            QCOMPARE(f.run(before), QString());
        const Files untouched = filesOf(f);
        QCOMPARE(f.run(command), QString());
        const Files done = filesOf(f);
        QVERIFY(done != untouched);

        QCOMPARE(f.run(QStringLiteral("undo")), QString());
        QCOMPARE(filesOf(f), untouched);
        QCOMPARE(f.run(QStringLiteral("redo")), QString());
        QCOMPARE(filesOf(f), done);
        QCOMPARE(f.run(QStringLiteral("undo")), QString());
        QCOMPARE(filesOf(f), untouched);
        // That was the only command; the lists in memory are the files'.
        QVERIFY(!f.presenter->canUndo());
        QCOMPARE(f.run(QStringLiteral("undo")), QStringLiteral("undo: 元に戻せる操作はありません"));
        QVERIFY(f.ui.messages.isEmpty());
        QVERIFY(f.presenter->quit());
        QCOMPARE(filesOf(f), untouched);
    }

    // A deleted memo comes back under a new number when its own was taken
    // meanwhile (another copy's memo, say); the other memo stays as it is.
    void memoNumberTakenMeanwhile()
    {
        UndoFixture f;
        QVERIFY(f.start());
        QCOMPARE(f.run(QStringLiteral("delete todo 一番")), QString());
        writeBytes(memoPath(f.dataDir, 11), "other\r\n");
        QCOMPARE(f.run(QStringLiteral("undo")), QString());
        const int row = copy_commands::rowOf(*f.presenter, ListChoice::Todo, QStringLiteral("一番"));
        QVERIFY(row > 0);
        const int memoNo = memoNumber(f.store().todos[row].memoNo);
        QVERIFY(memoNo != 0 && memoNo != 11);
        QCOMPARE(readBytes(memoPath(f.dataDir, memoNo)), sjis(QStringLiteral("メモ11\r\n")));
        QCOMPARE(readBytes(memoPath(f.dataDir, 11)), QByteArray("other\r\n"));
        QVERIFY(readBytes(f.todoPath()).contains(" " + QByteArray::number(memoNo) + " "));
    }

    // Another copy changed the item since: the undo would bring back what that
    // copy changed, so it is not made; the user is told and the lists stay.
    void itemChangedByAnotherCopy()
    {
        UndoFixture f;
        QVERIFY(f.start());
        QCOMPARE(f.run(QStringLiteral("change todo 一番 一番改")), QString());
        QCOMPARE(f.run(QStringLiteral("undo")), QString());
        QCOMPARE(f.run(QStringLiteral("redo")), QString());
        // The other copy's version of the file: 一番改 changed again.
        writeBytes(f.todoPath(),
                   readBytes(f.todoPath()).replace(sjis(QStringLiteral("一番改")), sjis(QStringLiteral("他で直した"))));
        f.time.advanceSecs(10);
        (void)f.presenter->followFiles();
        const Files before = filesOf(f);
        QVERIFY(!f.run(QStringLiteral("undo")).isEmpty());
        QCOMPARE(f.ui.messages.size(), 1);
        QVERIFY(f.ui.messages[0].text.contains(QStringLiteral("元に戻せませんでした")));
        QCOMPARE(filesOf(f), before);
        QVERIFY(!f.presenter->canUndo());
    }

    // A note in the status bar after each command, nothing that waits for an answer.
    void statusNotes()
    {
        UndoFixture f;
        QVERIFY(f.start());
        f.forms.registers(copy_commands::stateFor(ListChoice::Todo, QStringLiteral("新件"), QString()));
        QCOMPARE(f.presenter->newItem(QDate(2026, 12, 24), {}).status, QStringLiteral("登録しました"));
        (void)f.presenter->select(ListChoice::Todo, 2);
        QCOMPARE(f.presenter->complete(2).status, QStringLiteral("完了にしました（元に戻す: Ctrl+Z）"));
        QCOMPARE(f.presenter->undo().status, QStringLiteral("「完了」を元に戻しました（やり直し: Ctrl+Shift+Z）"));
        QCOMPARE(f.presenter->redo().status, QStringLiteral("「完了」をやり直しました"));
        (void)f.presenter->select(ListChoice::Todo, 1);
        f.forms.confirms.enqueue(true);
        QCOMPARE(f.presenter->deleteItem(1).status, QStringLiteral("削除しました（元に戻す: Ctrl+Z）"));
        f.forms.onPasswordSettings = [](const PasswordActions& a) { QVERIFY(a.set("secret").ok()); };
        QCOMPARE(f.presenter->editPassword().status, QStringLiteral("パスワードを設定しました"));
        f.forms.onPasswordSettings = [](const PasswordActions& a) { QVERIFY(a.remove().ok()); };
        QCOMPARE(f.presenter->editPassword().status, QStringLiteral("パスワードを解除しました"));
        QVERIFY(f.ui.messages.isEmpty());
    }

    // The history keeps the last commands, the oldest forgotten first.
    void depth()
    {
        UndoFixture f;
        QVERIFY(f.start());
        const int commands = int(UndoHistory::kDepth) + 2;
        for (int i = 0; i < commands; ++i)
            QCOMPARE(f.run(QStringLiteral("add todo 件%1 -").arg(i)), QString());
        for (std::size_t i = 0; i < UndoHistory::kDepth; ++i)
            QCOMPARE(f.run(QStringLiteral("undo")), QString());
        QVERIFY(!f.presenter->canUndo());
        QStringList left = contents(f.store().todos);
        left.sort();
        QCOMPARE(left, (QStringList{"一番", "三番", "二番", "件0", "件1"}));
    }
};

PORUKA_TEST_MAIN(TestUndo)
#include "test_undo.moc"
