#include "store/field.h"

#include "store/cp932.h"

#include <charconv>

Field::Field(const QString& text)
{
    const QByteArray encoded = cp932::encode(text);
    bytes_.assign(encoded.constData(), std::size_t(encoded.size()));
}

Field Field::number(long long value)
{
    char buf[24];
    buf[0] = ' ';
    char* end = std::to_chars(buf + 1, buf + sizeof buf - 1, value).ptr;
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
