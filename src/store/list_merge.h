#pragma once
// Two copies of the program on one data folder (an office computer and a
// laptop, say) each hold the own lists in memory and rewrite the whole file.
// So that neither overwrites what the other did, each copy keeps the edits it
// made since it last saw them in the file (the journal), and before it writes
// it replays them onto the file's present version when another copy changed
// it. Records are told apart by their exact bytes.
//
// Replaying is idempotent: an edit the file already shows is skipped, so edits
// are kept until a later look at the file shows them in it, and replaying one
// twice does no harm. When in doubt a record is kept: a change whose old
// record is gone (changed or deleted by the other copy) is added, not dropped.

#include "store/item_list.h"
#include "store/records.h"

#include <QByteArray>
#include <vector>

struct ListEdit {
    enum class Kind { Add, Remove, Replace };
    Kind kind;
    QByteArray before;   // Remove, Replace: the record as it was
    QByteArray after;    // Add, Replace: the record as it is now
};

// The edits a copy made to one list since the file last showed them, kept in
// their simplest form: an added record changed again is still one addition,
// one added and removed again no edit at all, a chain of changes one change.
class ListJournal {
public:
    void add(const QByteArray& record);
    void remove(const QByteArray& record);
    void replace(const QByteArray& before, const QByteArray& after);
    // The list was sorted: the records it had are to keep this copy's order.
    void reordered() { reordered_ = true; }

    const std::vector<ListEdit>& edits() const { return edits_; }
    bool isReordered() const { return reordered_; }
    bool isEmpty() const { return edits_.empty() && !reordered_; }
    void clear()
    {
        edits_.clear();
        reordered_ = false;
    }
    // After a merge: what the file already showed is done with.
    void keepOnly(std::vector<ListEdit> edits)
    {
        edits_ = std::move(edits);
        reordered_ = false;
    }

private:
    std::vector<ListEdit> edits_;
    bool reordered_ = false;
};

struct MergeReport {
    std::vector<ListEdit> replayed;   // the edits that were not yet in the file
    // Records changed here whose old version the file no longer had (changed
    // or deleted there): kept beside the other copy's.
    std::vector<QByteArray> keptBeside;
    bool keptBoth() const { return !keptBeside.empty(); }
};

// Replays the journal onto `file` (the list as the file holds it now), which
// becomes the merged list. `mine` is this copy's list: it tells how many of a
// record this copy means to have, and, when the journal was reordered, the
// order of the records both have (records only the file has stay in place).
template <class T>
MergeReport mergeJournal(ItemList<T>& file, const ListJournal& journal, const ItemList<T>& mine);

// The record whose bytes recordBytes gave.
template <class T>
T recordFromBytes(const QByteArray& bytes);
