#pragma once
// Small helpers for tests that build their files in a QTemporaryDir.

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// The lines of a file's bytes: CR LF or a bare LF end a line; a last line
// without an end still counts.
QByteArrayList fileLines(const QByteArray& bytes);
QByteArrayList fileLines(const QString& path);
// Lines joined with CR LF, each line ended by one.
QByteArray crlfLines(const QList<QByteArray>& lines);
// Encodes with code page 932.
QByteArray sjis(const QString& text);
