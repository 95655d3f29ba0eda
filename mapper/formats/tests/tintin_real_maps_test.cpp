// Every real TinTin++ map of the shared test data imports with a report and
// no error, into a consistent map, and survives a write and a read.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "mapper/formats/tests/tintin_test_support.h"

namespace {
namespace fs = std::filesystem;

fs::path MapsFolder() { return fs::path(VORMAPPER_SOURCE_DIR) / ".." / "shared" / "data" / "tintin-maps"; }

std::vector<fs::path> RealMaps()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(MapsFolder()))
        if (entry.path().extension() == ".map")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Rooms as TinTin++ keeps them, counted apart from the reader: the R lines
// whose flags lack the void bit.
std::size_t RealRoomLines(const std::string& text)
{
    std::size_t rooms = 0;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("R ", 0) != 0)
            continue;
        const std::size_t open = line.find('{', line.find('}'));
        if ((std::stoul(line.substr(open + 1)) & 8) == 0)
            ++rooms;
    }
    return rooms;
}

class TintinRealMaps : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::is_directory(MapsFolder()))
            GTEST_SKIP() << "no real maps at " << MapsFolder();
    }
};

TEST_F(TintinRealMaps, EveryFileImportsConsistentWithAReport)
{
    const auto files = RealMaps();
    ASSERT_EQ(files.size(), 131u);
    for (const fs::path& path : files) {
        SCOPED_TRACE(path.filename().string());
        const std::string text = Slurp(path);
        CVorMapperDoc doc;
        CFormatReport report;
        std::string error;
        ASSERT_TRUE(ReadTintin(doc, text, report, error)) << error;
        EXPECT_FALSE(report.Empty());
        EXPECT_EQ(doc.GetRooms().size(), RealRoomLines(text));
        EXPECT_EQ(FindInconsistencies(doc), std::vector<std::string>{});

        // What the writer makes of it reads back to the same rooms and links.
        CFormatReport written;
        CVorMapperDoc again;
        ASSERT_TRUE(ReadTintin(again, WriteTintin(doc, written)));
        EXPECT_EQ(Titles(again), Titles(doc));
        EXPECT_EQ(LinkEnds(again), LinkEnds(doc));
    }
}

TEST_F(TintinRealMaps, OldLayoutOfEndOfTheLineKeepsItsRoomsAndCountsSpecialExits)
{
    CVorMapperDoc doc;
    CFormatReport report;
    std::string error;
    ASSERT_TRUE(ReadTintin(doc, Slurp(MapsFolder() / "eotl" / "eotl.map"), report, error)) << error;
    EXPECT_EQ(doc.GetRooms().size(), 4253u - 85u);  // less its void rooms
    EXPECT_EQ(Counted(report, "special exits"), 283u);
    EXPECT_EQ(doc.m_nCurrentRoom, 4251u);
    EXPECT_EQ(CellOf(doc, 4251), (CCellKey{0, 0, 0}));
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "Lounge");
}
}  // namespace
