// Commands as jobs: written down, made in memory, then in the files step by
// step; finished after a crash or a step the user gave up.
#include "core/core.h"

#include "store/memo.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

namespace {

template <class T> int archiveCount(const QString& path, const QByteArray& record)
{
    ItemList<T> list;
    return loadDone(path, list).ok() ? countRecords(list, record) : 0;
}

}   // namespace

FileStatus Core::writeJobFile()
{
    if (jobs_.empty()) {
        const FileStatus s = removeFile(jobPath());
        return s.error == FileError::FileNotFound ? FileStatus::success() : s;
    }
    return writeFile(jobPath(), encodeJobs(jobs_), Locking::None);
}

FileStatus Core::readJobs(QString* damaged)
{
    jobs_.clear();
    const QString path = jobPath();
    if (!fileExists(path))
        return FileStatus::success();
    const ReadResult r = readFile(path, Locking::None);
    if (!r.ok())
        return r.status;
    std::optional<std::vector<Job>> jobs = decodeJobs(r.bytes);
    if (!jobs) {
        // Not what this program writes: kept for whoever wants to look, out of the way.
        const QString aside = path + QStringLiteral(".damaged-") +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        const FileStatus moved = renameFile(path, aside);
        if (!moved.ok())
            return moved;
        if (damaged)
            *damaged = QFileInfo(aside).fileName();
        return FileStatus::success();
    }
    jobs_ = std::move(*jobs);
    for (const Job& job : jobs_)
        lastJobId_ = std::max(lastJobId_, job.id);
    return r.status;
}

void Core::redoJobsInMemory()
{
    for (Job& job : jobs_) {
        for (JobStep& step : job.steps) {
            if (step.done || step.kind != JobStep::Kind::List)
                continue;
            const bool applied = withOwnList(
                step.list, [&](auto& list) { return applyIfMissing(list, step.edit, step.held, step.heldAfter); });
            if (applied)
                sync(step.list).pending.push_back(step.edit);
            else
                step.done = true;
        }
    }
}

void Core::noteBefore(JobStep& step)
{
    switch (step.kind) {
    case JobStep::Kind::List:
        withOwnList(step.list, [&](const auto& list) {
            const ListEdit& e = step.edit;
            step.held = countRecords(list, e.kind == ListEdit::Kind::Add ? e.after : e.before);
            step.heldAfter = e.kind == ListEdit::Kind::Replace ? countRecords(list, e.after) : 0;
        });
        break;
    case JobStep::Kind::Archive:
        if (step.edit.kind == ListEdit::Kind::Add)
            step.sizeBefore = std::max<qint64>(fileSize(archivePath(step.list)), 0);
        else
            // Counted in the file: the archive in memory is read only for 完了表示.
            step.held = step.list == ListKind::Todo
                ? archiveCount<DoneTodoItem>(archivePath(step.list), step.edit.before)
                : archiveCount<DoneScheduleItem>(archivePath(step.list), step.edit.before);
        break;
    case JobStep::Kind::Settings:
    case JobStep::Kind::MemoWrite:
    case JobStep::Kind::MemoRemove:
        break;
    }
}

void Core::applyInMemory(const Job& job)
{
    for (const JobStep& step : job.steps) {
        const ListEdit& e = step.edit;
        if (step.kind == JobStep::Kind::Archive && e.kind == ListEdit::Kind::Remove) {
            withDoneList(step.list, [&](auto& list) {
                if (const int i = findRecord(list, e.before, step.row))
                    list.removeAt(i);
            });
            continue;
        }
        if (step.kind != JobStep::Kind::List)
            continue;
        withOwnList(step.list, [&](auto& list) {
            using T = typename std::remove_reference_t<decltype(list)>::value_type;
            switch (e.kind) {
            case ListEdit::Kind::Add:
                list.append(recordFromBytes<T>(e.after));
                break;
            case ListEdit::Kind::Remove:
                if (const int i = findRecord(list, e.before, step.row))
                    list.removeAt(i);
                break;
            case ListEdit::Kind::Replace:
                if (const int i = findRecord(list, e.before, step.row))
                    list[i] = recordFromBytes<T>(e.after);
                else
                    list.append(recordFromBytes<T>(e.after));
                break;
            }
        });
        sync(step.list).pending.push_back(e);
    }
}

JobResult Core::run(Job job, StepRunner& runner)
{
    DoneCommand ran;
    const JobResult result = execute(std::move(job), runner, &ran);
    if (result.begun() && ran.job.command != Command::None)
        history_.recordCommand(std::move(ran));
    return result;
}

JobResult Core::execute(Job job, StepRunner& runner, DoneCommand* ran)
{
    // What earlier commands left to do comes first; while it cannot be done
    // (a list a colleague's program holds, say), no new command begins.
    if (!jobs_.empty() && finishJobs(runner).state != JobResult::State::Done)
        return {JobResult::State::NotBegun};

    // Every list edit of a job is counted against the lists as they are
    // before it: a job changes each list once at most.
    job.id = ++lastJobId_;
    for (JobStep& step : job.steps)
        noteBefore(step);
    if (ran)
        *ran = recordOf(job);
    jobs_.push_back(std::move(job));
    if (!runner.run([&] { return writeJobFile(); }, Scope::Own, StepKind::Write).ok()) {
        jobs_.pop_back();
        return {JobResult::State::NotBegun};
    }

    // The lists in memory change just before the first list file is written:
    // a step before that given up (an archive or a memo that cannot be
    // written) leaves nothing changed, in memory or on disk.
    JobResult result;
    Job& current = jobs_.back();
    bool inMemory = false;
    for (JobStep& step : current.steps) {
        if (!inMemory && step.kind == JobStep::Kind::List) {
            applyInMemory(current);
            inMemory = true;
        }
        if (runStep(step, runner, result).ok())
            continue;
        if (!inMemory) {
            jobs_.pop_back();
            (void)runner.run([&] { return writeJobFile(); }, Scope::Own, StepKind::Write);
            return {JobResult::State::NotBegun};
        }
        result.state = JobResult::State::Pending;
        (void)writeJobFile();
        return result;
    }
    if (!inMemory)
        applyInMemory(current);
    jobs_.pop_back();
    (void)writeJobFile();
    return result;
}

JobResult Core::finishJobs(StepRunner& runner)
{
    JobResult result;
    for (Job& job : jobs_) {
        for (JobStep& step : job.steps) {
            if (step.done || runStep(step, runner, result).ok())
                continue;
            result.state = JobResult::State::Pending;
            break;
        }
        if (result.state == JobResult::State::Pending)
            break;
    }
    std::erase_if(jobs_, [](const Job& job) { return job.isDone(); });
    // What is done now is done for good; should this write fail, the next
    // start finds the steps made and passes over them.
    (void)writeJobFile();
    return result;
}

TrapResult Core::runStep(JobStep& step, StepRunner& runner, JobResult& result)
{
    TrapResult r;
    switch (step.kind) {
    case JobStep::Kind::List: {
        bool merged = false, keptBoth = false;
        r = runner.run([&] { return writeOwnList(step.list, &merged, &keptBoth); }, Scope::Own, StepKind::Write);
        result.merged = result.merged || merged;
        result.keptBoth = result.keptBoth || keptBoth;
        // A successful write has marked every edit of that list done.
        return r;
    }
    case JobStep::Kind::Archive:
        r = runner.run(
            [&] { return step.edit.kind == ListEdit::Kind::Add ? appendArchive(step) : removeFromArchive(step); },
            Scope::Own, StepKind::Write);
        break;
    case JobStep::Kind::Settings:
        // The settings carry the memo counter and the window; a write given
        // up holds up nothing: the next one stores them.
        (void)runner.run([&] { return writeSettingsFile(); }, Scope::Own, StepKind::Write);
        step.done = true;
        return TrapResult{FileStatus::success(), false};
    case JobStep::Kind::MemoWrite:
        r = runner.run(
            [&] { return writeFile(memoPath(settings_.ownDirectory(), step.memoNo), step.memoBytes, Locking::None); },
            Scope::Own, StepKind::Write);
        break;
    case JobStep::Kind::MemoRemove:
        // Given up, the memo file stays: a file no record names, never a
        // record without its file.
        (void)runner.run([&] { return removeMemo(step.memoNo); }, Scope::Own, StepKind::Write);
        step.done = true;
        return TrapResult{FileStatus::success(), false};
    }
    if (r.ok())
        step.done = true;
    return r;
}

FileStatus Core::appendArchive(const JobStep& step)
{
    const QString& path = archivePath(step.list);
    // Only this program, one step at a time, writes its archives: grown since
    // the job was written down means appended already.
    if (std::max<qint64>(fileSize(path), 0) > step.sizeBefore)
        return FileStatus::success();
    return appendToFile(path, step.edit.after);
}

FileStatus Core::removeFromArchive(const JobStep& step)
{
    const QString& path = archivePath(step.list);
    const auto remove = [&](auto list) {
        const FileStatus read = loadDone(path, list);
        if (!read.ok())
            return read;
        if (!applyIfMissing(list, step.edit, step.held, 0))
            return FileStatus::success();
        return writeFile(path, serializeRecords(list), Locking::Exclusive);
    };
    return step.list == ListKind::Todo ? remove(ItemList<DoneTodoItem>()) : remove(ItemList<DoneScheduleItem>());
}

FileStatus Core::removeMemo(int memoNo)
{
    // A record another copy changed while this one deleted it is kept with its memo.
    if (isMemoNamed(memoNo))
        return FileStatus::success();
    FileStatus s = removeFile(memoPath(settings_.ownDirectory(), memoNo));
    // Already gone is as good as deleted: retrying could never help.
    if (s.error == FileError::FileNotFound)
        s = FileStatus::success();
    return s;
}
