#pragma once
// One list of items, numbered 1..count as in the files and the grids. Holds at
// most 30000 items; records a file held beyond that are kept, as read, in
// `overflow` and written back after the items.

#include <QByteArrayList>
#include <QtGlobal>
#include <vector>

template <class T> class ItemList {
public:
    using value_type = T;
    static constexpr int kCapacity = 30000;

    int count() const { return int(items_.size()); }
    bool isEmpty() const { return items_.empty(); }
    bool isFull() const { return count() >= kCapacity; }

    // 1-based, like the rows of the grid; checked in debug builds.
    T& operator[](int i)
    {
        Q_ASSERT(i >= 1 && i <= count());
        return items_[std::size_t(i - 1)];
    }
    const T& operator[](int i) const
    {
        Q_ASSERT(i >= 1 && i <= count());
        return items_[std::size_t(i - 1)];
    }

    void append(T item) { items_.push_back(std::move(item)); }
    // Puts an item at place i (1 .. count + 1); later items move up one place.
    void insertAt(int i, T item) { items_.insert(items_.begin() + (i - 1), std::move(item)); }
    // Removes item i; later items move down one place.
    void removeAt(int i) { items_.erase(items_.begin() + (i - 1)); }
    void clear()
    {
        items_.clear();
        overflow.clear();
        noLineEnds = false;
    }

    std::vector<T>& items() { return items_; }
    const std::vector<T>& items() const { return items_; }

    QByteArrayList overflow;   // whole records beyond the capacity, line by line
    // The file read held more than one line's worth of text but no line end
    // this program knows (lone CRs, say): it all went into the header line,
    // and no record could be read.
    bool noLineEnds = false;

private:
    std::vector<T> items_;
};
