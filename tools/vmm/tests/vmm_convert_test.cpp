// vmm convert between formats: the report on stderr, exit codes, and the
// output file untouched when the input cannot be read.
#include <fstream>

#include <nlohmann/json.hpp>

#include "mapper/formats/tests/map_compare.h"
#include "mapper/model/map_file.h"
#include "tools/vmm/tests/vmm_test_support.h"

namespace {
void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadText(const std::string& path)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(ReadFileBytes(path, bytes, error)) << error;
    return std::string(bytes.begin(), bytes.end());
}

std::string Canonical(const std::string& vmmPath)
{
    CVorMapperDoc doc;
    std::string error;
    EXPECT_TRUE(LoadMapFile(doc, vmmPath, error)) << error;
    return CanonicalMap(doc);
}
}  // namespace

TEST(VmmConvert, VmmToMudletAndBackGivesTheSameMap)
{
    CTempDir dir;
    std::mt19937 rng(3);
    CVorMapperDoc doc;
    MakeRandomMap(doc, rng, 40);
    std::string error;
    ASSERT_TRUE(SaveMapFile(doc, dir.File("a.vmm"), error)) << error;
    const CVmmRun out = RunVmm({"convert", dir.File("a.vmm"), dir.File("a.JSON")});
    ASSERT_EQ(out.code, 0) << out.err;
    EXPECT_EQ(out.err, "");
    EXPECT_NO_THROW((void)nlohmann::json::parse(ReadText(dir.File("a.JSON"))));
    const CVmmRun back = RunVmm({"convert", dir.File("a.JSON"), dir.File("b.vmm")});
    ASSERT_EQ(back.code, 0) << back.err;
    EXPECT_EQ(Canonical(dir.File("b.vmm")), Canonical(dir.File("a.vmm")));
    // The names win over the extensions.
    const CVmmRun named = RunVmm({"convert", "--to", "mudlet-json", dir.File("a.vmm"), dir.File("c.txt")});
    ASSERT_EQ(named.code, 0) << named.err;
    EXPECT_EQ(RunVmm({"convert", dir.File("c.txt"), dir.File("d.vmm"), "--from", "mudlet-json"}).code, 0);
    EXPECT_EQ(Canonical(dir.File("d.vmm")), Canonical(dir.File("a.vmm")));
}

TEST(VmmConvert, WhatTheTargetCannotHoldIsReportedOneLineAKind)
{
    CTempDir dir;
    WriteText(dir.File("m.json"), R"({"formatVersion": 1, "areas": [{"id": 1, "name": "A", "rooms": [
        {"id": 1, "coordinates": [0, 0, 0], "exits": [{"name": "enter portal", "exitId": 2},
                                                       {"name": "in", "exitId": 2}, {"name": "out", "exitId": 2}]},
        {"id": 2, "coordinates": [1, 0, 0], "exits": [{"name": "west", "exitId": 1, "door": 1}]}]}]})");
    const CVmmRun run = RunVmm({"convert", dir.File("m.json"), dir.File("m.vmm")});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "not carried: 1 special exits (enter portal)\nnot carried: 2 in/out exits\n"
                       "not carried: 1 doors\n");
    EXPECT_EQ(RunVmm({"info", dir.File("m.vmm")}).out.find("rooms: 2\nlinks: 1\n"), 11u);
}

TEST(VmmConvert, UnreadableInputLeavesTheOutputAsItWas)
{
    CTempDir dir;
    WriteText(dir.File("bad.json"), R"({"formatVersion": 1, "areas": [{"rooms": [{"id": 1, "coordinates": [0.5, 0, 0]}]}]})");
    WriteText(dir.File("keep.vmm"), "old contents");
    const CVmmRun run = RunVmm({"convert", dir.File("bad.json"), dir.File("keep.vmm")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.rfind("vmm: " + dir.File("bad.json") + ": line 1, column ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("must be a whole number"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
    EXPECT_EQ(ReadText(dir.File("keep.vmm")), "old contents");
    EXPECT_EQ(RunVmm({"convert", dir.File("bad.json"), dir.File("new.vmm")}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.vmm")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.vmm.saving")));
}

TEST(VmmConvert, FormatsNamedOrTakenFromTheExtension)
{
    CTempDir dir;
    RunVmm({"new", dir.File("a.vmm")});
    const CVmmRun unknown = RunVmm({"convert", dir.File("a.vmm"), dir.File("b.vmm"), "--to", "xml"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_EQ(unknown.err, "vmm: unknown format xml (" + std::string("vmm, mudlet-json") +
                               unknown.err.substr(unknown.err.find("mudlet-json") + 11));
    const CVmmRun noExtension = RunVmm({"convert", dir.File("a.vmm"), dir.File("b.txt")});
    EXPECT_EQ(noExtension.code, 1);
    EXPECT_NE(noExtension.err.find("b.txt: no format goes by this extension; name one with --to"), std::string::npos)
        << noExtension.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("b.txt")));
    const CVmmRun usage = RunVmm({"convert", dir.File("a.vmm"), "--to"});
    EXPECT_EQ(usage.code, 1);
    EXPECT_EQ(usage.err, "usage: vmm convert IN OUT [--from FORMAT] [--to FORMAT]\n");
}
