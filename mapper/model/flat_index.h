#pragma once
// Open-addressing index of node numbers: linear probing, power-of-two
// capacity, backward-shift removal (no tombstones). A slot holds only the
// node's 4-byte number; the key is read from the node through a `keyOf`
// function, so the index costs about 6 to 11 bytes per entry. Several nodes
// may share a key; the key of an indexed node must not change.
#include <cstddef>
#include <cstdint>
#include <vector>

template <class Key, class Hash>
class CNodeIndex {
public:
    static constexpr std::uint32_t npos = 0xFFFFFFFFu;

    std::size_t size() const { return m_size; }

    void clear()
    {
        m_slots.clear();
        m_slots.shrink_to_fit();
        m_size = 0;
        m_mask = 0;
    }

    template <class KeyOf>
    void reserve(std::size_t n, KeyOf keyOf)
    {
        std::size_t cap = 16;
        while (cap * 7 / 10 < n)
            cap *= 2;
        if (cap > m_slots.size())
            rehash(cap, keyOf);
    }

    // Calls f(node) for every node with the key, in probe order.
    template <class KeyOf, class F>
    void for_each(const Key& key, KeyOf keyOf, F f) const
    {
        if (m_size == 0)
            return;
        for (std::size_t i = home(key);; i = (i + 1) & m_mask) {
            const std::uint32_t n = m_slots[i];
            if (n == npos)
                return;
            if (keyOf(n) == key)
                f(n);
        }
    }

    // The first node with the key in probe order, or npos.
    template <class KeyOf>
    std::uint32_t find(const Key& key, KeyOf keyOf) const
    {
        if (m_size == 0)
            return npos;
        for (std::size_t i = home(key);; i = (i + 1) & m_mask) {
            const std::uint32_t n = m_slots[i];
            if (n == npos || keyOf(n) == key)
                return n;
        }
    }

    template <class KeyOf>
    void insert(std::uint32_t node, KeyOf keyOf)
    {
        if ((m_size + 1) * 10 > m_slots.size() * 7)
            rehash(m_slots.empty() ? 16 : m_slots.size() * 2, keyOf);
        place(node, keyOf);
        ++m_size;
    }

    // Removes the node itself (found by its current key).
    template <class KeyOf>
    bool erase(std::uint32_t node, KeyOf keyOf)
    {
        if (m_size == 0)
            return false;
        std::size_t i = home(keyOf(node));
        for (;; i = (i + 1) & m_mask) {
            if (m_slots[i] == npos)
                return false;
            if (m_slots[i] == node)
                break;
        }
        // Move later members of the probe run back into the hole.
        std::size_t hole = i;
        for (std::size_t j = (hole + 1) & m_mask; m_slots[j] != npos; j = (j + 1) & m_mask) {
            const std::size_t h = home(keyOf(m_slots[j]));
            if (((j - h) & m_mask) >= ((j - hole) & m_mask)) {
                m_slots[hole] = m_slots[j];
                hole = j;
            }
        }
        m_slots[hole] = npos;
        --m_size;
        return true;
    }

private:
    std::size_t home(const Key& key) const { return Hash{}(key) & m_mask; }

    template <class KeyOf>
    void place(std::uint32_t node, KeyOf keyOf)
    {
        std::size_t i = home(keyOf(node));
        while (m_slots[i] != npos)
            i = (i + 1) & m_mask;
        m_slots[i] = node;
    }

    template <class KeyOf>
    void rehash(std::size_t cap, KeyOf keyOf)
    {
        std::vector<std::uint32_t> old;
        old.swap(m_slots);
        m_slots.assign(cap, npos);
        m_mask = cap - 1;
        for (std::uint32_t n : old)
            if (n != npos)
                place(n, keyOf);
    }

    std::vector<std::uint32_t> m_slots;
    std::size_t m_size = 0;
    std::size_t m_mask = 0;
};

struct CIdHash {
    std::size_t operator()(std::uint32_t k) const
    {
        const std::uint64_t h = static_cast<std::uint64_t>(k) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(h >> 29);
    }
};
