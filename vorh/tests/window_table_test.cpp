#include <gtest/gtest.h>

#include <set>
#include <string>

#include "vorh/window_table.h"

using vorh::CWindowTable;
using vorh::kFlagDockable;
using vorh::kFlagDocked;

namespace {
bool AnyWindow(vorh::WindowHandle) { return true; }
}  // namespace

TEST(WindowTable, SecondRegistrationKeepsTheFirstIdentifier)
{
    CWindowTable table;
    EXPECT_FALSE(table.Register(0x100, "first"));
    EXPECT_TRUE(table.Register(0x100, "second"));
    ASSERT_NE(table.Find(0x100), nullptr);
    EXPECT_EQ(table.Find(0x100)->m_strIdentifier, "first");

    table.Remove(0x100);
    EXPECT_FALSE(table.IsDockable(0x100));
    EXPECT_FALSE(table.Register(0x100, "second"));
    EXPECT_EQ(table.Find(0x100)->m_strIdentifier, "second");
    EXPECT_EQ(table.Size(), 1u);
}

TEST(WindowTable, DockedBitChangesOnlyExistingEntries)
{
    CWindowTable table;
    table.SetDocked(0x200);
    EXPECT_EQ(table.Size(), 0u);
    table.Register(0x200, "tool");
    EXPECT_TRUE(table.IsDockable(0x200));
    EXPECT_FALSE(table.IsDocked(0x200));

    table.SetDocked(0x200);
    table.SetDocked(0x200);
    EXPECT_EQ(table.Find(0x200)->m_nFlags, kFlagDockable | kFlagDocked);
    table.ClearDocked(0x200);
    table.ClearDocked(0x200);
    EXPECT_EQ(table.Find(0x200)->m_nFlags, kFlagDockable);
    EXPECT_EQ(table.Find(0x200)->m_strIdentifier, "tool");

    table.ClearDocked(0x300);
    EXPECT_EQ(table.Size(), 1u);
}

TEST(WindowTable, FindByIdentifierWalksHandlesInUnsignedOrder)
{
    CWindowTable table;
    table.Register(0x80000010u, "map");  // negative as a signed value
    table.Register(0x00000020u, "map");
    table.Register(0x00000010u, "Map");
    EXPECT_EQ(table.FindByIdentifier("map", AnyWindow), 0x20u);
    EXPECT_EQ(table.FindByIdentifier("Map", AnyWindow), 0x10u);
    EXPECT_EQ(table.FindByIdentifier("ma", AnyWindow), 0u);
    EXPECT_EQ(table.FindByIdentifier("map ", AnyWindow), 0u);

    std::set<vorh::WindowHandle> dead{0x20u};
    auto alive = [&](vorh::WindowHandle h) { return !dead.count(h); };
    EXPECT_EQ(table.FindByIdentifier("map", alive), 0x80000010u);
    dead.insert(0x80000010u);
    EXPECT_EQ(table.FindByIdentifier("map", alive), 0u);
    EXPECT_EQ(table.Size(), 3u);  // entries of dead windows stay
    EXPECT_TRUE(table.IsDockable(0x20u));
}

TEST(WindowTable, CopyIdentifier)
{
    CWindowTable table;
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(table.CopyIdentifier(0x10, buffer), 0);
    EXPECT_STREQ(buffer, "xxxxxxx");

    table.Register(0x10, "");
    EXPECT_EQ(table.CopyIdentifier(0x10, buffer), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'x');

    table.Register(0x20, "abc");
    EXPECT_EQ(table.CopyIdentifier(0x20, nullptr), 0);
    EXPECT_EQ(table.CopyIdentifier(0x20, buffer), 3);
    EXPECT_STREQ(buffer, "abc");
}

TEST(WindowTable, HugeIdentifiersAreKeptWhole)
{
    CWindowTable table;
    std::string strLong(10000, 'q');
    strLong[9999] = 'z';
    table.Register(0x30, strLong);
    std::string buffer(10002, '#');
    EXPECT_EQ(table.CopyIdentifier(0x30, buffer.data()), 10000);
    EXPECT_EQ(buffer.substr(0, 10000), strLong);
    EXPECT_EQ(buffer[10000], '\0');
    EXPECT_EQ(buffer[10001], '#');
    EXPECT_EQ(table.FindByIdentifier(strLong, AnyWindow), 0x30u);
    EXPECT_EQ(table.FindByIdentifier(strLong.substr(0, 9999), AnyWindow), 0u);
}
