// vmm convert to and from TinTin++ maps: real maps to .vmm, maps of every
// kind through TinTin++ and back, and input that cannot be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "mapper/formats/tests/map_compare.h"
#include "mapper/formats/tests/tintin_test_support.h"
#include "mapper/model/map_file.h"
#include "tools/vmm/tests/vmm_test_support.h"

namespace {
std::string RealMap(const char* name)
{
    return (std::filesystem::path(VORMAPPER_SOURCE_DIR) / ".." / "shared" / "data" / "tintin-maps" / name).string();
}

std::string WithoutNul(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\0'), text.end());
    return text;
}

TEST(TintinConvert, RealMapsConvertToConsistentVmmWithTheReportOnStderr)
{
    if (!std::filesystem::exists(RealMap("eotl/eotl.map")))
        GTEST_SKIP() << "no real maps";
    CTempDir dir;
    for (const char* name : {"eotl/eotl.map", "jtin/Arctica.map"}) {
        SCOPED_TRACE(name);
        const CVmmRun run = RunVmm({"convert", RealMap(name), dir.File("out.vmm")});
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_NE(run.err.find("not carried: "), std::string::npos);
        std::istringstream lines(run.err);
        for (std::string line; std::getline(lines, line);)
            EXPECT_EQ(line.rfind("not carried: ", 0), 0u) << line;
        EXPECT_EQ(RunVmm({"check", dir.File("out.vmm")}).out, "no inconsistencies\n");
    }
}

TEST(TintinConvert, AnyMapGoesThroughTinTinWithItsRoomsTitlesAndExits)
{
    CTempDir dir;
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        CVorMapperDoc doc;
        MakeRandomMap(doc, rng, 60);
        std::string error;
        ASSERT_TRUE(SaveMapFile(doc, dir.File("a.vmm"), error)) << error;
        const CVmmRun out = RunVmm({"convert", dir.File("a.vmm"), dir.File("a.tin")});
        ASSERT_EQ(out.code, 0) << out.err;
        EXPECT_NE(out.err.find("room positions"), std::string::npos);
        const CVmmRun back = RunVmm({"convert", dir.File("a.tin"), dir.File("b.vmm")});
        ASSERT_EQ(back.code, 0) << back.err;
        CVorMapperDoc again;
        ASSERT_TRUE(LoadMapFile(again, dir.File("b.vmm"), error)) << error;
        auto titles = Titles(doc);
        for (auto& [id, title] : titles)
            title = WithoutNul(title);
        EXPECT_EQ(Titles(again), titles);
        EXPECT_EQ(Exits(again), Exits(doc));
        EXPECT_EQ(FindInconsistencies(again), std::vector<std::string>{});
    }
}

TEST(TintinConvert, UnreadableInputLeavesTheOutputAsItWas)
{
    CTempDir dir;
    std::ofstream(dir.File("bad.map"), std::ios::binary) << "#system touch x\nR {1}\n";
    std::ofstream(dir.File("out.vmm"), std::ios::binary) << "old";
    const CVmmRun run = RunVmm({"convert", dir.File("bad.map"), dir.File("out.vmm")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, "vmm: " + dir.File("bad.map") + ": not a TinTin++ map: the first line is not \"C <size>\"\n");
    std::ifstream in(dir.File("out.vmm"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "old");
}
}  // namespace
