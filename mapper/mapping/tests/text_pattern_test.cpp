#include <gtest/gtest.h>

#include "mapper/mapping/direction_aliases.h"
#include "mapper/mapping/follow_triggers.h"
#include "mapper/mapping/text_pattern.h"

namespace {

CTextPattern Pattern(const std::string& source, const char* name = nullptr, int number = 9)
{
    CTextPattern p;
    if (name)
        p.AddNamedPlaceholder(name, number);
    p.SetPattern(source);
    return p;
}

TEST(TextPattern, CompilesNamedPlaceholderIntoTokens)
{
    CTextPattern p = Pattern("Bob leaves %dir.", "dir");
    EXPECT_EQ(p.GetTokens(), (std::vector<std::string>{"bob leaves ", "%9", "."}));
    EXPECT_EQ(p.GetTokenCount(), 3);
    EXPECT_EQ(p.GetHighestNumber(), 9);
    ASSERT_TRUE(p.Match("Bob leaves north."));
    EXPECT_EQ(p.GetValue("dir"), "north");
    EXPECT_EQ(p.GetValue("unknown"), "");  // number 0, never captured
}

TEST(TextPattern, CapturesAreLowerCaseTrimmedAndUnanchored)
{
    CTextPattern p = Pattern("%1 tells you");
    ASSERT_TRUE(p.Match("  Ann tells you hello"));
    EXPECT_EQ(p.GetNumberedValue(1), "ann");
    EXPECT_TRUE(Pattern("you follow").Match("You follow Ann north."));
}

TEST(TextPattern, TrailingPlaceholderTakesRestOfLine)
{
    CTextPattern p = Pattern("%name arrives from %1", "name");
    ASSERT_TRUE(p.Match("Ann arrives from the north "));
    EXPECT_EQ(p.GetValue("name"), "ann");
    EXPECT_EQ(p.GetNumberedValue(1), "the north");
}

TEST(TextPattern, EmptyLineOrPatternNeverMatchesAndKeepsValues)
{
    CTextPattern p = Pattern("%1 waves");
    ASSERT_TRUE(p.Match("Ann waves"));
    EXPECT_FALSE(p.Match(""));
    EXPECT_EQ(p.GetNumberedValue(1), "ann");
    EXPECT_FALSE(Pattern("").Match("anything"));
}

TEST(TextPattern, FailedMatchClearsEveryValue)
{
    CTextPattern p = Pattern("%1 waves");
    ASSERT_TRUE(p.Match("Ann waves"));
    EXPECT_FALSE(p.Match("Ann smiles"));
    EXPECT_EQ(p.GetNumberedValue(1), "");
}

TEST(TextPattern, OddPlaceholdersAreLiterals)
{
    // "%12" is placeholder 1 and the literal "2".
    CTextPattern p = Pattern("x %12 y");
    EXPECT_EQ(p.GetTokens(), (std::vector<std::string>{"x ", "%1", "2 y"}));
    ASSERT_TRUE(p.Match("x abc2 y"));
    EXPECT_EQ(p.GetNumberedValue(1), "abc");
    // "%0", "%a" and a lone "%" are searched for as text.
    EXPECT_TRUE(Pattern("50%").Match("at 50% now"));
    EXPECT_FALSE(Pattern("a%0b").Match("ab"));
    EXPECT_TRUE(Pattern("a%0b").Match("A%0B"));
    EXPECT_TRUE(Pattern("%name").Match("text %name here"));  // no such name: "%n" is literal
    EXPECT_FALSE(Pattern("%name").Match("text bob here"));
}

TEST(TextPattern, TwoPlaceholdersInARowLeaveTheFirstEmpty)
{
    CTextPattern p = Pattern("%1%2 end");
    ASSERT_TRUE(p.Match("foo end"));
    EXPECT_EQ(p.GetNumberedValue(1), "");
    EXPECT_EQ(p.GetNumberedValue(2), "foo");
}

TEST(TextPattern, HighestNumberNeverDecreases)
{
    CTextPattern p;
    p.SetPattern("%5 x");
    p.SetPattern("%1 y");
    EXPECT_EQ(p.GetHighestNumber(), 5);
    ASSERT_TRUE(p.Match("a y"));
    EXPECT_EQ(p.GetNumberedValue(1), "a");
    EXPECT_EQ(p.GetNumberedValue(7), "");  // beyond the highest: empty, no read past the values
}

TEST(TextPattern, HostileLines)
{
    CTextPattern p = Pattern("%1 says %2");
    std::string big(1 << 20, 'a');
    big += " says ";
    big += std::string(100, '\xE9');
    ASSERT_TRUE(p.Match(big));
    EXPECT_EQ(p.GetNumberedValue(1).size(), std::size_t(1) << 20);
    EXPECT_EQ(p.GetNumberedValue(2), std::string(100, '\xE9'));  // bytes above 0x7F untouched
    const std::string withNul("x\0y says z", 10);
    ASSERT_TRUE(p.Match(withNul));
    EXPECT_EQ(p.GetNumberedValue(1), std::string("x\0y", 3));
}

TEST(FollowTriggers, DirectionLineWithoutConfirmation)
{
    CFollowTriggers t;
    t.SetDirection("%name leaves %dir.");
    t.SetStop("You stop following %name.");
    EXPECT_EQ(t.ProcessLine("Bob leaves north."), "");  // inactive
    t.SetName("Bob");
    EXPECT_EQ(t.GetDirectionPattern().GetTokens(), (std::vector<std::string>{"bob leaves ", "%9", "."}));
    EXPECT_EQ(t.ProcessLine("Ann leaves north."), "");
    EXPECT_EQ(t.ProcessLine("Bob leaves north."), "north");
    EXPECT_EQ(t.ProcessLine("You stop following Bob."), CFollowTriggers::kStop);
    EXPECT_FALSE(t.IsActive());
    EXPECT_EQ(t.ProcessLine("Bob leaves south."), "");
}

TEST(FollowTriggers, ConfirmationLineCarriesTheEarlierDirection)
{
    CFollowTriggers t;
    t.SetDirection("%name leaves %dir.");
    t.SetFollow("You follow %name.");
    t.SetName("Bob");
    EXPECT_EQ(t.ProcessLine("Bob leaves east."), "");
    EXPECT_TRUE(t.IsWaiting());
    EXPECT_EQ(t.ProcessLine("Something else."), "");
    EXPECT_EQ(t.ProcessLine("You follow Bob."), "east");
    EXPECT_FALSE(t.IsWaiting());
}

TEST(FollowTriggers, CapitalNameIsNotReplacedInDirectionTrigger)
{
    CFollowTriggers t;
    t.SetDirection("%Name leaves %dir.");
    t.SetName("Bob");
    EXPECT_EQ(t.ProcessLine("Bob leaves north."), "");
    // After lower-casing, "%n" is a literal token: only a line that holds it matches.
    EXPECT_EQ(t.GetDirectionPattern().GetTokens().front(), "%n");
}

TEST(FollowTriggers, ActivationCapturesLowerCaseName)
{
    CFollowTriggers t;
    t.SetActivation("%Name beckons you");  // named placeholder replaced after lower-casing
    t.SetDirection("%name leaves %dir.");
    EXPECT_TRUE(t.IsConfigured());
    EXPECT_FALSE(t.CheckActivation("Nobody here"));
    EXPECT_TRUE(t.CheckActivation("Carol beckons you."));
    EXPECT_EQ(t.GetName(), "carol");
    EXPECT_EQ(t.ProcessLine("Carol leaves up."), "up");
    t.Deactivate();
    EXPECT_FALSE(t.IsActive());
}

TEST(DirectionAliases, DefaultPrefixesFollowRegistrationOrder)
{
    CDirectionAliases a;
    a.InstallDefaults();
    EXPECT_EQ(a.Lookup("no"), DIR_N);
    EXPECT_EQ(a.Lookup("nort"), DIR_N);
    EXPECT_EQ(a.Lookup("northe"), DIR_NE);
    EXPECT_EQ(a.Lookup("ne"), DIR_NE);
    EXPECT_EQ(a.Lookup("so"), DIR_S);
    EXPECT_EQ(a.Lookup("southw"), DIR_SW);
    EXPECT_EQ(a.Lookup("do"), DIR_D);
    EXPECT_EQ(a.Lookup("NW"), DIR_NW);
    EXPECT_EQ(a.Lookup("north "), DIR_NONE);
    EXPECT_EQ(a.Lookup("look"), DIR_NONE);
    EXPECT_EQ(a.Lookup(""), DIR_NONE);
}

TEST(DirectionAliases, WholeAliasTakesItsKeyButOldKeysStay)
{
    CDirectionAliases a;
    a.InstallDefaults();
    a.SetShort(DIR_U, "n");  // the whole alias always maps to its own direction
    EXPECT_EQ(a.Lookup("n"), DIR_U);
    a.SetLong(DIR_N, "forward");
    EXPECT_EQ(a.Lookup("north"), DIR_N);  // the slot's earlier keys stay
    EXPECT_EQ(a.Lookup("FORW"), DIR_N);
    a.ClearLookup();
    EXPECT_EQ(a.Lookup("forward"), DIR_NONE);
    EXPECT_EQ(a.GetLong(DIR_N), "forward");
    a.Clear();
    EXPECT_EQ(a.GetShort(DIR_U), "");
    EXPECT_EQ(a.GetLong(42), "");
    a.SetLong(-1, "x");  // ignored
    EXPECT_EQ(a.Lookup("x"), DIR_NONE);
}

// Letter case is folded for A to Z only: an 8-bit capital such as 0xC9
// matches only itself, in aliases and in trigger patterns alike.
TEST(TextPattern, OnlyAsciiLettersAreFoldedInAliasesAndTriggers)
{
    CDirectionAliases a;
    a.SetLong(DIR_E, "\xC9ST");
    EXPECT_EQ(a.Lookup("\xC9st"), DIR_E);
    EXPECT_EQ(a.Lookup("\xC9S"), DIR_E);
    EXPECT_EQ(a.Lookup("\xE9st"), DIR_NONE);
    CTextPattern p = Pattern("%1 part vers l'\xC9st");
    ASSERT_TRUE(p.Match("\xC9LODIE PART VERS L'\xC9ST"));
    EXPECT_EQ(p.GetNumberedValue(1), "\xC9lodie");
    EXPECT_FALSE(p.Match("Elodie part vers l'\xE9st"));
}

}  // namespace
