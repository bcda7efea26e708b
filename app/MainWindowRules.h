// The main window's decisions that need no window system: where it opens, how wide the flat
// form may be, how the flat strip answers hit tests, and the texts and ids of its menu.
#pragma once

#include <cstdint>

#include "resources/SystemCommands.h"
#include "ui/PanelNumbers.h"

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

// Hit-test codes of the window system (HTCLIENT, HTLEFT ... HTBOTTOMRIGHT).
constexpr int kHitClient = 1;
constexpr int kHitLeft = 10;
constexpr int kHitRight = 11;
constexpr int kHitTop = 12;
constexpr int kHitTopLeft = 13;
constexpr int kHitTopRight = 14;
constexpr int kHitBottom = 15;
constexpr int kHitBottomLeft = 16;
constexpr int kHitBottomRight = 17;

// The flat strip resizes only sideways: top and bottom edges answer as client area, the
// corners as the side edges. Other hit-test codes pass unchanged.
int MapFlatHitTest(int hitCode);

// One appended system menu item: id 0 is a separator.
struct SystemMenuItem {
    int id;
    const char* text;
};
constexpr int kSystemMenuItemCount = 18;
extern const SystemMenuItem kSystemMenuItems[kSystemMenuItemCount];
