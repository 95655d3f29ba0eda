#include "mapper/model/history.h"

#include "mapper/resource_ids.h"

namespace {
constexpr char kImplicitName[] = "Change";

bool SameExceptPosition(const CRoom& a, const CRoom& b)
{
    const CRoomInfo &x = a.m_info, &y = b.m_info;
    return a.m_nId == b.m_nId && a.m_links == b.m_links && a.m_crColor == b.m_crColor &&
           a.m_bRecursive == b.m_bRecursive && x.m_strTitle == y.m_strTitle && x.m_strComments == y.m_strComments &&
           x.m_strLabel == y.m_strLabel && x.m_ptLabel == y.m_ptLabel && x.m_crLabelText == y.m_crLabelText &&
           x.m_crLabelBack == y.m_crLabelBack;
}

std::int32_t Diff(std::int32_t to, std::int32_t from)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(to) - static_cast<std::uint32_t>(from));
}

// The coordinate moved by d, or back by it.
std::int32_t Step1(std::int32_t c, std::int32_t d, bool forward)
{
    const std::uint32_t u = static_cast<std::uint32_t>(d);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(c) + (forward ? u : 0u - u));
}

std::size_t RoomBytes(const CRoom* room)
{
    if (!room)
        return 0;
    const CRoomInfo& i = room->m_info;
    return sizeof(CRoom) + 3 * 16 + i.m_strTitle.size() + i.m_strComments.size() + i.m_strLabel.size();
}

// f(change) for the changes as recorded, or backwards.
template <class V, class F>
void InOrder(const V& changes, bool forward, F f)
{
    if (forward)
        for (const auto& c : changes)
            f(c);
    else
        for (auto it = changes.rbegin(); it != changes.rend(); ++it)
            f(*it);
}

std::unique_ptr<CRoom> Copy(const CRoom* room)
{
    if (!room)
        return nullptr;
    auto copy = std::make_unique<CRoom>(*room);
    copy->m_info.m_hLabelRgn.reset();  // the history holds no drawing regions
    return copy;
}

std::optional<CLink> Copy(const CLink* link)
{
    if (!link)
        return std::nullopt;
    CLink copy = *link;
    copy.m_hRgn.reset();
    return copy;
}
}  // namespace

CMapHistory::CMapHistory(CVorMapperDoc& doc, std::size_t maxSteps, std::size_t maxBytes)
    : m_doc(doc), m_maxSteps(maxSteps), m_maxBytes(maxBytes)
{
    m_saved = m_doc.IsModified() ? -1 : 0;
    m_doc.AddObserver(this);
}

CMapHistory::~CMapHistory() { m_doc.RemoveObserver(this); }

CMapHistory::Snapshot CMapHistory::Take() const
{
    return {m_doc.GetLastRoomId(), m_doc.GetLastLinkId(), m_doc.m_nCurrentRoom, m_doc.m_nCurrentPlane};
}

// ---------------------------------------------------------------- recording

void CMapHistory::Open(const char* name, std::uint64_t merge, bool implicit)
{
    // Cheap until the first change: most steps of moves change nothing.
    m_openName.assign(name ? name : "");
    m_openMerge = merge;
    m_openBegin = Take();
    m_bOpen = true;
    m_bBuilt = false;
    m_bImplicit = implicit;
}

CMapHistory::Step& CMapHistory::Building()
{
    if (!m_bBuilt) {
        m_building = Step();
        m_building.name = m_openName;
        m_building.merge = m_openMerge;
        m_building.begin = m_openBegin;
        m_bBuilt = true;
    }
    return m_building;
}

void CMapHistory::Settle()
{
    if (m_bOpen && m_bImplicit)
        Commit();
}

bool CMapHistory::Recording()
{
    if (m_bApplying)
        return false;
    if (!m_bOpen) {
        NoteSaved();
        Open(kImplicitName, 0, true);
    }
    return true;
}

void CMapHistory::OnStepBegin(const char* name, std::uint64_t merge)
{
    if (m_bApplying)
        return;
    if (m_depth++ > 0)
        return;
    Settle();
    NoteSaved();
    Open(name, merge, false);
}

void CMapHistory::OnStepEnd()
{
    if (m_bApplying || m_depth == 0)
        return;
    if (--m_depth == 0)
        Commit();
}

void CMapHistory::Commit()
{
    m_bOpen = false;
    m_bImplicit = false;
    if (!m_bBuilt && m_openBegin.SameCounters(Take()))
        return;  // a step that changed nothing
    Step step = std::move(Building());
    m_bBuilt = false;
    m_building = Step();
    step.end = Take();
    if (!step.HasRecords() && step.begin.SameCounters(step.end))
        return;
    // A new step lets the undone ones go.
    while (m_steps.size() > m_pos) {
        m_bytes -= m_steps.back().bytes;
        m_steps.pop_back();
    }
    if (m_saved > static_cast<std::int64_t>(AbsPos()))
        m_saved = -1;
    const bool merge = step.merge != 0 && m_pos > 0 && m_steps.back().merge == step.merge &&
                       m_saved != static_cast<std::int64_t>(AbsPos());
    if (merge) {
        Step& top = m_steps.back();
        const std::uint32_t offset = static_cast<std::uint32_t>(top.full.size());
        for (RoomChange& c : step.rooms) {
            if (c.full != kMoved)
                c.full += offset;
            top.rooms.push_back(c);
        }
        for (FullRoom& f : step.full)
            top.full.push_back(std::move(f));
        for (LinkChange& l : step.links)
            top.links.push_back(std::move(l));
        for (PlaneChange& p : step.planes)
            top.planes.push_back(std::move(p));
        top.end = step.end;
        top.bytes += step.bytes;  // step.bytes stays: counted in m_bytes below
    } else {
        step.bytes += sizeof(Step) + step.name.size();
        m_steps.push_back(std::move(step));
        ++m_pos;
    }
    m_bytes += merge ? step.bytes : m_steps.back().bytes;
    ++m_commits;
    m_doc.SetModifiedFlag(true);
    while (!m_steps.empty() && (m_steps.size() > m_maxSteps || m_bytes > m_maxBytes))
        DropOldest();
}

void CMapHistory::DropOldest()
{
    m_bytes -= m_steps.front().bytes;
    m_steps.pop_front();
    ++m_dropped;
    if (m_pos > 0)
        --m_pos;
    if (m_saved >= 0 && static_cast<std::uint64_t>(m_saved) < m_dropped)
        m_saved = -1;
}

void CMapHistory::OnRoomChanging(RoomId id, const CRoom* before, const CRoom* after)
{
    if (!Recording())
        return;
    Step& s = Building();
    if (before && after && SameExceptPosition(*before, *after)) {
        if (before->m_nX == after->m_nX && before->m_nY == after->m_nY && before->m_nPlane == after->m_nPlane)
            return;  // hit data or nothing at all
        s.rooms.push_back({id, kMoved, Diff(after->m_nX, before->m_nX), Diff(after->m_nY, before->m_nY),
                           Diff(after->m_nPlane, before->m_nPlane)});
        s.bytes += sizeof(RoomChange);
        return;
    }
    FullRoom f;
    if (before && !after)
        f.place = m_doc.GetRooms().PlaceOf(id);
    f.before = Copy(before);
    f.after = Copy(after);
    s.bytes += sizeof(RoomChange) + sizeof(FullRoom) + RoomBytes(before) + RoomBytes(after);
    s.rooms.push_back({id, static_cast<std::uint32_t>(s.full.size()), 0, 0, 0});
    s.full.push_back(std::move(f));
}

void CMapHistory::OnLinkChanging(LinkId id, const CLink* before, const CLink* after)
{
    if (!Recording())
        return;
    LinkChange c{id, Copy(before), Copy(after), {}};
    if (before && !after)
        c.place = m_doc.GetLinks().PlaceOf(id);
    Step& s = Building();
    s.links.push_back(std::move(c));
    s.bytes += sizeof(LinkChange);
}

void CMapHistory::OnPlaneNameChanging(std::int32_t plane, const std::string* before, const std::string* after)
{
    if (!Recording())
        return;
    if (before && after && *before == *after)
        return;
    PlaneChange c{plane, {}, {}, {}};
    if (before)
        c.before = *before;
    if (after)
        c.after = *after;
    if (before && !after)
        c.place = m_doc.GetPlaneNames().PlaceOf(plane);
    Step& s = Building();
    s.bytes += sizeof(PlaneChange) + (before ? before->size() : 0) + (after ? after->size() : 0);
    s.planes.push_back(std::move(c));
}

void CMapHistory::OnMapReplaced()
{
    if (m_bApplying)
        return;
    Clear();
}

void CMapHistory::Clear()
{
    m_steps.clear();
    m_pos = 0;
    m_dropped = 0;
    m_bytes = 0;
    m_building = Step();
    m_bOpen = m_bImplicit = m_bBuilt = false;
    m_depth = 0;
    m_saved = m_doc.IsModified() ? -1 : 0;
}

// ---------------------------------------------------------------- playing

bool CMapHistory::CanUndo() const { return m_pos > 0 || HasImplicit(); }
bool CMapHistory::CanRedo() const { return !HasImplicit() && m_pos < m_steps.size(); }

std::string CMapHistory::UndoName() const
{
    if (HasImplicit())
        return m_openName;
    return m_pos > 0 ? m_steps[m_pos - 1].name : std::string();
}

std::string CMapHistory::RedoName() const { return CanRedo() ? m_steps[m_pos].name : std::string(); }

void CMapHistory::NoteSaved()
{
    // The modified flag is cleared only by New, Open and Save: an unmodified
    // document stands where it was last saved.
    if (!m_doc.IsModified())
        m_saved = static_cast<std::int64_t>(AbsPos());
}

void CMapHistory::MarkModified() { m_doc.SetModifiedFlag(m_saved != static_cast<std::int64_t>(AbsPos())); }

bool CMapHistory::Undo()
{
    CloseSteps();
    if (m_pos == 0)
        return false;
    NoteSaved();
    --m_pos;
    Apply(m_steps[m_pos], false);
    Played();
    return true;
}

bool CMapHistory::Redo()
{
    CloseSteps();
    if (m_pos >= m_steps.size())
        return false;
    NoteSaved();
    Apply(m_steps[m_pos], true);
    ++m_pos;
    Played();
    return true;
}

void CMapHistory::CloseSteps()
{
    if (m_depth > 0 && m_bOpen && !m_bImplicit) {
        m_depth = 0;  // a step left open (a drag cut short) ends here
        Commit();
    }
    Settle();
}

void CMapHistory::Played()
{
    MarkModified();
    m_doc.UpdateAllViews(nullptr, HINT_PLANE_CHANGED);
}

void CMapHistory::Apply(const Step& step, bool forward)
{
    m_bApplying = true;
    auto room = [&](const RoomChange& c) {
        if (c.full == kMoved) {
            const CRoom* stored = m_doc.GetRooms().Find(c.id);
            if (!stored)
                return;
            m_doc.RestoreRoomPosition(c.id, Step1(stored->m_nX, c.dx, forward), Step1(stored->m_nY, c.dy, forward),
                                      Step1(stored->m_nPlane, c.dplane, forward));
            return;
        }
        const FullRoom& f = step.full[c.full];
        const CRoom* target = forward ? f.after.get() : f.before.get();
        const bool reinsert = !forward && f.before && !f.after;
        m_doc.RestoreRoom(c.id, target, reinsert ? &f.place : nullptr);
    };
    auto link = [&](const LinkChange& c) {
        const std::optional<CLink>& target = forward ? c.after : c.before;
        const bool reinsert = !forward && c.before && !c.after;
        m_doc.RestoreLink(c.id, target ? &*target : nullptr, reinsert ? &c.place : nullptr);
    };
    auto plane = [&](const PlaneChange& c) {
        const std::optional<std::string>& target = forward ? c.after : c.before;
        const bool reinsert = !forward && c.before && !c.after;
        m_doc.RestorePlaneName(c.plane, target ? &*target : nullptr, reinsert ? &c.place : nullptr);
    };
    InOrder(step.planes, forward, plane);
    InOrder(step.links, forward, link);
    InOrder(step.rooms, forward, room);
    const Snapshot& s = forward ? step.end : step.begin;
    m_doc.RestoreCounters(s.lastRoom, s.lastLink);
    m_doc.m_nCurrentRoom = s.current;
    m_doc.m_nCurrentPlane = s.plane;
    m_bApplying = false;
}

// ---------------------------------------------------------------- commands

bool CMapHistory::OnCommand(unsigned id)
{
    if (id == ID_EDIT_UNDO) {
        Undo();
        return true;
    }
    if (id == ID_EDIT_REDO) {
        Redo();
        return true;
    }
    return false;
}

bool CMapHistory::OnUpdateCommand(vfw::CCmdUI& ui) const
{
    if (ui.m_nID != ID_EDIT_UNDO && ui.m_nID != ID_EDIT_REDO)
        return false;
    const bool undo = ui.m_nID == ID_EDIT_UNDO;
    const std::string name = undo ? UndoName() : RedoName();
    const bool can = undo ? CanUndo() : CanRedo();
    std::string text = undo ? "&Undo" : "&Redo";
    if (can && !name.empty())
        text += " " + name;
    text += undo ? "\tCtrl+Z" : "\tCtrl+Y";
    ui.SetText(text.c_str());
    ui.Enable(can);
    return true;
}
