#include "core/commands.h"

namespace commands {

namespace {

void writeMemo(Job& job, const MemoFile& memo)
{
    if (memo.number != 0)
        job.steps.push_back(JobStep::memo(JobStep::Kind::MemoWrite, memo.number, memo.bytes));
}

void removeMemo(Job& job, int memoNo)
{
    if (memoNo != 0)
        job.steps.push_back(JobStep::memo(JobStep::Kind::MemoRemove, memoNo));
}

JobStep archiveStep(ListKind list, ListEdit edit, int row = 0)
{
    JobStep s;
    s.kind = JobStep::Kind::Archive;
    s.list = list;
    s.edit = std::move(edit);
    s.row = row;
    return s;
}

}   // namespace

Job add(ListKind list, const QByteArray& record, const MemoFile& memo)
{
    Job job;
    job.command = Command::Register;
    writeMemo(job, memo);
    job.steps.push_back(JobStep::settings());
    job.steps.push_back(JobStep::listEdit(list, {ListEdit::Kind::Add, {}, record}, 0));
    return job;
}

Job change(ListKind list, int row, const QByteArray& before, const QByteArray& after, const MemoFile& memo,
           int removeMemo)
{
    Job job;
    job.command = Command::Change;
    writeMemo(job, memo);
    job.steps.push_back(JobStep::settings());
    job.steps.push_back(JobStep::listEdit(list, {ListEdit::Kind::Replace, before, after}, 0, 0, row));
    commands::removeMemo(job, removeMemo);
    return job;
}

Job move(ListKind from, int row, const QByteArray& before, ListKind to, const QByteArray& after, const MemoFile& memo,
         int removeMemo)
{
    Job job;
    job.command = Command::Change;
    writeMemo(job, memo);
    job.steps.push_back(JobStep::settings());
    job.steps.push_back(JobStep::listEdit(to, {ListEdit::Kind::Add, {}, after}, 0));
    job.steps.push_back(JobStep::settings());
    job.steps.push_back(JobStep::listEdit(from, {ListEdit::Kind::Remove, before, {}}, 0, 0, row));
    commands::removeMemo(job, removeMemo);
    return job;
}

Job complete(ListKind list, int row, const QByteArray& record, const QByteArray& archived)
{
    Job job;
    job.command = Command::Complete;
    job.steps.push_back(archiveStep(list, {ListEdit::Kind::Add, {}, archived}));
    job.steps.push_back(JobStep::settings());
    job.steps.push_back(JobStep::listEdit(list, {ListEdit::Kind::Remove, record, {}}, 0, 0, row));
    return job;
}

Job remove(ListKind list, int row, const QByteArray& record, int memoNo)
{
    Job job;
    job.command = Command::Delete;
    job.steps.push_back(JobStep::settings());
    job.steps.push_back(JobStep::listEdit(list, {ListEdit::Kind::Remove, record, {}}, 0, 0, row));
    removeMemo(job, memoNo);
    return job;
}

Job removeArchived(ListKind list, int row, const QByteArray& record, int memoNo)
{
    Job job;
    job.command = Command::Delete;
    job.steps.push_back(archiveStep(list, {ListEdit::Kind::Remove, record, {}}, row));
    removeMemo(job, memoNo);
    return job;
}

Job reopen(ListKind list, int row, const QByteArray& archived, const QByteArray& open)
{
    Job job;
    job.command = Command::Reopen;
    job.steps.push_back(JobStep::settings());
    job.steps.push_back(JobStep::listEdit(list, {ListEdit::Kind::Add, {}, open}, 0));
    job.steps.push_back(archiveStep(list, {ListEdit::Kind::Remove, archived, {}}, row));
    return job;
}

}   // namespace commands
