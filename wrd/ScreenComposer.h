// The arithmetic of composing the emulated screen: which pixels a block of cells covers, where
// they sit in a bottom-up page, which runs of text cells are drawn together and how the picture
// reaches a window of any size. The window only turns these answers into drawing calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wrd/ScreenModel.h"

constexpr int kCellWidth = 8;
constexpr int kCellHeight = 16;

// A rectangle of pixels: left and top edge, width and height.
struct PixelBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The pixels a block of cells covers.
PixelBox CellPixels(const CellRect& cells);

// The first scan line, counted from the bottom of a 400-line bottom-up page, of the block's pixels.
int BottomUpSourceY(const CellRect& cells);

// Adjacent cells of one row with the same attribute byte, drawn with one text call.
struct TextRun {
    int row = 0;
    int column = 0;  // first cell of the run; drawing is clipped to the run's own cells
    int length = 0;
    // The cells whose bytes are drawn: one more on the left when the run starts on the second
    // half of a double-byte character, one more on the right when it ends on the first half,
    // so that a split character is still drawn whole (and clipped to the run).
    int textColumn = 0;
    int textLength = 0;
    std::uint8_t attribute = 0;

    bool Reverse() const { return (attribute & 8) != 0; }
    PaletteEntry Colour() const { return TextColour(attribute & 7); }
};

// The runs of a block, row by row from the left. Columns and rows outside the screen are ignored.
std::vector<TextRun> TextRunsIn(const TextPlane& text, const CellRect& cells);

// The bytes a run draws. A cell cleared to byte 0 is drawn as a blank, not as a missing glyph.
std::string RunBytes(const TextPlane& text, const TextRun& run);

// How the composed 640 x 400 picture reaches a client area: at its own size only the block is
// copied; at any other size the whole picture is scaled onto the whole client area.
struct Presentation {
    bool stretch = false;
    PixelBox source;
    PixelBox target;
};
Presentation PlanPresentation(const CellRect& cells, int clientWidth, int clientHeight);
