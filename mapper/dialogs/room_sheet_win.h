#pragma once
// The room properties sheet: General (title, colours, label), Links (the
// room's exits on a wind rose, with "Delete" and "Properties") and Comments.
// The Links page writes to the document at once; the General page only when
// the sheet closes with OK.
#include <string>

#include <windows.h>

#include "framework/win/property_sheet.h"
#include "mapper/dialogs/room_pages.h"
#include "mapper/view/wind_rose_win.h"

class CVorMapperDoc;

class CRoomGeneralPage : public vfw::CPropertyPage {
public:
    CRoomGeneralPage();
    ~CRoomGeneralPage() override;

    void Init(CVorMapperDoc& doc, RoomId id, std::uint64_t step);
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    void DoDataExchange(vfw::CDataExchange& dx) override;
    void OnOK() override;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    CRoom m_room;  // working copy; its three colours are edited in place

private:
    HBRUSH OnCtlColor(HWND control);
    void ChooseBoxColor(int box);
    void MakeTransparent(int box);
    ColorRef* BoxColor(int box);

    CVorMapperDoc* m_pDoc = nullptr;
    std::uint64_t m_nStep = 0;
    std::string m_strTitle;
    std::string m_strLabel;
    HBRUSH m_hBrush = nullptr;
};

class CRoomLinksPage : public vfw::CPropertyPage {
public:
    CRoomLinksPage();

    void Init(CVorMapperDoc& doc, RoomId id);
    BOOL OnInitDialog() override;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // The page wrote a link change to the document.
    bool Changed() const { return m_bChanged; }

    CRoom m_room;       // working copy, fetched again after every change
    LinkId m_nShownLink = 0;
    CWindRose m_rose;

private:
    void OnRoseClick();
    void OnDelete();
    void OnProperties();
    void ShowLink(Direction dir);
    void ClearShown();

    CVorMapperDoc* m_pDoc = nullptr;
    bool m_bChanged = false;
};

class CRoomCommentsPage : public vfw::CPropertyPage {
public:
    CRoomCommentsPage();
    // The room's comments, shown when the page opens; OK stores the text.
    void Init(CVorMapperDoc& doc, RoomId id, std::uint64_t step);
    void DoDataExchange(vfw::CDataExchange& dx) override;
    void OnOK() override;

private:
    CVorMapperDoc* m_pDoc = nullptr;
    RoomId m_nRoom = 0;
    std::uint64_t m_nStep = 0;
    std::string m_strComments;
};

class CRoomSheet : public vfw::CPropertySheet {
public:
    explicit CRoomSheet(HWND hParent = nullptr);
    void Init(CVorMapperDoc& doc, RoomId id);
    bool LinksChanged() const { return m_pageLinks.Changed(); }

    CRoomGeneralPage m_pageGeneral;
    CRoomLinksPage m_pageLinks;
    CRoomCommentsPage m_pageComments;
};
