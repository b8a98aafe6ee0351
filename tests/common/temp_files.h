#pragma once
// Small helpers for tests that build their files in a QTemporaryDir.

#include <QByteArray>
#include <QString>

QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// Lines joined with CR LF, each line ended by one.
QByteArray crlfLines(const QList<QByteArray>& lines);
// Encodes with code page 932.
QByteArray sjis(const QString& text);
