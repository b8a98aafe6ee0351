#pragma once
// An edit of an own list, and how the edits of this copy of the program are
// applied to a version of the list file that another copy wrote (two copies
// on one data folder: an office computer and a laptop, say). Records are told
// apart by their exact bytes, as recordBytes gives them.

#include "store/item_list.h"
#include "store/records.h"

#include <QByteArray>
#include <vector>

struct ListEdit {
    enum class Kind { Add, Remove, Replace };
    Kind kind = Kind::Add;
    QByteArray before;   // Remove, Replace: the record as it was
    QByteArray after;   // Add, Replace: the record as it is now

    friend bool operator==(const ListEdit&, const ListEdit&) = default;
};

struct [[nodiscard]] MergeReport {
    // Records changed here whose old version the other copy had changed or
    // deleted meanwhile: kept beside the other copy's.
    std::vector<QByteArray> keptBeside;
    bool keptBoth() const { return !keptBeside.empty(); }
};

// Applies each edit once, in order, to `list` (the file's present version):
//   Add      the record is appended;
//   Remove   the first record with those bytes leaves; none there (the other
//            copy removed or changed it already): nothing;
//   Replace  the first record with the old bytes becomes the new one; none
//            there: the new one is appended, so a change is never lost.
template <class T> MergeReport applyEdits(ItemList<T>& list, const std::vector<ListEdit>& edits);

// The same for one edit after a crash, when the file may hold it already:
// `held` says how many records with the edit's bytes the list held before the
// edit (Remove, Replace: of `before`; Add: of `after`), `heldAfter` how many
// of `after` (Replace). An edit whose effect the list shows is not made again.
// True when the list changed.
template <class T> bool applyIfMissing(ItemList<T>& list, const ListEdit& edit, int held, int heldAfter);

// The records `list` and `mine` both have take the order they have in `mine`,
// in the places they hold in `list`; the other records stay where they are.
template <class T> void takeOrder(ItemList<T>& list, const ItemList<T>& mine);

// How many records of the list have exactly these bytes.
template <class T> int countRecords(const ItemList<T>& list, const QByteArray& record);
// The first place (1-based) of a record with these bytes; 0 when there is none.
template <class T> int findRecord(const ItemList<T>& list, const QByteArray& record, int near = 0);

// A hash of each record of a list, in its order: enough to tell afterwards
// whether the list changed, its records or only their order.
template <class T> std::vector<quint64> recordHashes(const ItemList<T>& list);
struct ListChange {
    bool order = false;   // anything changed, the order included
    bool records = false;   // records came, went or changed
};
ListChange compareHashes(std::vector<quint64> before, std::vector<quint64> after);

// The record whose bytes recordBytes gave.
template <class T> T recordFromBytes(const QByteArray& bytes);
