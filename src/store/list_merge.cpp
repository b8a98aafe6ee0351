#include "store/list_merge.h"

#include <QHash>
#include <cstring>
#include <algorithm>

namespace {

template <class Pred>
ListEdit* findLast(std::vector<ListEdit>& edits, Pred pred)
{
    for (auto it = edits.rbegin(); it != edits.rend(); ++it)
        if (pred(*it))
            return &*it;
    return nullptr;
}

}  // namespace

void ListJournal::add(const QByteArray& record) { edits_.push_back({ListEdit::Kind::Add, {}, record}); }

void ListJournal::remove(const QByteArray& record)
{
    // A record added or changed here and removed again: the addition goes, the
    // change becomes the removal of the record it changed.
    ListEdit* last = findLast(edits_, [&](const ListEdit& e) {
        return e.kind != ListEdit::Kind::Remove && e.after == record;
    });
    if (last && last->kind == ListEdit::Kind::Add) {
        edits_.erase(edits_.begin() + (last - edits_.data()));
        return;
    }
    if (last) {
        *last = {ListEdit::Kind::Remove, last->before, {}};
        return;
    }
    edits_.push_back({ListEdit::Kind::Remove, record, {}});
}

void ListJournal::replace(const QByteArray& before, const QByteArray& after)
{
    if (before == after)
        return;
    ListEdit* last = findLast(edits_, [&](const ListEdit& e) {
        return e.kind != ListEdit::Kind::Remove && e.after == before;
    });
    if (last) {
        last->after = after;
        if (last->kind == ListEdit::Kind::Replace && last->before == after)
            edits_.erase(edits_.begin() + (last - edits_.data()));   // changed back
        return;
    }
    edits_.push_back({ListEdit::Kind::Replace, before, after});
}

template <class T>
T recordFromBytes(const QByteArray& bytes)
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
template <class T>
quint64 recordHash(const T& item)
{
    quint64 h = 0;
    for (auto field : RecordLayout<T>::lines)
        h = mixField((item.*field).view(), h);
    return h;
}


// Whether an item is the record `key` (its bytes as recordBytes gives them).
template <class T>
bool isRecord(const T& item, const QByteArray& key)
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

// The records a journal names, and how often a list holds each of them. The
// lists are long and the journal short: each item is matched field by field,
// most of them given up at their first bytes.
template <class T>
class NamedRecords {
public:
    explicit NamedRecords(const ListJournal& journal)
    {
        for (const ListEdit& e : journal.edits())
            for (const QByteArray* key : {&e.before, &e.after})
                if (!key->isNull() && std::find(keys_.begin(), keys_.end(), *key) == keys_.end())
                    keys_.push_back(*key);
    }
    // How often each named record is in the list.
    std::vector<int> countIn(const ItemList<T>& list) const
    {
        std::vector<int> counts(keys_.size());
        for (const T& item : list.items())
            for (std::size_t k = 0; k < keys_.size(); ++k)
                if (isRecord(item, keys_[k]))
                    ++counts[k];
        return counts;
    }
    std::size_t indexOf(const QByteArray& key) const
    {
        return std::size_t(std::find(keys_.begin(), keys_.end(), key) - keys_.begin());
    }

private:
    std::vector<QByteArray> keys_;
};

}  // namespace

template <class T>
MergeReport mergeJournal(ItemList<T>& file, const ListJournal& journal, const ItemList<T>& mine)
{
    MergeReport report;
    if (journal.isEmpty())
        return report;
    const NamedRecords<T> named(journal);
    std::vector<int> onFile = named.countIn(file);
    const std::vector<int> meant = named.countIn(mine);
    const auto fileCount = [&](const QByteArray& key) -> int& { return onFile[named.indexOf(key)]; };
    const auto meantCount = [&](const QByteArray& key) { return meant[named.indexOf(key)]; };
    const auto indexOf = [&](const QByteArray& key) {
        for (int i = 1; i <= file.count(); ++i)
            if (isRecord(file[i], key))
                return i;
        return 0;
    };
    const auto append = [&](const QByteArray& key) {
        file.append(recordFromBytes<T>(key));
        ++fileCount(key);
    };

    for (const ListEdit& e : journal.edits()) {
        // Already as this copy means it to be: nothing to replay.
        switch (e.kind) {
        case ListEdit::Kind::Add:
            if (fileCount(e.after) >= meantCount(e.after))
                continue;
            append(e.after);
            break;
        case ListEdit::Kind::Remove: {
            if (fileCount(e.before) <= meantCount(e.before))
                continue;
            const int i = indexOf(e.before);
            if (i == 0)
                continue;
            file.removeAt(i);
            --fileCount(e.before);
            break;
        }
        case ListEdit::Kind::Replace: {
            if (fileCount(e.after) >= meantCount(e.after))
                continue;
            const int i = fileCount(e.before) > meantCount(e.before) ? indexOf(e.before) : 0;
            if (i > 0) {
                file[i] = recordFromBytes<T>(e.after);
                --fileCount(e.before);
                ++fileCount(e.after);
            } else {
                // Changed or deleted there too: this version is kept beside.
                append(e.after);
                report.keptBeside.push_back(e.after);
            }
            break;
        }
        }
        report.replayed.push_back(e);
    }

    if (journal.isReordered()) {
        // The places of the records both have, in the file's order, get those
        // records in this copy's order; the other copy's own records stay put.
        QHash<quint64, int> available;
        available.reserve(mine.count());
        for (const T& item : mine.items())
            ++available[recordHash(item)];
        std::vector<int> places;
        QHash<quint64, int> wanted;
        for (int i = 1; i <= file.count(); ++i) {
            const quint64 h = recordHash(file[i]);
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
            file[places[k]] = std::move(moved[k]);
    }
    return report;
}

template MergeReport mergeJournal(ItemList<TodoItem>&, const ListJournal&, const ItemList<TodoItem>&);
template MergeReport mergeJournal(ItemList<ScheduleItem>&, const ListJournal&, const ItemList<ScheduleItem>&);
template TodoItem recordFromBytes<TodoItem>(const QByteArray&);
template ScheduleItem recordFromBytes<ScheduleItem>(const QByteArray&);
