#pragma once
// A 64-bit hash of a file's bytes for fingerprints, which live in memory only
// (the same process compares them): tells a changed file from the one read,
// at memory speed, so that reading a list of megabytes is not slowed by it.
// Not for anything stored, and no defence against chosen input.

#include <QByteArrayView>
#include <QtGlobal>

quint64 contentHash(QByteArrayView bytes);
