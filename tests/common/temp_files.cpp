#include "common/temp_files.h"

#include "store/cp932.h"

#include <QFile>
#include <QTest>

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray crlfLines(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

QByteArray sjis(const QString& text) { return cp932::encode(text); }

QByteArrayList fileLines(const QByteArray& bytes)
{
    QByteArrayList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype nl = bytes.indexOf('\n', start);
        const qsizetype stop = nl < 0 ? bytes.size() : nl;
        const qsizetype end = nl > start && bytes[nl - 1] == '\r' ? nl - 1 : stop;
        lines.append(bytes.mid(start, end - start));
        start = stop + 1;
    }
    return lines;
}

QByteArrayList fileLines(const QString& path) { return fileLines(readBytes(path)); }
