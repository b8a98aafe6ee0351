#include "bench_support.h"

#include "store/settings_file.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>

QByteArray randomDay(std::mt19937& rng, int firstYear, int years)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", firstYear + int(rng() % unsigned(years)), 1 + int(rng() % 12),
                  1 + int(rng() % 28));
    return buf;
}

QByteArray randomClock(std::mt19937& rng)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", 8 + int(rng() % 11), int(rng() % 4) * 15);
    return buf;
}

QByteArray randomListDate(std::mt19937& rng)
{
    const unsigned pick = rng() % 100;
    if (pick < 8)
        return sentinel::kToday;
    if (pick < 16)
        return sentinel::kNoDeadline;
    return randomDay(rng, 2024, 4);
}

QByteArray randomListTime(std::mt19937& rng)
{
    const unsigned pick = rng() % 100;
    if (pick < 15)
        return sentinel::kTodayTime;
    if (pick < 35)
        return sentinel::kNoTime;
    return randomClock(rng);
}

QString meetingText(int i) { return QStringLiteral("打合せの資料を用意する %1").arg(i); }

void writeWhole(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::abort();
}

StartupFolders::StartupFolders()
{
    QDir(root.path()).mkpath(QStringLiteral("prog"));
    QDir(root.path()).mkpath(QStringLiteral("data"));
    programDir = root.filePath(QStringLiteral("prog"));
    dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
    writeWhole(programDir + QStringLiteral("/poruka.ini"),
               serializeSettings(newSettings(kOwnName, dataDir, {0, 1500, 1500, 6975, 9450})));
}

void shellSortKeys(std::vector<QString>& a, bool descending)
{
    const int n = int(a.size());
    for (int g = n; g > 1;) {
        g /= 2;
        for (int i = g; i < n; ++i) {
            QString t = std::move(a[std::size_t(i)]);
            int j = i - g;
            while (j >= 0 && (descending ? a[std::size_t(j)] < t : a[std::size_t(j)] > t)) {
                a[std::size_t(j + g)] = std::move(a[std::size_t(j)]);
                j -= g;
            }
            a[std::size_t(j + g)] = std::move(t);
        }
    }
}

QVariant MinimalModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return rows[std::size_t(index.row())][index.column()];
}

void MinimalModel::replace(std::vector<QStringList> r)
{
    beginResetModel();
    rows = std::move(r);
    endResetModel();
}
