#pragma once
// Undo and redo of the session's commands. A command is kept as the job that
// ran, with the memo files it overwrote or removed as they were before; its
// undo is the job that does the opposite, step by step in reverse order, and
// runs like any command (written down, made in memory, written, merged with
// another copy's changes). What an undo ran is kept in turn for redo.

#include "core/job.h"

#include <QByteArray>
#include <deque>
#include <map>
#include <optional>

struct DoneCommand {
    Job job;
    // The memo files the job wrote or removed, as they were before: nothing
    // for a file that did not exist or that no record named (a new memo).
    std::map<int, std::optional<QByteArray>> memoBefore;
};

// The job that takes `done` back. Memo files come back with the bytes they
// had; a memo the command created goes again.
Job inverseJob(const DoneCommand& done);

// The records a job removes from the open lists or the archives, which must
// be there for it to run as meant: (list, archive?, bytes).
struct NeededRecord {
    ListKind list;
    bool archive;
    QByteArray bytes;
};
std::vector<NeededRecord> neededRecords(const Job& job);

// The memo number `from` in the records of a job's list and archive steps
// replaced by `to`, and its memo steps moved along: a memo coming back whose
// number was taken meanwhile.
void renumberMemo(Job& job, int from, int to);

class UndoHistory {
public:
    // This many commands are kept; older ones cannot be undone.
    static constexpr std::size_t kDepth = 20;

    // A new command: what was undone before it can no longer be redone.
    void recordCommand(DoneCommand done);
    const DoneCommand* nextUndo() const { return undo_.empty() ? nullptr : &undo_.back(); }
    const DoneCommand* nextRedo() const { return redo_.empty() ? nullptr : &redo_.back(); }
    // The last command taken back (`ran` is what the undo ran), or redone.
    void undone(DoneCommand ran);
    void redone(DoneCommand ran);
    // The next undo (redo) cannot be made: forgotten.
    void dropUndo() { undo_.pop_back(); }
    void dropRedo() { redo_.pop_back(); }

private:
    static void push(std::deque<DoneCommand>& stack, DoneCommand done);
    std::deque<DoneCommand> undo_, redo_;
};
