#pragma once
// Undo and redo of every change to the map. The history watches the document
// and records, per editing step, what each change did to a record (as it was
// and as it became, with the place a removed record had in its container) and
// the counters and the character's room and plane at the step's begin and
// end. Undoing plays the step's changes backwards, redoing forwards: the map
// comes back exactly, container order included, at a cost in proportion to
// the step. Changes made outside any step are gathered into one step "Change".
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mapper/model/document.h"
#include "mapper/model/map_observer.h"

namespace vfw {
class CCmdUI;
}

class CMapHistory : public IMapObserver {
public:
    static constexpr std::size_t kMaxSteps = 10000;
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

    // Watches the document from now on, until destroyed.
    explicit CMapHistory(CVorMapperDoc& doc, std::size_t maxSteps = kMaxSteps, std::size_t maxBytes = kMaxBytes);
    ~CMapHistory() override;
    CMapHistory(const CMapHistory&) = delete;
    CMapHistory& operator=(const CMapHistory&) = delete;

    bool CanUndo() const;
    bool CanRedo() const;
    // The name of the step an undo or a redo would play; empty when none.
    std::string UndoName() const;
    std::string RedoName() const;
    bool Undo();
    bool Redo();
    void Clear();

    // Steps kept (undone ones included), the steps that can be undone, and
    // the memory the history holds, estimated.
    std::size_t StepCount() const { return m_steps.size() + (HasImplicit() ? 1 : 0); }
    std::size_t UndoCount() const { return m_pos + (HasImplicit() ? 1 : 0); }
    std::size_t ByteCount() const { return m_bytes; }
    // Steps recorded so far (a merged part counts too): tells a change from none.
    std::uint64_t CommitCount() const { return m_commits; }

    // The Edit menu's "Undo <step>" and "Redo <step>".
    bool OnCommand(unsigned id);
    bool OnUpdateCommand(vfw::CCmdUI& ui) const;

    // --- IMapObserver
    void OnRoomChanging(RoomId id, const CRoom* before, const CRoom* after) override;
    void OnLinkChanging(LinkId id, const CLink* before, const CLink* after) override;
    void OnPlaneNameChanging(std::int32_t plane, const std::string* before, const std::string* after) override;
    void OnMapReplaced() override;
    void OnStepBegin(const char* name, std::uint64_t merge) override;
    void OnStepEnd() override;

private:
    struct Snapshot {
        std::uint32_t lastRoom = 0;
        std::uint32_t lastLink = 0;
        RoomId current = 0;
        std::int32_t plane = 0;
        bool SameCounters(const Snapshot& o) const { return lastRoom == o.lastRoom && lastLink == o.lastLink; }
    };
    static constexpr std::uint32_t kMoved = 0xFFFFFFFFu;
    // A room's change: a move by (dx, dy, dplane), or the record at `full`.
    struct RoomChange {
        RoomId id;
        std::uint32_t full;
        std::int32_t dx, dy, dplane;
    };
    struct FullRoom {
        std::unique_ptr<CRoom> before, after;
        CRoomMap::Place place;
    };
    struct LinkChange {
        LinkId id;
        std::optional<CLink> before, after;
        CLinkMap::Place place;
    };
    struct PlaneChange {
        std::int32_t plane;
        std::optional<std::string> before, after;
        CPlaneNameMap::Place place;
    };
    struct Step {
        std::string name;
        std::uint64_t merge = 0;
        Snapshot begin, end;
        std::vector<RoomChange> rooms;
        std::vector<FullRoom> full;
        std::vector<LinkChange> links;
        std::vector<PlaneChange> planes;
        std::size_t bytes = 0;
        bool HasRecords() const { return !rooms.empty() || !links.empty() || !planes.empty(); }
    };

    Snapshot Take() const;
    void Open(const char* name, std::uint64_t merge, bool implicit);
    Step& Building();  // the step being recorded, made at its first change
    void Commit();
    void Settle();  // commits a step of changes made outside any step
    bool HasImplicit() const { return m_bOpen && m_bImplicit && m_bBuilt && m_building.HasRecords(); }
    // Whether a change now is recorded; opens the implicit step when needed.
    bool Recording();
    void DropOldest();
    void Apply(const Step& step, bool forward);
    // Before an undo or a redo: ends the step left open and commits changes made outside any.
    void CloseSteps();
    // After one: the modified flag for the new position, the views told.
    void Played();
    void NoteSaved();
    void MarkModified();
    std::uint64_t AbsPos() const { return m_dropped + m_pos; }

    CVorMapperDoc& m_doc;
    std::size_t m_maxSteps, m_maxBytes;
    std::deque<Step> m_steps;
    std::size_t m_pos = 0;        // steps done; those from m_pos on are undone
    std::uint64_t m_dropped = 0;  // oldest steps let go
    std::size_t m_bytes = 0;
    std::int64_t m_saved = 0;     // position of the saved state, -1 when gone
    std::string m_openName;
    std::uint64_t m_openMerge = 0;
    Snapshot m_openBegin;
    Step m_building;
    bool m_bBuilt = false;
    int m_depth = 0;
    bool m_bOpen = false;
    bool m_bImplicit = false;
    bool m_bApplying = false;
    std::uint64_t m_commits = 0;
};
