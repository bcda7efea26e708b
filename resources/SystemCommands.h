// Commands of the main window's system menu, its pop-up copy and the accelerators: the ids of
// WM_SYSCOMMAND. Shared by the accelerator table and the program.
#pragma once

#define IDM_STOP 100
#define IDM_PLAY 101
#define IDM_PAUSE_RESUME 102
#define IDM_PREVIOUS 103
#define IDM_NEXT 104
#define IDM_RECORD 105
#define IDM_EJECT 106
#define IDM_FONT 107
#define IDM_SETTINGS 108
#define IDM_HELP 109
#define IDM_ABOUT 110
#define IDM_TOP_MOST 111
#define IDM_FIX_WINDOW 112
#define IDM_FLAT 113
#define IDM_SKIP_BACK 114
#define IDM_SKIP_FORWARD 115
#define IDM_JUMP 116

// The accelerator table's resource id.
#define IDR_ACCELERATORS 1
