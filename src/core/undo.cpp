#include "core/undo.h"

#include "core/list_edits.h"

#include <algorithm>

namespace {

// The record an archive step appended: its last lines, without the empty
// lines that completed a cut-off record before it.
QByteArray archivedRecord(const QByteArray& appended)
{
    // The record's lines each end in CR LF; the line end before its first
    // line, if any, closes the padding.
    constexpr int kLines = int(RecordLayout<DoneTodoItem>::lines.size());
    qsizetype at = appended.size();
    for (int n = 0; n <= kLines; ++n) {
        at = at > 0 ? appended.lastIndexOf("\r\n", at - 1) : -1;
        if (at < 0)
            return appended;
    }
    return appended.mid(at + 2);
}

template <class T> QByteArray withMemo(const QByteArray& record, int from, int to)
{
    if (record.isEmpty())
        return record;
    T item = recordFromBytes<T>(record);
    if (memoNumber(item.memoNo) != from)
        return record;
    item.memoNo = Field::number(to);
    return recordBytes(item);
}

QByteArray renumbered(const JobStep& step, const QByteArray& record, int from, int to)
{
    if (step.kind == JobStep::Kind::Archive)
        return step.list == ListKind::Todo ? withMemo<DoneTodoItem>(record, from, to)
                                           : withMemo<DoneScheduleItem>(record, from, to);
    return step.list == ListKind::Todo ? withMemo<TodoItem>(record, from, to)
                                       : withMemo<ScheduleItem>(record, from, to);
}

}   // namespace

Job inverseJob(const DoneCommand& done)
{
    Job inverse;
    inverse.command = done.job.command;
    for (auto it = done.job.steps.rbegin(); it != done.job.steps.rend(); ++it) {
        const JobStep& step = *it;
        const ListEdit& e = step.edit;
        switch (step.kind) {
        case JobStep::Kind::List:
            switch (e.kind) {
            case ListEdit::Kind::Add:
                inverse.steps.push_back(JobStep::listEdit(step.list, {ListEdit::Kind::Remove, e.after, {}}, 0));
                break;
            case ListEdit::Kind::Remove:
                inverse.steps.push_back(JobStep::listEdit(step.list, {ListEdit::Kind::Add, {}, e.before}, 0));
                break;
            case ListEdit::Kind::Replace:
                inverse.steps.push_back(JobStep::listEdit(step.list, {ListEdit::Kind::Replace, e.after, e.before}, 0));
                break;
            }
            break;
        case JobStep::Kind::Archive: {
            JobStep s = step;
            s.done = false;
            s.row = 0;
            s.held = s.heldAfter = 0;
            s.sizeBefore = 0;
            s.edit = e.kind == ListEdit::Kind::Add ? ListEdit{ListEdit::Kind::Remove, archivedRecord(e.after), {}}
                                                   : ListEdit{ListEdit::Kind::Add, {}, e.before};
            inverse.steps.push_back(std::move(s));
            break;
        }
        case JobStep::Kind::Settings:
            inverse.steps.push_back(JobStep::settings());
            break;
        case JobStep::Kind::MemoWrite:
        case JobStep::Kind::MemoRemove: {
            const auto before = done.memoBefore.find(step.memoNo);
            if (before != done.memoBefore.end() && before->second)
                inverse.steps.push_back(JobStep::memo(JobStep::Kind::MemoWrite, step.memoNo, *before->second));
            else if (step.kind == JobStep::Kind::MemoWrite)
                inverse.steps.push_back(JobStep::memo(JobStep::Kind::MemoRemove, step.memoNo));
            break;
        }
        }
    }
    return inverse;
}

std::vector<NeededRecord> neededRecords(const Job& job)
{
    std::vector<NeededRecord> needed;
    for (const JobStep& step : job.steps) {
        const bool archive = step.kind == JobStep::Kind::Archive;
        if ((archive || step.kind == JobStep::Kind::List) && step.edit.kind != ListEdit::Kind::Add)
            needed.push_back({step.list, archive, step.edit.before});
    }
    return needed;
}

void renumberMemo(Job& job, int from, int to)
{
    for (JobStep& step : job.steps) {
        if (step.kind == JobStep::Kind::MemoWrite || step.kind == JobStep::Kind::MemoRemove) {
            if (step.memoNo == from)
                step.memoNo = to;
            continue;
        }
        if (step.kind != JobStep::Kind::List && step.kind != JobStep::Kind::Archive)
            continue;
        step.edit.before = renumbered(step, step.edit.before, from, to);
        step.edit.after = renumbered(step, step.edit.after, from, to);
    }
}

void UndoHistory::push(std::deque<DoneCommand>& stack, DoneCommand done)
{
    stack.push_back(std::move(done));
    while (stack.size() > kDepth)
        stack.pop_front();
}

void UndoHistory::recordCommand(DoneCommand done)
{
    push(undo_, std::move(done));
    redo_.clear();
}

void UndoHistory::undone(DoneCommand ran)
{
    undo_.pop_back();
    push(redo_, std::move(ran));
}

void UndoHistory::redone(DoneCommand ran)
{
    redo_.pop_back();
    push(undo_, std::move(ran));
}
