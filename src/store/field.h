#pragma once
// One value line of a data file. The stored bytes are the truth: a value read
// from a file and written back untouched keeps its exact bytes, even where they
// are not valid code page 932. Values the program sets are encoded on the way in.
//
// Sixteen bytes a field: up to twelve bytes (dates, times, numbers, flags) sit
// in the field itself, longer ones in a block of memory. A field set on its own
// has a block of its own; the reader of a file puts all the longer values of
// the file in one block (FieldBlock), so that reading a full list is one
// allocation, not one per content line. A block counts the values in it and
// goes with the last; a copy of a field always gets a block of its own, so
// nothing kept from a list holds the list's block.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <cstring>
#include <optional>

class Field {
public:
    // Values longer than this live in a block.
    static constexpr std::uint32_t kInline = 12;

    Field() noexcept = default;
    // Encodes the text; line breaks in it become spaces.
    explicit Field(const QString& text);
    explicit Field(const char* ascii)
    {
        if (ascii)
            assign(ascii, qsizetype(std::strlen(ascii)));
    }
    static Field fromBytes(QByteArrayView bytes) { return fromBytes(bytes.data(), bytes.size()); }
    static Field fromBytes(const char* data, qsizetype size)
    {
        Field f;
        f.assign(data, size);
        return f;
    }

    Field(const Field& other) { assign(other.data(), other.size_); }
    Field(Field&& other) noexcept : size_(other.size_)
    {
        std::memcpy(store_, other.store_, sizeof store_);
        other.size_ = 0;
    }
    Field& operator=(const Field& other)
    {
        assign(other.data(), other.size_);
        return *this;
    }
    Field& operator=(Field&& other) noexcept
    {
        if (this != &other) {
            release();
            size_ = other.size_;
            std::memcpy(store_, other.store_, sizeof store_);
            other.size_ = 0;
        }
        return *this;
    }
    ~Field() { release(); }

    // Replaces the bytes in place: the parser fills fields of a new record without
    // building a temporary first.
    void setBytes(QByteArrayView bytes) { assign(bytes.data(), bytes.size()); }

    // A number written the way the files want it: the sign place (a space, or
    // the minus of a negative number), the digits, one space.
    static Field number(long long value);

    QString text() const;
    // The bytes without copying; valid while the field is unchanged.
    QByteArrayView view() const { return QByteArrayView(data(), qsizetype(size_)); }
    // A copy of the bytes; read through view() where a copy is not needed.
    QByteArray bytes() const { return QByteArray(data(), qsizetype(size_)); }
    bool isEmpty() const { return size_ == 0; }

    // The value as a whole number, spaces around the digits ignored; empty when
    // the line holds no number.
    std::optional<long long> toNumber() const;

    bool operator==(const Field& other) const
    {
        return size_ == other.size_ && (size_ == 0 || std::memcmp(data(), other.data(), size_) == 0);
    }
    bool operator==(const char* ascii) const
    {
        if (!ascii)
            return size_ == 0;
        const std::size_t n = std::strlen(ascii);
        return n == size_ && (n == 0 || std::memcmp(data(), ascii, n) == 0);
    }

private:
    friend class FieldBlock;

    bool onHeap() const { return size_ > kInline; }
    char* heap() const
    {
        char* p;
        std::memcpy(&p, store_, sizeof p);
        return p;
    }
    const char* data() const { return onHeap() ? heap() : store_; }
    void release() noexcept;
    // Copies first, frees after: `bytes` may be this field's own.
    void assign(const char* bytes, qsizetype size);
    void adopt(char* bytes, std::uint32_t size) noexcept
    {
        release();
        std::memcpy(store_, &bytes, sizeof bytes);
        size_ = size;
    }

    std::uint32_t size_ = 0;
    char store_[kInline] = {};   // the bytes, or the address of their allocation
};
static_assert(sizeof(Field) == 16);

// One block for the longer values of many fields, sized beforehand: `bytes`
// their sizes added up, `count` how many there are.
class FieldBlock {
public:
    FieldBlock(std::size_t bytes, std::size_t count);
    ~FieldBlock();
    FieldBlock(const FieldBlock&) = delete;
    FieldBlock& operator=(const FieldBlock&) = delete;

    // Sets the field to the bytes: in the field when short, else in the block
    // while it has room (on its own block when it has not).
    void set(Field& field, QByteArrayView bytes)
    {
        // Most lines of a record are short and go to a field still empty.
        const qsizetype n = bytes.size();
        if (n <= qsizetype(Field::kInline) && field.size_ == 0) {
            std::memcpy(field.store_, bytes.data(), std::size_t(n));
            field.size_ = std::uint32_t(n);
            return;
        }
        setLong(field, bytes);
    }

private:
    void setLong(Field& field, QByteArrayView bytes);

    char* block_;
    char* next_;
    char* end_;
};
