// TinTin++ files that cannot be read: one line saying why, the document as
// after New, and no crash or memory blow-up, whatever the bytes.
#include <gtest/gtest.h>

#include <random>

#include "mapper/formats/tests/tintin_test_support.h"
#include "mapper/model/tests/test_support.h"

namespace {
struct CBadCase {
    const char* what;
    std::string text;
    std::string error;
};

TEST(TintinBadInput, EachFailsWithOneLineAndLeavesANewMap)
{
    const std::string room = "R {1} {0} {} {Kept?} { } {} {} {} {} {} {1.000} {}\n";
    const CBadCase cases[] = {
        {"empty", "", "not a TinTin++ map: the file is empty"},
        {"first line not C", "V 2020\nC 50000\n" + room, "not a TinTin++ map: the first line is not \"C <size>\""},
        {"a .vmm file", std::string("\x0bVorMapper\x02\0\0\0", 15), "not a TinTin++ map: the first line is not \"C <size>\""},
        {"# lines only", "#map create\n#system touch x\n", "not a TinTin++ map: the first line is not \"C <size>\""},
        {"# lines after C", "C 50000\n#system touch x\n#end\n", "the map holds no rooms"},
        {"void rooms only", "C 50000\nR {1} {8} {} {} { } {} {} {} {} {} {1.000} {}\n",
         "the map holds no rooms but void rooms"},
        {"brace never closed", "C 50000\n" + room + "R {2} {0} {} {open\n" + room,
         "unbalanced braces: the { on line 3 is never closed"},
        {"brace closing nothing", "C 50000\n" + room + "E {1}} {n} {n} {1}\n",
         "unbalanced braces: a } on line 3 closes nothing"},
        {"billion-room vnum", "C 50000\n" + room + "R {1000000000} {0} {} {} { } {} {} {} {} {} {1.000} {}\n",
         "room vnum 1000000000 on line 3 is above 16777215"},
        {"vnum of 30 digits", "C 50000\nR {123456789012345678901234567890} {0}\n",
         "room vnum 123456789012345678901234... on line 2 is above 16777215"},
    };
    for (const CBadCase& c : cases) {
        SCOPED_TRACE(c.what);
        CNewDoc doc;
        AddRoomAt(doc, 1, 0, 0, "before");
        CFormatReport report;
        std::string error;
        ASSERT_FALSE(ReadTintin(doc, c.text, report, error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(doc.GetRooms().size(), 1u);
        EXPECT_TRUE(doc.GetRooms().Find(1));
        EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "");
    }
}

TEST(TintinBadInput, ASmallFaultCostsOnlyItsLine)
{
    CVorMapperDoc doc;
    CFormatReport report;
    std::string error;
    ASSERT_TRUE(ReadTintin(doc,
                           "C 50000\nE {1} {n} {n} {1}\n"  // an exit before any room
                           "R {abc} {0}\nE {1} {n} {n} {1}\n"  // a room without a vnum, and its exit
                           "R {0} {0}\n"
                           "R {2} {0} {} {Kept} { } {} {} {} {} {} {1.000} {}\n"
                           "R {3} junk {0}\n",
                           report, error))
        << error;
    EXPECT_EQ(Titles(doc), (std::map<RoomId, std::string>{{2, "Kept"}}));
    EXPECT_EQ(Counted(report, "exits of no usable room"), 2u);
    EXPECT_EQ(Counted(report, "room lines without a valid vnum"), 3u);
}

TEST(TintinBadInput, LargeFilesOfJunkEndInAnErrorOrAMapNeverACrash)
{
    std::mt19937 rng(7);
    const std::string alphabet = "RE{} \n0123456789#CVI\r\t\x80\xff";
    for (int round = 0; round < 20; ++round) {
        std::string text = "C 50000\n";
        const std::size_t size = round == 0 ? 4'000'000 : 20'000;
        for (std::size_t i = 0; i < size; ++i)
            text += alphabet[rng() % alphabet.size()];
        CVorMapperDoc doc;
        CFormatReport report;
        std::string error;
        if (ReadTintin(doc, text, report, error))
            EXPECT_EQ(FindInconsistencies(doc), std::vector<std::string>{});
        else
            EXPECT_EQ(error.find('\n'), std::string::npos);
        EXPECT_GE(doc.GetRooms().size(), 1u);
    }
    // Lines of junk after the header, balanced: read, counted, no rooms.
    std::string junk = "C 50000\n";
    for (int i = 0; i < 200'000; ++i)
        junk += "Z {x} {y} {z}\n";
    CVorMapperDoc doc;
    CFormatReport report;
    std::string error;
    EXPECT_FALSE(ReadTintin(doc, junk, report, error));
    EXPECT_EQ(error, "the map holds no rooms");
    EXPECT_EQ(Counted(report, "unknown lines"), 200'000u);
}
}  // namespace
