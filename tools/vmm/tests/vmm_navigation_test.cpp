#include <fstream>
#include <sstream>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "tools/vmm/tests/vmm_test_support.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Home (1) east Hall (2) north Tower (3) up Roof (4, plane 1); an island (5).
class VmmNavigation : public ::testing::Test {
protected:
    VmmNavigation()
    {
        CVorMapperDoc doc;
        doc.OnNewDocument();
        const char* titles[] = {"Hall", "Tower", "Roof"};
        const Direction dirs[] = {DIR_E, DIR_N, DIR_U};
        CRoomInfo info;
        info.m_strTitle = "Home";
        doc.Move(DIR_E, nullptr);
        doc.m_nCurrentRoom = 1;
        CRoom home = doc.GetRoom(1);
        home.m_info.m_strTitle = "Home";
        doc.SetRoom(home);
        doc.m_nCurrentRoom = 2;
        CRoom hall = doc.GetRoom(2);
        hall.m_info.m_strTitle = titles[0];
        hall.m_info.m_strComments = "a TALL hall";
        doc.SetRoom(hall);
        for (int i = 1; i < 3; ++i) {
            info.m_strTitle = titles[i];
            doc.Move(dirs[i], &info);
        }
        CRoom island;
        island.m_nX = 9;
        island.m_nY = 9;
        island.m_info.m_strTitle = "Island";
        doc.AddRoom(island);
        doc.m_nCurrentRoom = 1;
        doc.m_nCurrentPlane = 0;
        std::string error;
        EXPECT_TRUE(SaveMapFile(doc, map, error)) << error;
    }
    CTempDir dir;
    std::string map = dir.File("m.vmm");
};

TEST_F(VmmNavigation, PathPrintsOneDirectionWordPerStep)
{
    CVmmRun run = RunVmm({"path", map, "1", "4"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "east\nnorth\nup\n");
    run = RunVmm({"path", map, "4", "1"});
    EXPECT_EQ(run.out, "down\nsouth\nwest\n");
    run = RunVmm({"path", map, "3", "3"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "");
}

TEST_F(VmmNavigation, PathFailsWithOneLine)
{
    for (const VmmArgs& args : {VmmArgs{"path", map, "1", "5"}, VmmArgs{"path", map, "1", "99"},
                                VmmArgs{"path", map, "x", "1"}, VmmArgs{"path", map, "1"},
                                VmmArgs{"path", dir.File("missing.vmm"), "1", "2"}}) {
        const CVmmRun run = RunVmm(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.out, "");
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    EXPECT_EQ(RunVmm({"path", map, "1", "5"}).err, "vmm path: no way from room 1 to room 5\n");
    EXPECT_EQ(RunVmm({"path", map, "1", "99"}).err, "vmm path: no room 99 in " + map + "\n");
}

TEST_F(VmmNavigation, FindPrintsIdPlanePositionAndTitle)
{
    CVmmRun run = RunVmm({"find", map, "tAll"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "2\t0\t1\t0\tHall\n");  // by its title and its comments, once
    run = RunVmm({"find", map, "o"});
    EXPECT_NE(run.out.find("4\t1\t1\t-1\tRoof\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("3\t0\t1\t-1\tTower\n"), std::string::npos);
    run = RunVmm({"find", map, "nowhere"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(RunVmm({"find", map}).code, 1);
}

TEST_F(VmmNavigation, ReplayWalksStepByStepAndWritesWhatWasSent)
{
    std::ofstream(dir.File("vmapper.ini"), std::ios::binary) << "[stop]\r\ncount=1\r\nstop0=You can't go\r\n";
    std::ofstream(dir.File("t.txt"), std::ios::binary)
        << "! explore\n! walk 4\n> east\n< Hall\n> north\n< Tower\n> up\n< Roof\n"
           "! walk 1\n> down\n< Tower\n> look\n< Tower\n"
           "! walk 5\n";
    const CVmmRun run = RunVmm({"replay", "--settings-dir", dir.File(""), "--map", map, "--out", dir.File("o.vmm"),
                                "--sent", dir.File("sent.txt"), dir.File("t.txt")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(ReadText(dir.File("sent.txt")), "east\nnorth\nup\ndown\nsouth\n");
    EXPECT_NE(run.err.find("line 8: walk: Arrived at Roof"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 12: walk: Walk stopped: a command was typed"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("line 14: walk: No way from Tower to Island"), std::string::npos) << run.err;
    CVorMapperDoc out;
    std::string error;
    ASSERT_TRUE(LoadMapFile(out, dir.File("o.vmm"), error)) << error;
    EXPECT_EQ(out.m_nCurrentRoom, 3u);
    EXPECT_EQ(out.GetRooms().size(), 5u);  // explore mode: nothing new mapped
}

TEST_F(VmmNavigation, ReplayWalkNeedsARoomId)
{
    std::ofstream(dir.File("t.txt"), std::ios::binary) << "! walk\n! walk x1\n";
    const CVmmRun run = RunVmm({"replay", "--out", dir.File("o.vmm"), dir.File("t.txt")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("line 1"), std::string::npos) << run.err;
    std::ofstream(dir.File("u.txt"), std::ios::binary) << "! offline\n! walk 4\n";
    const CVmmRun offline =
        RunVmm({"replay", "--map", map, "--out", dir.File("o.vmm"), "--sent", dir.File("s.txt"), dir.File("u.txt")});
    ASSERT_EQ(offline.code, 0) << offline.err;
    EXPECT_EQ(ReadText(dir.File("s.txt")), "");  // offline: moved at once, nothing sent
    CVorMapperDoc out;
    std::string error;
    ASSERT_TRUE(LoadMapFile(out, dir.File("o.vmm"), error)) << error;
    EXPECT_EQ(out.m_nCurrentRoom, 4u);
}

}  // namespace
