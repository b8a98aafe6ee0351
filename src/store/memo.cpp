#include "store/memo.h"

#include "store/cp932.h"
#include "store/settings_file.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>

QString memoFileName(int memoNo) { return QStringLiteral("~%1.txt").arg(memoNo, 7, 10, QLatin1Char('0')); }

QString memoMissingMessage(int memoNo)
{
    return QStringLiteral("メモファイル『~%1.TXT』が見つかりません").arg(memoNo, 7, 10, QLatin1Char('0'));
}

QString memoPath(const QString& directory, int memoNo) { return directory + memoFileName(memoNo); }

QString memoTextFromBytes(const QByteArray& bytes)
{
    QByteArray body = bytes.size() >= 2 ? bytes.left(bytes.size() - 2) : QByteArray();
    body.replace("\r\n", "\n");
    return cp932::decode(body);
}

QByteArray memoBytesFromText(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return cp932::encode(t) + "\r\n";
}

MemoRead readMemo(const QString& path)
{
    const ReadResult r = readFile(path, Locking::None);
    return {r.status, r.ok() ? memoTextFromBytes(r.bytes) : QString(), false, r.fingerprint};
}

namespace {

QString inShortLines(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / kMemoShownLine);
    qsizetype run = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            run = 0;
        } else if (run == kMemoShownLine) {
            out += QLatin1Char('\n');
            run = 0;
        }
        out += c;
        ++run;
    }
    return out;
}

}   // namespace

MemoRead readMemoStart(const QString& path)
{
    const ReadResult r = readFile(path, Locking::None, kMemoShownBytes);
    if (!r.ok())
        return {r.status, QString(), false, {}};
    if (!r.cut)
        return {r.status, inShortLines(memoTextFromBytes(r.bytes)), false, r.fingerprint};
    // Cut mid-way: no final line end to drop, and a double-byte character
    // cut in two at the end is left out.
    QByteArray body = r.bytes;
    body.replace("\r\n", "\n");
    QString text = cp932::decode(body);
    if (text.endsWith(QChar::ReplacementCharacter))
        text.chop(1);
    return {r.status, inShortLines(text) + kMemoCutNote, true, r.fingerprint};
}

FileStatus writeMemo(const QString& path, const QString& text)
{
    return writeFile(path, memoBytesFromText(text), Locking::None);
}

int allocateMemoNo(AppSettings& settings, const QString& ownDirectory)
{
    // Numbers run 1..9999999 (seven digits); past the top the search wraps round
    // to the lowest free number, so a memo file is never overwritten.
    constexpr long long kTop = 9999999;
    long long n = std::clamp(settings.memoCounterValue(), 0LL, kTop);
    for (long long tried = 0; tried < kTop; ++tried) {
        n = n >= kTop ? 1 : n + 1;
        if (fileExistsIgnoringCase(ownDirectory, memoFileName(int(n))))
            continue;
        // Another copy of the program on the same folder may be choosing the
        // same number this moment: the number is this copy's only once it has
        // created the file. A folder that cannot be written in is told when
        // the memo itself is written.
        const FileStatus claimed = claimFile(memoPath(ownDirectory, int(n)));
        if (!claimed.ok() && claimed.sysError == EEXIST)
            continue;
        settings.memoCounter = Field::number(n);
        return int(n);
    }
    return 0;
}

void releaseMemoNo(const QString& ownDirectory, int memoNo)
{
    const QString path = memoPath(ownDirectory, memoNo);
    // Not removed, it is an empty file no record names: harmless, and its
    // number is never handed out again.
    if (QFileInfo(path).size() == 0)
        (void)removeFile(path);
}
