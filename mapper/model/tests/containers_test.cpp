#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "mapper/model/bucket_map.h"
#include <set>

#include "mapper/model/flat_index.h"

namespace {
std::vector<std::uint32_t> Keys(const CBucketMap<std::uint32_t, int>& m)
{
    std::vector<std::uint32_t> keys;
    for (auto it = m.begin(); it != m.end(); ++it)
        keys.push_back(it.key());
    return keys;
}
}  // namespace

TEST(BucketMap, EnumeratesBucketsInOrderNewestKeyFirstWithinABucket)
{
    CBucketMap<std::uint32_t, int> m;
    // Buckets: (k >> 4) % 17. 1..15 share bucket 0; 16 is bucket 1; 17*16=272 is bucket 0 again.
    for (std::uint32_t k : {1u, 2u, 16u, 272u, 3u})
        m.Set(k, int(k));
    EXPECT_EQ(Keys(m), (std::vector<std::uint32_t>{3, 272, 2, 1, 16}));
}

TEST(BucketMap, StoringAnExistingKeyKeepsItsPlaceAndRemovalKeepsTheRest)
{
    CBucketMap<std::uint32_t, int> m;
    for (std::uint32_t k : {1u, 2u, 3u})
        m.Set(k, 0);
    EXPECT_FALSE(m.Set(2, 7).second);
    EXPECT_EQ(Keys(m), (std::vector<std::uint32_t>{3, 2, 1}));
    EXPECT_EQ(*m.Find(2), 7);
    EXPECT_TRUE(m.Remove(3));
    EXPECT_FALSE(m.Remove(3));
    m.Set(4, 0);  // reuses the freed node, still goes to the head
    EXPECT_EQ(Keys(m), (std::vector<std::uint32_t>{4, 2, 1}));
    EXPECT_EQ(m.Find(3), nullptr);
    EXPECT_EQ(m.size(), 3u);
}

TEST(BucketMap, NegativeKeysUseTheirUnsignedValue)
{
    CBucketMap<std::int32_t, int> m;
    m.Set(-3, 1);  // 0xFFFFFFFD >> 4 = 268435455, % 17 = 15
    m.Set(0, 2);
    std::vector<std::int32_t> keys;
    for (auto it = m.begin(); it != m.end(); ++it)
        keys.push_back(it.key());
    EXPECT_EQ(keys, (std::vector<std::int32_t>{0, -3}));
    EXPECT_EQ((CBucketMap<std::int32_t, int>::Bucket(-3)), 15u);
}

TEST(NodeIndex, AgreesWithStdMapUnderRandomInsertsAndErases)
{
    // Nodes are numbers whose key is node % 5000: several nodes share a key.
    std::vector<std::uint32_t> keyOfNode(40000);
    auto keyOf = [&](std::uint32_t n) { return keyOfNode[n]; };
    CNodeIndex<std::uint32_t, CIdHash> index;
    std::map<std::uint32_t, std::multiset<std::uint32_t>> reference;
    std::vector<bool> indexed(keyOfNode.size());
    std::mt19937 rng(7);
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t node = rng() % keyOfNode.size();
        if (indexed[node]) {
            EXPECT_TRUE(index.erase(node, keyOf));
            reference[keyOfNode[node]].erase(node);
            indexed[node] = false;
        } else {
            keyOfNode[node] = rng() % 5000;
            index.insert(node, keyOf);
            reference[keyOfNode[node]].insert(node);
            indexed[node] = true;
        }
    }
    std::size_t total = 0;
    for (std::uint32_t key = 0; key < 5000; ++key) {
        std::multiset<std::uint32_t> found;
        index.for_each(key, keyOf, [&](std::uint32_t n) { found.insert(n); });
        EXPECT_EQ(found, reference[key]) << key;
        total += found.size();
        const std::uint32_t first = index.find(key, keyOf);
        EXPECT_EQ((first == CNodeIndex<std::uint32_t, CIdHash>::npos), found.empty());
    }
    EXPECT_EQ(total, index.size());
}

TEST(BucketMap, AReAddedKeyGoesToTheHeadOfItsBucket)
{
    CBucketMap<std::uint32_t, int> m;
    for (std::uint32_t k = 1; k <= 40; ++k)
        m.Set(k, 0);
    for (int round = 0; round < 1000; ++round) {
        m.Remove(7);
        m.Set(7, round);
    }
    const auto keys = Keys(m);
    EXPECT_EQ(keys.front(), 7u);
    EXPECT_EQ(keys[1], 15u);
    EXPECT_EQ(keys.size(), 40u);
    EXPECT_EQ(*m.Find(7), 999);
}

TEST(BucketMap, AFarKeyChangesTheLookupWithoutLosingEntriesOrOrder)
{
    CBucketMap<std::uint32_t, int> m;
    for (std::uint32_t k = 1; k <= 300; ++k)
        m.Set(k, int(k));
    const auto before = Keys(m);
    m.Remove(150);
    m.Set(0xFFFFFFF0u, -1);  // far beyond the counter: a stray id from a file
    m.Set(0u, 0);
    for (std::uint32_t k = 1; k <= 300; ++k) {
        if (k == 150)
            EXPECT_EQ(m.Find(k), nullptr);
        else
            ASSERT_NE(m.Find(k), nullptr) << k;
    }
    EXPECT_EQ(*m.Find(0xFFFFFFF0u), -1);
    EXPECT_EQ(*m.Find(0u), 0);
    EXPECT_EQ(m.Find(301), nullptr);
    EXPECT_TRUE(m.Remove(0xFFFFFFF0u));
    EXPECT_TRUE(m.Remove(0u));
    m.Set(150, 150);
    EXPECT_EQ(Keys(m).size(), before.size());
    m.clear();
    m.Set(7, 7);  // a cleared map starts over
    EXPECT_EQ(*m.Find(7), 7);
}

namespace {
// True when NodeBefore agrees with the enumeration order for every pair of a bucket's neighbours.
bool StampsFollowOrder(const CBucketMap<std::uint32_t, int>& m)
{
    std::vector<std::uint32_t> nodes;
    for (auto it = m.begin(); it != m.end(); ++it)
        nodes.push_back(it.node());
    for (std::size_t i = 1; i < nodes.size(); ++i)
        if (!m.NodeBefore(nodes[i - 1], nodes[i]))
            return false;
    return true;
}
}  // namespace

TEST(BucketMap, InsertAtARemovedKeysPlaceRestoresTheOrderExactly)
{
    // Removals undone in reverse order, each at the place it had, under random
    // sets and removals: the order and the stamps come back as they were.
    std::mt19937 rng(7);
    CBucketMap<std::uint32_t, int> m;
    for (int round = 0; round < 200; ++round) {
        for (int i = 0; i < 30; ++i)
            m.Set(rng() % 600, i);
        const std::vector<std::uint32_t> before = Keys(m);
        struct Removed {
            std::uint32_t key;
            int value;
            CBucketMap<std::uint32_t, int>::Place place;
        };
        std::vector<Removed> removed;
        for (int i = 0; i < 10 && !m.empty(); ++i) {
            const std::uint32_t key = Keys(m)[rng() % m.size()];
            removed.push_back({key, *m.Find(key), m.PlaceOf(key)});
            m.Remove(key);
        }
        for (auto it = removed.rbegin(); it != removed.rend(); ++it)
            m.Insert(it->key, it->value, it->place);
        ASSERT_EQ(Keys(m), before) << "round " << round;
        ASSERT_TRUE(StampsFollowOrder(m));
        // Later keys still go to their bucket's head.
        m.Set(1000 + round, 0);
        ASSERT_EQ(Keys(m).size(), before.size() + 1);
        ASSERT_TRUE(StampsFollowOrder(m));
    }
}

TEST(BucketMap, InsertWithAStaleStampOrAMissingNeighbourStillKeepsOrderSound)
{
    CBucketMap<std::uint32_t, int> m;
    for (std::uint32_t k : {1u, 2u, 3u, 4u})
        m.Set(k, int(k));  // bucket 0: 4 3 2 1
    CBucketMap<std::uint32_t, int>::Place place;
    place.atHead = false;
    place.prev = 3;
    place.seq = 99;  // outside the neighbours' stamps: one between them is chosen
    m.Insert(9, 9, place);
    EXPECT_EQ(Keys(m), (std::vector<std::uint32_t>{4, 3, 9, 2, 1}));
    EXPECT_TRUE(StampsFollowOrder(m));
    place.prev = 500;  // not stored: the key goes to the head
    m.Insert(10, 10, place);
    EXPECT_EQ(Keys(m).front(), 10u);
    place.prev = 16;  // another bucket: the head as well
    m.Set(16, 16);
    m.Insert(11, 11, place);
    EXPECT_EQ(Keys(m).front(), 11u);
    EXPECT_TRUE(StampsFollowOrder(m));
    // No stamp left between two neighbours: the stamps are given out afresh.
    std::vector<std::uint32_t> expect = Keys(m);
    for (std::uint32_t j = 1; j <= 40; ++j) {
        CBucketMap<std::uint32_t, int>::Place between;
        between.atHead = false;
        between.prev = 3;
        m.Insert(272 * j, int(j), between);  // bucket 0, each right after 3
        expect.insert(std::find(expect.begin(), expect.end(), 3u) + 1, 272 * j);
        ASSERT_EQ(Keys(m), expect);
        ASSERT_TRUE(StampsFollowOrder(m));
    }
    m.Set(12, 12);
    EXPECT_EQ(Keys(m).front(), 12u);
    EXPECT_TRUE(StampsFollowOrder(m));
}
