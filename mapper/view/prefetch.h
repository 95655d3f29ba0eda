#pragma once
// Memory hints for the walks over millions of records: the paint is bound
// by the wait for memory, not by arithmetic. Always inlined: a function whose
// only effect is a hint counts as having none, and its calls would be dropped.
#include <cstdint>

#if defined(__GNUC__)
#define VM_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define VM_ALWAYS_INLINE inline
#endif

VM_ALWAYS_INLINE void Prefetch(const void* p)
{
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

// A bucket's chain runs down through runs of 16 nodes stored one below the
// other, each run 272 nodes below the one before; asking early for the nodes
// a little further down hides the wait.
template <class Map>
VM_ALWAYS_INLINE void PrefetchNode(const Map& map, std::uint32_t node)
{
    // The value's start and its end, where the key and the chain's link follow.
    const char* p = reinterpret_cast<const char*>(&map.NodeValue(node));
    Prefetch(p);
    Prefetch(p + sizeof(map.NodeValue(node)));
}

template <class Map>
VM_ALWAYS_INLINE void PrefetchChain(const Map& map, std::uint32_t node)
{
    if (node >= 8)
        PrefetchNode(map, node - 8);
    if (node >= 272)
        PrefetchNode(map, node - 272);
}
