// Ids of the icons and skin bitmaps.
#pragma once

#define IDI_PLAYER 1
#define IDI_TEXT_VIEWER 2
#define IDI_WRD_SCREEN 3

#define IDB_BUTTON_FACE 1
#define IDB_BUTTON_PRESSED 2
#define IDB_BUTTON_GLYPHS 3
#define IDB_PLAY_STATES 4
#define IDB_PLAY_ORDERS 5
#define IDB_DEVICE_KINDS 6
#define IDB_TEXT_TOGGLE 7
#define IDB_WRD_TOGGLE 8
#define IDB_COUNTER_DIGITS 9
#define IDB_FOLDER_ICONS 10
