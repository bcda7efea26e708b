// Decodes 16-colour MAG images ("MAKI02  ") straight into the active page of the screen model and
// records their palettes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wrd/ScreenModel.h"

enum class MagResult {
    kLoaded,          // pixels decoded (and the palette applied as asked)
    kPaletteOnly,     // palette mode 2: palette applied, pixels untouched
    kCannotRead,      // the file could not be read
    kNotMag,          // wrong signature
    kTruncated,       // the file ends inside the header or palette
    kTooManyColours,  // a 256-colour image
    kBadGeometry,     // end before start, or larger than the 640 x 400 page
    kBadLayout,       // flag B placed before flag A
};

enum MagPaletteMode { kMagUseImagePalette = 0, kMagKeepPalette = 1, kMagPaletteOnly = 2 };

// What a decode did. The geometry fields are filled once the header was read.
struct MagInfo {
    MagResult result = MagResult::kCannotRead;
    int xStart = 0;  // after widening to whole 8-pixel groups
    int yStart = 0;
    int width = 0;  // pixels
    int height = 0;
    int destX = 0;
    int destY = 0;
};

// Decodes a whole MAG file held in memory. x and y place the image's top-left corner (x rounded
// down to a multiple of 8); a negative value takes the position stored in the image. A failure
// leaves the screen untouched. Flag and pixel data missing from a short file read as zero bytes.
MagInfo DecodeMag(const std::uint8_t* data, std::size_t size, ScreenModel& screen, int x, int y, int paletteMode);

// Reads the file through the active file system and decodes it. scale has no effect.
MagInfo LoadMag(const char* path, int x, int y, int scale, int paletteMode, ScreenModel& screen);
