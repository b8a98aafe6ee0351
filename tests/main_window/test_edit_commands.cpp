// "変更" and double clicks, "削除" with its dialog, "転記" with its dialog: the
// messages for a missing choice, what changes on screen and in the files.
#include "common/test_main.h"
#include "main_form_fixture.h"

#include "entry/f_kinyu.h"
#include "main_window/f_tenki.h"
#include "maintenance/f_sakujo.h"
#include "store/memo.h"
#include "ui/grid.h"
#include "ui/twips.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>

namespace {

QStringList column(const Grid& g, int col)
{
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out << g.cellText(r, col);
    return out;
}

// The records of a list file, header left off, each record's lines joined by '|'.
QList<QByteArray> records(const QString& path, int width)
{
    const QByteArrayList lines = fileLines(path);
    QList<QByteArray> out;
    for (qsizetype i = lines.size() % width == 1 ? 1 : 0; i + width <= lines.size(); i += width)
        out << lines.mid(i, width).join('|');
    return out;
}

struct EditFixture : MainFormFixture {
    QString colleagueDir;

    EditFixture()
    {
        colleagueDir = root.filePath(QStringLiteral("colleague")) + QLatin1Char('/');
        QDir().mkpath(colleagueDir);
        AppSettings s = newSettings(QStringLiteral("山田"), dataDir, {0, 1500, 1500, 6975, 9450});
        s.members[1] = {Field(QStringLiteral("鈴木")), Field(colleagueDir)};
        s.memoCounter = Field::number(20);
        writeBytes(settingsPath(), serializeSettings(s));
        TodoItem first = todo("2026/12/20", "10:00", QStringLiteral("一番"), QStringLiteral("山田"), 11);
        first.rank = Field::fromBytes("  17  ");
        first.spare = Field::fromBytes("\x85\x40spare");
        writeList(kTodoFileName,
                  QList<TodoItem>{first,
                                  todo("2026/12/21", "11:00", QStringLiteral("二番"), QStringLiteral("山田"), 12),
                                  todo("2026/12/22", "12:00", QStringLiteral("三番"), QStringLiteral("山田"))});
        writeList(kScheduleFileName, QList<ScheduleItem>{});
        writeBytes(memoPath(dataDir, 11), sjis(QStringLiteral("一番のメモ\r\n")));
        writeBytes(memoPath(dataDir, 12), sjis(QStringLiteral("二番のメモ\r\n")));
        writeList(
            QStringLiteral("TODO.DAT"),
            QList<TodoItem>{todo("2026/12/24", "10:00", QStringLiteral("同僚の件"), QStringLiteral("鈴木"), 5, 1),
                            todo("2026/12/25", "11:00", QStringLiteral("秘密"), QStringLiteral("鈴木"), 6, 0, true)},
            colleagueDir);
        writeList(
            QStringLiteral("SCHE.DAT"),
            QList<ScheduleItem>{schedule("2026/12/26", "99:99", QStringLiteral("同僚の予定"), QStringLiteral("鈴木"))},
            colleagueDir);
        writeBytes(memoPath(colleagueDir, 5), sjis(QStringLiteral("同僚のメモ\r\n")));
        writeBytes(memoPath(colleagueDir, 6), sjis(QStringLiteral("見せない\r\n")));
    }

    void click(Grid& grid, int row, bool twice = false)
    {
        QTableView* view = grid.view();
        const QPoint at = view->visualRect(view->model()->index(row - 1, 2)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    }
};

}   // namespace

class TestEditCommands : public QObject {
    Q_OBJECT
private slots:
    void nothingChosenYet()
    {
        EditFixture f;
        QVERIFY(f.start());
        f.form->Command9->click();
        f.form->Command10->click();
        QCOMPARE(f.ui.messageTexts(),
                 (QStringList{"訂正したい項目を選択して下さい。", "削除したい項目を選択して下さい。"}));
        for (const RecordedMessage& m : f.ui.messages)
            QCOMPARE(m.icon, MsgIcon::Exclamation);
        QCOMPARE(f.form->Grid1->cellText(0, 2), QStringLiteral("やること(3件)"));
        QCOMPARE(f.form->Grid1->row(), 0);
    }

    // A double click on an own item: the form opens on it; "期限無し" and 登録
    // rewrite the record in place, keeping what the form does not own.
    void changeByDoubleClick()
    {
        EditFixture f;
        QVERIFY(f.start());
        f.form->show();
        QString shownContent;
        f.ui.onDialog(QStringLiteral("F_kinyu"), [&](QDialog& d) {
            auto& k = static_cast<F_kinyu&>(d);
            shownContent = k.T_naiyo->text();
            k.op_kigennasi->click();
            k.Command25->click();
            return d.result();
        });
        f.click(*f.form->Grid1, 1, true);
        QCOMPARE(f.ui.dialogsShown, QStringList{"F_kinyu"});
        QCOMPARE(shownContent, QStringLiteral("一番"));
        QCOMPARE(f.form->Grid1->cellText(1, 0), QStringLiteral("期限無"));
        QCOMPARE(f.form->Grid1->cellText(1, 1), QString());
        QCOMPARE(f.form->Grid1->row(), 1);
        QCOMPARE(f.form->T_memo->toPlainText(), QStringLiteral("一番のメモ"));
        const QList<QByteArray> recs = records(f.dataDir + "todo.dat", 11);
        QCOMPARE(recs.size(), 3);
        QCOMPARE(recs[0],
                 sjis(QStringLiteral("2026/12/01|9999/99/99|99:99|一番|山田| 11 |  17  | 0 |||")) +
                     QByteArray("\x85\x40spare"));

        // Cancelled: the row shows again, unchanged; the other grid keeps the
        // row chosen in it.
        const QByteArray before = readBytes(f.dataDir + "todo.dat");
        f.form->Grid2->setRow(0);
        f.form->Grid1->setRow(2);
        f.form->Grid1_Click();
        f.form->Command9->click();
        QCOMPARE(f.ui.dialogsShown.size(), 2);
        QCOMPARE(f.form->Grid1->cellText(2, 2), QStringLiteral("二番"));
        QCOMPARE(f.form->Grid1->row(), 2);
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), before);
        QVERIFY(f.ui.messages.isEmpty());
    }

    // A change of a ToDo item leaves the schedule grid's chosen row alone.
    void changeKeepsTheOtherGridsRow()
    {
        EditFixture f;
        f.writeList(
            kScheduleFileName,
            QList<ScheduleItem>{schedule("2026/12/23", "13:00", QStringLiteral("会議"), QStringLiteral("山田")),
                                schedule("2026/12/24", "14:00", QStringLiteral("忘年会"), QStringLiteral("山田"))});
        QVERIFY(f.start());
        f.form->show();
        f.form->Grid2->setRow(2);
        f.ui.onDialog(QStringLiteral("F_kinyu"), [](QDialog& d) {
            auto& k = static_cast<F_kinyu&>(d);
            k.T_naiyo->setText(QStringLiteral("一番改"));
            k.Command25->click();
            return d.result();
        });
        f.click(*f.form->Grid1, 1);
        f.form->Command9->click();
        QCOMPARE(f.form->Grid1->cellText(1, 2), QStringLiteral("一番改"));
        QCOMPARE(f.form->Grid1->row(), 1);
        QCOMPARE(f.form->Grid2->row(), 2);
        QCOMPARE(f.form->Grid2->cellText(0, 2), QStringLiteral("予定(2件)"));
    }

    // In a colleague's view and in the archives a double click does nothing.
    void doubleClickElsewhereIsNothing()
    {
        EditFixture f;
        writeBytes(f.programDir + "/todo_kan.dat", serializeRecords([] {
                       ItemList<DoneTodoItem> l;
                       DoneTodoItem d;
                       d.doneDate = Field("2026/12/01");
                       d.date = Field("2026/11/30");
                       d.content = Field(QStringLiteral("済"));
                       l.append(d);
                       return l;
                   }()));
        QVERIFY(f.start());
        f.form->show();
        f.form->Combo1_Click(1);
        f.click(*f.form->Grid1, 1, true);
        f.form->Combo1_Click(0);
        f.form->Command13_Click();
        f.click(*f.form->Grid1, 1, true);
        QVERIFY(f.ui.dialogsShown.isEmpty());
        QVERIFY(f.ui.messages.isEmpty());
        // On the heading row, in the own view: asked to double-click an item.
        f.form->Command13_Click();
        f.form->Grid1->setRow(0);
        f.form->Grid1_DblClick();
        QCOMPARE(f.ui.messageTexts(), QStringList{"訂正したい項目をダブルクリックして下さい。"});
    }

    // Delete in the open view: the item and exactly its memo go, the later
    // items move up, headings count, no row stays chosen.
    void deleteOpenItem()
    {
        EditFixture f;
        QVERIFY(f.start());
        f.form->show();
        QStringList shown;
        bool todoShown = false;
        f.ui.onDialog(QStringLiteral("F_sakujo"), [&](QDialog& d) {
            auto& s = static_cast<F_sakujo&>(d);
            shown = {s.Text1->text(), s.Text2->text(), s.Text3->text()};
            todoShown = s.Option1->isChecked() && !s.Option1->isEnabled();
            s.Command1->click();
            return d.result();
        });
        f.form->move(40, 60);   // the settings file is rewritten with the window where it is now
        f.click(*f.form->Grid1, 1);
        f.form->Command10->click();
        QCOMPARE(shown, (QStringList{"2026/12/20", "10:00", "一番"}));
        QVERIFY(todoShown);
        QCOMPARE(column(*f.form->Grid1, 2), (QStringList{"二番", "三番"}));
        QCOMPARE(f.form->Grid1->cellText(0, 2), QStringLiteral("やること(2件)"));
        QCOMPARE(f.form->Grid1->row(), 0);
        QCOMPARE(f.form->Grid2->row(), 0);
        QVERIFY(f.form->T_memo->toPlainText().isEmpty());
        QVERIFY(!QFileInfo::exists(memoPath(f.dataDir, 11)));
        QVERIFY(QFileInfo::exists(memoPath(f.dataDir, 12)));
        QCOMPARE(records(f.dataDir + "todo.dat", 11).size(), 2);
        QCOMPARE(fileLines(f.settingsPath())[7],
                 QByteArray(" ") + QByteArray::number(pixelsToTwips(f.form->x())) + ' ');

        // やっぱりダメ: nothing at all.
        const QByteArray list = readBytes(f.dataDir + "todo.dat");
        f.ui.onDialog(QStringLiteral("F_sakujo"), [](QDialog& d) {
            static_cast<F_sakujo&>(d).Command2->click();
            return d.result();
        });
        f.click(*f.form->Grid1, 1);
        QCOMPARE(f.form->T_memo->toPlainText(), QStringLiteral("二番のメモ"));
        f.form->Command10->click();
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), list);
        QCOMPARE(column(*f.form->Grid1, 2), (QStringList{"二番", "三番"}));
        QVERIFY(QFileInfo::exists(memoPath(f.dataDir, 12)));
        // Not even the memo box changes.
        QCOMPARE(f.form->T_memo->toPlainText(), QStringLiteral("二番のメモ"));
    }

    // Delete in the archives: the archive rewritten without the record, every
    // other byte kept; the settings file not touched.
    void deleteArchivedItem()
    {
        EditFixture f;
        ItemList<DoneTodoItem> done;
        for (int i = 1; i <= 3; ++i) {
            DoneTodoItem d;
            d.doneDate = Field::fromBytes(QByteArray("2026/12/0") + QByteArray::number(i));
            d.date = Field("2026/11/30");
            d.time = Field("10:00");
            d.content = Field(QStringLiteral("済%1").arg(i));
            d.memoNo = Field::number(i == 2 ? 13 : 0);
            d.spare = Field::fromBytes("\xFF odd");
            done.append(d);
        }
        writeBytes(f.programDir + "/todo_kan.dat", serializeRecords(done));
        writeBytes(memoPath(f.dataDir, 13), sjis(QStringLiteral("済んだ件のメモ\r\n")));
        QVERIFY(f.start());
        f.form->show();
        const QByteArray settingsBefore = readBytes(f.settingsPath());
        f.form->Command13_Click();
        f.ui.onDialog(QStringLiteral("F_sakujo"), [](QDialog& d) {
            auto& s = static_cast<F_sakujo&>(d);
            if (s.Text1->text() != QStringLiteral("2026/12/02") || !s.Text2->text().isEmpty())
                return int(QDialog::Rejected);
            s.Command1->click();
            return d.result();
        });
        f.click(*f.form->Grid1, 2);
        f.form->Command10->click();
        QCOMPARE(column(*f.form->Grid1, 2), (QStringList{"済1", "済3"}));
        QCOMPARE(f.form->Grid1->cellText(0, 2), QStringLiteral("やること(2件)"));
        done.removeAt(2);
        QCOMPARE(readBytes(f.programDir + "/todo_kan.dat"), serializeRecords(done));
        QCOMPARE(readBytes(f.settingsPath()), settingsBefore);
        QVERIFY(!QFileInfo::exists(memoPath(f.dataDir, 13)));
        QVERIFY(QFileInfo::exists(memoPath(f.dataDir, 12)));
    }

    // The list moved while the dialog was open (here a sort): the item chosen
    // is the one deleted, not whatever came to its row.
    void deleteFollowsTheItemChosen()
    {
        EditFixture f;
        f.writeList(kTodoFileName,
                    QList<TodoItem>{todo("2026/12/29", "10:00", QStringLiteral("後の件"), QStringLiteral("山田")),
                                    todo("2026/12/21", "11:00", QStringLiteral("先の件"), QStringLiteral("山田"))});
        QVERIFY(f.start());
        f.form->show();
        f.click(*f.form->Grid1, 1);   // 後の件
        QString rowOneMeanwhile;
        f.ui.onDialog(QStringLiteral("F_sakujo"), [&](QDialog& d) {
            f.form->Command6_Click();   // 日時: 後の件 moves to row 2 while the dialog is open
            rowOneMeanwhile = f.form->Grid1->cellText(1, 2);
            static_cast<F_sakujo&>(d).Command1->click();
            return d.result();
        });
        f.form->Command10->click();
        QCOMPARE(rowOneMeanwhile, QStringLiteral("先の件"));
        QCOMPARE(column(*f.form->Grid1, 2), QStringList{"先の件"});
        QVERIFY(readBytes(f.dataDir + "todo.dat").contains(sjis(QStringLiteral("先の件"))));
        QVERIFY(!readBytes(f.dataDir + "todo.dat").contains(sjis(QStringLiteral("後の件"))));
    }

    // A colleague's item with a memo lands at the end of the own list with the
    // next memo number and a copy of the memo; the colleague's files stay.
    void transcribe()
    {
        EditFixture f;
        QVERIFY(f.start());
        f.form->show();
        const QByteArray theirTodo = readBytes(f.colleagueDir + "TODO.DAT");
        const QDateTime theirTime = QFileInfo(f.colleagueDir + "TODO.DAT").lastModified();
        f.form->Combo1_Click(1);
        QStringList shown;
        bool kindLocked = true;
        const auto accept = [&](QDialog& d) {
            auto& t = static_cast<F_tenki&>(d);
            shown = {t.Text1->text(), t.Text2->text(), t.Text3->text(), t.Text4->text()};
            kindLocked = kindLocked && !t.Option1->isEnabled() && !t.Option2->isEnabled();
            t.Command1->click();
            return d.result();
        };
        for (int i = 0; i < 3; ++i)
            f.ui.onDialog(QStringLiteral("F_tenki"), accept);

        f.click(*f.form->Grid1, 1);
        f.form->Command11->click();
        QCOMPARE(shown, (QStringList{"2026/12/24", "10:00", "同僚の件", "鈴木"}));
        f.click(*f.form->Grid1, 1);   // the same again: the next number
        f.form->Command11->click();
        f.click(*f.form->Grid1, 2);   // the secret one
        f.form->Command11->click();
        QCOMPARE(shown[2], QStringLiteral("★★　ヒ・ミ・ツ　★★"));
        QVERIFY(kindLocked);

        // The colleague's lists stay on screen, the headings counting them.
        QCOMPARE(f.form->Grid1->cellText(1, 2), QStringLiteral("同僚の件"));
        QCOMPARE(f.form->Grid1->cellText(0, 2), QStringLiteral("やること(2件)"));
        const QList<QByteArray> recs = records(f.dataDir + "todo.dat", 11);
        QCOMPARE(recs.size(), 6);
        QCOMPARE(recs[3], sjis(QStringLiteral("2026/12/01|2026/12/24|10:00|同僚の件|鈴木| 21 | 9999 | 1 |||")));
        QVERIFY(recs[4].contains(" 22 "));
        QCOMPARE(recs[5],
                 sjis(QStringLiteral("2026/12/01|2026/12/25|11:00|★★　ヒ・ミ・ツ　★★|鈴木| 0 | 9999 | 0 |SECRET||")));
        QCOMPARE(readBytes(memoPath(f.dataDir, 21)), sjis(QStringLiteral("同僚のメモ\r\n")));
        QCOMPARE(readBytes(memoPath(f.dataDir, 22)), sjis(QStringLiteral("同僚のメモ\r\n")));
        QVERIFY(!QFileInfo::exists(memoPath(f.dataDir, 23)));
        QCOMPARE(readSettings(f.settingsPath()).settings.memoCounterValue(), 22);
        QCOMPARE(readBytes(f.colleagueDir + "TODO.DAT"), theirTodo);
        QCOMPARE(QFileInfo(f.colleagueDir + "TODO.DAT").lastModified(), theirTime);
        QCOMPARE(QDir(f.colleagueDir).entryList(QDir::Files).size(), 4);
    }

    // With 30000 own ToDo items a ToDo item is refused; a schedule item still goes.
    void transcribeIntoAFullList()
    {
        EditFixture f;
        ItemList<TodoItem> full;
        for (int i = 0; i < 30000; ++i)
            full.append(todo("2026/12/20", "10:00", QStringLiteral("満"), QStringLiteral("山田")));
        writeBytes(f.dataDir + "todo.dat", serializeList(newListHeader(), full));
        const QByteArray todoBefore = readBytes(f.dataDir + "todo.dat");
        QVERIFY(f.start());
        f.form->show();
        f.form->Combo1_Click(1);
        f.ui.onDialog(QStringLiteral("F_tenki"), [](QDialog& d) {
            static_cast<F_tenki&>(d).Command1->click();
            return d.result();
        });
        f.ui.onDialog(QStringLiteral("F_tenki"), [](QDialog& d) {
            static_cast<F_tenki&>(d).Command1->click();
            return d.result();
        });
        f.click(*f.form->Grid1, 1);
        f.form->Command11->click();
        QCOMPARE(f.ui.messageTexts(), QStringList{"３００００件を越えたので登録できません。"});
        QCOMPARE(f.ui.messages[0].icon, MsgIcon::None);
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), todoBefore);
        f.click(*f.form->Grid2, 1);
        f.form->Command11->click();
        QCOMPARE(records(f.dataDir + "SCHE.DAT", 10).size(), 1);
        QCOMPARE(f.form->Grid2->cellText(0, 2), QStringLiteral("予定(1件)"));
    }

    void transcribeMessages()
    {
        EditFixture f;
        QVERIFY(f.start());
        f.form->Combo1_Click(1);
        f.form->Command11->click();
        QCOMPARE(f.ui.messageTexts(), QStringList{"転記したい項目を選択して下さい。"});
    }
};

PORUKA_TEST_MAIN(TestEditCommands)
#include "test_edit_commands.moc"
