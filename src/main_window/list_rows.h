#pragma once
// The grid rows of a list: shown date, shown time, content, person.

#include "store/item_list.h"
#include "store/records.h"
#include "ui/grid.h"

#include <QStringList>
#include <type_traits>
#include <vector>

// The row of item i (1-based); an open item gets its shown texts derived on the way.
template <class T>
QStringList listRow(ItemList<T>& list, int i)
{
    if (i < 1 || i > list.count())
        return {};
    T& item = list[i];
    if constexpr (!std::is_base_of_v<DoneItem, T>)
        deriveShown(item);
    return rowCells(item);
}

// Shows a whole list; a row is built only when the grid first needs it. The
// lists live in the window's ItemStore for the whole run (a list replaced by
// move assignment keeps its address), so the grid may keep a pointer to one.
template <class T>
void showList(Grid& grid, ItemList<T>& list)
{
    grid.showItems(list.count(), [source = &list](int i) { return listRow(*source, i); });
}

// Every row at once, for whatever wants them all built.
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
