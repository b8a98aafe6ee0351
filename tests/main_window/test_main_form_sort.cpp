#include "common/test_main.h"
#include "entry/f_kinyu.h"
#include "main_form_fixture.h"

#include "ui/clock.h"
#include "ui/grid.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {

// In date order these come 3, 4, 1, 2.
const QList<TodoItem> kTodos{todo("2026/12/12", "99:99", QStringLiteral("会議資料"), QStringLiteral("山田")),
                             todo("9999/99/99", "99:99", QStringLiteral("いつか"), QStringLiteral("佐藤")),
                             todo("0000/00/00", "00:00", QStringLiteral("今日の分"), QStringLiteral("山田")),
                             todo("2026/12/11", "10:00", QStringLiteral("電話"), QStringLiteral("A"))};
// In date order: 4, 3, 2, 1; the alarm of item 2 goes off at 14:55.
const QList<ScheduleItem> kSchedules{
    schedule("2026/12/10", "99:99", QStringLiteral("終日"), QStringLiteral("山田")),
    schedule("2026/12/10", "15:00", QStringLiteral("会議"), QStringLiteral("山田"), 0, 1),
    schedule("2026/12/10", "00:00", QStringLiteral("朝"), QStringLiteral("山田")),
    schedule("2026/12/09", "23:00", QStringLiteral("昨日"), QStringLiteral("山田"))};

template <class T> QStringList contents(const ItemList<T>& list)
{
    QStringList out;
    for (const T& item : list.items())
        out << item.content.text();
    return out;
}

QStringList column(const Grid& grid, int col)
{
    QStringList out;
    for (int r = 1; r < grid.rows(); ++r)
        out << grid.cellText(r, col);
    return out;
}

template <class T> QByteArray fileOf(const QList<T>& items, std::initializer_list<int> order)
{
    ItemList<T> list;
    for (int i : order)
        list.append(items[i - 1]);
    return serializeList(newListHeader(), list);
}

// A Ui that lets a test act while a sort yields to events.
class YieldingUi final : public Ui {
public:
    MsgAnswer message(QWidget* p, const QString& t, MsgButtons b, MsgIcon i, const QString& title) override
    {
        return fake.message(p, t, b, i, title);
    }
    void beep() override { fake.beep(); }
    bool openWithShell(const QString& path) override { return fake.openWithShell(path); }
    bool editMemo(const QString& path) override { return fake.editMemo(path); }
    void notify(QWidget* w, const QString& t, const QString& x) override { fake.notify(w, t, x); }
    int runModal(QDialog& dialog) override { return fake.runModal(dialog); }
    void yieldToEvents() override
    {
        if (onYield)
            std::exchange(onYield, {})();
    }

    FakeUi fake;
    std::function<void()> onYield;   // once, at the first yield
};

struct SortFixture : MainFormFixture {
    SortFixture()
    {
        writeSettingsFile();
        writeList(kTodoFileName, kTodos);
        writeList(kScheduleFileName, kSchedules);
    }
    QByteArray todoFile() const { return readBytes(dataDir + kTodoFileName); }
    QByteArray scheduleFile() const { return readBytes(dataDir + kScheduleFileName); }
};

}   // namespace

class TestMainFormSort : public QObject {
    Q_OBJECT
private slots:
    void sortWritesNothingQuitWritesSortedOrder()
    {
        SortFixture f;
        QVERIFY(f.start());
        const QByteArray todoBefore = f.todoFile(), scheduleBefore = f.scheduleFile();
        const QByteArray settingsBefore = readBytes(f.settingsPath());
        const QStringList dataFiles = QDir(f.dataDir).entryList(QDir::Files);
        const QStringList programFiles = QDir(f.programDir).entryList(QDir::Files);

        f.form->Command6_Click();
        QCOMPARE(contents(f.store().todos), (QStringList{"今日の分", "電話", "会議資料", "いつか"}));
        QCOMPARE(contents(f.store().schedules), (QStringList{"昨日", "朝", "会議", "終日"}));
        QCOMPARE(f.todoFile(), todoBefore);
        QCOMPARE(f.scheduleFile(), scheduleBefore);
        QCOMPARE(readBytes(f.settingsPath()), settingsBefore);
        QCOMPARE(QDir(f.dataDir).entryList(QDir::Files), dataFiles);
        QCOMPARE(QDir(f.programDir).entryList(QDir::Files), programFiles);

        QVERIFY(f.form->cmd_syuryo_Click());
        QCOMPARE(f.todoFile(), fileOf(kTodos, {3, 4, 1, 2}));
        QCOMPARE(f.scheduleFile(), fileOf(kSchedules, {4, 3, 2, 1}));
    }

    void gridsRedisplayedRestKept()
    {
        SortFixture f;
        QList<TodoItem> todos = kTodos;
        todos[3].memoNo = Field::number(5);
        f.writeList(kTodoFileName, todos);
        writeBytes(f.dataDir + "~0000005.txt", sjis(QStringLiteral("メモの中身\r\n")));
        QVERIFY(f.start());
        Main_Form& form = *f.form;
        form.Grid1->setRow(2);
        form.Grid2->setRow(3);
        form.Grid1_Click();
        QCOMPARE(form.T_memo->toPlainText(), QString());
        const QString heading1 = form.Grid1->cellText(0, 2), heading2 = form.Grid2->cellText(0, 2);

        form.Command6_Click();
        QCOMPARE(column(*form.Grid1, 0), (QStringList{"今日中", "2026/12/11", "2026/12/12", "期限無"}));
        QCOMPARE(column(*form.Grid1, 1), (QStringList{"", "10:00", "", ""}));
        QCOMPARE(column(*form.Grid1, 2), (QStringList{"今日の分", "電話", "会議資料", "いつか"}));
        QCOMPARE(column(*form.Grid1, 3), (QStringList{"山田", "A", "山田", "佐藤"}));
        QCOMPARE(column(*form.Grid2, 1), (QStringList{"23:00", "", "15:00", ""}));
        QCOMPARE(form.Grid1->cellText(0, 2), heading1);
        QCOMPARE(form.Grid2->cellText(0, 2), heading2);
        QCOMPARE(form.Grid1->row(), 2);
        QCOMPARE(form.Grid2->row(), 3);
        // The highlighted row is now 電話: the panel shows its memo.
        QCOMPARE(form.T_memo->toPlainText(), QStringLiteral("メモの中身"));
        QCOMPARE(form.presenter().selectedList(), ListChoice::Todo);

        form.Command8_Click();   // nothing marked: every key equal, nothing moves
        QCOMPARE(column(*form.Grid1, 2), (QStringList{"今日の分", "電話", "会議資料", "いつか"}));
        form.Command7_Click();
        QCOMPARE(column(*form.Grid1, 3), (QStringList{"A", "佐藤", "山田", "山田"}));
        QCOMPARE(column(*form.Grid1, 2), (QStringList{"電話", "いつか", "今日の分", "会議資料"}));
    }

    void memberListsSortedAlone()
    {
        SortFixture f;
        const QString memberDir = f.root.filePath(QStringLiteral("member")) + QLatin1Char('/');
        QDir().mkpath(memberDir);
        AppSettings s = newSettings(QStringLiteral("山田"), f.dataDir, {0, 1500, 1500, 6975, 9450});
        s.members[1] = {Field(QStringLiteral("佐藤")), Field(memberDir)};
        writeBytes(f.settingsPath(), serializeSettings(s));
        // By name: A before AB although AB's date is earlier.
        const QList<TodoItem> memberTodos{todo("2026/12/01", "99:99", QStringLiteral("b"), QStringLiteral("B")),
                                          todo("2026/12/05", "99:99", QStringLiteral("a"), QStringLiteral("A")),
                                          todo("2026/12/01", "99:99", QStringLiteral("ab"), QStringLiteral("AB"))};
        f.writeList(kTodoFileName, memberTodos, memberDir);
        f.writeList(kScheduleFileName, QList<ScheduleItem>{}, memberDir);
        const QByteArray memberFile = readBytes(memberDir + kTodoFileName);
        QVERIFY(f.start());
        f.form->Combo1_Click(1);
        QVERIFY((f.form->presenter().view() == View::Member));

        f.form->Command7_Click();
        QCOMPARE(contents(f.store().memberTodos), (QStringList{"a", "ab", "b"}));
        QCOMPARE(column(*f.form->Grid1, 2), (QStringList{"a", "ab", "b"}));
        QCOMPARE(contents(f.store().todos), (QStringList{"会議資料", "いつか", "今日の分", "電話"}));
        QCOMPARE(readBytes(memberDir + kTodoFileName), memberFile);
    }

    void archiveView()
    {
        SortFixture f;
        const auto done = [](const char* doneDate, const char* person, const char* content) {
            DoneTodoItem d;
            d.doneDate = Field(doneDate);
            d.date = Field("2020/01/01");
            d.time = Field("10:00");
            d.person = Field(person);
            d.content = Field(content);
            return d;
        };
        ItemList<DoneTodoItem> doneTodos;
        for (const auto& d : {done("2026/12/03", "B", "x"), done("2026/12/1", "C", "y"), done("2026/12/02", "A", "z")})
            doneTodos.append(d);
        ItemList<DoneScheduleItem> doneSchedules;
        DoneScheduleItem s;
        s.doneDate = Field("2026/11/30");
        s.content = Field("s");
        doneSchedules.append(s);
        writeBytes(f.programDir + "/todo_kan.dat", serializeRecords(doneTodos));
        writeBytes(f.programDir + "/sche_kan.dat", serializeRecords(doneSchedules));
        const QByteArray archive = readBytes(f.programDir + "/todo_kan.dat");
        QVERIFY(f.start());
        Main_Form& form = *f.form;
        form.Command13_Click();
        QCOMPARE(form.Command13->text(), QStringLiteral("予定表示"));

        form.Command6_Click();
        QCOMPARE(contents(form.presenter().store().doneTodos), (QStringList{"y", "z", "x"}));
        QCOMPARE(column(*form.Grid1, 0), (QStringList{"2026/12/1", "2026/12/02", "2026/12/03"}));
        QCOMPARE(column(*form.Grid1, 1), (QStringList{"", "", ""}));
        QCOMPARE(column(*form.Grid2, 2), (QStringList{"s"}));
        form.Command7_Click();
        QCOMPARE(contents(form.presenter().store().doneTodos), (QStringList{"z", "x", "y"}));
        // The open lists are not what is shown: they keep their order.
        QCOMPARE(contents(form.presenter().store().todos), (QStringList{"会議資料", "いつか", "今日の分", "電話"}));
        // Sorting writes nothing.
        QCOMPARE(readBytes(f.programDir + "/todo_kan.dat"), archive);
    }

    // A new item from the calendar goes to its place in time: both own lists
    // sorted by date and time after a registration; a cancelled form sorts nothing.
    void ownListsByDateAfterEntry()
    {
        SortFixture f;
        QVERIFY(f.start());
        const QStringList todos = contents(f.store().todos);
        f.form->CSCalendar1_Click();   // no script: cancelled
        QCOMPARE(contents(f.store().todos), todos);

        f.ui.onDialog(QStringLiteral("F_kinyu"), [](QDialog& d) {
            auto& k = static_cast<F_kinyu&>(d);
            k.op_kigennasi->click();
            k.T_naiyo->setText(QStringLiteral("新件"));
            k.Command25->click();
            return d.result();
        });
        f.form->CSCalendar1_Click();
        QCOMPARE(contents(f.store().todos), (QStringList{"今日の分", "電話", "会議資料", "いつか", "新件"}));
        QCOMPARE(column(*f.form->Grid1, 2), contents(f.store().todos));
        QCOMPARE(column(*f.form->Grid2, 2), (QStringList{"昨日", "朝", "会議", "終日"}));
    }

    // While a sort yields, the window's commands wait: other commands do not
    // start, closing does not save, and the alarm runs after the sort.
    void commandsWaitForTheSort()
    {
        SortFixture f;
        YieldingUi ui;
        f.form = std::make_unique<Main_Form>(f.programDir, ui, f.time);
        QVERIFY(f.form->Form_Load());
        Main_Form& form = *f.form;
        QCOMPARE(form.CurTime1->alarmTime(), QStringLiteral("14:55"));
        const QByteArray todoBefore = f.todoFile();
        f.time.set(QDateTime(QDate(2026, 12, 10), QTime(14, 55)));

        bool yielded = false;
        ui.onYield = [&] {
            yielded = true;
            QVERIFY(!form.centralWidget()->isEnabled());
            QVERIFY(!form.menuBar()->isEnabled());
            form.Command7_Click();
            form.CurTime1_Alarm();
            QVERIFY(ui.fake.dialogsShown.isEmpty());
            QCloseEvent close;
            QCoreApplication::sendEvent(&form, &close);
            QVERIFY(!close.isAccepted());
        };
        QStringList todosWhenNoticeShown;
        ui.fake.onDialog(QStringLiteral("F_Alarm"), [&](QDialog& d) {
            todosWhenNoticeShown = contents(form.presenter().store().todos);
            d.accept();
            return int(QDialog::Accepted);
        });

        form.Command6_Click();
        QVERIFY(yielded);
        QCOMPARE(contents(form.presenter().store().todos), (QStringList{"今日の分", "電話", "会議資料", "いつか"}));
        QCOMPARE(ui.fake.dialogsShown, QStringList{"F_Alarm"});
        QCOMPARE(todosWhenNoticeShown, contents(form.presenter().store().todos));
        QCOMPARE(form.CurTime1->alarmTime(), QStringLiteral("23:59"));
        QVERIFY(form.CurTime1->alarmEnabled());
        QCOMPARE(f.todoFile(), todoBefore);
        QVERIFY(form.centralWidget()->isEnabled());
        QVERIFY(form.menuBar()->isEnabled());
        QVERIFY(!form.Command11->isEnabled());   // disabled before the sort, so still
    }

    // The buttons and the clock reach their handlers.
    void wiredToControls()
    {
        SortFixture f;
        QList<TodoItem> todos = kTodos;
        todos[0].important = Field(sentinel::kImportant);   // 会議資料
        f.writeList(kTodoFileName, todos);
        QVERIFY(f.start());
        f.form->Command6->click();
        QCOMPARE(contents(f.store().todos), (QStringList{"今日の分", "電話", "会議資料", "いつか"}));
        f.form->Command7->click();
        QCOMPARE(contents(f.store().todos), (QStringList{"電話", "いつか", "今日の分", "会議資料"}));
        f.form->Command8->click();
        QCOMPARE(contents(f.store().todos).first(), QStringLiteral("会議資料"));

        f.time.set(QDateTime(QDate(2026, 12, 10), QTime(14, 55)));
        f.form->CurTime1->tick();
        QCOMPARE(f.ui.dialogsShown, QStringList{"F_Alarm"});
    }
};

PORUKA_TEST_MAIN(TestMainFormSort)
#include "test_main_form_sort.moc"
