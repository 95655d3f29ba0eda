#pragma once
// A host and dialogs that write down what the interaction asks of them, and a
// fixture with a painted map so the hit tests see real hit data.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "mapper/model/document.h"
#include "mapper/view/map_interaction.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/paint_dc.h"
#include "mapper/view/room_geometry.h"
#include "mapper/view/view_keys.h"
#include "mapper/view/tests/paint_test_support.h"

class CFakeHost : public IViewHost {
public:
    void Invalidate(bool now) override { ++(now ? m_nRepaints : m_nInvalidates); }
    void SetCapture() override { ++m_nCaptures; m_bCaptured = true; }
    void ReleaseCapture() override { m_bCaptured = false; }
    void ShowContextMenu(const CContextMenuPlan& plan, CPoint p) override
    {
        m_menus.push_back(plan);
        m_ptMenu = p;
    }
    bool AskYesNo(const std::string& q) override
    {
        m_questions.push_back(q);
        return m_bAnswer;
    }

    int m_nInvalidates = 0, m_nRepaints = 0, m_nCaptures = 0;
    bool m_bCaptured = false;
    std::vector<CContextMenuPlan> m_menus;
    CPoint m_ptMenu;
    std::vector<std::string> m_questions;
    bool m_bAnswer = true;
};

class CFakeDialogs : public IViewDialogs {
public:
    bool OpenRoomSheet(RoomId room) override { m_rooms.push_back(room); return m_bOk; }
    bool OpenLinkDialog(LinkId link) override { m_links.push_back(link); return m_bOk; }
    bool ChooseColor(ColorRef current, ColorRef& chosen) override
    {
        m_colorsShown.push_back(current);
        chosen = m_crChosen;
        return m_bOk;
    }
    bool AskLabel(std::string& text) override
    {
        m_labelsShown.push_back(text);
        text = m_strLabel;
        return m_bOk;
    }

    bool m_bOk = true;
    ColorRef m_crChosen = 0x123456;
    std::string m_strLabel = "label";
    std::vector<RoomId> m_rooms;
    std::vector<LinkId> m_links;
    std::vector<ColorRef> m_colorsShown;
    std::vector<std::string> m_labelsShown;
};

class InteractionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.OnNewDocument();
        view.m_bShowRose = false;
    }
    // Paints into nothing: the rooms and links get their hit data.
    void Paint()
    {
        CNullPaintDC dc(800, 600);
        PaintMapView(doc, view, dc);
    }
    // The window point of a room's centre at the default origin (200, 200), zoom 1.
    static CPoint Centre(int x, int y)
    {
        const CPoint64 c = RoomCentre(x, y);
        return {200 + static_cast<int>(c.x), 200 + static_cast<int>(c.y)};
    }
    RoomId Room(int x, int y, const char* title = "")
    {
        const RoomId id = AddTestRoom(doc, x, y, 0);
        CRoom r = doc.GetRoom(id);
        r.m_info.m_strTitle = title;
        doc.SetRoom(r);
        return id;
    }
    void Click(CPoint p)
    {
        act.OnLButtonDown(p);
        act.OnLButtonUp(p);
    }
    void RightClick(CPoint p)
    {
        act.OnRButtonDown(p);
        act.OnRButtonUp(p);
    }
    CPoint Cell(RoomId id) const
    {
        const CRoom r = doc.GetRoom(id);
        return {r.m_nX, r.m_nY};
    }

    CVorMapperDoc doc;
    CViewState view;
    CFakeHost host;
    CFakeDialogs dialogs;
    CMapInteraction act{doc, view, host, &dialogs};
};
