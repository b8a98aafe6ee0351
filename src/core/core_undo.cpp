// Undo and redo: the opposite of a command, checked against the lists as
// they are now and run like any command.
#include "core/core.h"

#include "store/memo.h"

DoneCommand Core::recordOf(const Job& job) const
{
    DoneCommand done{job, {}};
    for (const JobStep& step : job.steps) {
        const bool write = step.kind == JobStep::Kind::MemoWrite;
        if (!write && step.kind != JobStep::Kind::MemoRemove)
            continue;
        // A memo written that no record named was claimed for this command:
        // taking it back removes it.
        std::optional<QByteArray> before;
        const QString path = memoPath(settings_.ownDirectory(), step.memoNo);
        if ((!write || isMemoNamed(step.memoNo)) && fileExists(path)) {
            const ReadResult r = readFile(path, Locking::None);
            if (r.ok())
                before = r.bytes;
        }
        done.memoBefore.emplace(step.memoNo, std::move(before));
    }
    return done;
}

bool Core::holdsRecord(const NeededRecord& record)
{
    if (!record.archive)
        return withOwnList(record.list, [&](const auto& list) { return countRecords(list, record.bytes) > 0; });
    const auto holds = [&](auto list) {
        return loadDone(archivePath(record.list), list).ok() && countRecords(list, record.bytes) > 0;
    };
    return record.list == ListKind::Todo ? holds(ItemList<DoneTodoItem>()) : holds(ItemList<DoneScheduleItem>());
}

std::optional<Job> Core::takeBackJob(const DoneCommand& done, std::vector<int>& claimed)
{
    Job job = inverseJob(done);
    for (const NeededRecord& record : neededRecords(job))
        if (!holdsRecord(record))
            return std::nullopt;
    // A memo file the command removed comes back under its number, unless a
    // memo took that number meanwhile: then under a new one.
    for (const JobStep& step : done.job.steps) {
        if (step.kind != JobStep::Kind::MemoRemove)
            continue;
        const int n = step.memoNo;
        if (!isMemoNamed(n) && !fileExists(memoPath(settings_.ownDirectory(), n)))
            continue;
        const int fresh = allocateMemoNo();
        if (fresh == 0)
            return std::nullopt;
        claimed.push_back(fresh);
        renumberMemo(job, n, fresh);
    }
    return job;
}

Core::UndoResult Core::undo(StepRunner& runner) { return takeBack(Direction::Undo, runner); }
Core::UndoResult Core::redo(StepRunner& runner) { return takeBack(Direction::Redo, runner); }

Core::UndoResult Core::takeBack(Direction direction, StepRunner& runner)
{
    const bool undo = direction == Direction::Undo;
    const DoneCommand* last = undo ? history_.nextUndo() : history_.nextRedo();
    if (!last)
        return {};
    const Command command = last->job.command;
    std::vector<int> claimed;   // memo numbers taken for memos coming back
    std::optional<Job> job = takeBackJob(*last, claimed);
    if (!job) {
        for (int n : claimed)
            releaseMemoNo(n);
        undo ? history_.dropUndo() : history_.dropRedo();
        return {TakeBack::Changed, command, {}};
    }
    DoneCommand ran;
    const JobResult result = execute(std::move(*job), runner, &ran);
    if (result.begun())
        undo ? history_.undone(std::move(ran)) : history_.redone(std::move(ran));
    else
        for (int n : claimed)
            releaseMemoNo(n);
    return {TakeBack::Ran, command, result};
}
