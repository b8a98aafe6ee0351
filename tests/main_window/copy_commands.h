#pragma once
// The commands the tests of two copies on one data folder and of crashes run
// on a presenter, with scripted dialogs, in the test's own process and,
// through copy_driver, in a second one:
//   add todo|sche <content> [memo]      a new item (memo "-" or none: no memo)
//   change todo|sche <content> <new>    the item's content changed, its memo left
//   memo todo|sche <content> <memo>     the item's memo changed ("-": emptied)
//   move todo|sche <content> [memo]     the item to the other list, its memo
//                                       typed anew (none: the memo goes)
//   complete todo|sche <content>
//   delete todo|sche <content>          (in the archives while they are shown)
//   view <member>|done                  a colleague's lists (0: the own), the archives
//   transcribe todo|sche <content>      from the colleague on display
//   reopen todo|sche <content>          an archived item back (the archives shown)
//   undo, redo                          the last command taken back, made again
//   follow                              what the window's timer does
//   later                               some seconds pass
//   quit                                shutdown
// runCopyCommand returns an empty text when it went through, else what failed.

#include "fake_forms.h"
#include "main_window/presenter.h"
#include "store/list_file.h"
#include "store/memo.h"
#include "ui/time_source.h"

#include <QStringList>

namespace copy_commands {

struct Copy {
    Presenter& presenter;
    FakeForms& forms;
    FixedTimeSource& time;
};

inline ListChoice listOf(const QString& word) { return word == "todo" ? ListChoice::Todo : ListChoice::Schedule; }

inline int rowOf(const Presenter& p, ListChoice list, const QString& content)
{
    const int count = list == ListChoice::Todo ? p.shownTodoCount() : p.shownScheduleCount();
    for (int r = 1; r <= count; ++r)
        if (p.itemTexts(list, r).content == content)
            return r;
    return 0;
}

inline EntryState stateFor(ListChoice list, const QString& content, const QString& memo)
{
    EntryState s;
    s.kind = list == ListChoice::Todo ? EntryKind::Todo : EntryKind::Schedule;
    s.deadline = Deadline::OnDate;
    s.year = QStringLiteral("2026");
    s.month = QStringLiteral("12");
    s.day = QStringLiteral("24");
    s.hour = QStringLiteral("10");
    s.minute = QStringLiteral("0");
    s.content = content;
    s.person = QStringLiteral("山田");
    s.memo = memo;
    return s;
}

// The memo of an own item as the entry form loads it.
inline QString memoOf(const Presenter& p, ListChoice list, int row)
{
    const int m = memoNumber(list == ListChoice::Todo ? p.store().todos[row].memoNo : p.store().schedules[row].memoNo);
    return m ? readMemo(memoPath(p.settings().ownDirectory(), m)).text : QString();
}

inline QString runCopyCommand(Copy c, const QStringList& w)
{
    Presenter& p = c.presenter;
    const QString& op = w.value(0);
    const ListChoice list = listOf(w.value(1));
    const auto registered = [&] {
        return !c.forms.registered.isEmpty() && c.forms.registered.last() == RegistrationResult::Done;
    };
    // How often the own list holds an item with this content.
    const auto ownCount = [&](const QString& content) {
        int n = 0;
        const auto count = [&](const auto& items) {
            for (const auto& item : items.items())
                n += item.content.text() == content;
        };
        if (list == ListChoice::Todo)
            count(p.store().todos);
        else
            count(p.store().schedules);
        return n;
    };
    if (op == "add") {
        const QString memo = w.value(3) == "-" ? QString() : w.value(3);
        c.forms.registers(stateFor(list, w.value(2), memo));
        (void)p.newItem(QDate(2026, 12, 24), {});
        return registered() ? QString() : QStringLiteral("add");
    }
    if (op == "later") {
        c.time.advanceSecs(10);
        return {};
    }
    if (op == "follow") {
        (void)p.followFiles();
        return {};
    }
    if (op == "view") {
        if (w.value(1) == "done")
            (void)p.toggleCompleted();
        else
            (void)p.showMember(w.value(1).toInt());
        return w.value(1) == "done" ? (p.view() == View::Completed ? QString() : QStringLiteral("view"))
                                    : (p.shownMember() == w.value(1).toInt() ? QString() : QStringLiteral("view"));
    }
    if (op == "quit")
        return p.quit() ? QString() : QStringLiteral("save");
    if (op == "undo" || op == "redo") {
        const Redisplay d = op == "undo" ? p.undo() : p.redo();
        return d.rows == Redisplay::Rows::Refill ? QString() : op + QStringLiteral(": ") + d.status;
    }
    const int row = rowOf(p, list, w.value(2));
    if (row == 0)
        return QStringLiteral("no item ") + w.value(2);
    (void)p.select(list, row);
    if (op == "change" || op == "memo" || op == "move") {
        const bool move = op == "move";
        EntryState s = stateFor(move ? (list == ListChoice::Todo ? ListChoice::Schedule : ListChoice::Todo) : list,
                                op == "change" ? w.value(3) : w.value(2),
                                op == "memo" ? (w.value(3) == "-" ? QString() : w.value(3)) : w.value(3));
        if (op == "change")
            s.memoAsLoaded.reset();   // the memo stays as it is
        else
            s.memoAsLoaded = memoOf(p, list, row);
        c.forms.registers(s);
        (void)p.change(row);
        return registered() ? QString() : QStringLiteral("not changed");
    }
    const QByteArray item = p.itemBytes(list, row);
    if (op == "complete") {
        (void)p.complete(row);
        return p.rowOf(list, item, row) == 0 ? QString() : QStringLiteral("complete");
    }
    if (op == "reopen") {
        (void)p.reopen(row);
        return p.rowOf(list, item, row) == 0 ? QString() : QStringLiteral("reopen");
    }
    if (op == "delete") {
        c.forms.confirms.enqueue(true);
        (void)p.deleteItem(row);
        return p.rowOf(list, item, row) == 0 ? QString() : QStringLiteral("delete");
    }
    if (op == "transcribe") {
        c.forms.confirms.enqueue(true);
        const int before = ownCount(w.value(2));
        (void)p.transcribe(row);
        return ownCount(w.value(2)) == before + 1 ? QString() : QStringLiteral("transcribe");
    }
    return QStringLiteral("unknown ") + op;
}

}   // namespace copy_commands

using copy_commands::runCopyCommand;
