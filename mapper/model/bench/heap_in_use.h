#pragma once
// Bytes the C library's heap holds in use (glibc), for memory-per-room figures.
#include <malloc.h>

#include <cstddef>

inline std::size_t HeapInUse()
{
    const struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}
