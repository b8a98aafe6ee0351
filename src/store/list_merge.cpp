#include "store/list_merge.h"

#include <QHash>
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

template <class T>
MergeReport mergeJournal(ItemList<T>& file, const ListJournal& journal, const ItemList<T>& mine)
{
    MergeReport report;
    if (journal.isEmpty())
        return report;
    std::vector<QByteArray> keys;
    keys.reserve(std::size_t(file.count()));
    QHash<QByteArray, int> onFile;
    for (const T& item : file.items())
        ++onFile[keys.emplace_back(recordBytes(item))];
    QHash<QByteArray, int> meant;
    for (const T& item : mine.items())
        ++meant[recordBytes(item)];
    const auto indexOf = [&](const QByteArray& key) {
        return int(std::find(keys.begin(), keys.end(), key) - keys.begin());
    };
    const auto append = [&](const QByteArray& key) {
        file.append(recordFromBytes<T>(key));
        keys.push_back(key);
        ++onFile[key];
    };

    for (const ListEdit& e : journal.edits()) {
        // Already as this copy means it to be: nothing to replay.
        switch (e.kind) {
        case ListEdit::Kind::Add:
            if (onFile.value(e.after) >= meant.value(e.after))
                continue;
            append(e.after);
            break;
        case ListEdit::Kind::Remove: {
            if (onFile.value(e.before) <= meant.value(e.before))
                continue;
            const int i = indexOf(e.before);
            file.removeAt(i + 1);
            keys.erase(keys.begin() + i);
            --onFile[e.before];
            break;
        }
        case ListEdit::Kind::Replace:
            if (onFile.value(e.after) >= meant.value(e.after))
                continue;
            if (onFile.value(e.before) > meant.value(e.before)) {
                const int i = indexOf(e.before);
                file[i + 1] = recordFromBytes<T>(e.after);
                keys[std::size_t(i)] = e.after;
                --onFile[e.before];
                ++onFile[e.after];
            } else {
                // Changed or deleted there too: this version is kept beside.
                append(e.after);
                report.keptBoth = true;
            }
            break;
        }
        report.replayed.push_back(e);
    }

    if (journal.isReordered()) {
        // The places of the records both have, in the file's order, get those
        // records in this copy's order; the other copy's own records stay put.
        QHash<QByteArray, int> available = meant;
        std::vector<int> places;
        QHash<QByteArray, int> wanted;
        for (int i = 0; i < int(keys.size()); ++i) {
            int& left = available[keys[std::size_t(i)]];
            if (left > 0) {
                --left;
                places.push_back(i);
                ++wanted[keys[std::size_t(i)]];
            }
        }
        std::vector<const T*> ordered;
        ordered.reserve(places.size());
        for (const T& item : mine.items()) {
            int& left = wanted[recordBytes(item)];
            if (left > 0) {
                --left;
                ordered.push_back(&item);
            }
        }
        std::vector<T> moved;
        moved.reserve(ordered.size());
        for (const T* item : ordered)
            moved.push_back(*item);
        for (std::size_t k = 0; k < places.size() && k < moved.size(); ++k)
            file[places[k] + 1] = std::move(moved[k]);
    }
    return report;
}

template MergeReport mergeJournal(ItemList<TodoItem>&, const ListJournal&, const ItemList<TodoItem>&);
template MergeReport mergeJournal(ItemList<ScheduleItem>&, const ListJournal&, const ItemList<ScheduleItem>&);
template TodoItem recordFromBytes<TodoItem>(const QByteArray&);
template ScheduleItem recordFromBytes<ScheduleItem>(const QByteArray&);
