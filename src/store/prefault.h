#pragma once
// Fresh memory costs a page fault the first time each page is written; for the
// megabytes a full list takes (blocks of 256 KB and more), faulting them in one system call first is many
// times faster (most of all on virtual machines, where a fault is dear). Only a
// hint: where the system cannot, the pages fault in as they are written.

#include <cstddef>

void prefault(void* begin, std::size_t size) noexcept;
