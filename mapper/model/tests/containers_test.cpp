#include <gtest/gtest.h>

#include <map>
#include <random>

#include "mapper/model/bucket_map.h"
#include "mapper/model/cell_index.h"

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

TEST(FlatIndex, AgreesWithStdMapUnderRandomInsertsAndErases)
{
    CFlatIndex<std::uint32_t, CIdHash> index;
    std::map<std::uint32_t, std::uint32_t> reference;
    std::mt19937 rng(7);
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t key = rng() % 5000;
        if (rng() % 3 == 0) {
            EXPECT_EQ(index.erase(key), reference.erase(key) == 1);
        } else {
            index.set(key, i);
            reference[key] = i;
        }
    }
    ASSERT_EQ(index.size(), reference.size());
    for (std::uint32_t key = 0; key < 5000; ++key) {
        auto it = reference.find(key);
        using Index = CFlatIndex<std::uint32_t, CIdHash>;
        EXPECT_EQ(index.find(key), it == reference.end() ? Index::npos : it->second);
    }
}

TEST(CellIndex, FirstPicksByTheGivenOrderAndSurvivesRemovals)
{
    CCellIndex cells;
    const CCellKey c{1, 2, 3};
    cells.Add(c, 10);
    cells.Add(c, 5);
    cells.Add(c, 7);
    auto smallest = [](std::uint32_t a, std::uint32_t b) { return a < b; };
    EXPECT_EQ(cells.First(c, smallest), 5u);
    cells.Remove(c, 5);
    EXPECT_EQ(cells.First(c, smallest), 7u);
    cells.Remove(c, 10);
    cells.Remove(c, 7);
    EXPECT_EQ(cells.First(c, smallest), CCellIndex::npos);
    EXPECT_EQ(cells.First({1, 2, 4}, smallest), CCellIndex::npos);
}
