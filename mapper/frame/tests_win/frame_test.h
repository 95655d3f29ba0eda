#pragma once
// A main frame of the test's own process on a new map, closed at the end
// without the save question and with the messages it left behind dropped.
// A test's SetUp places and shows it.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "mapper/frame/main_frame_win.h"
#include "mapper/model/document.h"

class CFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = std::make_unique<CMainFrame>(m_doc, nullptr);
        ASSERT_TRUE(m_frame->Create());
        m_doc.OnNewDocument();
    }
    void TearDown() override
    {
        m_doc.SetModifiedFlag(false);
        if (m_frame && m_frame->m_hWnd)
            ::SendMessageA(m_frame->m_hWnd, WM_CLOSE, 0, 0);
        DropMessages();
    }
    // Drops what is queued, the WM_QUIT the frame posted at its close too.
    static void DropMessages()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    HWND Frame() const { return m_frame->m_hWnd; }
    LRESULT Command(unsigned id) { return ::SendMessageA(Frame(), WM_COMMAND, id, 0); }

    CVorMapperDoc m_doc;
    std::unique_ptr<CMainFrame> m_frame;
};
