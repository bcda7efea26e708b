// The main window's decisions that need no window system: where it opens, how wide the flat
// form may be, how the flat strip answers hit tests, and the texts and ids of its menu.
#pragma once

#include <cstdint>

constexpr int kNormalOuterWidth = 412;
constexpr int kNormalOuterHeight = 100;
constexpr int kFlatStripClientWidth = 600;  // also the least outer width of the flat strip
constexpr int kFlatStripClientHeight = 48;
constexpr std::int32_t kLeastFlatWidth = 400;

constexpr int kFormNormal = 0;
constexpr int kFormFlat = 1;

// A rectangle as left, top, right, bottom (right and bottom exclusive).
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The saved window position is used only when that point lies on the desktop.
bool SavedPositionIsUsable(std::int32_t x, std::int32_t y, const ScreenRect& desktop);

// The stored form: only 1 means flat.
int FormFromSetting(std::int32_t value);

// A flat width below the least one is raised to it.
std::int32_t CorrectFlatWidth(std::int32_t width);

// The flat strip resizes only sideways: top and bottom edges answer as client area, the
// corners as the side edges. Other hit-test codes pass unchanged.
int MapFlatHitTest(int hitCode);

// System menu commands.
enum SystemCommandId : int {
    kCmdStop = 100,
    kCmdPlay = 101,
    kCmdPauseResume = 102,
    kCmdPrevious = 103,
    kCmdNext = 104,
    kCmdRecord = 105,
    kCmdEject = 106,
    kCmdFont = 107,
    kCmdSettings = 108,
    kCmdHelp = 109,
    kCmdAbout = 110,
    kCmdTopMost = 111,
    kCmdFixWindow = 112,
    kCmdFlat = 113,
    kCmdSkipBack = 114,
    kCmdSkipForward = 115,
    kCmdJump = 116,
};

// One appended system menu item: id 0 is a separator.
struct SystemMenuItem {
    int id;
    const char* text;
};
constexpr int kSystemMenuItemCount = 18;
extern const SystemMenuItem kSystemMenuItems[kSystemMenuItemCount];

// The panel button a system command focuses first; -1 when none.
int FocusButtonOfCommand(int commandId);
