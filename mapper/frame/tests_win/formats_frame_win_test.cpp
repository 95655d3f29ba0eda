// File Import and Export in the main frame: the file dialog answered as the
// user does, the map taken or written, and the message of what was not
// carried or why a file could not be read.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "mapper/frame/tests_win/frame_test.h"
#include "mapper/model/document.h"
#include "mapper/resource_ids.h"

namespace {

// Answers the dialogs that a command opens in this thread, from inside their
// message loops: a file dialog gets `path` and OK; a message box is read and
// closed with OK. What cannot be answered within a few seconds is cancelled.
class CDialogAnswers {
public:
    explicit CDialogAnswers(std::string path) : m_strPath(std::move(path))
    {
        s_self = this;
        m_nTimer = ::SetTimer(nullptr, 0, 20, &CDialogAnswers::Tick);
    }
    ~CDialogAnswers()
    {
        ::KillTimer(nullptr, m_nTimer);
        s_self = nullptr;
    }
    int m_nFileDialogs = 0;
    std::vector<std::string> m_messages;

private:
    static BOOL CALLBACK Visit(HWND w, LPARAM)
    {
        char cls[16] = "";
        ::GetClassNameA(w, cls, sizeof cls);
        if (!::IsWindowVisible(w) || lstrcmpA(cls, "#32770") != 0)
            return TRUE;
        s_self->Answer(w);
        return FALSE;
    }
    static BOOL CALLBACK CollectText(HWND w, LPARAM lp)
    {
        char cls[16] = "", text[2048] = "";
        ::GetClassNameA(w, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0 && ::GetWindowTextA(w, text, sizeof text) > 0)
            *reinterpret_cast<std::string*>(lp) += text;
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_self)
            ::EnumThreadWindows(::GetCurrentThreadId(), &CDialogAnswers::Visit, 0);
    }
    void Answer(HWND dlg)
    {
        if (dlg == m_hLast)
            return;  // the answer is on its way
        m_hLast = dlg;
        HWND name = ::GetDlgItem(dlg, 0x47C) ? ::GetDlgItem(dlg, 0x47C) : ::GetDlgItem(dlg, 0x480);
        if (name) {
            ++m_nFileDialogs;
            ::SetWindowTextA(name, m_strPath.c_str());
        } else {
            std::string text;
            ::EnumChildWindows(dlg, &CDialogAnswers::CollectText, reinterpret_cast<LPARAM>(&text));
            m_messages.push_back(text);
        }
        ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDOK)));
    }

    static CDialogAnswers* s_self;
    std::string m_strPath;
    UINT_PTR m_nTimer = 0;
    HWND m_hLast = nullptr;
};
CDialogAnswers* CDialogAnswers::s_self = nullptr;

std::string TempPath(const char* name)
{
    char dir[MAX_PATH] = "";
    ::GetTempPathA(sizeof dir, dir);
    return std::string(dir) + "vm-formats-" + std::to_string(::GetCurrentProcessId()) + "-" + name;
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class FormatsFrameTest : public CFrameTest {
protected:
    void SetUp() override
    {
        CFrameTest::SetUp();
        m_frame->ShowStandalone();
        // A small map: the first room, one to the east, a link between them.
        CRoom hall = m_doc.GetRoom(m_doc.m_nCurrentRoom);
        hall.m_info.m_strTitle = "Hall";
        m_doc.SetRoom(hall);
        CRoom east;
        east.m_nX = hall.m_nX + 1;
        east.m_nY = hall.m_nY;
        east.m_nPlane = hall.m_nPlane;
        east.m_info.m_strTitle = "Kitchen";
        m_east = m_doc.AddRoom(east);
        CLink link;
        link.m_nFromRoom = hall.m_nId;
        link.m_nFromDir = DIR_E;
        link.m_nToRoom = m_east;
        link.m_nToDir = DIR_W;
        m_doc.AddLink(link);
    }
    void TearDown() override
    {
        for (const std::string& path : m_files)
            std::remove(path.c_str());
        CFrameTest::TearDown();
    }
    std::string File(const char* name)
    {
        m_files.push_back(TempPath(name));
        std::remove(m_files.back().c_str());
        return m_files.back();
    }
    std::string Title() const
    {
        char text[256] = "";
        ::GetWindowTextA(Frame(), text, sizeof text);
        return text;
    }

    RoomId m_east = 0;
    std::vector<std::string> m_files;
};

TEST_F(FormatsFrameTest, ExportWritesTheFormatOfTheExtensionAndLeavesTheMapAlone)
{
    m_doc.SetModifiedFlag(false);
    const std::string title = Title();
    for (const char* name : {"export.json", "export.map"}) {
        const std::string path = File(name);
        CDialogAnswers answers(path);
        Command(ID_FILE_EXPORT);
        EXPECT_EQ(answers.m_nFileDialogs, 1) << name;
        for (const std::string& message : answers.m_messages)
            EXPECT_EQ(message.rfind("The export could not carry everything:", 0), 0u) << message;
        const std::string text = FileText(path);
        EXPECT_NE(text.find("Kitchen"), std::string::npos) << name;
        EXPECT_EQ(text.rfind(name[7] == 'j' ? "{" : "C ", 0), 0u) << name << ": " << text.substr(0, 40);
    }
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(Title(), title);
}

TEST_F(FormatsFrameTest, ImportOpensANewUnnamedModifiedMapAndSaysWhatWasLeftOut)
{
    const std::string path = File("import.json");
    std::ofstream(path, std::ios::binary) << R"({"formatVersion": 1.0, "areas": [{"id": 1, "name": "Town", "rooms": [
        {"id": 7, "name": "Gate", "coordinates": [0, 0, 0], "environment": -1,
         "exits": [{"name": "north", "exitId": 8}, {"name": "enter portal", "exitId": 8}]},
        {"id": 8, "name": "Square", "coordinates": [0, 1, 0], "environment": -1,
         "exits": [{"name": "south", "exitId": 7}]}]}]})";
    m_doc.SetModifiedFlag(false);  // no save question
    CDialogAnswers answers(path);
    Command(ID_FILE_IMPORT);
    EXPECT_EQ(answers.m_nFileDialogs, 1);
    ASSERT_EQ(answers.m_messages.size(), 1u);
    EXPECT_EQ(answers.m_messages[0].rfind("The import could not carry everything:", 0), 0u) << answers.m_messages[0];
    EXPECT_NE(answers.m_messages[0].find("enter portal"), std::string::npos) << answers.m_messages[0];

    EXPECT_EQ(m_doc.GetRooms().size(), 2u);
    EXPECT_EQ(m_doc.GetLinks().size(), 1u);
    EXPECT_EQ(m_doc.GetRoom(7).m_info.m_strTitle.str(), "Gate");
    EXPECT_EQ(m_doc.GetRoom(8).m_nY, m_doc.GetRoom(7).m_nY - 1);  // north is up on the map
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(Title().rfind("Untitled", 0), 0u) << Title();
}

TEST_F(FormatsFrameTest, AFileThatCannotBeReadLeavesTheMapAsItWas)
{
    const std::string path = File("broken.json");
    std::ofstream(path, std::ios::binary) << R"({"formatVersion": 1.0, "areas": [)";
    m_doc.SetModifiedFlag(false);
    CDialogAnswers answers(path);
    Command(ID_FILE_IMPORT);
    ASSERT_EQ(answers.m_messages.size(), 1u);
    EXPECT_EQ(answers.m_messages[0].rfind("Failed to import map.", 0), 0u) << answers.m_messages[0];
    EXPECT_NE(answers.m_messages[0].find(path), std::string::npos) << answers.m_messages[0];
    EXPECT_EQ(m_doc.GetRooms().size(), 2u);
    EXPECT_EQ(m_doc.GetRoom(m_east).m_info.m_strTitle.str(), "Kitchen");
    EXPECT_FALSE(m_doc.IsModified());
}

}  // namespace
