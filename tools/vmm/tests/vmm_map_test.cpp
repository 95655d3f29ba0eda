#include <fstream>

#include <nlohmann/json.hpp>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "tools/vmm/tests/vmm_test_support.h"

namespace {
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string SaveDoc(CVorMapperDoc& doc, const std::string& path)
{
    std::string error;
    EXPECT_TRUE(SaveMapFile(doc, path, error)) << error;
    return path;
}
}  // namespace

TEST(VmmTool, NewWritesTheMapOfANewDocument)
{
    CTempDir dir;
    const CVmmRun run = RunVmm({"new", dir.File("a.vmm")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(std::filesystem::file_size(dir.File("a.vmm")), 152u);
    const CVmmRun info = RunVmm({"info", dir.File("a.vmm")});
    EXPECT_EQ(info.code, 0);
    EXPECT_NE(info.out.find("version: 2\nrooms: 1\nlinks: 0\n"), std::string::npos) << info.out;
}

TEST(VmmTool, DumpWritesTheDocumentAsJsonWithHighBytesEscaped)
{
    CTempDir dir;
    CVorMapperDoc doc;
    doc.OnNewDocument();
    doc.Move(DIR_E);
    CRoom r = doc.GetRoom(2);
    r.m_info.m_strTitle = "Caf\xE9 \"1\"";
    doc.SetRoom(r);
    doc.SetPlaneName(-1, "Down");
    const CVmmRun run = RunVmm({"dump", SaveDoc(doc, dir.File("m.vmm"))});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("Caf\\u00e9 \\\"1\\\""), std::string::npos) << run.out;
    const auto j = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ(j["version"], 2);
    EXPECT_EQ(j["currentRoom"], 2);
    EXPECT_EQ(j["planeNames"][0]["plane"], -1);
    ASSERT_EQ(j["rooms"].size(), 2u);
    // Container order as loaded: the file held room 2 first, and loading puts
    // each record at the head of its bucket.
    EXPECT_EQ(j["rooms"][0]["id"], 1);
    EXPECT_EQ(j["rooms"][0]["color"], 4294967295u);
    EXPECT_EQ(j["rooms"][0]["recursive"], false);
    EXPECT_EQ(j["rooms"][0]["links"][DIR_E], 1);
    EXPECT_EQ(j["rooms"][1]["title"], "Caf\u00e9 \"1\"");
    EXPECT_EQ(j["links"][0]["fromDir"], DIR_E);
    EXPECT_EQ(j["links"][0]["toDir"], DIR_W);
    const auto keys = {"version", "originX", "originY", "rotation", "zoom", "currentPlane", "currentRoom",
                       "lastRoomId", "lastLinkId", "planeNames", "rooms", "links"};
    auto it = j.begin();
    for (const char* key : keys)
        EXPECT_EQ((it++).key(), key);
}

TEST(VmmTool, ConvertUpgradesAndCheckFindsInconsistencies)
{
    CTempDir dir;
    CVorMapperDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(RunVmm({"check", SaveDoc(doc, dir.File("ok.vmm"))}).code, 0);

    doc.Move(DIR_E);
    doc.Move(DIR_E);
    CRoom r = doc.GetRoom(3);
    r.m_nX = 0;  // onto room 1's cell
    r.m_links[DIR_N] = 77;
    doc.SetRoom(r);
    CLink stray;
    stray.m_nFromRoom = 1;
    stray.m_nToRoom = 55;
    stray.m_nFromDir = DIR_S;
    stray.m_nToDir = DIR_N;
    doc.AddLink(stray);
    doc.m_nCurrentRoom = 40;
    const CVmmRun run = RunVmm({"check", SaveDoc(doc, dir.File("bad.vmm"))});
    EXPECT_EQ(run.code, 1);
    for (const char* line : {"room 3 slot N names absent link 77", "share the cell (0, 0, 0)",
                             "link 3 is not entered in room 1 slot S", "link 3 names absent second room 55",
                             "current room 40 is missing"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;

    const CVmmRun convert = RunVmm({"convert", dir.File("bad.vmm"), dir.File("copy.vmm")});
    EXPECT_EQ(convert.code, 0) << convert.err;
    EXPECT_EQ(RunVmm({"info", dir.File("copy.vmm")}).code, 0);
}

TEST(VmmTool, CheckFindsIdZeroAndSlotsNamingALinkOfOtherRooms)
{
    CTempDir dir;
    CVorMapperDoc doc;
    doc.OnNewDocument();
    doc.Move(DIR_E);  // room 2, link 1
    doc.Move(DIR_E);  // room 3, link 2
    CRoom r = doc.GetRoom(1);
    r.m_links[DIR_N] = 2;  // link 2 joins rooms 2 and 3
    doc.SetRoom(r);
    CRoom zero;
    zero.m_nId = 0;
    zero.m_nY = 9;
    doc.SetRoom(zero);
    CLink none;
    none.m_nId = 0;
    none.m_nFromRoom = 2;
    none.m_nToRoom = 3;
    none.m_nFromDir = DIR_NONE;
    none.m_nToDir = DIR_NONE;
    doc.SetLink(none);
    const CVmmRun run = RunVmm({"check", SaveDoc(doc, dir.File("zero.vmm"))});
    EXPECT_EQ(run.code, 1);
    for (const char* line : {"room 0 is stored", "link 0 is stored",
                             "room 1 slot N names link 2, which does not name the room"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
    // The consistent slots of rooms 2 and 3 are not reported.
    EXPECT_EQ(run.out.find("room 2 slot"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("room 3 slot"), std::string::npos) << run.out;
}

TEST(VmmTool, UnreadableFilesGiveOneLineNamingTheReason)
{
    CTempDir dir;
    RunVmm({"new", dir.File("a.vmm")});
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ReadFileBytes(dir.File("a.vmm"), bytes, error));

    auto bad = bytes;
    bad[3] = 'X';
    WriteBytes(dir.File("tag.vmm"), bad);
    bad = bytes;
    bad[13] = 7;
    WriteBytes(dir.File("version.vmm"), bad);
    bad.assign(bytes.begin(), bytes.begin() + 100);
    WriteBytes(dir.File("short.vmm"), bad);

    const std::pair<const char*, const char*> cases[] = {
        {"tag.vmm", "bad tag"},
        {"version.vmm", "unsupported version 7"},
        {"short.vmm", "file ends inside room record 1"},
        {"missing.vmm", "cannot open"},
    };
    for (const char* command : {"info", "dump", "check"})
        for (auto [file, reason] : cases) {
            const CVmmRun run = RunVmm({command, dir.File(file)});
            EXPECT_EQ(run.code, 1);
            EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_TRUE(run.out.empty());
        }
    EXPECT_EQ(RunVmm({"convert", dir.File("short.vmm"), dir.File("out.vmm")}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.vmm")));
}

TEST(VmmTool, UsageErrors)
{
    EXPECT_EQ(RunVmm({}).code, 1);
    const CVmmRun unknown = RunVmm({"frobnicate"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("unknown command frobnicate"), std::string::npos);
    EXPECT_EQ(RunVmm({"info"}).code, 1);
    EXPECT_EQ(RunVmm({"convert", "a"}).code, 1);
}
