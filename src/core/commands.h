#pragma once
// The jobs of the commands that change the own lists and the archives, their
// steps in the order that lets a crash between any two be finished (see
// ARCHITECTURE.md): memo files written before the records naming them, a
// moved item into its new list before out of its old one, an archive record
// before the open record goes, memo files removed last. Records are given as
// their bytes (recordBytes); `row` is the item's place in memory. Each job
// names its command (Register for add: a transcription says so itself).

#include "core/job.h"

namespace commands {

// A memo to write with a command: its number (claimed already) and its bytes
// as the file holds them; number 0 for none.
struct MemoFile {
    int number = 0;
    QByteArray bytes;
};

// A new item appended to its list.
Job add(ListKind list, const QByteArray& record, const MemoFile& memo = {});
// An item changed in place; its memo written (memo.number its own or a new
// one) and/or a memo it no longer names removed.
Job change(ListKind list, int row, const QByteArray& before, const QByteArray& after, const MemoFile& memo = {},
           int removeMemo = 0);
// An item moved to the other list as `after`.
Job move(ListKind from, int row, const QByteArray& before, ListKind to, const QByteArray& after,
         const MemoFile& memo = {}, int removeMemo = 0);
// An open item into its archive: `archived` are the bytes appended there.
Job complete(ListKind list, int row, const QByteArray& record, const QByteArray& archived);
// An open item deleted, with its memo.
Job remove(ListKind list, int row, const QByteArray& record, int memoNo);
// An archived item deleted, with its memo.
Job removeArchived(ListKind list, int row, const QByteArray& record, int memoNo);

// An archived item back into its open list as `open`, its memo with it.
Job reopen(ListKind list, int row, const QByteArray& archived, const QByteArray& open);

}   // namespace commands
