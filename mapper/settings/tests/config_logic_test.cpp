// The decisions of the configuration sheet's pages.
#include <gtest/gtest.h>

#include "mapper/settings/config_logic.h"

TEST(ConfigLists, DeletingSelectsTheItemThatTookThePlaceOrTheNewLast)
{
    CStringListEdit list({"a", "b", "c"});
    EXPECT_EQ(list.Delete(1), 1);  // "c" moved up
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(list.Delete(1), 0);  // the last: the one before it
    EXPECT_EQ(list.Delete(0), -1);  // the only one: no selection
    EXPECT_TRUE(list.Items().empty());
    EXPECT_EQ(list.Delete(0), -1);  // nothing to delete
    EXPECT_EQ(list.Delete(-1), -1);
    EXPECT_EQ(list.Add(""), 0);  // empty entries are accepted
    EXPECT_EQ(list.Add("x"), 1);
    EXPECT_TRUE(list.Modify(0, "y"));
    EXPECT_FALSE(list.Modify(2, "z"));
    EXPECT_EQ(list.Items(), (std::vector<std::string>{"y", "x"}));
}

TEST(ConfigInfo, TitleLineTextShowsTheStoredValuePlusOne)
{
    EXPECT_EQ(TitleLineText(0), "Get the title from line 1");
    EXPECT_EQ(TitleLineText(9), "Get the title from line 10");
    EXPECT_EQ(TitleLineText(41), "Get the title from line 42");  // outside the slider's range
    EXPECT_EQ(TitleLineText(-1), "Get the title from line 0");
    EXPECT_EQ(TitleLineText(2147483647), "Get the title from line 2147483648");
}

TEST(ConfigAliases, ApplyClearsThenRegistersLongAndShortInDirectionOrder)
{
    CDirectionAliases aliases;
    aliases.InstallDefaults();
    std::array<std::string, kDirCount> longs{}, shorts{};
    longs[DIR_N] = "north";
    shorts[DIR_N] = "n";
    longs[DIR_NE] = "northeast";
    ApplyAliases(aliases, longs, shorts);
    EXPECT_EQ(aliases.GetLong(DIR_S), "");  // the old south went
    EXPECT_EQ(aliases.Lookup("so"), DIR_NONE);
    EXPECT_EQ(aliases.GetLong(DIR_NE), "northeast");
    // "n" and "no..." were registered by north first and stay north's.
    EXPECT_EQ(aliases.Lookup("n"), DIR_N);
    EXPECT_EQ(aliases.Lookup("northe"), DIR_NE);
}

TEST(ConfigFollow, AClearedBoxStoresAnEmptyFollowTrigger)
{
    CFollowTriggers triggers;
    triggers.SetActivation("%name starts");
    triggers.SetFollow("You follow %name");
    CFollowPageValues v = CFollowPageValues::From(triggers);
    EXPECT_TRUE(v.m_bFollowOn);
    v.m_bFollowOn = false;  // the text in the disabled edit is not kept
    v.ApplyTo(triggers);
    EXPECT_EQ(triggers.GetFollow(), "");
    EXPECT_EQ(triggers.GetActivation(), "%name starts");
    EXPECT_FALSE(CFollowPageValues::From(triggers).m_bFollowOn);
}
