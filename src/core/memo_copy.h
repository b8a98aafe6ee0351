#pragma once
// Carrying the memo files of the own open items over to a new data directory.

#include <QString>
#include <QStringList>

struct ItemStore;

// Whether two directory texts name the same folder.
bool isSameFolder(const QString& a, const QString& b);

// Copies the memo of every own ToDo item, then every schedule item, that has one
// from `fromDir` to `toDir` (both ending with the separator); the old files stay.
// Returns the names of the memo files that could not be copied, in order.
QStringList copyOwnMemos(const ItemStore& store, const QString& fromDir, const QString& toDir);
