#pragma once
// Showing a list in a grid: one row per item, date, time, content, person.

#include "store/item_list.h"
#include "store/records.h"
#include "ui/grid.h"

#include <QStringList>

// The row of item i (1-based).
template <class T> QStringList listRow(const ItemList<T>& list, int i)
{
    if (i < 1 || i > list.count())
        return {};
    return rowCells(list[i]);
}

// Shows a whole list; a row is built only when the grid first needs it. The
// lists live in the workspace's store for the whole run (a list replaced by
// move assignment keeps its address), so the grid may keep a pointer to one.
template <class T> void showList(Grid& grid, const ItemList<T>& list)
{
    grid.showItems(list.count(), [source = &list](int i) { return listRow(*source, i); });
}
