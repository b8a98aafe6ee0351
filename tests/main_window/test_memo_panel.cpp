// The memo panel below the grids, "メモ編集" and "使い方".
#include "common/test_main.h"
#include "main_form_fixture.h"

#include "store/memo.h"
#include "ui/grid.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace {

struct MemoFixture : MainFormFixture {
    QString colleagueDir;

    MemoFixture()
    {
        colleagueDir = root.filePath(QStringLiteral("colleague")) + QLatin1Char('/');
        QDir().mkpath(colleagueDir);
        AppSettings s = newSettings(QStringLiteral("山田"), dataDir, {0, 1500, 1500, 6975, 9450});
        s.members[1] = {Field(QStringLiteral("鈴木")), Field(colleagueDir)};
        writeBytes(settingsPath(), serializeSettings(s));
        writeList(kTodoFileName,
                  QList<TodoItem>{todo("2026/12/24", "15:00", QStringLiteral("メモあり"), QStringLiteral("山田"), 12),
                                  todo("2026/12/25", "15:00", QStringLiteral("メモなし"), QStringLiteral("山田"))});
        writeList(kScheduleFileName, QList<ScheduleItem>{});
        writeBytes(memoPath(dataDir, 12), sjis(QStringLiteral("一行目\r\n二行目\r\n")));
        writeList(
            QStringLiteral("TODO.DAT"),
            QList<TodoItem>{todo("2026/12/24", "10:00", QStringLiteral("同僚の件"), QStringLiteral("鈴木"), 5),
                            todo("2026/12/24", "11:00", QStringLiteral("秘密"), QStringLiteral("鈴木"), 6, 0, true)},
            colleagueDir);
        writeList(QStringLiteral("SCHE.DAT"), QList<ScheduleItem>{}, colleagueDir);
        writeBytes(memoPath(colleagueDir, 5), sjis(QStringLiteral("同僚のメモ\r\n")));
        writeBytes(memoPath(colleagueDir, 6), sjis(QStringLiteral("見せない\r\n")));
    }

    void click(Grid& grid, int row)
    {
        QTableView* view = grid.view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(row - 1, 2)).center());
    }
};

}   // namespace

class TestMemoPanel : public QObject {
    Q_OBJECT
private slots:
    void ownMemoShownAndOpened()
    {
        MemoFixture f;
        QVERIFY(f.start());
        f.form->show();
        f.click(*f.form->Grid1, 1);
        QCOMPARE(f.form->T_memo->toPlainText(), QStringLiteral("一行目\n二行目"));
        QCOMPARE(f.form->presenter().memoEditPath(), memoPath(f.dataDir, 12));
        f.form->Command14->click();
        QCOMPARE(f.ui.memosEdited, QStringList{memoPath(f.dataDir, 12)});

        // An item without a memo empties the panel and the path.
        f.click(*f.form->Grid1, 2);
        QVERIFY(f.form->T_memo->toPlainText().isEmpty());
        QVERIFY(f.form->presenter().memoEditPath().isEmpty());
        f.form->Command14->click();
        QCOMPARE(f.ui.memosEdited.size(), 1);
        QVERIFY(f.ui.messages.isEmpty() || f.ui.messages.last().icon == MsgIcon::Information);

        // The keyboard moves the selection, and the memo follows.
        f.form->Grid1->view()->setFocus();
        QTest::keyClick(f.form->Grid1->view(), Qt::Key_Up);
        QCOMPARE(f.form->Grid1->row(), 1);
        QCOMPARE(f.form->T_memo->toPlainText(), QStringLiteral("一行目\n二行目"));

        // Typing into the panel changes nothing.
        f.form->T_memo->setFocus();
        QTest::keyClicks(f.form->T_memo, QStringLiteral("xyz"));
        QCOMPARE(f.form->T_memo->toPlainText(), QStringLiteral("一行目\n二行目"));
    }

    // A memo of megabytes on one line: the panel shows its start and says the
    // rest is in the file; メモ編集 opens the whole file; the next item's memo
    // shows as ever.
    void longMemoShownInPart()
    {
        MemoFixture f;
        writeBytes(memoPath(f.dataDir, 12), QByteArray(2 * 1024 * 1024, 'x') + "\r\n");
        QVERIFY(f.start());
        f.form->show();
        f.click(*f.form->Grid1, 1);
        const QString shown = f.form->T_memo->toPlainText();
        QVERIFY(shown.endsWith(kMemoCutNote.mid(2)));
        // 64 lines of 1024 characters: the first 64 KB, in pieces a text box
        // lays out quickly.
        const QStringList lines = shown.left(shown.size() - kMemoCutNote.size()).split('\n');
        QCOMPARE(lines.size(), 64);
        QVERIFY(std::all_of(lines.begin(), lines.end(), [](const QString& l) { return l == QString(1024, 'x'); }));
        f.form->Command14->click();
        QCOMPARE(f.ui.memosEdited, QStringList{memoPath(f.dataDir, 12)});
        f.click(*f.form->Grid1, 2);
        QVERIFY(f.form->T_memo->toPlainText().isEmpty());

        // A double-byte character cut in two at the limit is left out.
        writeBytes(memoPath(f.dataDir, 12),
                   QByteArray(kMemoShownBytes - 1, '\n') + sjis(QStringLiteral("漢字")) + "\r\n");
        f.click(*f.form->Grid1, 1);
        QCOMPARE(f.form->T_memo->toPlainText(), QString(kMemoShownBytes - 1, '\n') + kMemoCutNote);
    }

    // A memo file deleted behind the program's back: told once, panel empty.
    void missingMemoIsTold()
    {
        MemoFixture f;
        QVERIFY(f.start());
        f.form->show();
        QVERIFY(QFile::remove(memoPath(f.dataDir, 12)));
        f.click(*f.form->Grid1, 1);
        QCOMPARE(f.ui.messageTexts(), QStringList{"メモファイル『~0000012.TXT』が見つかりません"});
        QCOMPARE(f.ui.messages[0].icon, MsgIcon::Exclamation);
        QVERIFY(f.form->T_memo->toPlainText().isEmpty());
        QCOMPARE(f.form->presenter().memoEditPath(), memoPath(f.dataDir, 12));
        // メモ編集 finds no file to open, and says so.
        f.form->Command14->click();
        QVERIFY(f.ui.memosEdited.isEmpty());
        QCOMPARE(f.ui.messages.size(), 2);
    }

    // A colleague's memo can be read, never edited; a secret item has none.
    void colleagueMemoReadOnly()
    {
        MemoFixture f;
        QVERIFY(f.start());
        f.form->show();
        f.form->Combo1_Click(1);
        f.click(*f.form->Grid1, 1);
        QCOMPARE(f.form->T_memo->toPlainText(), QStringLiteral("同僚のメモ"));
        QVERIFY(f.form->presenter().memoEditPath().isEmpty());
        QVERIFY(!f.form->Command14->isEnabled());
        f.click(*f.form->Grid1, 2);
        QVERIFY(f.form->T_memo->toPlainText().isEmpty());
        QVERIFY(f.ui.messages.isEmpty());
    }

    // The rows refilled by a change of view do not show memos on the way.
    void noMemoWhileLoading()
    {
        MemoFixture f;
        QVERIFY(f.start());
        f.form->show();
        QVERIFY(QFile::remove(memoPath(f.dataDir, 12)));
        f.form->Grid1->setRow(1);   // from code, as a refill does
        QCOMPARE(f.ui.messages.size(), 1);
        f.form->Combo1_Click(1);
        f.form->Combo1_Click(0);
        QCOMPARE(f.ui.messages.size(), 1);
    }

    void helpOpensTheGuide()
    {
        MemoFixture f;
        QVERIFY(f.start());
        writeBytes(f.programDir + "/poruka.wri", "{\\rtf1 guide}");
        f.form->Menu_help->trigger();
        QCOMPARE(f.ui.shellOpened, QStringList{f.programDir + "/poruka.wri"});
        QVERIFY(f.ui.messages.isEmpty());

        // Nothing can open it: said, not passed over.
        f.ui.shellOpenResult = false;
        f.form->Menu_help->trigger();
        QCOMPARE(f.ui.messages.size(), 1);
        QVERIFY(f.ui.messages[0].text.contains(QStringLiteral("poruka.wri")));
        QFile::remove(f.programDir + "/poruka.wri");
        f.ui.shellOpenResult = true;
        f.form->Menu_help->trigger();
        QCOMPARE(f.ui.messages.size(), 2);
    }
};

PORUKA_TEST_MAIN(TestMemoPanel)
#include "test_memo_panel.moc"
