#include "store/field.h"

#include "store/cp932.h"

Field::Field(const QString& text) : bytes_(cp932::encode(text)) {}

Field Field::fromBytes(QByteArray bytes)
{
    Field f;
    f.bytes_ = std::move(bytes);
    return f;
}

Field Field::number(long long value)
{
    return fromBytes(' ' + QByteArray::number(value) + ' ');
}

QString Field::text() const { return cp932::decode(bytes_); }

std::optional<long long> Field::toNumber() const
{
    // Spaces around the digits are the file's convention; anything else is no number.
    const char* p = bytes_.constData();
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
