// "登録" of the entry form: what reaches the store, the memo files, the
// settings file and the list files, and what it reports changed.
#include "common/held_lock.h"
#include "common/test_main.h"
#include "entry_fixture.h"

#include "entry/registration.h"
#include "store/cp932.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

// The records of a list file, header left off, each record's lines joined by '|'.
QStringList records(const QString& path, int width)
{
    const QByteArrayList lines = fileLines(path);
    QStringList out;
    for (qsizetype i = 1; i + width <= lines.size(); i += width) {
        QStringList fields;
        for (int k = 0; k < width; ++k)
            fields << cp932::decode(lines[i + k]);
        out << fields.join('|');
    }
    return out;
}

QString settingsLine(const EntryFixture& fx, int line)
{
    return QString::fromLatin1(fileLines(fx.settingsPath()).value(line - 1));
}

void setCounter(EntryFixture& fx, int n)
{
    fx.settings.memoCounter = Field::number(n);
    writeBytes(fx.settingsPath(), serializeSettings(fx.settings));
    fx.started.reset();
}

}   // namespace

class TestRegistration : public QObject {
    Q_OBJECT
private slots:
    void newScheduleWithMemo();
    void newTodo_data();
    void newTodo();
    void emptyContentKeepsTheFormOpen();
    void unusableCharactersKeepTheFormOpen_data();
    void unusableCharactersKeepTheFormOpen();
    void limitForNewItems_data();
    void limitForNewItems();
    void changeInPlace_data();
    void changeInPlace();
    void memoRules_data();
    void memoRules();
    void memoLeftAloneUnlessChanged_data();
    void memoLeftAloneUnlessChanged();
    void kindChange_data();
    void kindChange();
    void kindChangeIntoFullListKeepsTheItem_data();
    void kindChangeIntoFullListKeepsTheItem();
    void retriesWhileAnotherProgramHoldsTheList();
    void givingUpTheMemoGivesUpTheRegistration();
};

// The road of one new appointment: 予定, 14 (PM, ji2), 05, content and memo.
void TestRegistration::newScheduleWithMemo()
{
    EntryFixture fx;
    setCounter(fx, 41);
    fx.seed.schedules.append(scheduleItem("2026/12/01", "09:00", "前からある"));
    fx.saveFiles();

    const auto f = fx.form(1, QDate(2026, 12, 24));
    f->op_sche->click();
    f->ji[2]->click();
    f->fun[1]->click();
    f->T_naiyo->setText(QStringLiteral("打合せ"));
    f->T_memo->setPlainText(QStringLiteral("資料\n持参"));
    QSignalSpy finished(f.get(), &QDialog::finished);
    f->Command25->click();

    QCOMPARE(finished.count(), 1);
    QCOMPARE(f->result(), int(QDialog::Accepted));
    const QStringList recs = records(fx.schedulePath(), 10);
    QCOMPARE(recs.size(), 2);
    QCOMPARE(recs[1], QStringLiteral("2026/12/10|2026/12/24|14:05|打合せ|山田| 42 | 1 |||"));
    QCOMPARE(readBytes(fx.memo(42)), sjis(QStringLiteral("資料\r\n持参\r\n")));
    QCOMPARE(settingsLine(fx, 2), QStringLiteral(" 42 "));
    // The window's placement went into lines 6 to 10.
    QCOMPARE(fileLines(fx.settingsPath()).mid(5, 5), (QByteArrayList{" 0 ", " 1500 ", " 1500 ", " 6975 ", " 9450 "}));
    // The todo list was not touched.
    QCOMPARE(records(fx.todoPath(), 11).size(), 0);

    QCOMPARE(fx.store().scheduleCount(), 2);
    QCOMPARE(rowCells(fx.store().schedules[2]), (QStringList{"2026/12/24", "14:05", "打合せ", "山田"}));
    QVERIFY(f->changes().schedules && !f->changes().todos);
    QVERIFY(f->changes().armAlarm);
    QVERIFY(fx.ui.messages.isEmpty());
}

void TestRegistration::newTodo_data()
{
    QTest::addColumn<QString>("deadline");   // option clicked, "" for the state after loading
    QTest::addColumn<bool>("important");
    QTest::addColumn<QString>("person");   // typed over the own name, "" to keep it
    QTest::addColumn<QString>("record");
    QTest::addColumn<QStringList>("row");

    QTest::newRow("never touched") << "" << false << ""
                                   << "2026/12/10|2026/12/24|00:00|買い物|山田| 0 | 9999 | 1 |||"
                                   << QStringList{"2026/12/24", "", "買い物", "山田"};
    QTest::newRow("今日中") << "op_kyou" << false << ""
                            << "2026/12/10|0000/00/00|00:00|買い物|山田| 0 | 9999 | 0 |||"
                            << QStringList{"今日中", "", "買い物", "山田"};
    QTest::newRow("期限無し") << "op_kigennasi" << false << "佐藤"
                              << "2026/12/10|9999/99/99|99:99|買い物|佐藤| 0 | 9999 | 0 |||"
                              << QStringList{"期限無", "", "買い物", "佐藤"};
    QTest::newRow("重要 with no time") << "op_jikokunasi" << true << ""
                                       << "2026/12/10|2026/12/24|99:99|●買い物|山田| 0 | 9999 | 1 ||JYUYO|"
                                       << QStringList{"2026/12/24", "", "●買い物", "山田"};
}

void TestRegistration::newTodo()
{
    QFETCH(QString, deadline);
    QFETCH(bool, important);
    QFETCH(QString, person);
    EntryFixture fx;
    const QByteArray scheduleBefore = readBytes(fx.schedulePath());

    const auto f = fx.form(1);
    if (!deadline.isEmpty())
        f->findChild<QRadioButton*>(deadline)->click();
    f->chk_jyuyo->setChecked(important);
    if (!person.isEmpty())
        f->cmbo_tanto->setEditText(person);
    f->T_naiyo->setText(QStringLiteral("買い物"));
    f->Command25->click();

    QCOMPARE(f->result(), int(QDialog::Accepted));
    const QStringList recs = records(fx.todoPath(), 11);
    QCOMPARE(recs.size(), 1);
    QTEST(recs[0], "record");
    // Right after registration the new item is the last of the list.
    QCOMPARE(fx.store().todoCount(), 1);
    QTEST(rowCells(fx.store().todos[1]), "row");
    QVERIFY(f->changes().todos && !f->changes().schedules);
    QCOMPARE(readBytes(fx.schedulePath()), scheduleBefore);
    QVERIFY(f->changes().armAlarm);
}

void TestRegistration::emptyContentKeepsTheFormOpen()
{
    EntryFixture fx;
    const QByteArray settingsBefore = readBytes(fx.settingsPath());
    const QByteArray todoBefore = readBytes(fx.todoPath());

    const auto f = fx.form(1);
    f->T_memo->setPlainText(QStringLiteral("メモだけ"));
    QSignalSpy finished(f.get(), &QDialog::finished);
    f->Command25->click();

    QCOMPARE(fx.ui.beeps, 1);
    QCOMPARE(fx.ui.messageTexts(), QStringList{"内容を入力して下さい。"});
    QCOMPARE(fx.ui.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(fx.ui.messages[0].title, QStringLiteral("ぽるか　Ver.2.10"));
    QCOMPARE(finished.count(), 0);
    QCOMPARE(fx.store().todoCount(), 0);
    QCOMPARE(readBytes(fx.settingsPath()), settingsBefore);
    QCOMPARE(readBytes(fx.todoPath()), todoBefore);
    QVERIFY(!QFileInfo::exists(fx.memo(1)));
    QVERIFY(!f->changes().armAlarm);

    // Still open for correction; a content of blanks is a content (no trimming).
    f->T_naiyo->setText(QStringLiteral("　"));
    f->Command25->click();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(fx.store().todoCount(), 1);
    QCOMPARE(fx.store().todos[1].content.text(), QStringLiteral("　"));
    QCOMPARE(fx.ui.beeps, 1);
}

void TestRegistration::unusableCharactersKeepTheFormOpen_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("person");   // "" keeps the own name
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("label");   // of the field told, "" when accepted
    QTest::newRow("内容 outside the BMP") << "𠮷野家"
                                          << ""
                                          << ""
                                          << "内容";
    QTest::newRow("内容 emoji") << "会議😀"
                                << ""
                                << "メモ"
                                << "内容";
    QTest::newRow("やる人 accented") << "会議"
                                     << "José"
                                     << ""
                                     << "やる人";
    QTest::newRow("メモ on its second line") << "会議"
                                             << ""
                                             << "一行目\ncafé"
                                             << "メモ";
    QTest::newRow("several: the first in the form told") << "😀"
                                                         << "é"
                                                         << "😀"
                                                         << "内容";
    QTest::newRow("valid Japanese") << "髙橋さん①の件～"
                                    << "ﾀﾛｳ"
                                    << "資料\n持参―№"
                                    << "";
}

void TestRegistration::unusableCharactersKeepTheFormOpen()
{
    QFETCH(QString, content);
    QFETCH(QString, person);
    QFETCH(QString, memo);
    QFETCH(QString, label);
    EntryFixture fx;
    const QByteArray settingsBefore = readBytes(fx.settingsPath());
    const QByteArray todoBefore = readBytes(fx.todoPath());

    const auto f = fx.form(1);
    f->T_naiyo->setText(content);
    if (!person.isEmpty())
        f->cmbo_tanto->setEditText(person);
    f->T_memo->setPlainText(memo);
    QSignalSpy finished(f.get(), &QDialog::finished);
    f->Command25->click();

    if (label.isEmpty()) {
        QVERIFY(fx.ui.messages.isEmpty());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(fx.store().todoCount(), 1);
        QCOMPARE(fx.store().todos[1].content.text(), content);
        QCOMPARE(readBytes(fx.memo(1)), sjis(QString(memo).replace('\n', QStringLiteral("\r\n")) + "\r\n"));
        return;
    }
    QCOMPARE(fx.ui.beeps, 1);
    QCOMPARE(fx.ui.messageTexts(), QStringList{"使用できない文字が含まれています。\n（" + label + "）"});
    QCOMPARE(fx.ui.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(fx.ui.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(fx.ui.messages[0].title, QStringLiteral("ぽるか　Ver.2.10"));
    QCOMPARE(finished.count(), 0);
    QCOMPARE(fx.store().todoCount(), 0);
    QCOMPARE(fx.core().settings().memoCounterValue(), 0);
    QCOMPARE(readBytes(fx.settingsPath()), settingsBefore);
    QCOMPARE(readBytes(fx.todoPath()), todoBefore);
    QVERIFY(!QFileInfo::exists(fx.memo(1)));
    QVERIFY(!f->changes().armAlarm);
}

void TestRegistration::limitForNewItems_data()
{
    QTest::addColumn<bool>("schedule");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("message");   // empty: accepted
    QTest::newRow("ToDo 29998") << false << 29998 << "";
    QTest::newRow("ToDo 29999") << false << 29999 << "やることが３００００件を越えますので登録できません。";
    QTest::newRow("予定 29998") << true << 29998 << "";
    QTest::newRow("予定 29999") << true << 29999 << "予定が３００００件を越えますので登録できません。";
}

void TestRegistration::limitForNewItems()
{
    QFETCH(bool, schedule);
    QFETCH(int, count);
    QFETCH(QString, message);
    EntryFixture fx;
    if (schedule)
        fx.seed.schedules.items().resize(std::size_t(count));
    else
        fx.seed.todos.items().resize(std::size_t(count));
    fx.saveFiles();
    const auto listCount = [&] { return schedule ? fx.store().scheduleCount() : fx.store().todoCount(); };

    const auto f = fx.form(1);
    if (schedule)
        f->op_sche->click();
    f->T_naiyo->setText(QStringLiteral("もう一件"));
    f->T_memo->setPlainText(QStringLiteral("メモ"));
    QSignalSpy finished(f.get(), &QDialog::finished);
    f->Command25->click();

    if (message.isEmpty()) {
        QCOMPARE(finished.count(), 1);
        QCOMPARE(listCount(), count + 1);
        QVERIFY(fx.ui.messages.isEmpty());
        QVERIFY(QFileInfo::exists(fx.memo(1)));
        QCOMPARE(records(schedule ? fx.schedulePath() : fx.todoPath(), schedule ? 10 : 11).size(), count + 1);
        return;
    }
    QCOMPARE(fx.ui.messageTexts(), QStringList{message});
    QCOMPARE(fx.ui.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(fx.ui.beeps, 0);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(listCount(), count);
    // Nothing allocated, nothing written, the alarm left alone.
    QCOMPARE(fx.core().settings().memoCounterValue(), 0);
    QVERIFY(!QFileInfo::exists(fx.memo(1)));
    QVERIFY(!f->changes().armAlarm);
}

void TestRegistration::changeInPlace_data()
{
    QTest::addColumn<int>("targetKind");
    QTest::addColumn<QString>("record");
    QTest::newRow("ToDo") << 11 << "2020/01/02|2027/01/15|16:30|会議|鈴木| 5 |  17  | 0 |SECRET||予備";
    QTest::newRow("schedule") << 12 << "2020/01/02|2027/01/15|16:30|会議|鈴木| 5 | 0 |SECRET||予備";
}

void TestRegistration::changeInPlace()
{
    QFETCH(int, targetKind);
    const bool todo = targetKind == 11;
    EntryFixture fx;
    setCounter(fx, 41);
    // Item 2 of 3, important, with a memo.
    const auto fill = [&](auto& list, auto make) {
        list.append(make("2027/01/01", "08:00", QStringLiteral("一番目"), 0));
        auto item = make("2027/01/15", "09:30", QStringLiteral("●会議"), 5);
        item.important = Field("JYUYO");
        list.append(item);
        list.append(make("2027/02/01", "99:99", QStringLiteral("三番目"), 0));
    };
    if (todo)
        fill(fx.seed.todos, todoItem);
    else
        fill(fx.seed.schedules, scheduleItem);
    fx.saveFiles();
    writeBytes(fx.memo(5), sjis(QStringLiteral("古いメモ\r\n")));
    fx.selectedRow = 2;

    const auto f = fx.form(targetKind);
    QCOMPARE(f->T_naiyo->text(), QStringLiteral("会議"));
    f->chk_jyuyo->setChecked(false);   // no longer important: stored without the mark
    f->chk_secret->setChecked(true);
    f->op_pm->click();
    f->ji[4]->click();   // PM: 16, the minute stays 30
    f->T_memo->setPlainText(QStringLiteral("新しいメモ"));
    f->Command25->click();

    QCOMPARE(f->result(), int(QDialog::Accepted));
    const QStringList recs = records(todo ? fx.todoPath() : fx.schedulePath(), todo ? 11 : 10);
    QCOMPARE(recs.size(), 3);
    QTEST(recs[1], "record");
    QVERIFY(recs[0].contains(QStringLiteral("一番目")));
    QVERIFY(recs[2].contains(QStringLiteral("三番目")));
    QCOMPARE(readBytes(fx.memo(5)), sjis(QStringLiteral("新しいメモ\r\n")));
    QCOMPARE(settingsLine(fx, 2), QStringLiteral(" 41 "));
    QCOMPARE(fx.store().todoCount() + fx.store().scheduleCount(), 3);
    QVERIFY(f->changes().armAlarm);
}

void TestRegistration::memoRules_data()
{
    QTest::addColumn<int>("had");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("memoNo");
    QTest::addColumn<QString>("counter");
    QTest::addColumn<QStringList>("memoFiles");
    QTest::newRow("none, none") << 0 << "" << 0 << " 41 " << QStringList{};
    QTest::newRow("none, typed") << 0 << "新規" << 42 << " 42 " << QStringList{"~0000042.txt"};
    QTest::newRow("has, typed") << 5 << "上書き" << 5 << " 41 " << QStringList{"~0000005.txt"};
    QTest::newRow("has, emptied") << 5 << "" << 0 << " 41 " << QStringList{};
    QTest::newRow("has, file gone, emptied") << 6 << "" << 0 << " 41 " << QStringList{};
}

void TestRegistration::memoRules()
{
    QFETCH(int, had);
    QFETCH(QString, typed);
    QFETCH(int, memoNo);
    EntryFixture fx;
    setCounter(fx, 41);
    fx.seed.schedules.append(scheduleItem("2027/01/15", "10:00", QStringLiteral("会議"), had));
    fx.saveFiles();
    if (had == 5)
        writeBytes(fx.memo(5), sjis(QStringLiteral("前のメモ\r\n")));
    fx.selectedRow = 1;

    const auto f = fx.form(12);
    f->T_memo->setPlainText(typed);
    f->Command25->click();

    QVERIFY(fx.ui.messages.isEmpty());
    QCOMPARE(memoNumber(fx.store().schedules[1].memoNo), memoNo);
    QCOMPARE(records(fx.schedulePath(), 10).value(0).split('|').value(5).trimmed().toInt(), memoNo);
    QTEST(settingsLine(fx, 2), "counter");
    QTEST(QDir(fx.dataDir).entryList({"~*.txt"}, QDir::Files), "memoFiles");
    if (memoNo)
        QCOMPARE(readBytes(fx.memo(memoNo)), sjis(typed + QStringLiteral("\r\n")));
}

// A memo is only written or deleted when the user changed it. The memo file
// ~0000005.txt holds "memo" bytes; as a directory it cannot be read.
void TestRegistration::memoLeftAloneUnlessChanged_data()
{
    // Not code page 932 (a lone 0x80 and 0xFF), and no final CR LF.
    const QByteArray odd = sjis(QStringLiteral("あ")) + "\x80\xff\r\nabc";
    QTest::addColumn<int>("targetKind");
    QTest::addColumn<bool>("moved");   // the kind is changed to the other list
    QTest::addColumn<QByteArray>("memo");   // empty: the memo path is a directory
    QTest::addColumn<bool>("retype");   // the box's text is replaced by "typed"
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("memoNo");   // of the item afterwards
    QTest::addColumn<QByteArray>("after");   // the memo file afterwards, empty: still the directory

    QTest::newRow("unreadable, box empty") << 12 << false << QByteArray() << false << "" << 5 << QByteArray();
    QTest::newRow("unreadable, box empty, ToDo") << 11 << false << QByteArray() << false << "" << 5 << QByteArray();
    QTest::newRow("unreadable, box empty, moved") << 12 << true << QByteArray() << false << "" << 0 << QByteArray();
    QTest::newRow("untouched, odd bytes") << 12 << false << odd << false << "" << 5 << odd;
    QTest::newRow("untouched, odd bytes, ToDo") << 11 << false << odd << false << "" << 5 << odd;
    QTest::newRow("changed") << 12 << false << odd << true << "書き換え" << 5 << sjis(QStringLiteral("書き換え\r\n"));
    QTest::newRow("emptied") << 12 << false << odd << true << "" << 0 << QByteArray("gone");
}

void TestRegistration::memoLeftAloneUnlessChanged()
{
    QFETCH(int, targetKind);
    QFETCH(bool, moved);
    QFETCH(QByteArray, memo);
    QFETCH(bool, retype);
    QFETCH(QString, typed);
    QFETCH(int, memoNo);
    QFETCH(QByteArray, after);
    const bool todo = targetKind == 11;
    EntryFixture fx;
    setCounter(fx, 41);
    if (todo)
        fx.seed.todos.append(todoItem("2027/01/15", "10:00", QStringLiteral("会議"), 5));
    else
        fx.seed.schedules.append(scheduleItem("2027/01/15", "10:00", QStringLiteral("会議"), 5));
    fx.saveFiles();
    if (memo.isEmpty()) {
        QVERIFY(QDir().mkpath(fx.memo(5)));
        // Deleting the directory would be retried without end; any message lets
        // the retry succeed, so such a fault fails the checks below at once.
        fx.ui.onMessage = [&](const RecordedMessage&) { QDir().rmdir(fx.memo(5)); };
    } else
        writeBytes(fx.memo(5), memo);
    fx.selectedRow = 1;

    const auto f = fx.form(targetKind);
    if (memo.isEmpty())
        QVERIFY(f->T_memo->toPlainText().isEmpty());
    f->T_naiyo->setText(QStringLiteral("会議（変更）"));
    if (moved)
        (todo ? f->op_sche : f->op_todo)->click();
    if (retype)
        f->T_memo->setPlainText(typed);
    f->Command25->click();

    QVERIFY(fx.ui.messages.isEmpty());
    QCOMPARE(f->result(), int(QDialog::Accepted));
    const bool nowTodo = todo != moved;
    const OpenItem& item = nowTodo ? static_cast<const OpenItem&>(fx.store().todos[fx.store().todoCount()])
                                   : static_cast<const OpenItem&>(fx.store().schedules[fx.store().scheduleCount()]);
    QCOMPARE(item.content.text(), QStringLiteral("会議（変更）"));
    QCOMPARE(memoNumber(item.memoNo), memoNo);
    const QStringList recs = records(nowTodo ? fx.todoPath() : fx.schedulePath(), nowTodo ? 11 : 10);
    QCOMPARE(recs.size(), 1);
    QCOMPARE(recs[0].split('|').value(5).trimmed().toInt(), memoNo);
    QCOMPARE(settingsLine(fx, 2), QStringLiteral(" 41 "));
    if (after.isEmpty())
        QVERIFY(QFileInfo(fx.memo(5)).isDir());
    else if (after == "gone")
        QVERIFY(!QFileInfo::exists(fx.memo(5)));
    else
        QCOMPARE(readBytes(fx.memo(5)), after);
}

void TestRegistration::kindChange_data()
{
    QTest::addColumn<int>("targetKind");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("record");   // of the moved item in its new list
    QTest::newRow("ToDo becomes schedule, memo typed") << 11 << "移した"
                                                       << "2026/12/10|2027/01/15|16:30|二番目|鈴木| 42 | 0 |||";
    QTest::newRow("schedule becomes ToDo, memo emptied") << 12 << ""
                                                         << "2026/12/10|2027/01/15|16:30|二番目|鈴木| 0 | 9999 | 0 |||";
}

void TestRegistration::kindChange()
{
    QFETCH(int, targetKind);
    QFETCH(QString, memo);
    const bool fromTodo = targetKind == 11;
    EntryFixture fx;
    setCounter(fx, 41);
    fx.seed.todos.append(todoItem("2027/03/01", "10:00", QStringLiteral("残るToDo")));
    fx.seed.schedules.append(scheduleItem("2027/03/01", "10:00", QStringLiteral("残る予定")));
    const auto fill = [&](auto& list, auto make) {
        list.append(make("2027/01/01", "08:00", QStringLiteral("一番目"), 0));
        list.append(make("2027/01/15", "09:30", QStringLiteral("二番目"), 7));
        list.append(make("2027/02/01", "99:99", QStringLiteral("三番目"), 0));
    };
    if (fromTodo)
        fill(fx.seed.todos, todoItem);
    else
        fill(fx.seed.schedules, scheduleItem);
    fx.saveFiles();
    writeBytes(fx.memo(7), sjis(QStringLiteral("元のメモ\r\n")));
    fx.selectedRow = 3;

    const auto f = fx.form(targetKind);
    QCOMPARE(f->T_memo->toPlainText(), QStringLiteral("元のメモ"));
    (fromTodo ? f->op_sche : f->op_todo)->click();
    f->op_pm->click();
    f->ji[4]->click();
    f->T_memo->setPlainText(memo);
    f->Command25->click();
    QCOMPARE(f->result(), int(QDialog::Accepted));

    // The source lost the item, in the file and in memory; later items moved up.
    const QString sourcePath = fromTodo ? fx.todoPath() : fx.schedulePath();
    const QStringList left = records(sourcePath, fromTodo ? 11 : 10);
    QCOMPARE(left.size(), 3);
    QVERIFY(left[0].contains(QStringLiteral("残る")));
    QVERIFY(left[1].contains(QStringLiteral("一番目")));
    QVERIFY(left[2].contains(QStringLiteral("三番目")));
    QCOMPARE(fromTodo ? fx.store().todoCount() : fx.store().scheduleCount(), 3);
    QCOMPARE(fromTodo ? rowCells(fx.store().todos[3]) : rowCells(fx.store().schedules[3]),
             (QStringList{"2027/02/01", "", "三番目", "鈴木"}));
    QVERIFY(!QFileInfo::exists(fx.memo(7)));
    // The main window's memo panel showed the item that moved.
    QVERIFY(f->changes().memoPanelStale);
    QVERIFY(f->changes().todos && f->changes().schedules);

    // The target gained it at its end, as a new item of today.
    const QStringList moved = records(fromTodo ? fx.schedulePath() : fx.todoPath(), fromTodo ? 10 : 11);
    QCOMPARE(moved.size(), 2);
    QTEST(moved[1], "record");
    QCOMPARE(fromTodo ? rowCells(fx.store().schedules[2]) : rowCells(fx.store().todos[2]),
             (QStringList{"2027/01/15", "16:30", "二番目", "鈴木"}));
    if (memo.isEmpty()) {
        QCOMPARE(settingsLine(fx, 2), QStringLiteral(" 41 "));
        QVERIFY(QDir(fx.dataDir).entryList({"~*.txt"}, QDir::Files).isEmpty());
    } else {
        QCOMPARE(settingsLine(fx, 2), QStringLiteral(" 42 "));
        QCOMPARE(readBytes(fx.memo(42)), sjis(memo + QStringLiteral("\r\n")));
    }
    QVERIFY(f->changes().armAlarm);
}

void TestRegistration::kindChangeIntoFullListKeepsTheItem_data()
{
    QTest::addColumn<int>("targetKind");
    QTest::addColumn<QString>("message");
    QTest::newRow("into schedules") << 11 << "Scheduleが30000件を越えたので登録できませんでした";
    QTest::newRow("into ToDos") << 12 << "ToDoが30000件を越えたので登録できませんでした";
}

void TestRegistration::kindChangeIntoFullListKeepsTheItem()
{
    QFETCH(int, targetKind);
    QFETCH(QString, message);
    const bool fromTodo = targetKind == 11;
    EntryFixture fx;
    setCounter(fx, 41);
    if (fromTodo) {
        fx.seed.todos.append(todoItem("2027/01/15", "09:30", QStringLiteral("動かない"), 7));
        fx.seed.schedules.items().resize(30000);
    } else {
        fx.seed.schedules.append(scheduleItem("2027/01/15", "09:30", QStringLiteral("動かない"), 7));
        fx.seed.todos.items().resize(30000);
    }
    fx.saveFiles();
    writeBytes(fx.memo(7), sjis(QStringLiteral("メモ\r\n")));
    const QString sourcePath = fromTodo ? fx.todoPath() : fx.schedulePath();
    const QString targetPath = fromTodo ? fx.schedulePath() : fx.todoPath();
    const QByteArray sourceBefore = readBytes(sourcePath);
    const QByteArray targetBefore = readBytes(targetPath);
    fx.selectedRow = 1;

    const auto f = fx.form(targetKind);
    (fromTodo ? f->op_sche : f->op_todo)->click();
    f->T_naiyo->setText(QStringLiteral("変えたつもり"));
    QSignalSpy finished(f.get(), &QDialog::finished);
    f->Command25->click();

    QCOMPARE(fx.ui.messageTexts(), QStringList{message});
    QCOMPARE(finished.count(), 1);   // the form closes
    // The item stays where it was, as it was, with its memo.
    const OpenItem& item = fromTodo ? static_cast<const OpenItem&>(fx.store().todos[1])
                                    : static_cast<const OpenItem&>(fx.store().schedules[1]);
    QCOMPARE(fromTodo ? fx.store().todoCount() : fx.store().scheduleCount(), 1);
    QCOMPARE(item.content.text(), QStringLiteral("動かない"));
    QCOMPARE(memoNumber(item.memoNo), 7);
    QCOMPARE(readBytes(fx.memo(7)), sjis(QStringLiteral("メモ\r\n")));
    QVERIFY(!f->changes().memoPanelStale && !f->changes().todos && !f->changes().schedules);
    QCOMPARE(fromTodo ? fx.store().scheduleCount() : fx.store().todoCount(), 30000);
    QCOMPARE(readBytes(sourcePath), sourceBefore);
    QCOMPARE(readBytes(targetPath), targetBefore);
    QCOMPARE(fx.core().settings().memoCounterValue(), 41);
}

// A colleague's program holds the schedule file while the user registers: the
// in-use message, a retry after OK, and the item stored once.
void TestRegistration::retriesWhileAnotherProgramHoldsTheList()
{
    EntryFixture fx;
    fx.seed.schedules.append(scheduleItem("2027/01/01", "08:00", QStringLiteral("前から")));
    fx.core();
    HeldLock holder(fx.schedulePath(), QStringLiteral("ofd-write"));
    QVERIFY(holder.isHeld());
    bool released = false;
    fx.ui.onMessage = [&](const RecordedMessage& m) {
        if (m.text == kInUseByUserMessage && !released)
            released = holder.release();
    };

    const auto f = fx.form(1);
    f->op_sche->click();
    f->T_naiyo->setText(QStringLiteral("衝突"));
    f->Command25->click();

    QVERIFY(released);
    QCOMPARE(fx.ui.messageTexts(), QStringList{"ただいま別のユーザがファイルを使用中です。\nもう一度実行して下さい。"});
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(fx.store().scheduleCount(), 2);
    const QStringList recs = records(fx.schedulePath(), 10);
    QCOMPARE(recs.size(), 2);
    QVERIFY(recs[1].contains(QStringLiteral("衝突")));
    QCOMPARE(fileLines(fx.schedulePath()).size(), 21);
}

// The memo's file cannot be written (the data folder is gone) and the user
// gives that up: nothing is
// registered, the form stays open with everything typed, and the number tried
// is never handed out again.
void TestRegistration::givingUpTheMemoGivesUpTheRegistration()
{
    EntryFixture fx;
    setCounter(fx, 41);
    fx.core();
    const QByteArray todoBefore = readBytes(fx.todoPath());
    const QString data = fx.root.filePath(QStringLiteral("data"));
    const QString away = fx.root.filePath(QStringLiteral("away"));
    QVERIFY(QDir().rename(data, away));
    fx.ui.answer(MsgAnswer::Cancel);

    const auto f = fx.form(1);
    f->T_naiyo->setText(QStringLiteral("最初"));
    f->T_memo->setPlainText(QStringLiteral("書けないメモ"));
    QSignalSpy finished(f.get(), &QDialog::finished);
    f->Command25->click();

    QCOMPARE(fx.ui.messages.size(), 1);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(f->T_naiyo->text(), QStringLiteral("最初"));
    QCOMPARE(f->T_memo->toPlainText(), QStringLiteral("書けないメモ"));
    QCOMPARE(fx.store().todoCount(), 0);
    QVERIFY(!f->changes().todos);
    QCOMPARE(settingsLine(fx, 2), QStringLiteral(" 41 "));

    // The way is clear again: the same form registers, under the next number.
    QVERIFY(QDir().rename(away, data));
    f->Command25->click();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(fx.store().todoCount(), 1);
    QCOMPARE(memoNumber(fx.store().todos[1].memoNo), 43);
    QCOMPARE(readBytes(fx.memo(43)), sjis(QStringLiteral("書けないメモ\r\n")));
    QCOMPARE(settingsLine(fx, 2), QStringLiteral(" 43 "));
    const QStringList recs = records(fx.todoPath(), 11);
    QCOMPARE(recs.size(), 1);
    QVERIFY(recs[0].contains(QStringLiteral("最初")));
    QVERIFY(readBytes(fx.todoPath()) != todoBefore);
}

PORUKA_TEST_MAIN(TestRegistration)
#include "test_registration.moc"
