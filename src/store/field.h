#pragma once
// One value line of a data file. The stored bytes are the truth: a value read
// from a file and written back untouched keeps its exact bytes, even where they
// are not valid code page 932. Values the program sets are encoded on the way in.

#include <QByteArray>
#include <QString>
#include <optional>

class Field {
public:
    Field() = default;
    explicit Field(const QString& text);
    explicit Field(const char* ascii) : bytes_(ascii) {}
    static Field fromBytes(QByteArray bytes);

    // A number written the way the files want it: one space, the digits, one space.
    static Field number(long long value);

    QString text() const;
    const QByteArray& bytes() const { return bytes_; }
    bool isEmpty() const { return bytes_.isEmpty(); }

    // The value as a whole number, spaces around the digits ignored; empty when
    // the line holds no number.
    std::optional<long long> toNumber() const;

    bool operator==(const Field& other) const { return bytes_ == other.bytes_; }
    bool operator==(const char* ascii) const { return bytes_ == ascii; }

private:
    QByteArray bytes_;
};
