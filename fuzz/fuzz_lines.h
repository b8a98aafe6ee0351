#pragma once
// What the fuzz targets share: a line splitter written apart from the store's,
// so the two are checked against each other, and a check that stops the run.

#include <QByteArray>
#include <QByteArrayList>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                                               \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);                              \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace fuzz {

// A line ends at LF, a CR just before it belongs to the line end; text after the
// last LF is one more line.
inline QByteArrayList lines(const QByteArray& bytes)
{
    QByteArrayList out;
    QByteArray cur;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n') {
            cur += bytes[i];
            continue;
        }
        if (cur.endsWith('\r'))
            cur.chop(1);
        out << cur;
        cur.clear();
    }
    if (!cur.isEmpty())
        out << cur;
    return out;
}

// Written files end every line with CR LF and hold no other LF.
inline bool crlfOnly(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return true;
    if (!bytes.endsWith("\r\n"))
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            return false;
    return true;
}

}   // namespace fuzz
