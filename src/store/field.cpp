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
    const QByteArray trimmed = bytes_.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const long long v = trimmed.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}
