#pragma once
// Map with the enumeration order of a 17-bucket chained hash table: buckets in
// ascending order, each from its head, a new key put at the head of bucket
// (key >> 4) % 17. Storing an existing key keeps its place. Lookup by key is
// O(1): a table indexed by key while the keys are dense (ids given out from
// a counter), a hash index of node numbers once they are not.
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "mapper/model/flat_index.h"

template <class Key, class Value>
class CBucketMap {
public:
    static constexpr unsigned kBuckets = 17;
    static constexpr std::uint32_t npos = 0xFFFFFFFFu;

    static unsigned Bucket(Key key) { return (static_cast<std::uint32_t>(key) >> 4) % kBuckets; }

    CBucketMap() { ClearHeads(); }

    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

    void clear()
    {
        m_nodes.clear();
        m_nodes.shrink_to_fit();
        m_free.clear();
        m_free.shrink_to_fit();
        m_index.clear();
        m_dense.clear();
        m_dense.shrink_to_fit();
        m_bDense = true;
        m_count = 0;
        ClearHeads();
    }

    void reserve(std::size_t n)
    {
        m_nodes.reserve(n);
        if (!m_bDense)
            m_index.reserve(n, KeyOf{this});
    }

    // Node number of the key, or npos. Node numbers stay valid until the key is removed.
    std::uint32_t NodeOf(Key key) const
    {
        const std::uint32_t k = static_cast<std::uint32_t>(key);
        if (m_bDense)
            return k < m_dense.size() ? m_dense[k] : npos;
        return m_index.find(k, KeyOf{this});
    }
    Value& NodeValue(std::uint32_t node) { return m_nodes[node].value; }
    const Value& NodeValue(std::uint32_t node) const { return m_nodes[node].value; }
    Key NodeKey(std::uint32_t node) const { return m_nodes[node].key; }
    // One more than the highest node number in use (free nodes included).
    std::size_t NodeCount() const { return m_nodes.size(); }

    // True when node a is met before node b in enumeration order.
    bool NodeBefore(std::uint32_t a, std::uint32_t b) const
    {
        const unsigned ba = Bucket(m_nodes[a].key), bb = Bucket(m_nodes[b].key);
        if (ba != bb)
            return ba < bb;
        return m_nodes[a].seq > m_nodes[b].seq;  // later insertions stand nearer the head
    }

    // A number that grows along the enumeration order, for sorting nodes by it.
    std::uint64_t OrderKey(std::uint32_t node) const
    {
        return (std::uint64_t{Bucket(m_nodes[node].key)} << 32) | (0xFFFFFFFFu - m_nodes[node].seq);
    }

    Value* Find(Key key)
    {
        const std::uint32_t n = NodeOf(key);
        return n == npos ? nullptr : &m_nodes[n].value;
    }
    const Value* Find(Key key) const
    {
        const std::uint32_t n = NodeOf(key);
        return n == npos ? nullptr : &m_nodes[n].value;
    }

    // Stores the value under the key; returns the node and whether the key is new.
    std::pair<std::uint32_t, bool> Set(Key key, Value value)
    {
        std::uint32_t n = NodeOf(key);
        if (n != npos) {
            m_nodes[n].value = std::move(value);
            return {n, false};
        }
        n = Allocate(std::move(value));
        if (m_seq == 0xFFFFFFFFu)
            Renumber();
        Node& node = m_nodes[n];
        node.key = key;
        node.seq = ++m_seq;
        const unsigned b = Bucket(key);
        node.prev = npos;
        node.next = m_heads[b];
        if (node.next != npos)
            m_nodes[node.next].prev = n;
        m_heads[b] = n;
        Index(n);
        ++m_count;
        return {n, true};
    }

    bool Remove(Key key)
    {
        const std::uint32_t n = NodeOf(key);
        if (n == npos)
            return false;
        if (m_bDense)
            m_dense[static_cast<std::uint32_t>(key)] = npos;
        else
            m_index.erase(n, KeyOf{this});
        Node& node = m_nodes[n];
        if (node.prev != npos)
            m_nodes[node.prev].next = node.next;
        else
            m_heads[Bucket(key)] = node.next;
        if (node.next != npos)
            m_nodes[node.next].prev = node.prev;
        node.value = Value{};
        m_free.push_back(n);
        --m_count;
        return true;
    }

    // Where a stored key stands: after the key `prev` of its bucket (at the
    // head when there is none), with its insertion stamp.
    struct Place {
        Key prev{};
        bool atHead = true;
        std::uint32_t seq = 0;
    };
    Place PlaceOf(Key key) const
    {
        Place place;
        const std::uint32_t n = NodeOf(key);
        if (n == npos)
            return place;
        place.seq = m_nodes[n].seq;
        if (m_nodes[n].prev != npos) {
            place.atHead = false;
            place.prev = m_nodes[m_nodes[n].prev].key;
        }
        return place;
    }

    // Stores an absent key at a place taken by PlaceOf while the container
    // stood as it stands now: the enumeration order becomes the one it was.
    // A place whose key `prev` is not stored (or not in the key's bucket)
    // puts the key at its bucket's head. A stored key only takes the value.
    std::uint32_t Insert(Key key, Value value, const Place& place)
    {
        std::uint32_t n = NodeOf(key);
        if (n != npos) {
            m_nodes[n].value = std::move(value);
            return n;
        }
        const unsigned b = Bucket(key);
        std::uint32_t prev = place.atHead ? npos : NodeOf(place.prev);
        if (prev != npos && Bucket(m_nodes[prev].key) != b)
            prev = npos;
        n = Allocate(std::move(value));
        Node& node = m_nodes[n];
        node.key = key;
        node.prev = prev;
        node.next = prev == npos ? m_heads[b] : m_nodes[prev].next;
        if (node.next != npos)
            m_nodes[node.next].prev = n;
        if (prev == npos)
            m_heads[b] = n;
        else
            m_nodes[prev].next = n;
        // A stamp between the neighbours' keeps NodeBefore true to the order.
        const std::uint32_t lo = node.next == npos ? 0 : m_nodes[node.next].seq;
        node.seq = 0;
        if (prev == npos) {
            if (place.seq > lo)
                node.seq = place.seq;
            else if (m_seq != 0xFFFFFFFFu)
                node.seq = m_seq + 1;
        } else {
            const std::uint32_t hi = m_nodes[prev].seq;
            if (place.seq > lo && place.seq < hi)
                node.seq = place.seq;
            else if (hi - lo > 1)
                node.seq = lo + (hi - lo) / 2;
        }
        if (node.seq == 0)
            Renumber();  // no stamp left between them: number the whole order afresh
        else
            m_seq = std::max(m_seq, node.seq);
        Index(n);
        ++m_count;
        return n;
    }

    class const_iterator {
    public:
        const_iterator(const CBucketMap* map, unsigned bucket, std::uint32_t node)
            : m_map(map), m_bucket(bucket), m_node(node)
        {
            Settle();
        }
        std::pair<Key, const Value&> operator*() const
        {
            return {m_map->m_nodes[m_node].key, m_map->m_nodes[m_node].value};
        }
        std::uint32_t node() const { return m_node; }
        Key key() const { return m_map->m_nodes[m_node].key; }
        const Value& value() const { return m_map->m_nodes[m_node].value; }
        const_iterator& operator++()
        {
            m_node = m_map->m_nodes[m_node].next;
            Settle();
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_bucket == o.m_bucket && m_node == o.m_node; }

    private:
        void Settle()
        {
            while (m_node == npos && m_bucket < kBuckets) {
                if (++m_bucket < kBuckets)
                    m_node = m_map->m_heads[m_bucket];
            }
        }
        const CBucketMap* m_map;
        unsigned m_bucket;
        std::uint32_t m_node;
    };

    const_iterator begin() const { return const_iterator(this, 0, m_heads[0]); }
    const_iterator end() const { return const_iterator(this, kBuckets, npos); }

    // Visits every entry in enumeration order with a changeable value.
    template <class F>
    void ForEach(F f)
    {
        for (unsigned b = 0; b < kBuckets; ++b)
            for (std::uint32_t n = m_heads[b]; n != npos; n = m_nodes[n].next)
                f(m_nodes[n].key, m_nodes[n].value);
    }

private:
    struct Node {
        Value value;
        Key key{};
        std::uint32_t next = npos;
        std::uint32_t prev = npos;
        std::uint32_t seq = 0;  // insertion stamp: within a bucket, higher stands nearer the head
    };

    struct KeyOf {
        const CBucketMap* map;
        std::uint32_t operator()(std::uint32_t n) const { return static_cast<std::uint32_t>(map->m_nodes[n].key); }
    };

    std::uint32_t Allocate(Value value)
    {
        if (!m_free.empty()) {
            const std::uint32_t n = m_free.back();
            m_free.pop_back();
            m_nodes[n].value = std::move(value);
            return n;
        }
        m_nodes.push_back(Node{std::move(value)});
        return static_cast<std::uint32_t>(m_nodes.size() - 1);
    }

    // Enters a node under its key in the lookup index.
    void Index(std::uint32_t n)
    {
        if (m_bDense) {
            const std::uint64_t k = static_cast<std::uint32_t>(m_nodes[n].key);
            if (k < m_dense.size()) {
                m_dense[k] = n;
                return;
            }
            // A key far beyond the others (a file's stray id, a negative
            // plane) would make the table huge: index by hash from now on.
            if (k <= 2 * static_cast<std::uint64_t>(m_count) + 4096) {
                m_dense.resize(std::max<std::uint64_t>(k + 1, m_dense.size() + m_dense.size() / 2), npos);
                m_dense[k] = n;
                return;
            }
            m_bDense = false;
            m_dense.clear();
            m_dense.shrink_to_fit();
            m_index.reserve(m_nodes.size(), KeyOf{this});
            for (unsigned b = 0; b < kBuckets; ++b)
                for (std::uint32_t i = m_heads[b]; i != npos; i = m_nodes[i].next)
                    if (i != n)
                        m_index.insert(i, KeyOf{this});
        }
        m_index.insert(n, KeyOf{this});
    }

    // Gives the stamps out afresh, keeping the order, when they run out.
    void Renumber()
    {
        m_seq = 0;
        for (unsigned b = 0; b < kBuckets; ++b) {
            std::uint32_t tail = npos;
            for (std::uint32_t n = m_heads[b]; n != npos; n = m_nodes[n].next)
                tail = n;
            for (std::uint32_t n = tail; n != npos; n = m_nodes[n].prev)
                m_nodes[n].seq = ++m_seq;
        }
    }

    void ClearHeads()
    {
        for (auto& h : m_heads)
            h = npos;
    }

    std::vector<Node> m_nodes;
    std::vector<std::uint32_t> m_free;
    CNodeIndex<std::uint32_t, CIdHash> m_index;
    std::vector<std::uint32_t> m_dense;  // node by key, while m_bDense
    bool m_bDense = true;
    std::uint32_t m_heads[kBuckets];
    std::uint32_t m_seq = 0;
    std::size_t m_count = 0;
};
