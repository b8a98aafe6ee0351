// "完了": an own item into its archive with the day of completion; the limits
// of the archive; a step given up. The presenter alone, then the window.
#include "common/held_lock.h"
#include "common/test_main.h"
#include "main_form_fixture.h"
#include "presenter_fixture.h"

#include "ui/calendar.h"
#include "ui/grid.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace {

// An archive of n records, made quickly.
QByteArray archiveOf(int n)
{
    DoneTodoItem d;
    d.doneDate = Field("2026/01/05");
    d.entryDate = Field("2025/12/01");
    d.date = Field("2026/01/04");
    d.time = Field("10:00");
    d.content = Field(QStringLiteral("済"));
    d.memoNo = Field::number(0);
    ItemList<DoneTodoItem> one;
    one.append(d);
    return serializeRecords(one).repeated(n);
}

// 完了 on `row` of `list`, chosen as a click would (None: nothing clicked yet).
void completeAt(PresenterFixture& f, ListChoice list, int row)
{
    if (list != ListChoice::None)
        (void)f.presenter->select(list, row);
    (void)f.presenter->complete(row);
}

}   // namespace

class TestCompletion : public QObject {
    Q_OBJECT
private slots:
    // The only ToDo item, with a memo: archived with today's date first and its
    // memo number; the memo file stays; todo.dat keeps only its header line.
    void completingTheOnlyItem()
    {
        PresenterFixture f;
        f.writeSettingsFile();
        TodoItem item = todo("2026/12/24", "15:00", QStringLiteral("●資料作成"), 12, 1);
        item.important = Field(sentinel::kImportant);
        item.spare = Field::fromBytes("\x85\x40spare");
        f.writeList(f.todoPath(), QList<TodoItem>{item});
        writeBytes(memoPath(f.dataDir, 12), sjis(QStringLiteral("メモ\r\n")));
        QVERIFY(f.start());

        completeAt(f, ListChoice::Todo, 1);
        QCOMPARE(f.store().todoCount(), 0);
        QCOMPARE(readBytes(f.todoPath()), crlfLines({newListHeader()}));
        QCOMPARE(readBytes(f.archivePath(ListKind::Todo)),
                 crlfLines({"2026/12/10", "2026/12/01", "2026/12/24", "15:00", sjis(QStringLiteral("●資料作成")),
                            sjis(QStringLiteral("山田")), " 12 ", "", "JYUYO", QByteArray("\x85\x40spare")}));
        QVERIFY(QFileInfo::exists(memoPath(f.dataDir, 12)));
        QVERIFY(f.ui.messages.isEmpty());
        QVERIFY(!QFileInfo::exists(f.archivePath(ListKind::Schedule)));
    }

    // Up to 29498 records: silent; from 29499: one warning, then completed;
    // at 30000: refused, the archive untouched.
    void archiveLimits_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("completed");
        QTest::newRow("29498") << 29498 << QStringList{} << true;
        QTest::newRow("29499") << 29499
                               << QStringList{"完了したToDoﾃﾞｰﾀを保存できるのは、最大30000件です。\n"
                                              "そろそろtodo_kan.datﾌｧｲﾙを整理して下さい。"}
                               << true;
        QTest::newRow("30000")
            << 30000 << QStringList{"完了したToDoﾃﾞｰﾀが30000件を越えました。\ntodo_kan.datﾌｧｲﾙを整理して下さい。"}
            << false;
    }
    void archiveLimits()
    {
        QFETCH(int, records);
        QFETCH(QStringList, messages);
        QFETCH(bool, completed);
        PresenterFixture f;
        f.writeSettingsFile();
        f.writeList(f.todoPath(), QList<TodoItem>{todo("2026/12/24", "15:00", QStringLiteral("次"))});
        const QByteArray archive = archiveOf(records);
        writeBytes(f.archivePath(ListKind::Todo), archive);
        const QByteArray list = readBytes(f.todoPath());
        QVERIFY(f.start());

        completeAt(f, ListChoice::Todo, 1);
        QCOMPARE(f.ui.messageTexts(), messages);
        for (const RecordedMessage& m : f.ui.messages)
            QCOMPARE(m.icon, MsgIcon::None);
        const QByteArray after = readBytes(f.archivePath(ListKind::Todo));
        if (completed) {
            QVERIFY(after.startsWith(archive));
            QCOMPARE(after.count("\r\n"), (records + 1) * 10);
            QCOMPARE(f.store().todoCount(), 0);
        } else {
            QCOMPARE(after, archive);
            QCOMPARE(readBytes(f.todoPath()), list);
            QCOMPARE(f.store().todoCount(), 1);
        }
    }

    // Nothing chosen, the heading row, a row past the items: told, nothing changed.
    void selectionMessages_data()
    {
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("message");
        QTest::newRow("no list clicked yet") << int(ListChoice::None) << 1 << "完了した項目を選択して下さい。";
        QTest::newRow("heading row") << int(ListChoice::Schedule) << 0 << "完了した項目を選択して下さい。";
        QTest::newRow("empty row") << int(ListChoice::Todo) << 2 << "完了にするデータがありません。";
    }
    void selectionMessages()
    {
        QFETCH(int, list);
        QFETCH(int, row);
        QFETCH(QString, message);
        PresenterFixture f;
        f.writeSettingsFile();
        f.writeList(f.todoPath(), QList<TodoItem>{todo("2026/12/24", "15:00", QStringLiteral("残る"))});
        QVERIFY(f.start());
        completeAt(f, ListChoice(list), row);
        QCOMPARE(f.ui.messageTexts(), QStringList{message});
        QCOMPARE(f.ui.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(f.store().todoCount(), 1);
        QVERIFY(!QFileInfo::exists(f.archivePath(ListKind::Todo)));
    }

    // The archive is held by another program and the user stops waiting: the
    // item stays in its list, nothing is written.
    void archiveWriteGivenUpKeepsTheItem()
    {
        PresenterFixture f;
        f.writeSettingsFile();
        f.writeList(f.schedulePath(), QList<ScheduleItem>{schedule("2026/12/24", "15:00", QStringLiteral("残る"))});
        writeBytes(f.archivePath(ListKind::Schedule), archiveOf(2));
        const QByteArray list = readBytes(f.schedulePath());
        QVERIFY(f.start());
        HeldLock reader(f.archivePath(ListKind::Schedule), QStringLiteral("ofd-read"));
        QVERIFY(reader.isHeld());
        f.ui.answer(MsgAnswer::Cancel);
        completeAt(f, ListChoice::Schedule, 1);
        QCOMPARE(f.ui.messageTexts(), QStringList{kInUseByUserMessage});
        QCOMPARE(f.store().scheduleCount(), 1);
        QCOMPARE(readBytes(f.schedulePath()), list);
        QCOMPARE(readBytes(f.archivePath(ListKind::Schedule)), archiveOf(2));
    }

    // Through the window: the row goes, the heading counts, the memo panel empties.
    void throughTheWindow()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList(kTodoFileName,
                    QList<TodoItem>{todo("2026/12/24", "15:00", QStringLiteral("唯一"), QStringLiteral("山田"), 3)});
        writeBytes(memoPath(f.dataDir, 3), sjis(QStringLiteral("中身\r\n")));
        QVERIFY(f.start());
        f.form->show();
        f.form->Grid1->setRow(1);
        f.form->Grid1_Click();
        QCOMPARE(f.form->T_memo->toPlainText(), QStringLiteral("中身"));
        f.form->Command12->click();
        QCOMPARE(f.form->Grid1->rows(), 1);
        QCOMPARE(f.form->Grid1->cellText(0, 2), QStringLiteral("やること(0件)"));
        QCOMPARE(f.form->Grid1->row(), 0);
        QVERIFY(f.form->T_memo->toPlainText().isEmpty());
        QCOMPARE(readBytes(f.programDir + "/todo_kan.dat").count("\r\n"), 10);
        QVERIFY(f.ui.messages.isEmpty());
    }

    // A real click on the white space of the empty schedule grid chooses that
    // grid: 完了 then asks for an item instead of archiving the ToDo item
    // chosen before.
    void clickOnEmptyGridChoosesIt()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList(kTodoFileName,
                    QList<TodoItem>{todo("2026/12/24", "15:00", QStringLiteral("残る"), QStringLiteral("山田"))});
        const QByteArray list = readBytes(f.dataDir + "todo.dat");
        QVERIFY(f.start());
        f.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        QTableView* todos = f.form->Grid1->view();
        QTest::mouseClick(todos->viewport(), Qt::LeftButton, {},
                          todos->visualRect(todos->model()->index(0, 2)).center());
        QCOMPARE(f.form->Grid1->row(), 1);
        QWidget* empty = f.form->Grid2->view()->viewport();
        QTest::mouseClick(empty, Qt::LeftButton, {}, QPoint(30, empty->height() / 2));
        f.form->Command12->click();
        QCOMPARE(f.ui.messageTexts(), QStringList{"完了した項目を選択して下さい。"});
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), list);
        QVERIFY(!QFileInfo::exists(f.programDir + "/todo_kan.dat"));
    }

    // An archive whose last record was cut short (an earlier version's write,
    // a hand edit): the new record starts on a record boundary, the fragment
    // is kept as a whole record, and the user is told once.
    void damagedArchive()
    {
        PresenterFixture f;
        f.writeSettingsFile();
        f.writeList(f.todoPath(),
                    QList<TodoItem>{todo("2026/12/24", "15:00", QStringLiteral("一件目")),
                                    todo("2026/12/25", "15:00", QStringLiteral("二件目"))});
        const QByteArray damaged = archiveOf(1) + crlfLines({"2026/01/06", "2025/12/02", "2026/01/05"});
        writeBytes(f.archivePath(ListKind::Todo), damaged);
        QVERIFY(f.start());
        completeAt(f, ListChoice::Todo, 1);
        QCOMPARE(f.ui.messages.size(), 1);
        QVERIFY(f.ui.messages[0].text.contains(QStringLiteral("途中で切れていました")));
        const QByteArrayList lines = fileLines(f.archivePath(ListKind::Todo));
        QCOMPARE(lines.size(), 30);
        QCOMPARE(lines.mid(10, 3), (QByteArrayList{"2026/01/06", "2025/12/02", "2026/01/05"}));
        QCOMPARE(lines.mid(13, 7), QByteArrayList(7, QByteArray()));
        QCOMPARE(lines[20], QByteArray("2026/12/10"));
        QCOMPARE(lines[24], sjis(QStringLiteral("一件目")));

        f.ui.messages.clear();
        completeAt(f, ListChoice::Todo, 1);
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(fileLines(f.archivePath(ListKind::Todo)).size(), 40);
    }

    // The archives on display: completion dates and no times, the commands
    // that do not apply off, sorting by completion date; back to the own open
    // lists whoever was shown before.
    void completedView()
    {
        MainFormFixture f;
        AppSettings s = newSettings(QStringLiteral("山田"), f.dataDir, {0, 1500, 1500, 6975, 9450});
        const QString colleague = f.root.filePath(QStringLiteral("colleague")) + QLatin1Char('/');
        QVERIFY(QDir().mkpath(colleague));
        s.members[1] = {Field(QStringLiteral("鈴木")), Field(colleague)};
        writeBytes(f.settingsPath(), serializeSettings(s));
        f.writeList(QStringLiteral("TODO.DAT"), QList<TodoItem>{}, colleague);
        f.writeList(QStringLiteral("SCHE.DAT"), QList<ScheduleItem>{}, colleague);
        f.writeList(kTodoFileName,
                    QList<TodoItem>{todo("2026/12/24", "15:00", QStringLiteral("開いている"), QStringLiteral("山田"))});
        ItemList<DoneTodoItem> done;
        for (const auto& [doneDate, content] : {std::pair{"2026/12/09", "後"}, {"2026/12/01", "先"}}) {
            DoneTodoItem d;
            d.doneDate = Field(doneDate);
            d.date = Field("2026/11/30");
            d.time = Field("09:00");
            d.content = Field(QString::fromUtf8(content));
            d.person = Field(QStringLiteral("山田"));
            done.append(d);
        }
        writeBytes(f.programDir + "/todo_kan.dat", serializeRecords(done));
        QVERIFY(f.start());
        Main_Form& form = *f.form;
        form.Combo1_Click(1);
        QCOMPARE(form.presenter().view(), View::Member);

        form.Command13->click();
        QCOMPARE(form.Command13->text(), QStringLiteral("予定表示"));
        QCOMPARE(form.Grid1->cellText(0, 0), QStringLiteral("完了日付"));
        QCOMPARE(form.Grid1->cellText(0, 2), QStringLiteral("やること(2件)"));
        QCOMPARE(form.Grid2->cellText(0, 2), QStringLiteral("予定(0件)"));
        QCOMPARE(form.Grid1->cellText(1, 0), QStringLiteral("2026/12/09"));
        QCOMPARE(form.Grid1->cellText(1, 1), QString());
        for (QWidget* w : QList<QWidget*>{form.Combo1, form.Command9, form.Command11, form.Command12, form.CSCalendar1})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(form.Command14->isEnabled());
        QVERIFY(QFileInfo::exists(f.programDir + "/sche_kan.dat"));

        form.Command6_Click();
        QCOMPARE(form.Grid1->cellText(1, 2), QStringLiteral("先"));

        form.Command13->click();
        QCOMPARE(form.Command13->text(), QStringLiteral("完了表示"));
        QCOMPARE(form.presenter().view(), View::Own);
        QCOMPARE(form.Grid1->cellText(0, 0), QStringLiteral("年/月/日"));
        QCOMPARE(form.Grid1->cellText(1, 2), QStringLiteral("開いている"));
        QCOMPARE(form.Combo1->currentIndex(), 0);
        for (QWidget* w : QList<QWidget*>{form.Combo1, form.Command9, form.Command10, form.Command12, form.CSCalendar1})
            QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(!form.Command11->isEnabled());
    }
};

PORUKA_TEST_MAIN(TestCompletion)
#include "test_completion.moc"
