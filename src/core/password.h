#pragma once
// The start-up password and its file poruka.pas in the program folder: one
// line, each character of the password as its code page 932 code (a signed
// 16-bit number: a double-byte code with its lead byte high is negative)
// times 14 minus 13, written as a number with a space or a minus sign in
// front and a tab after it. The same text always gives the same line, so files
// written by earlier versions keep working; the line is compared, never decoded.
//
// This keeps a casual user out of the program. It does not protect the data
// files, which anyone who can open the folder can read.

#include "store/file_access.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The line for a password (without its line end); nothing when a character
// has no code page 932 code (the password could not be stored).
std::optional<QByteArray> encodePassword(const QString& password);

// The stored line: the first line of the file, without its line end.
struct [[nodiscard]] PasswordRead {
    FileStatus status;
    QByteArray line;
};
PasswordRead readPasswordFile(const QString& path);
FileStatus writePasswordFile(const QString& path, const QByteArray& line);

// Whether what was typed is the password stored.
bool passwordMatches(const QString& typed, const QByteArray& storedLine);
