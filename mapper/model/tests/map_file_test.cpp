#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "mapper/model/archive.h"
#include "mapper/model/map_file.h"
#include "mapper/model/tests/test_support.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

Bytes Save(CVorMapperDoc& doc) { return SaveMapBytes(doc); }

bool Load(CVorMapperDoc& doc, const Bytes& bytes, std::string* error = nullptr)
{
    std::string e;
    const bool ok = LoadMapBytes(doc, bytes.data(), bytes.size(), e);
    if (error)
        *error = e;
    return ok;
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Expects the document to be exactly as after New.
void ExpectAsNew(const CVorMapperDoc& doc)
{
    EXPECT_EQ(doc.GetRooms().size(), 1u);
    EXPECT_EQ(doc.GetLinks().size(), 0u);
    EXPECT_TRUE(doc.GetPlaneNames().empty());
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    EXPECT_EQ(doc.GetLastRoomId(), 1u);
    EXPECT_EQ(doc.GetLastLinkId(), 0u);
    EXPECT_EQ(doc.m_nOriginX, 200);
    EXPECT_EQ(doc.m_dZoom, 1.0);
}

// A map with a bit of everything.
void Populate(CVorMapperDoc& doc)
{
    doc.Move(DIR_E);
    doc.Move(DIR_U);
    doc.Move(DIR_SW);
    CRoom r = doc.GetRoom(2);
    r.m_info.m_strTitle = "Hall \xE9t\xE9";
    r.m_info.m_strComments = "notes";
    r.m_info.m_strLabel = "Label";
    r.m_info.m_ptLabel = {-50, 77};
    r.m_info.m_crLabelText = 0x0000FF;
    r.m_info.m_crLabelBack = 0x00FF00;
    r.m_crColor = 0x123456;
    r.m_bRecursive = true;
    doc.SetRoom(r);
    doc.SetPlaneName(-3, "Deep");
    doc.SetPlaneName(1, "Upstairs");
    doc.m_nOriginX = -17;
    doc.m_nOriginY = 123456;
    doc.m_dRotation = 0.1 + 0.2;
    doc.m_dZoom = 1.0 / 3.0;
    doc.m_nCurrentPlane = -3;
}
}  // namespace

TEST(MapFile, ANewMapIsExactly152Bytes)
{
    CNewDoc doc;
    const Bytes b = Save(doc);
    ASSERT_EQ(b.size(), 152u);
    EXPECT_EQ(b[0], 12);
    EXPECT_EQ(std::memcmp(&b[1], "VorMapperMap", 12), 0);
    EXPECT_EQ(b[13], 2);
    const std::uint8_t origin[] = {200, 0, 0, 0, 200, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&b[17], origin, 8), 0);
    // zoom 1.0 = 00 00 00 00 00 00 F0 3F
    EXPECT_EQ(b[39], 0xF0);
    EXPECT_EQ(b[40], 0x3F);
    EXPECT_EQ(b[45], 1);  // current room
    EXPECT_EQ(b[49], 1);  // last room id
    EXPECT_EQ(b[53], 0);  // last link id
    EXPECT_EQ(b[61], 1);  // room count
    EXPECT_EQ(b[65], 1);  // room id
    EXPECT_EQ(b[81], 0);     // not recursive
    EXPECT_EQ(b[85], 0xFF);  // colour none
    EXPECT_EQ(b[148], 0);    // link count

    CVorMapperDoc reloaded;
    ASSERT_TRUE(Load(reloaded, b));
    ExpectAsNew(reloaded);
    EXPECT_EQ(Save(reloaded), b);
}

TEST(MapFile, RoundTripKeepsEveryFieldAndTheContainerOrder)
{
    CNewDoc doc;
    Populate(doc);
    const Bytes b = Save(doc);
    CVorMapperDoc loaded;
    loaded.m_bTrace = false;
    loaded.m_bOnline = true;
    ASSERT_TRUE(Load(loaded, b));
    // Loading stores the records in file order, each at the head of its
    // bucket, so every load reverses the order within a bucket: a second
    // round trip restores the original bytes.
    const Bytes once = Save(loaded);
    EXPECT_NE(once, b);
    EXPECT_EQ(once.size(), b.size());
    CVorMapperDoc twice;
    ASSERT_TRUE(Load(twice, once));
    EXPECT_EQ(Save(twice), b);
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_FALSE(loaded.m_bTrace);  // mode flags are not in the file
    EXPECT_TRUE(loaded.m_bOnline);
    const CRoom r = loaded.GetRoom(2);
    EXPECT_EQ(r.m_info.m_strTitle, "Hall \xE9t\xE9");
    EXPECT_EQ(r.m_info.m_ptLabel, (CPoint{-50, 77}));
    EXPECT_EQ(r.m_crColor, 0x123456u);
    EXPECT_TRUE(r.m_bRecursive);
    EXPECT_EQ(loaded.GetPlaneName(-3), "Deep");
    EXPECT_EQ(loaded.m_dRotation, 0.1 + 0.2);  // bit for bit
    EXPECT_EQ(loaded.m_dZoom, 1.0 / 3.0);
    EXPECT_EQ(loaded.m_nCurrentPlane, -3);
    EXPECT_EQ(loaded.m_nCurrentRoom, doc.m_nCurrentRoom);
    EXPECT_EQ(loaded.FindRoomIdAt(1, 0, 1), doc.FindRoomIdAt(1, 0, 1));
}

TEST(MapFile, NegativePlanesAreWrittenAsTwosComplement)
{
    CNewDoc doc;
    CRoom r = doc.GetRoom(1);
    r.m_nPlane = -3;
    doc.SetRoom(r);
    const Bytes b = Save(doc);
    const std::uint8_t minusThree[] = {0xFD, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::memcmp(&b[65 + 12], minusThree, 4), 0);
}

TEST(MapFile, StringPrefixForms)
{
    for (std::size_t len : {254u, 255u, 0xFFFDu, 0xFFFEu, 70000u}) {
        CArchive out;
        out.WriteString(std::string(len, 'x'));
        const Bytes& b = out.Buffer();
        if (len < 255) {
            EXPECT_EQ(b.size(), len + 1);
            EXPECT_EQ(b[0], len);
        } else if (len < 0xFFFE) {
            ASSERT_EQ(b.size(), len + 3);
            EXPECT_EQ(b[0], 0xFF);
            EXPECT_EQ(b[1] | (b[2] << 8), int(len));
        } else {
            ASSERT_EQ(b.size(), len + 7);
            EXPECT_EQ(b[1], 0xFF);
            EXPECT_EQ(b[2], 0xFF);
        }
        CArchive in(b.data(), b.size());
        EXPECT_EQ(in.ReadString().size(), len);
        EXPECT_EQ(in.Remaining(), 0u);
    }
    CArchive out;
    out.WriteString(std::string(255, 'y'));
    EXPECT_EQ(out.Buffer()[0], 0xFF);
    EXPECT_EQ(out.Buffer()[1], 0xFF);
    EXPECT_EQ(out.Buffer()[2], 0x00);
}

TEST(MapFile, ATwoByteLengthOf0xFFFEReadsAsThatManyBytes)
{
    // The writer uses the four-byte form for this length, but the two-byte
    // form is a valid spelling of it.
    Bytes b = {0xFF, 0xFE, 0xFF};
    b.insert(b.end(), 0xFFFE, 'z');
    b.push_back(0x01);
    b.push_back('k');
    CArchive in(b.data(), b.size());
    const std::string s = in.ReadString();
    EXPECT_EQ(s, std::string(0xFFFE, 'z'));
    EXPECT_EQ(in.ReadString(), "k");
    EXPECT_EQ(in.Remaining(), 0u);

    // Cut short, it is an ordinary end of file.
    const Bytes cut(b.begin(), b.begin() + 3 + 0xFFFD);
    CArchive shortIn(cut.data(), cut.size());
    try {
        shortIn.ReadString();
        ADD_FAILURE() << "a cut string was read";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
}

TEST(MapFile, BadTagOrVersionIsRefusedAndLeavesANewMap)
{
    CNewDoc source;
    Populate(source);
    const Bytes good = Save(source);

    Bytes tag = good;
    tag[5] = 'm';  // "VorMmpperMap"
    CNewDoc doc;
    Populate(doc);
    std::string error;
    EXPECT_FALSE(Load(doc, tag, &error));
    EXPECT_NE(error.find("bad tag"), std::string::npos);
    ExpectAsNew(doc);

    Bytes version = good;
    PutU32(version, 13, 3);
    Populate(doc);
    EXPECT_FALSE(Load(doc, version, &error));
    EXPECT_EQ(error, "unsupported version 3");
    ExpectAsNew(doc);
}

TEST(MapFile, EveryTruncationFailsWithEndOfFileAndLeavesANewMap)
{
    CNewDoc source;
    Populate(source);
    const Bytes good = Save(source);
    for (std::size_t n = 0; n < good.size(); ++n) {
        CNewDoc doc;
        Populate(doc);
        const Bytes cut(good.begin(), good.begin() + n);
        std::string error;
        ASSERT_FALSE(Load(doc, cut, &error)) << n;
        EXPECT_EQ(error.rfind("file ends inside ", 0), 0u) << error;
        ExpectAsNew(doc);
    }
}

TEST(MapFile, TruncationInsideARoomNamesTheRecord)
{
    CNewDoc doc;
    doc.Move(DIR_N);
    doc.Move(DIR_N);
    Bytes b = Save(doc);
    b.resize(65 + 83 + 10);  // ten bytes into the second room record
    CVorMapperDoc loaded;
    std::string error;
    EXPECT_FALSE(Load(loaded, b, &error));
    EXPECT_EQ(error, "file ends inside room record 2 of 3");
}

TEST(MapFile, AHugeCountFailsAtOnceWithoutAllocating)
{
    CNewDoc doc;
    Bytes b = Save(doc);
    PutU32(b, 61, 4000000000u);  // room count
    CVorMapperDoc loaded;
    std::string error;
    EXPECT_FALSE(Load(loaded, b, &error));
    EXPECT_EQ(error.rfind("file ends inside room record", 0), 0u) << error;

    Bytes names = Save(doc);
    PutU32(names, 57, 0xFFFFFFFFu);
    EXPECT_FALSE(Load(loaded, names, &error));
    EXPECT_EQ(error.rfind("file ends inside plane name record", 0), 0u) << error;

    // A string whose length prefix claims 4 GB.
    Bytes title = Save(doc);
    const std::uint8_t huge[] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    title.erase(title.begin() + 89);
    title.insert(title.begin() + 89, huge, huge + 7);
    EXPECT_FALSE(Load(loaded, title, &error));
    EXPECT_EQ(error, "file ends inside room record 1");
    ExpectAsNew(loaded);
}

TEST(MapFile, VersionOneLoadsWithDefaultsAndIsWrittenAsVersionTwo)
{
    CArchive v1;
    v1.WriteString("VorMapperMap");
    v1.WriteU32(1);
    v1.WriteI32(10);
    v1.WriteI32(20);
    v1.WriteF64(0.5);
    v1.WriteF64(2.0);
    v1.WriteI32(0);
    v1.WriteU32(2);  // current room
    v1.WriteU32(2);
    v1.WriteU32(1);
    v1.WriteU32(1);
    v1.WriteI32(4);
    v1.WriteString("Roof");
    v1.WriteU32(2);  // rooms
    for (std::uint32_t id : {1u, 2u}) {
        v1.WriteU32(id);
        v1.WriteI32(static_cast<std::int32_t>(id) - 1);
        v1.WriteI32(0);
        v1.WriteI32(0);
        v1.WriteString(id == 1 ? "West" : "East");
        for (int d = 0; d < 10; ++d)
            v1.WriteU32((id == 1 && d == DIR_E) || (id == 2 && d == DIR_W) ? 1 : 0);
    }
    v1.WriteU32(1);
    v1.WriteU32(1);
    v1.WriteU32(1);
    v1.WriteU32(2);
    v1.WriteI32(DIR_E);
    v1.WriteI32(DIR_W);
    CNewDoc doc;
    ASSERT_TRUE(Load(doc, v1.Buffer()));
    const CRoom east = doc.GetRoom(2);
    EXPECT_EQ(east.m_info.m_strTitle, "East");
    EXPECT_EQ(east.m_crColor, kColorNone);
    EXPECT_FALSE(east.m_bRecursive);
    EXPECT_EQ(east.m_info.m_crLabelBack, kColorNone);
    EXPECT_EQ(doc.GetPlaneName(4), "Roof");
    EXPECT_EQ(doc.m_nCurrentRoom, 2u);
    EXPECT_EQ(doc.GetFileVersion(), 1u);
    ASSERT_TRUE(doc.Move(DIR_W));
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    const Bytes v2 = Save(doc);
    EXPECT_EQ(v2[13], 2);
    EXPECT_EQ(v2.size(), 57 + 4 + 9 + 4 + 2 * 83 + 8 + 4 + 20u);
}

TEST(MapFile, IdsAboveTheCountersRaiseThemAndAMissingCurrentRoomIsReplaced)
{
    CNewDoc doc;
    doc.Move(DIR_E);
    Bytes b = Save(doc);
    PutU32(b, 45, 999);  // current room
    PutU32(b, 49, 0);    // last room id
    PutU32(b, 53, 0);    // last link id
    CVorMapperDoc loaded;
    ASSERT_TRUE(Load(loaded, b));
    EXPECT_EQ(loaded.GetLastRoomId(), 2u);
    EXPECT_EQ(loaded.GetLastLinkId(), 1u);
    EXPECT_EQ(loaded.m_nCurrentRoom, loaded.GetRooms().begin().key());
    EXPECT_EQ(loaded.GetStoredCurrentRoom(), 999u);  // as the file held it
    EXPECT_EQ(loaded.GetFileVersion(), 2u);
    // New records can no longer overwrite stored ones.
    EXPECT_EQ(AddRoomAt(loaded, 9, 9), 3u);
    EXPECT_EQ(loaded.GetRooms().size(), 3u);
}

TEST(MapFile, RepeatedIdsReplaceEarlierRecords)
{
    CArchive ar;
    ar.WriteString("VorMapperMap");
    ar.WriteU32(2);
    for (int i = 0; i < 2; ++i)
        ar.WriteI32(0);
    ar.WriteF64(0);
    ar.WriteF64(1);
    ar.WriteI32(0);
    for (std::uint32_t v : {1u, 1u, 0u})
        ar.WriteU32(v);
    ar.WriteU32(2);  // two names for plane 5
    ar.WriteI32(5);
    ar.WriteString("old");
    ar.WriteI32(5);
    ar.WriteString("new");
    ar.WriteU32(2);
    for (int x : {3, 4}) {
        ar.WriteU32(1);
        for (int v : {x, 0, 0, 0})
            ar.WriteI32(v);
        ar.WriteU32(kColorNone);
        for (int s = 0; s < 3; ++s)
            ar.WriteString("");
        for (int v = 0; v < 4 + 10; ++v)
            ar.WriteU32(0);
    }
    ar.WriteU32(0);
    CVorMapperDoc doc;
    ASSERT_TRUE(Load(doc, ar.Buffer()));
    EXPECT_EQ(doc.GetPlaneName(5), "new");
    EXPECT_EQ(doc.GetRooms().size(), 1u);
    EXPECT_EQ(doc.GetRoom(1).m_nX, 4);
    EXPECT_EQ(doc.FindRoomIdAt(3, 0, 0), 0u);
    EXPECT_EQ(doc.FindRoomIdAt(4, 0, 0), 1u);
}

TEST(MapFile, LoadingTellsTheViewsFirst)
{
    CNewDoc source;
    const Bytes b = Save(source);
    CNewDoc doc;
    CHintRecorder views(doc);
    ASSERT_TRUE(Load(doc, b));
    ASSERT_FALSE(views.hints.empty());
    EXPECT_EQ(views.hints.front(), HINT_PLANE_CHANGED);
}

TEST(MapFile, SavingReplacesTheFileOnlyWhenTheNewOneIsComplete)
{
    const auto dir = std::filesystem::temp_directory_path() / ("vmm-save-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "map.vmm").string();
    CNewDoc doc;
    doc.Move(DIR_E);
    std::string error;
    ASSERT_TRUE(SaveMapFile(doc, path, error)) << error;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));

    // A vanished folder: a clear error, nothing written.
    EXPECT_FALSE(SaveMapFile(doc, (dir / "gone" / "map.vmm").string(), error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);

    CVorMapperDoc loaded;
    ASSERT_TRUE(LoadMapFile(loaded, path, error)) << error;
    EXPECT_EQ(loaded.GetRooms().size(), 2u);
    EXPECT_FALSE(LoadMapFile(loaded, (dir / "missing.vmm").string(), error));
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    ExpectAsNew(loaded);
    std::filesystem::remove_all(dir);
}
