#include "store/field.h"

#include "store/cp932.h"
#include "store/prefault.h"

#include <charconv>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

#include <atomic>

namespace {

// A block: its count of values, then each value as the distance back to the
// block's start followed by the bytes. A field points at its bytes.
struct BlockHead {
    std::atomic<std::uint32_t> values;
};
constexpr std::size_t kHead = 8;
constexpr std::size_t kBack = sizeof(std::uint32_t);
static_assert(sizeof(BlockHead) <= kHead);

char* newBlock(std::size_t bytes)
{
    void* block = std::malloc(kHead + bytes);
    if (!block)
        throw std::bad_alloc();
    new (block) BlockHead{1};
    return static_cast<char*>(block);
}

// Puts n bytes at `at` in the block and answers where the field points.
char* place(char* block, char* at, const char* bytes, std::uint32_t n)
{
    const auto back = std::uint32_t(at + kBack - block);
    std::memcpy(at, &back, kBack);
    std::memcpy(at + kBack, bytes, n);
    return at + kBack;
}

BlockHead* headOf(char* block) { return std::launder(reinterpret_cast<BlockHead*>(block)); }

void dropFromBlock(char* block) noexcept
{
    BlockHead* head = headOf(block);
    if (head->values.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        head->~BlockHead();
        std::free(block);
    }
}

void dropValue(char* bytes) noexcept
{
    std::uint32_t back;
    std::memcpy(&back, bytes - kBack, kBack);
    dropFromBlock(bytes - back);
}

std::uint32_t checkedSize(qsizetype size)
{
    if (std::uint64_t(size) > std::numeric_limits<std::uint32_t>::max() - kHead - kBack)
        throw std::length_error("Field: a line longer than 4 GB");
    return std::uint32_t(size);
}

}   // namespace

void Field::release() noexcept
{
    if (onHeap())
        dropValue(heap());
    size_ = 0;
}

void Field::assign(const char* bytes, qsizetype size)
{
    if (size <= 0) {
        release();
        return;
    }
    const std::uint32_t n = checkedSize(size);
    if (n <= kInline) {
        char copy[kInline];
        std::memcpy(copy, bytes, n);
        release();
        std::memcpy(store_, copy, n);
        size_ = n;
    } else {
        char* block = newBlock(kBack + n);
        adopt(place(block, block + kHead, bytes, n), n);
    }
}

FieldBlock::FieldBlock(std::size_t bytes, std::size_t count)
{
    const std::size_t room = bytes + count * kBack;
    block_ = room > 0 ? newBlock(room) : nullptr;
    next_ = block_ ? block_ + kHead : nullptr;
    end_ = next_ ? next_ + room : nullptr;
    prefault(next_, room);
}

// The builder's own count goes; the fields' counts keep the block.
FieldBlock::~FieldBlock()
{
    if (block_)
        dropFromBlock(block_);
}

void FieldBlock::setLong(Field& field, QByteArrayView bytes)
{
    const std::uint32_t n = checkedSize(bytes.size());
    if (n <= Field::kInline || !block_ || std::size_t(end_ - next_) < kBack + n) {
        field.assign(bytes.data(), n);
        return;
    }
    // Counted before the field holds it: the block must outlive this builder
    // and every field in it, whichever goes last.
    headOf(block_)->values.fetch_add(1, std::memory_order_relaxed);
    field.adopt(place(block_, next_, bytes.data(), n), n);
    next_ += kBack + n;
}

Field::Field(const QString& text)
{
    // A value is one line of its file: a line break pasted into it would shift
    // every later line of the record, so each one becomes a space.
    QString line = text;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray encoded = cp932::encode(line);
    assign(encoded.constData(), encoded.size());
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

QString Field::text() const { return cp932::decode(data(), qsizetype(size_)); }

std::optional<long long> Field::toNumber() const
{
    // Spaces around the digits are the file's convention; anything else is no number.
    const char* p = data();
    const char* end = p + size_;
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
