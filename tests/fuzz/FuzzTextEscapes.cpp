// Fuzzes the text console: any bytes and any rectangle keep the cursor on the plane and every
// refresh inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "wrd/ScreenModel.h"
#include "wrd/TextEscapes.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

struct BoundsObserver : ScreenObserver {
    void OnCellsChanged(const CellRect& cells) override {
        Check(!cells.IsEmpty() && cells.column >= 0 && cells.row >= 0);
        Check(cells.column + cells.columns <= kTextColumns && cells.row + cells.rows <= kTextRows);
    }
    void OnInvalidate() override {}
    void OnCurrentPaletteChanged() override {}
};

int SignedByte(std::uint8_t byte) {
    return static_cast<std::int8_t>(byte) * 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ScreenModel screen;
    BoundsObserver observer;
    screen.SetObserver(&observer);
    TextEscapes text(screen);
    // Text before the first 0xFF byte is written as one string per zero-separated piece; after it
    // come a rectangle to fill and more text.
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0 || data[i] == 0xFF) {
            text.PutBytes(data + start, i - start);
            Check(screen.Text().cursorPos >= 0 && screen.Text().cursorPos < kTextCells);
            Check(screen.Text().savedCursorPos >= 0 && screen.Text().savedCursorPos < kTextCells);
            if (i + 6 < size && data[i] == 0xFF) {
                const uint8_t* r = data + i + 1;
                text.FillTextRect(SignedByte(r[0]), SignedByte(r[1]), SignedByte(r[2]), SignedByte(r[3]), r[4], r[5]);
                i += 6;
            }
            start = i + 1;
        }
    }
    return 0;
}
