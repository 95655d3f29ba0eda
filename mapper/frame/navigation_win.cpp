// The main frame's part in finding rooms and walking to them: "Walk here",
// "Find room...", Escape in the view, and the walk's state in the status line.
#include "mapper/frame/main_frame_win.h"
#include "mapper/model/document.h"
#include "mapper/resource_ids.h"
#include "mapper/view/geometry.h"

void CMainFrame::SetUpNavigation()
{
    m_session.m_pMoveWatcher = &m_walk;
    m_walk.m_onChanged = [this] { OnWalkChanged(); };
    m_view.m_onEscape = [this] { m_walk.OnEscape(); };
}

void CMainFrame::OnWalkChanged()
{
    m_view.Interaction().SetStatus(m_walk.StateText(), false);
    m_view.Invalidate();
}

void CMainFrame::OnWalkHere()
{
    const RoomId room = m_view.Interaction().Selection().GetFocusRoom();
    if (room != 0 && room != m_doc.m_nCurrentRoom)
        WalkToRoom(room);
}

void CMainFrame::OnFindRoom()
{
    CFindRoomDialog dlg(m_doc, *this, m_hWnd);
    dlg.DoModal();
}

void CMainFrame::WalkToRoom(RoomId room)
{
    m_walk.Start(room, m_link.m_bAttached && m_doc.IsOnline());
    m_view.Invalidate();
}

void CMainFrame::ShowRoom(RoomId id)
{
    const CRoom* room = m_doc.GetRooms().Find(id);
    if (!room)
        return;
    const std::int32_t plane = room->m_nPlane;
    if (m_doc.m_nCurrentPlane != plane) {
        m_doc.m_nCurrentPlane = plane;
        m_doc.UpdateAllViews(nullptr, HINT_PLANE_CHANGED);
    }
    RECT rc = {0, 0, 0, 0};
    if (m_view.m_hWnd)
        ::GetClientRect(m_view.m_hWnd, &rc);
    const CPoint origin = CentreOriginOn(m_doc, id, rc.right, rc.bottom, m_view.State().Scale());
    m_doc.m_nOriginX = origin.x;
    m_doc.m_nOriginY = origin.y;
    CMapSelection& sel = m_view.Interaction().Selection();
    sel.Clear();
    sel.SelectRoom(id, true);
    m_view.Interaction().SetStatus("room sel", m_doc.GetRoom(id).m_info.m_strTitle.str(), false);
    m_view.Invalidate();
}
