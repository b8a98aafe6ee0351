#include "core/list_edits.h"

#include <QHash>

#include <algorithm>
#include <cstring>

namespace {

// Mixes one field's bytes into a hash, eight at a time: the fields are short
// and a full list has 300000 of them.
quint64 mixField(QByteArrayView field, quint64 h)
{
    constexpr quint64 k = 0x9E3779B97F4A7C15ULL;
    const char* p = field.data();
    std::size_t n = std::size_t(field.size());
    while (n >= 8) {
        quint64 v;
        std::memcpy(&v, p, 8);
        h = (h ^ v) * k;
        h ^= h >> 29;
        p += 8;
        n -= 8;
    }
    quint64 v = 0;
    if (n > 0)
        std::memcpy(&v, p, n);
    h = (h ^ v ^ (quint64(n) << 56)) * k;
    return h ^ (h >> 32);
}

// A record's hash, taken field by field without building its bytes.
template <class T> quint64 recordHash(const T& item)
{
    quint64 h = 0;
    for (auto field : RecordLayout<T>::lines)
        h = mixField((item.*field).view(), h);
    return h;
}

// Whether an item is the record `key` (its bytes as recordBytes gives them),
// compared field by field: most items are told apart at their first bytes.
template <class T> bool isRecord(const T& item, const QByteArray& key)
{
    qsizetype start = 0;
    for (auto field : RecordLayout<T>::lines) {
        const QByteArrayView v = (item.*field).view();
        if (start + v.size() + 2 > key.size() || QByteArrayView(key.constData() + start, v.size()) != v ||
            key[start + v.size()] != '\r' || key[start + v.size() + 1] != '\n')
            return false;
        start += v.size() + 2;
    }
    return start == key.size();
}

}   // namespace

template <class T> T recordFromBytes(const QByteArray& bytes)
{
    T item;
    qsizetype start = 0;
    for (auto field : RecordLayout<T>::lines) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0)
            break;
        (item.*field).setBytes(QByteArrayView(bytes.constData() + start, end - start));
        start = end + 2;
    }
    return item;
}

template <class T> int countRecords(const ItemList<T>& list, const QByteArray& record)
{
    int n = 0;
    for (const T& item : list.items())
        if (isRecord(item, record))
            ++n;
    return n;
}

template <class T> int findRecord(const ItemList<T>& list, const QByteArray& record, int near)
{
    if (near >= 1 && near <= list.count() && isRecord(list[near], record))
        return near;
    for (int i = 1; i <= list.count(); ++i)
        if (isRecord(list[i], record))
            return i;
    return 0;
}

template <class T> MergeReport applyEdits(ItemList<T>& list, const std::vector<ListEdit>& edits)
{
    MergeReport report;
    for (const ListEdit& e : edits) {
        switch (e.kind) {
        case ListEdit::Kind::Add:
            list.append(recordFromBytes<T>(e.after));
            break;
        case ListEdit::Kind::Remove:
            if (const int i = findRecord(list, e.before))
                list.removeAt(i);
            break;
        case ListEdit::Kind::Replace:
            if (const int i = findRecord(list, e.before)) {
                list[i] = recordFromBytes<T>(e.after);
            } else {
                list.append(recordFromBytes<T>(e.after));
                report.keptBeside.push_back(e.after);
            }
            break;
        }
    }
    return report;
}

template <class T> bool applyIfMissing(ItemList<T>& list, const ListEdit& edit, int held, int heldAfter)
{
    switch (edit.kind) {
    case ListEdit::Kind::Add:
        if (countRecords(list, edit.after) > held)
            return false;
        break;
    case ListEdit::Kind::Remove:
        if (countRecords(list, edit.before) < held)
            return false;
        break;
    case ListEdit::Kind::Replace:
        if (countRecords(list, edit.after) > heldAfter)
            return false;
        break;
    }
    (void)applyEdits(list, {edit});
    return true;
}

template <class T> void takeOrder(ItemList<T>& list, const ItemList<T>& mine)
{
    QHash<quint64, int> available;
    available.reserve(mine.count());
    for (const T& item : mine.items())
        ++available[recordHash(item)];
    std::vector<int> places;
    QHash<quint64, int> wanted;
    for (int i = 1; i <= list.count(); ++i) {
        const quint64 h = recordHash(list[i]);
        auto it = available.find(h);
        if (it != available.end() && *it > 0) {
            --*it;
            places.push_back(i);
            ++wanted[h];
        }
    }
    std::vector<T> moved;
    moved.reserve(places.size());
    for (const T& item : mine.items()) {
        auto it = wanted.find(recordHash(item));
        if (it != wanted.end() && *it > 0) {
            --*it;
            moved.push_back(item);
        }
    }
    for (std::size_t k = 0; k < places.size() && k < moved.size(); ++k)
        list[places[k]] = std::move(moved[k]);
}

template <class T> std::vector<quint64> recordHashes(const ItemList<T>& list)
{
    std::vector<quint64> h;
    h.reserve(std::size_t(list.count()));
    for (const T& item : list.items())
        h.push_back(recordHash(item));
    return h;
}

ListChange compareHashes(std::vector<quint64> before, std::vector<quint64> after)
{
    ListChange c;
    c.order = before != after;
    if (c.order) {
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        c.records = before != after;
    }
    return c;
}

#define PORUKA_EDIT_TEMPLATES(T)                                                                                       \
    template MergeReport applyEdits(ItemList<T>&, const std::vector<ListEdit>&);                                       \
    template bool applyIfMissing(ItemList<T>&, const ListEdit&, int, int);                                             \
    template void takeOrder(ItemList<T>&, const ItemList<T>&);                                                         \
    template int countRecords(const ItemList<T>&, const QByteArray&);                                                  \
    template int findRecord(const ItemList<T>&, const QByteArray&, int);                                               \
    template std::vector<quint64> recordHashes(const ItemList<T>&);                                                    \
    template T recordFromBytes<T>(const QByteArray&);
PORUKA_EDIT_TEMPLATES(TodoItem)
PORUKA_EDIT_TEMPLATES(ScheduleItem)
PORUKA_EDIT_TEMPLATES(DoneTodoItem)
PORUKA_EDIT_TEMPLATES(DoneScheduleItem)
