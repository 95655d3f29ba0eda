#pragma once
// The decisions of the room properties sheet, without its windows: what the
// General and Comments pages' OK stores, and which link and direction the Links page
// shows for a picked direction.
#include <array>
#include <cstdint>
#include <string>

#include "mapper/model/records.h"

class CVorMapperDoc;

// "north", "south", ... "north-east" ... "down"; empty for no direction.
const char* LinksPageDirectionName(Direction dir);

// The values the General page edits.
struct CRoomGeneralValues {
    std::string strTitle;
    std::string strLabel;
    ColorRef crColor = kColorNone;
    ColorRef crLabelText = 0;
    ColorRef crLabelBack = kColorNone;
};

CRoomGeneralValues GeneralValuesOf(const CRoom& room);
// The General page's OK: a fresh copy of the room (link changes made on the
// Links page stay), the texts and colours from the page, a label placed
// beside the square when the stored label was empty; stored, and the
// document marked modified. False, and nothing changed, when the room is gone.
// Pages of one sheet pass the same `step` key, so that their OK is one step.
bool ApplyRoomGeneral(CVorMapperDoc& doc, RoomId id, const CRoomGeneralValues& values, std::uint64_t step = 0);

// The Comments page's OK: a fresh copy of the room with the page's text as
// its comments, stored and the document marked modified only when the text
// differs. False, and nothing changed, when the room is gone.
bool ApplyRoomComments(CVorMapperDoc& doc, RoomId id, const std::string& comments, std::uint64_t step = 0);

// Directions without a link are hidden on the Links page's rose.
std::array<int, kDirCount> HiddenWithoutLinks(const CRoom& room);

// What the Links page shows for a direction of the room.
struct CShownLink {
    LinkId nLink = 0;            // 0: the slot is empty or names no stored link
    Direction nAtRoom = DIR_NONE;  // the link's direction at this room
    std::string strTitle = "Title:";
    std::string strDirection = "Direction:";
};
CShownLink ShownLinkAt(const CVorMapperDoc& doc, const CRoom& room, Direction dir);
// After the link was edited: the direction of the room's slot that holds the
// link, or DIR_NONE when none does.
Direction SlotOfLink(const CRoom& room, LinkId link);
