// The settings sheet "Melodrixの設定": six pages over the player's settings, saved when the user
// confirms with OK.
#pragma once

#include <windows.h>

// Runs the sheet modally over owner. OK stores the pages that were opened and saves every
// setting; Cancel changes nothing.
void ShowSettingsSheet(HWND owner);
