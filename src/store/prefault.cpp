#include "store/prefault.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

void prefault(void* begin, std::size_t size) noexcept
{
#ifdef MADV_POPULATE_WRITE
    // Small blocks are not worth a system call.
    constexpr std::size_t kWorthIt = std::size_t(256) << 10;
    if (size < kWorthIt)
        return;
    static const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    // Whole pages inside the block only: the pages at its ends may hold other
    // allocations, and those are live already.
    const auto first = (std::uintptr_t(begin) + page - 1) & ~(page - 1);
    const auto last = (std::uintptr_t(begin) + size) & ~(page - 1);
    if (last <= first)
        return;
#ifdef MADV_HUGEPAGE
    const std::uintptr_t huge = std::uintptr_t(2) << 20;
    const auto hugeFirst = (first + huge - 1) & ~(huge - 1);
    const auto hugeLast = last & ~(huge - 1);
    if (hugeLast > hugeFirst)
        (void)::madvise(reinterpret_cast<void*>(hugeFirst), hugeLast - hugeFirst, MADV_HUGEPAGE);
#endif
    (void)::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)begin;
    (void)size;
#endif
}
