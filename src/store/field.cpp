#include "store/field.h"

#include "store/cp932.h"

#include <charconv>

Field::Field(const QString& text)
{
    // A value is one line of its file: a line break pasted into it would shift
    // every later line of the record, so each one becomes a space.
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray encoded = cp932::encode(line);
    bytes_.assign(encoded.constData(), std::size_t(encoded.size()));
}

Field Field::number(long long value)
{
    // The first place holds the sign: a space, or the minus of a negative number.
    char buf[24];
    char* p = buf;
    if (value >= 0)
        *p++ = ' ';
    char* end = std::to_chars(p, buf + sizeof buf - 1, value).ptr;
    *end++ = ' ';
    return fromBytes(buf, end - buf);
}

QString Field::text() const { return cp932::decode(bytes_.data(), qsizetype(bytes_.size())); }

std::optional<long long> Field::toNumber() const
{
    // Spaces around the digits are the file's convention; anything else is no number.
    const char* p = bytes_.data();
    const char* end = p + bytes_.size();
    while (p < end && *p == ' ')
        ++p;
    while (end > p && end[-1] == ' ')
        --end;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    if (p == end || end - p > 18)
        return std::nullopt;
    long long v = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9')
            return std::nullopt;
        v = v * 10 + (*p - '0');
    }
    return negative ? -v : v;
}
