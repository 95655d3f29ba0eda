// The registry of formats and the .vmm unit.
#include <gtest/gtest.h>

#include "mapper/formats/dump_json_format.h"
#include "mapper/formats/map_format.h"
#include "mapper/formats/tests/map_compare.h"
#include "mapper/model/document.h"
#include "mapper/model/map_file.h"

TEST(MapFormats, ListedInMenuOrderAndFoundByNameOrExtension)
{
    ASSERT_GE(MapFormats().size(), 2u);
    EXPECT_STREQ(MapFormats()[0]->Name(), "vmm");
    EXPECT_STREQ(MapFormats()[1]->Name(), "mudlet-json");
    EXPECT_EQ(FindMapFormat("mudlet-json"), MapFormats()[1]);
    EXPECT_EQ(FindMapFormat("Mudlet-JSON"), nullptr);
    EXPECT_EQ(FindMapFormat("dump-json"), nullptr);  // the dump is the tool's, not a map format to choose
    EXPECT_EQ(MapFormatForPath("maps/Town.VMM"), MapFormats()[0]);
    EXPECT_EQ(MapFormatForPath("C:\\maps\\export.Json"), MapFormats()[1]);
    EXPECT_EQ(MapFormatForPath("maps.json/town"), nullptr);
    EXPECT_EQ(MapFormatForPath("town"), nullptr);
    EXPECT_EQ(MapFormatForPath("town.txt"), nullptr);
    for (const IMapFormat* format : MapFormats())
        EXPECT_EQ(MapFormatForPath(std::string("x") + format->Extensions().front()), format) << format->Name();
}

TEST(MapFormats, VmmUnitReadsAndWritesTheMapFileBytes)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    doc.Move(DIR_E);
    doc.SetPlaneName(1, "Attic");
    const IMapFormat& vmm = *FindMapFormat("vmm");
    std::vector<std::uint8_t> bytes;
    CFormatReport report;
    std::string error;
    ASSERT_TRUE(vmm.Write(doc, bytes, report, error));
    EXPECT_EQ(bytes, SaveMapBytes(doc));
    CVorMapperDoc back;
    ASSERT_TRUE(vmm.Read(back, bytes.data(), bytes.size(), report, error)) << error;
    EXPECT_EQ(CanonicalMap(back), CanonicalMap(doc));
    EXPECT_TRUE(report.Empty());
    bytes.resize(bytes.size() - 3);
    EXPECT_FALSE(vmm.Read(back, bytes.data(), bytes.size(), report, error));
    EXPECT_NE(error.find("file ends inside"), std::string::npos) << error;
    EXPECT_EQ(back.GetRooms().size(), 1u);
}

TEST(MapFormats, DumpTellsTheVersionOfTheFileTheMapCameFrom)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    std::vector<std::uint8_t> bytes;
    CFormatReport report;
    std::string error;
    ASSERT_TRUE(DumpJsonMapFormat().Write(doc, bytes, report, error));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.rfind("{\n  \"version\": 2,\n", 0), 0u) << text;
    EXPECT_FALSE(DumpJsonMapFormat().CanRead());
}

TEST(FormatReport, ExamplesStayOnOneShortLine)
{
    CFormatReport report;
    report.NotCarried("special exits", 1, "say\nhello");
    report.NotCarried("special exits", 1, std::string(30, 'x') + "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
    EXPECT_EQ(report.Lines(), std::vector<std::string>({"not carried: 2 special exits (say hello, " +
                                                         std::string(30, 'x') +
                                                         "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9...)"}));
}
