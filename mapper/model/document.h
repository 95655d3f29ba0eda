#pragma once
// The map document: rooms, links, plane names, the character's room, the view
// settings saved with the map and the mode flags of mapping.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/document.h"
#include "mapper/model/bucket_map.h"
#include "mapper/model/cell_index.h"
#include "mapper/model/flat_index.h"
#include "mapper/model/map_layout.h"
#include "mapper/model/map_observer.h"
#include "mapper/model/records.h"

class CArchive;

using CRoomMap = CBucketMap<RoomId, CRoom>;
using CLinkMap = CBucketMap<LinkId, CLink>;
using CPlaneNameMap = CBucketMap<std::int32_t, std::string>;

// A whole map as a reader builds it, before it replaces the document's map.
struct CMapContents {
    CMapFileHeader header{200, 200, 0.0, 1.0, 0, 1, 0, 0};
    CPlaneNameMap planes;
    CRoomMap rooms;
    CLinkMap links;
};

// Update hints carried to the views.
enum : long { HINT_REDRAW = 0, HINT_PLANE_CHANGED = 1 };

// Asks the user for a plane's name ("Plane name" dialog); returns the edit
// box's text when the dialog closes, by OK or by Cancel.
class IPlaneNamePrompt {
public:
    virtual ~IPlaneNamePrompt() = default;
    virtual std::string AskPlaneName(const std::string& current) = 0;
};

// The main frame, reached by online moves.
class IOnlineMoveSink {
public:
    virtual ~IOnlineMoveSink() = default;
    virtual void SendDirection(Direction dir) = 0;
};

class CVorMapperDoc : public vfw::CDocument {
public:
    CVorMapperDoc();
    ~CVorMapperDoc() override;

    // New: the framework's step, then the empty map with room 1.
    bool OnNewDocument() override;
    // Map file (version 2 written, 1 and 2 read). Throws CArchiveException;
    // a failed load leaves the document as after New.
    void Serialize(CArchive& ar);
    // The map file of the document as it is (version 2).
    void Store(CArchive& ar) const;
    // Takes a whole map read from a file in place of this one: counters raised
    // to the ids, a current room that is not stored replaced by the first room,
    // observers told of a new map, not modified.
    void ReplaceMap(CMapContents contents);
    // The version of the map file last loaded (2 for a map not loaded from a
    // .vmm file) and the current room as that file held it, before repair.
    std::uint32_t GetFileVersion() const { return m_nFileVersion; }
    RoomId GetStoredCurrentRoom() const { return m_nStoredCurrentRoom; }

    // --- lookup and storage
    CRoom GetRoom(RoomId id) const;
    bool LookupRoom(RoomId id, CRoom& room) const;
    RoomId SetRoom(const CRoom& room);
    CLink GetLink(LinkId id) const;
    bool LookupLink(LinkId id, CLink& link) const;
    LinkId SetLink(const CLink& link);
    bool FindRoomAt(std::int32_t x, std::int32_t y, std::int32_t plane, CRoom& room) const;
    RoomId FindRoomIdAt(std::int32_t x, std::int32_t y, std::int32_t plane) const;
    bool HasFreeExit(RoomId id) const;
    const CRoomMap& GetRooms() const { return m_roomMap; }
    const CLinkMap& GetLinks() const { return m_linkMap; }
    const CPlaneNameMap& GetPlaneNames() const { return m_planeNames; }
    std::uint32_t GetLastRoomId() const { return m_nLastRoomId; }
    std::uint32_t GetLastLinkId() const { return m_nLastLinkId; }

    // Hit data written by the view while it paints (not saved). Each is a
    // no-op for an id that is not stored.
    void SetRoomHitData(RoomId id, CPoint square, const CRect& hit);
    void SetRoomLabelRegion(RoomId id, HRegion region);
    void SetLinkRegion(LinkId id, HRegion region);

    // --- hit tests, points in map units
    RoomId RoomAtPoint(CPoint pt) const;
    RoomId RoomLabelAtPoint(CPoint pt) const;
    LinkId LinkAtPoint(CPoint pt) const;

    // --- planes
    std::string GetPlaneName(std::int32_t plane) const;
    void SetPlaneName(std::int32_t plane, const std::string& name);

    // --- mode state, set by the main frame
    void SetOnline(bool online);
    bool IsOnline() const { return m_bOnline; }
    void SetFollow(const std::string& name);
    void ClearFollow();
    const std::string& GetFollowName() const { return m_strFollowName; }
    bool IsFollowingOnline() const { return m_bFollow && m_bOnline; }

    // Releases every region held by the records.
    void ReleaseRegions();

    // --- editing operations
    RoomId AddRoom(CRoom room);
    bool DeleteRoom(RoomId id);
    LinkId AddLink(CLink link);
    void DeleteLink(LinkId id);
    void ShiftRooms(RoomId id, Direction dir);
    void SetRoomRecursive(RoomId id, bool recursive);

    // --- commands of the document (menu, accelerators, toolbar)
    bool OnCommand(unsigned id);
    bool OnUpdateCommand(vfw::CCmdUI& ui) const;
    void SetPlaneNamePrompt(IPlaneNamePrompt* prompt) { m_pPlaneNamePrompt = prompt; }
    // "Rename plane": asks for the name of the plane on view and stores it
    // (by OK or Cancel) for that plane; a changed name marks the map modified.
    void RenamePlane();

    // --- observers of the stored map (not owned; remove before destruction)
    void AddObserver(IMapObserver* observer);
    void RemoveObserver(IMapObserver* observer);

    // --- steps of editing, heard by the observers (see CMapStep)
    void BeginStep(const char* name, std::uint64_t merge = 0);
    void EndStep();

    // --- exact restores for undo and redo, reported to observers like any
    // change. A null record removes the id; an absent id is stored at the
    // place (at its bucket's head without one); a stored one takes the record,
    // keeping the hit data of the view.
    void RestoreRoom(RoomId id, const CRoom* record, const CRoomMap::Place* place = nullptr);
    void RestoreRoomPosition(RoomId id, std::int32_t x, std::int32_t y, std::int32_t plane);
    void RestoreLink(LinkId id, const CLink* record, const CLinkMap::Place* place = nullptr);
    void RestorePlaneName(std::int32_t plane, const std::string* name, const CPlaneNameMap::Place* place = nullptr);
    void RestoreCounters(std::uint32_t lastRoom, std::uint32_t lastLink);

    // --- character movement
    bool Move(Direction dir, const CRoomInfo* info = nullptr);
    bool SendOnlineMove(Direction dir);
    void SetOnlineMoveSink(IOnlineMoveSink* sink) { m_pMoveSink = sink; }

    // Fields read and written directly by the view and the main frame.
    std::int32_t m_nOriginX = 200;
    std::int32_t m_nOriginY = 200;
    double m_dRotation = 0.0;
    double m_dZoom = 1.0;
    std::string m_strFollowName;
    bool m_bTrace = true;
    RoomId m_nCurrentRoom = 1;
    std::int32_t m_nCurrentPlane = 0;
    bool m_bFollow = false;
    bool m_bAutoShift = true;
    bool m_bOnline = false;

private:
    void Load(CArchive& ar);
    void ClearMap();
    // Stores the room (told to the observers) with its cell; a new one at
    // `place` when given, else at its bucket's head.
    std::uint32_t StoreRoomNode(CRoom room, const CRoomMap::Place* place = nullptr);
    void RebuildCellIndex();
    void RaiseCountersToIds();

    CRoomMap m_roomMap;
    CLinkMap m_linkMap;
    CPlaneNameMap m_planeNames;
    // Rooms by grid cell: position searches never scan the map.
    struct CellOfNode {
        const CRoomMap* rooms;
        CCellKey operator()(std::uint32_t node) const
        {
            const CRoom& r = rooms->NodeValue(node);
            return {r.m_nX, r.m_nY, r.m_nPlane};
        }
    };
    CellOfNode CellOf() const { return CellOfNode{&m_roomMap}; }
    std::uint32_t FirstNodeAt(std::int32_t x, std::int32_t y, std::int32_t plane) const;
    CNodeIndex<CCellKey, CCellHash> m_cells;
    std::uint32_t m_nLastLinkId = 0;
    std::uint32_t m_nLastRoomId = 0;
    std::uint32_t m_nFileVersion = kMapVersionWritten;
    RoomId m_nStoredCurrentRoom = 1;

    bool Observed() const { return !m_observers.empty(); }
    void NotifyRoom(RoomId id, const CRoom* before, const CRoom* after);
    void NotifyLink(LinkId id, const CLink* before, const CLink* after);
    void NotifyMapReplaced();
    // In-place changes of a stored room made by moves, seen by observers first.
    void FillRoomTexts(std::uint32_t node, const CRoomInfo& info);
    void SetRoomSlot(RoomId id, Direction dir, LinkId link);
    std::vector<IMapObserver*> m_observers;

    IPlaneNamePrompt* m_pPlaneNamePrompt = nullptr;
    IOnlineMoveSink* m_pMoveSink = nullptr;
};

// One editing step for as long as it lives.
class CMapStep {
public:
    CMapStep(CVorMapperDoc& doc, const char* name, std::uint64_t merge = 0) : m_doc(doc) { doc.BeginStep(name, merge); }
    ~CMapStep() { m_doc.EndStep(); }
    // A key no step has used yet, for steps that make one (a drag's moves).
    static std::uint64_t NewMergeKey();
    CMapStep(const CMapStep&) = delete;
    CMapStep& operator=(const CMapStep&) = delete;

private:
    CVorMapperDoc& m_doc;
};
