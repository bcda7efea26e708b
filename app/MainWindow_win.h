// The player's top-level window of class Melodrix32. For now it shows the start state and
// keeps its position; the panel, menus and play modes move in later.
#pragma once

#include <windows.h>

// Registers the window class; false when registration fails.
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window at its saved position (or where the system puts it).
HWND CreateMainWindow(HINSTANCE instance);

// Control id of the text that describes the start state.
constexpr int kStartStateTextId = 1001;
