#include "core/memo_copy.h"

#include "store/item_store.h"
#include "store/memo.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

QString folderKey(const QString& dir)
{
    const QFileInfo info(QDir::fromNativeSeparators(dir));
    const QString canonical = info.canonicalFilePath();   // follows links when it exists
    const QString key = canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
#ifdef Q_OS_WIN
    return key.toCaseFolded();
#else
    return key;
#endif
}

template <class T> void collectMemoNumbers(const ItemList<T>& list, QList<int>& out)
{
    for (int i = 1; i <= list.count(); ++i)
        if (const int n = memoNumber(list[i].memoNo); n != 0)
            out.append(n);
}

}   // namespace

bool isSameFolder(const QString& a, const QString& b) { return folderKey(a) == folderKey(b); }

QStringList copyOwnMemos(const ItemStore& store, const QString& fromDir, const QString& toDir)
{
    QList<int> numbers;
    collectMemoNumbers(store.todos, numbers);
    collectMemoNumbers(store.schedules, numbers);

    QStringList failed;
    QSet<int> done;   // a memo shared by two items is copied once
    for (const int n : numbers) {
        if (done.contains(n))
            continue;
        done.insert(n);
        if (!copyFile(memoPath(fromDir, n), memoPath(toDir, n)).ok())
            failed.append(memoFileName(n));
    }
    return failed;
}
