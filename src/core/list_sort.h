#pragma once
// The three sort orders of the lists (日時, 名前, 重要) and the Shell sort that
// applies them. Pure: no widgets; the caller supplies how to yield to events.
//
// Keys are compared as QString, that is by UTF-16 code units. Every text here is
// decoded from code page 932, which has no characters beyond the BMP, so this is
// plain code-point order: case-sensitive, the empty text first, the ASCII digits
// in numeric order and below the letters. Names in Japanese script therefore
// sort by their code points, not by reading.

#include "store/item_list.h"
#include "store/records.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

enum class SortOrder {
    DateTime,   // 日時: date then time, ascending
    Name,   // 名前: person, date, time, ascending
    Important,   // 重要: "JYUYO" before the rest (descending)
};

// A valid calendar date written yyyy/M/d (month and day with one or two digits)
// comes back as "yyyy/MM/dd"; anything else, the sentinels included, unchanged.
QString dateKey(QStringView text);
// A valid time of day written H:m comes back as "HH:mm"; anything else, "99:99"
// included, unchanged.
QString timeKey(QStringView text);

QString sortKey(const OpenItem& item, SortOrder order);
QString sortKey(const DoneItem& item, SortOrder order);
constexpr bool isDescending(SortOrder order) { return order == SortOrder::Important; }

using YieldFn = std::function<void()>;

// Passes the first call and then every `every`-th on to yield. The sort calls
// its yield after each insertion step, a fraction of a microsecond; asking the
// clock whether it is time to process events on every one of them would cost
// more than the sort.
inline YieldFn everyFewSteps(std::function<void()> yield, int every = 64)
{
    return [yield = std::move(yield), every, n = every - 1]() mutable {
        if (++n < every)
            return;
        n = 0;
        yield();
    };
}

// The Shell sort with halved gaps: g = n; while g > 1 { g = g / 2; one gapped
// insertion pass }. An item moves past another only when its key is strictly
// smaller (larger when descending), so equal keys keep their places within a
// pass; across passes the result is not stable, and it is exactly this order
// that the user sees and that the next save writes. yield runs after every
// insertion step. Returns, for each position of the sorted list, the 0-based
// position the item had before.
std::vector<int> shellSortOrder(std::vector<QString> keys, bool descending, const YieldFn& yield = {});

namespace list_sort_detail {
// Asks for a record's cache lines before they are needed.
template <class T> void prefetch(const T& item)
{
#if defined(__GNUC__) || defined(__clang__)
    const char* p = reinterpret_cast<const char*>(&item);
    for (std::size_t offset = 0; offset < sizeof(T); offset += 64)
        __builtin_prefetch(p + offset, 1);
#else
    (void)item;
#endif
}
}   // namespace list_sort_detail

// Puts items in the given order (order[k] = old position of the new k-th item),
// in place: each cycle of the permutation is followed once, so every record
// moves once and no second array of records is needed. Along a cycle each step
// waits for the record the last one named, a cache miss every time; reading a
// few steps ahead of the moves lets those misses overlap.
template <class T> void applyOrder(std::vector<T>& items, const std::vector<int>& order)
{
    constexpr int kLookahead = 8;
    std::vector<bool> placed(items.size());
    for (std::size_t start = 0; start < items.size(); ++start) {
        if (placed[start])
            continue;
        placed[start] = true;
        if (std::size_t(order[start]) == start)
            continue;
        std::size_t ahead = start;
        for (int d = 0; d < kLookahead; ++d) {
            ahead = std::size_t(order[ahead]);
            list_sort_detail::prefetch(items[ahead]);
        }
        T held = std::move(items[start]);
        std::size_t k = start;
        for (std::size_t from = std::size_t(order[k]); from != start; from = std::size_t(order[k])) {
            ahead = std::size_t(order[ahead]);
            list_sort_detail::prefetch(items[ahead]);
            items[k] = std::move(items[from]);
            k = from;
            placed[k] = true;
        }
        items[k] = std::move(held);
    }
}

// Sorts a list in place. The keys are built once and the passes run over them;
// the records move once at the end, into the place the passes gave them.
// Returns that order (as shellSortOrder), for whatever shows the list.
template <class T> std::vector<int> sortList(ItemList<T>& list, SortOrder order, const YieldFn& yield = {})
{
    std::vector<T>& items = list.items();
    std::vector<QString> keys;
    keys.reserve(items.size());
    for (const T& item : items)
        keys.push_back(sortKey(item, order));
    std::vector<int> sorted = shellSortOrder(std::move(keys), isDescending(order), yield);
    applyOrder(items, sorted);
    return sorted;
}
