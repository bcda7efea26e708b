// The two small pickers: the song jump dialog and the CD drive dialog.
#pragma once

#include <windows.h>

#include <cstddef>

class PlayMode;

// Lists the mode's queue in play order with the current position selected. Answers the chosen
// play-order position, or -1 on cancel.
int ChooseSong(HWND owner, PlayMode& mode);

// Lists the CD-ROM drives with the one in driveText (compared without regard to case)
// selected. On OK driveText receives the chosen drive ("E:") and the answer is 1; cancel
// answers 0 and leaves driveText alone.
int ChooseCdDrive(HWND owner, char* driveText, std::size_t capacity);
