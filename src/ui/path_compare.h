#pragma once
// How the drive and folder lists compare paths: regardless of case where the
// file system is (Windows), exactly elsewhere.

#include <QString>

inline constexpr Qt::CaseSensitivity kPathCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

// True when `path` is `root` or lies below it. Both use '/' and are cleaned
// alike by the caller.
inline bool isSameOrBelow(const QString& path, const QString& root)
{
    if (path.compare(root, kPathCase) == 0)
        return true;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    return path.startsWith(prefix, kPathCase);
}
