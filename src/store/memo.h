#pragma once
// Memo files: "~" + seven-digit number + ".txt" in the owner's data directory,
// the text with CR LF line ends followed by one CR LF.

#include "store/file_access.h"

struct AppSettings;

QString memoFileName(int memoNo);
// What the memo panel says of a memo whose file is gone:
// "メモファイル『~0000012.TXT』が見つかりません".
QString memoMissingMessage(int memoNo);
QString memoPath(const QString& directory, int memoNo);

// The memo text ("\n" line breaks) from a file's bytes, and back.
QString memoTextFromBytes(const QByteArray& bytes);
QByteArray memoBytesFromText(const QString& text);

struct [[nodiscard]] MemoRead {
    FileStatus status;
    QString text;
    bool cut = false;   // readMemoStart: the file holds more than was read
    Fingerprint fingerprint;   // of the version read
};
MemoRead readMemo(const QString& path);
// What a memo panel shows of a memo: at most the first kMemoShownBytes of its
// file, followed by a note when there is more, and a line longer than
// kMemoShownLine characters shown in pieces of that length (a text box lays
// out one line of tens of thousands of characters without a space slowly,
// and wraps it at its width all the same). So a memo of megabytes on one
// line, or of anything at all, keeps the window responsive.
inline constexpr qint64 kMemoShownBytes = 64 * 1024;
inline constexpr qsizetype kMemoShownLine = 1024;
MemoRead readMemoStart(const QString& path);
inline const QString kMemoCutNote =
    QStringLiteral("\n\n……（メモが長いので、最初の部分だけを表示しています。全体はメモファイルにあります。）");
FileStatus writeMemo(const QString& path, const QString& text);

// Steps the memo counter in memory and returns the new number, whose memo file
// it creates, empty, to claim it. A number whose file already exists in the
// directory is passed over, so a counter that went back (an old settings file)
// or another copy of the program on the same folder never makes two items share
// a memo. 0 only when all seven-digit numbers are taken.
int allocateMemoNo(AppSettings& settings, const QString& ownDirectory);
// Gives back a number claimed for a memo that was never written (its file is
// still empty); the counter does not go back.
void releaseMemoNo(const QString& ownDirectory, int memoNo);
