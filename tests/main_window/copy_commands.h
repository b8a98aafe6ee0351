#pragma once
// The commands the tests of two copies on one data folder run on a workspace,
// in the test's own process and, through workspace_driver, in a second one:
//   add todo|sche <content> [memo]      a new item (memo "-" or none: no memo)
//   change todo|sche <content> <new>    the item's content changed
//   move todo|sche <content> [memo]     the item to the other list, its memo
//                                       typed anew (none: the memo goes)
//   complete todo|sche <content>
//   delete todo|sche <content>
//   view <member>                       a colleague's lists (0: the own)
//   transcribe todo|sche <content>      from the colleague on display
//   follow                              what the window's timer does
//   later                               some seconds pass
//   quit                                shutdown
// runCopyCommand returns an empty text when it went through, else what failed.

#include "entry/registration.h"
#include "main_window/workspace.h"
#include "store/list_file.h"
#include "ui/time_source.h"

#include <QStringList>

namespace copy_commands {

inline ListChoice listOf(const QString& word) { return word == "todo" ? ListChoice::Todo : ListChoice::Schedule; }

inline int rowOf(const Workspace& ws, ListChoice list, const QString& content)
{
    const int count = list == ListChoice::Todo ? ws.shownTodoCount() : ws.shownScheduleCount();
    for (int r = 1; r <= count; ++r)
        if (ws.itemTexts(list, r).content == content)
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

inline QString runCopyCommand(Workspace& ws, const QStringList& w, FixedTimeSource& time)
{
    const QString& op = w.value(0);
    const ListChoice list = listOf(w.value(1));
    if (op == "add") {
        const QString memo = w.value(3) == "-" ? QString() : w.value(3);
        EntryContext c = ws.entryContext(TargetKind::New, 0, QDate(2026, 12, 24));
        return registerEntry(c, stateFor(list, w.value(2), memo), nullptr).result == RegistrationResult::Done
                   ? QString()
                   : QStringLiteral("add");
    }
    if (op == "later") {
        time.advanceSecs(10);
        return {};
    }
    if (op == "follow") {
        ws.followFiles();
        return {};
    }
    if (op == "view")
        return ws.showMember(w.value(1).toInt()) || ws.shownMember() == w.value(1).toInt() ? QString()
                                                                                          : QStringLiteral("view");
    if (op == "quit")
        return ws.saveAll() ? QString() : QStringLiteral("save");
    const int row = rowOf(ws, list, w.value(2));
    if (row == 0)
        return QStringLiteral("no item ") + w.value(2);
    if (op == "change") {
        const TargetKind kind = list == ListChoice::Todo ? TargetKind::ChangeTodo : TargetKind::ChangeSchedule;
        EntryContext c = ws.entryContext(kind, row, QDate(2026, 12, 24));
        EntryState s = stateFor(list, w.value(3), QString());
        s.memoAsLoaded.reset();   // the memo stays as it is
        return registerEntry(c, s, nullptr).result == RegistrationResult::Done ? QString() : QStringLiteral("change");
    }
    if (op == "move") {
        const TargetKind kind = list == ListChoice::Todo ? TargetKind::ChangeTodo : TargetKind::ChangeSchedule;
        EntryContext c = ws.entryContext(kind, row, QDate(2026, 12, 24));
        EntryState s = stateFor(list == ListChoice::Todo ? ListChoice::Schedule : ListChoice::Todo, w.value(2),
                                w.value(3));
        return registerEntry(c, s, nullptr).result == RegistrationResult::Done ? QString() : QStringLiteral("move");
    }
    if (op == "complete")
        return ws.complete(list, row) == Completion::Done ? QString() : QStringLiteral("complete");
    if (op == "delete")
        return ws.deleteItem(list, row, ws.itemBytes(list, row)) == Deletion::Done ? QString()
                                                                                   : QStringLiteral("delete");
    if (op == "transcribe")
        return ws.transcribe(list, row, ws.itemBytes(list, row)) == Transcription::Done ? QString()
                                                                                        : QStringLiteral("transcribe");
    return QStringLiteral("unknown ") + op;
}

}  // namespace copy_commands

using copy_commands::runCopyCommand;
