#pragma once
// The grid rows of a list: shown date, shown time, content, person.

#include "store/item_list.h"
#include "store/records.h"

#include <QStringList>
#include <vector>

// Derives the shown texts of every item on the way.
template <class T>
std::vector<QStringList> openRows(ItemList<T>& list)
{
    std::vector<QStringList> rows;
    rows.reserve(list.items().size());
    for (T& item : list.items()) {
        deriveShown(item);
        rows.push_back(rowCells(item));
    }
    return rows;
}

template <class T>
std::vector<QStringList> doneRows(const ItemList<T>& list)
{
    std::vector<QStringList> rows;
    rows.reserve(list.items().size());
    for (const T& item : list.items())
        rows.push_back(rowCells(item));
    return rows;
}
