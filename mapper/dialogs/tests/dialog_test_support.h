#pragma once
// Maps for the dialog tests: rooms with titles joined by links entered in
// both rooms' slots.
#include "mapper/model/tests/test_support.h"

// Room 1 "Hall" (from New), 2 "Kitchen", 3 "Cellar"; Hall north to Kitchen
// south (the returned link), Hall west to Cellar east.
struct CHallMap : CNewDoc {
    CHallMap()
    {
        CRoom hall = GetRoom(1);
        hall.m_info.m_strTitle = "Hall";
        SetRoom(hall);
        kitchen = AddRoomAt(*this, 0, -1, 0, "Kitchen");
        cellar = AddRoomAt(*this, -1, 0, 0, "Cellar");
        north = Join(*this, 1, DIR_N, kitchen, DIR_S);
        west = Join(*this, 1, DIR_W, cellar, DIR_E);
    }
    RoomId kitchen = 0, cellar = 0;
    LinkId north = 0, west = 0;
};
