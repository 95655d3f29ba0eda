#pragma once
// "Find room": a text box, the rooms whose title, comments or label hold
// the text (id, plane, title), kept up to date as the user types, and the
// buttons "Show" (also a double-click on an entry) and "Walk there".
#include <string>
#include <vector>

#include "framework/win/dialog.h"
#include "mapper/model/records.h"

class CVorMapperDoc;

// What the dialog's buttons do, served by the main frame.
class IFindRoomActions {
public:
    virtual ~IFindRoomActions() = default;
    // Changes to the room's plane, centres the view on it and selects it.
    virtual void ShowRoom(RoomId room) = 0;
    // Starts a walk to the room, as "Walk here" does.
    virtual void WalkToRoom(RoomId room) = 0;
};

class CFindRoomDialog : public vfw::CDialog {
public:
    // Entries listed at most; more matches are counted, not listed.
    static constexpr std::size_t kMaxListed = 1000;

    CFindRoomDialog(const CVorMapperDoc& doc, IFindRoomActions& actions, HWND hParent = nullptr);
    BOOL OnInitDialog() override;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnOK() override;

    // The text the dialog opens with (and the last one typed after it closes).
    std::string m_strText;
    // The rooms listed, in list order.
    const std::vector<RoomId>& Listed() const { return m_listed; }

private:
    void Refresh();
    RoomId SelectedRoom() const;
    void EnableButtons();

    const CVorMapperDoc& m_doc;
    IFindRoomActions& m_actions;
    std::vector<RoomId> m_listed;
};

// One list entry: "id<TAB>[plane]<TAB>title".
std::string FindRoomEntryText(RoomId id, const CRoom& room);
