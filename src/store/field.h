#pragma once
// One value line of a data file. The stored bytes are the truth: a value read
// from a file and written back untouched keeps its exact bytes, even where they
// are not valid code page 932. Values the program sets are encoded on the way in.
//
// The bytes live in a std::string: dates, times, numbers and flags fit its
// inline buffer, so the 300000-odd fields of two full lists mostly never touch
// the heap.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstring>
#include <optional>
#include <string>

class Field {
public:
    Field() = default;
    // Encodes the text; line breaks in it become spaces.
    explicit Field(const QString& text);
    explicit Field(const char* ascii) : bytes_(ascii ? ascii : "") { }
    static Field fromBytes(QByteArrayView bytes) { return fromBytes(bytes.data(), bytes.size()); }
    static Field fromBytes(const char* data, qsizetype size)
    {
        Field f;
        if (size > 0)
            f.bytes_.assign(data, std::size_t(size));
        return f;
    }

    // Replaces the bytes in place: the parser fills fields of a new record without
    // building a temporary first.
    void setBytes(QByteArrayView bytes)
    {
        if (bytes.isEmpty())
            bytes_.clear();
        else
            bytes_.assign(bytes.data(), std::size_t(bytes.size()));
    }

    // A number written the way the files want it: the sign place (a space, or
    // the minus of a negative number), the digits, one space.
    static Field number(long long value);

    QString text() const;
    // The bytes without copying; valid while the field is unchanged.
    QByteArrayView view() const { return QByteArrayView(bytes_.data(), qsizetype(bytes_.size())); }
    // A copy of the bytes; read through view() where a copy is not needed.
    QByteArray bytes() const { return QByteArray(bytes_.data(), qsizetype(bytes_.size())); }
    bool isEmpty() const { return bytes_.empty(); }

    // The value as a whole number, spaces around the digits ignored; empty when
    // the line holds no number.
    std::optional<long long> toNumber() const;

    bool operator==(const Field& other) const { return bytes_ == other.bytes_; }
    bool operator==(const char* ascii) const
    {
        if (!ascii)
            return bytes_.empty();
        const std::size_t n = std::strlen(ascii);
        return n == bytes_.size() && std::memcmp(bytes_.data(), ascii, n) == 0;
    }

private:
    std::string bytes_;
};
