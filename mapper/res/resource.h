#pragma once
// Resource ids of the program: menus, icons, dialogs and their controls.
// Command ids are in mapper/resource_ids.h.
#include "mapper/resource_ids.h"

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// IDR_MAINFRAME (menu bar, toolbar, accelerators, program icon, document template text),
// IDR_CONTEXT_MENU, the about box, the text dialogs, IDI_DIR_FIRST and the start-up strings are in
// mapper/resource_ids.h.

// Direction icons, in direction order (N, S, E, W, NE, NW, SE, SW, U, D)
#define IDI_DIR_N 141
#define IDI_DIR_S 142
#define IDI_DIR_E 143
#define IDI_DIR_W 144
#define IDI_DIR_NE 145
#define IDI_DIR_NW 146
#define IDI_DIR_SE 147
#define IDI_DIR_SW 148
#define IDI_DIR_U 149
#define IDI_DIR_D 150

// Strings
#define IDS_IDLE_MESSAGE 57345
#define IDS_UNTITLED 61440
#define IDS_SAVE_FILE 61441
#define IDS_ALL_FILTER 61442
#define IDP_INVALID_FILENAME 61696
#define IDP_FAILED_TO_OPEN_DOC 61697
#define IDP_FAILED_TO_SAVE_DOC 61698
#define IDP_ASK_TO_SAVE 61699
#define IDP_FAILED_TO_CREATE_DOC 61700
#define IDP_PARSE_INT 61712
#define IDP_FAILED_INVALID_FORMAT 61728
#define IDP_FAILED_INVALID_PATH 61729
#define IDP_FAILED_DISK_FULL 61730
#define IDP_FAILED_ACCESS_READ 61731
#define IDP_FAILED_ACCESS_WRITE 61732
#define IDP_FAILED_IO_ERROR_READ 61733
#define IDP_FAILED_IO_ERROR_WRITE 61734

// About box

// Text input dialogs
#define IDC_TEXT_EDIT 1003
#define IDC_FOLLOW_NAME 1005

// Palette dialog
#define IDD_PALETTE 139
#define IDC_PALETTE_GRID 1013
#define IDC_PALETTE_MORE 1012

// Link properties dialog
#define IDD_LINK_PROPERTIES 140
#define IDC_LINK_FROM_ROOM 1013
#define IDC_LINK_TO_ROOM 1014

// Room properties sheet
#define IDD_ROOM_GENERAL 102
#define IDD_ROOM_LINKS 151
#define IDD_ROOM_COMMENTS 152
#define IDC_ROOM_TITLE 1006
#define IDC_ROOM_LABEL 1007
#define IDC_ROOM_TRANSPARENT 1010
#define IDC_ROOM_COLOR 1011
#define IDC_LABEL_TEXT_COLOR 1012
#define IDC_LABEL_TRANSPARENT 1013
#define IDC_LABEL_BACK_COLOR 1014
#define IDC_LINKS_ROSE 101
#define IDC_LINKS_TITLE 1015
#define IDC_LINKS_DIRECTION 1016
#define IDC_LINKS_PROPERTIES 1017
#define IDC_LINKS_DELETE 1018
#define IDC_LINKS_HINT 1014
#define IDC_COMMENTS_TEXT 1007

// Configuration sheet
#define IDD_CONFIG_GENERAL 155
#define IDD_CONFIG_ALIAS 107
#define IDD_CONFIG_FOLLOW 137
#define IDD_CONFIG_INFO 156
#define IDC_WRONGWAY_LIST 1023
#define IDC_WRONGWAY_ADD 1024
#define IDC_WRONGWAY_MODIFY 1025
#define IDC_WRONGWAY_DELETE 1026
#define IDC_IGNORE_LIST 1027
#define IDC_IGNORE_ADD 1028
#define IDC_IGNORE_MODIFY 1029
#define IDC_IGNORE_DELETE 1030
#define IDC_ALIAS_LONG_FIRST 1020
#define IDC_ALIAS_SHORT_FIRST 1030
#define IDC_FOLLOW_ACTIVATION 1021
#define IDC_FOLLOW_CHECK 1022
#define IDC_FOLLOW_DIRECTION 1023
#define IDC_FOLLOW_FOLLOW 1024
#define IDC_FOLLOW_STOP 1025
#define IDC_INFO_SLIDER 1027
#define IDC_INFO_TEXT 1015

// Find room dialog
#define IDD_FIND_ROOM 300
#define IDC_FIND_TEXT 3000
#define IDC_FIND_LIST 3001
#define IDC_FIND_SHOW 3002
#define IDC_FIND_WALK 3003
#define IDC_FIND_COUNT 3004
