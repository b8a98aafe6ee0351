#pragma once
// Two or three copies of the program on one data folder, simulated in one
// process: each copy is a Core in a thread of its own, and the copies take
// turns call by call of the file layer (open, lock, read, write, rename, ...),
// in an order drawn from a seed. Each copy adds, changes, moves, completes and
// deletes only items of its own, looks at the files, sorts and saves; a copy
// may crash at any call and start again. An oracle follows the commands each
// copy completed and says which items must be in the files at the end, in
// which version; the files are then checked against it.
//
// Deterministic for a seed: only one thread runs at a time, and the order of
// turns comes from the seed alone.

#include <QString>
#include <QStringList>

struct ModelSettings {
    int copies = 2;
    bool blindLocks = false;   // file locks do not reach from one copy to another
    int crashes = 0;   // copies crash at this many random calls
    int commands = 60;   // per run, over all copies
};

struct ModelResult {
    int commandsDone = 0;
    int expected = 0;   // items that must be open at the end
    int lost = 0;   // ... that are not
    int broughtBack = 0;   // items (or versions) gone for good that are there
    int duplicated = 0;   // items there more than once
    int memoFaults = 0;   // a record naming a missing memo, or two records one memo
    int archiveFaults = 0;   // a completed item not in its copy's archive once
    QStringList trace;   // what each copy did, call by call
    QStringList faults;   // what was wrong, item by item

    bool ok() const { return faults.isEmpty(); }
};

ModelResult runModel(const ModelSettings& settings, unsigned seed);
