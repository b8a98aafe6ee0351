#pragma once
// A command that changes files, as a list of steps written down (the job
// file, in the program folder) before the first of them touches a file. A
// crash between any two steps leaves the job behind, and the next start
// finishes it, so every command ends all done or not begun. Each step can be
// made again without harm: what a step changed is recognised in the files.

#include "core/list_edits.h"
#include "store/list_file.h"

#include <QByteArray>
#include <optional>
#include <vector>

inline const QString kJobFileName = QStringLiteral("poruka.job");

struct JobStep {
    enum class Kind : quint8 {
        List,   // an edit of an own list (then the list file is written)
        Archive,   // an archive record appended (Add) or removed (Remove)
        Settings,   // the settings file written
        MemoWrite,   // a memo file written with memoBytes
        MemoRemove,   // a memo file removed, unless a record still names it
    };
    Kind kind = Kind::List;
    ListKind list = ListKind::Todo;   // List, Archive
    ListEdit edit;   // List; Archive: the archive record
    // List, Archive Remove: how many records with the edit's bytes the list
    // held before the step (see applyIfMissing), and of `after` for a change.
    int held = 0;
    int heldAfter = 0;
    qint64 sizeBefore = 0;   // Archive Add: the archive's size before
    int memoNo = 0;   // MemoWrite, MemoRemove
    QByteArray memoBytes;   // MemoWrite
    bool done = false;
    // List: the item's place in the list in memory when the command was
    // given (Remove, Replace). Not kept in the job file: after a crash the
    // record is looked for by its bytes.
    int row = 0;

    static JobStep listEdit(ListKind list, ListEdit edit, int held, int heldAfter = 0, int row = 0)
    {
        JobStep s;
        s.kind = Kind::List;
        s.list = list;
        s.edit = std::move(edit);
        s.held = held;
        s.heldAfter = heldAfter;
        s.row = row;
        return s;
    }
    static JobStep memo(Kind kind, int memoNo, QByteArray bytes = {})
    {
        JobStep s;
        s.kind = kind;
        s.memoNo = memoNo;
        s.memoBytes = std::move(bytes);
        return s;
    }
    static JobStep settings()
    {
        JobStep s;
        s.kind = Kind::Settings;
        return s;
    }
};

// The user's command a job carries out: what undo and the status bar call
// it. Not kept in the job file: a job finished after a crash is not undone.
enum class Command : quint8 { None, Register, Change, Delete, Complete, Transcribe, Reopen };

struct Job {
    quint64 id = 0;
    Command command = Command::None;
    std::vector<JobStep> steps;
    bool isDone() const
    {
        for (const JobStep& s : steps)
            if (!s.done)
                return false;
        return true;
    }
};

// The job file: the jobs not yet done, in the order they were given. A file
// that is not one this program wrote (damaged) decodes to nothing.
QByteArray encodeJobs(const std::vector<Job>& jobs);
std::optional<std::vector<Job>> decodeJobs(const QByteArray& bytes);
