#pragma once
// Open-addressing index from a small key to a 32-bit slot number: linear
// probing, power-of-two capacity, backward-shift removal (no tombstones).
// About 16 to 32 bytes per entry for 32-bit keys.
#include <cstddef>
#include <cstdint>
#include <vector>

template <class Key, class Hash>
class CFlatIndex {
public:
    static constexpr std::uint32_t npos = 0xFFFFFFFFu;

    std::size_t size() const { return m_size; }

    void clear()
    {
        m_slots.clear();
        m_size = 0;
        m_mask = 0;
    }

    void reserve(std::size_t n)
    {
        std::size_t cap = 16;
        while (cap * 7 / 10 < n)
            cap *= 2;
        if (cap > m_slots.size())
            rehash(cap);
    }

    // The value stored for the key, or npos.
    std::uint32_t find(const Key& key) const
    {
        if (m_size == 0)
            return npos;
        for (std::size_t i = home(key);; i = (i + 1) & m_mask) {
            const Slot& s = m_slots[i];
            if (s.value == npos)
                return npos;
            if (s.key == key)
                return s.value;
        }
    }

    // Inserts or replaces.
    void set(const Key& key, std::uint32_t value)
    {
        if ((m_size + 1) * 10 > m_slots.size() * 7)
            rehash(m_slots.empty() ? 16 : m_slots.size() * 2);
        for (std::size_t i = home(key);; i = (i + 1) & m_mask) {
            Slot& s = m_slots[i];
            if (s.value == npos) {
                s.key = key;
                s.value = value;
                ++m_size;
                return;
            }
            if (s.key == key) {
                s.value = value;
                return;
            }
        }
    }

    bool erase(const Key& key)
    {
        if (m_size == 0)
            return false;
        std::size_t i = home(key);
        for (;; i = (i + 1) & m_mask) {
            if (m_slots[i].value == npos)
                return false;
            if (m_slots[i].key == key)
                break;
        }
        // Move later members of the probe run back into the hole.
        std::size_t hole = i;
        for (std::size_t j = (hole + 1) & m_mask; m_slots[j].value != npos; j = (j + 1) & m_mask) {
            const std::size_t h = home(m_slots[j].key);
            const bool movable = ((j - h) & m_mask) >= ((j - hole) & m_mask);
            if (movable) {
                m_slots[hole] = m_slots[j];
                hole = j;
            }
        }
        m_slots[hole].value = npos;
        --m_size;
        return true;
    }

    std::size_t memory_bytes() const { return m_slots.capacity() * sizeof(Slot); }

private:
    struct Slot {
        Key key{};
        std::uint32_t value = npos;
    };

    std::size_t home(const Key& key) const { return Hash{}(key) & m_mask; }

    void rehash(std::size_t cap)
    {
        std::vector<Slot> old;
        old.swap(m_slots);
        m_slots.assign(cap, Slot{});
        m_mask = cap - 1;
        m_size = 0;
        for (const Slot& s : old)
            if (s.value != npos)
                set(s.key, s.value);
    }

    std::vector<Slot> m_slots;
    std::size_t m_size = 0;
    std::size_t m_mask = 0;
};

struct CIdHash {
    std::size_t operator()(std::uint32_t k) const
    {
        std::uint64_t h = static_cast<std::uint64_t>(k) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(h >> 29);
    }
};
