// A graphics page of the screen model as a 16-colour BMP file, with the current palette.
#pragma once

#include <cstdint>
#include <vector>

#include "wrd/ScreenModel.h"

// The bytes of a BMP file showing a page (0 or 1): file header, then the page's own bitmap.
std::vector<std::uint8_t> PageBitmapFile(const ScreenModel& screen, int page);

// Writes that file through the active file system; false when it cannot be written.
bool WritePageBitmap(const char* path, const ScreenModel& screen, int page);
