#include "store/content_hash.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// Four independent lanes of multiply-rotate rounds over 8-byte words keep the
// processor's multipliers busy; the lanes and the tail are folded at the end.
constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t kPrime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t kPrime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t kPrime5 = 0x27D4EB2F165667C5ULL;

std::uint64_t word(const char* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

std::uint64_t round(std::uint64_t lane, std::uint64_t w) { return std::rotl(lane + w * kPrime2, 31) * kPrime1; }

std::uint64_t fold(std::uint64_t h, std::uint64_t lane) { return (h ^ round(0, lane)) * kPrime1 + kPrime4; }

}   // namespace

quint64 contentHash(QByteArrayView bytes)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    std::uint64_t h;
    if (end - p >= 32) {
        std::uint64_t a = kPrime1 + kPrime2, b = kPrime2, c = 0, d = 0 - kPrime1;
        for (; end - p >= 32; p += 32) {
            a = round(a, word(p));
            b = round(b, word(p + 8));
            c = round(c, word(p + 16));
            d = round(d, word(p + 24));
        }
        h = std::rotl(a, 1) + std::rotl(b, 7) + std::rotl(c, 12) + std::rotl(d, 18);
        h = fold(fold(fold(fold(h, a), b), c), d);
    } else {
        h = kPrime5;
    }
    h += std::uint64_t(bytes.size());
    for (; end - p >= 8; p += 8)
        h = std::rotl(h ^ round(0, word(p)), 27) * kPrime1 + kPrime4;
    for (; p < end; ++p)
        h = std::rotl(h ^ (std::uint64_t(static_cast<unsigned char>(*p)) * kPrime5), 11) * kPrime1;
    h ^= h >> 33;
    h *= kPrime2;
    h ^= h >> 29;
    h *= kPrime3;
    h ^= h >> 32;
    return h;
}
