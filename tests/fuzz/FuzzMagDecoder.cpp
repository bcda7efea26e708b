// Fuzzes the MAG decoder: any bytes, placed anywhere in any palette mode, decode without touching
// memory outside the page, and a refused file leaves the screen as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "wrd/MagDecoder.h"
#include "wrd/ScreenModel.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) {
        return 0;
    }
    // The first three bytes choose the position (or the stored one) and the palette mode.
    const int x = data[0] == 0xFF ? -1 : data[0] * 3;
    const int y = data[1] == 0xFF ? -1 : data[1] * 2;
    const int mode = data[2] % 4;
    ScreenModel screen;
    screen.SelectPages(data[2] >> 7, 0);
    const MagInfo info = DecodeMag(data + 3, size - 3, screen, x, y, mode);
    const bool changed = info.result == MagResult::kLoaded || info.result == MagResult::kPaletteOnly;
    if (!changed) {
        const std::uint8_t* pixels = screen.PageImage(screen.ActivePage()) + kPagePixelOffset;
        for (std::size_t i = 0; i < kPageBytes - kPagePixelOffset; ++i) {
            Check(pixels[i] == 0);
        }
        Check(std::memcmp(screen.PaletteSlot(0).data(), DefaultPalette().data(), sizeof(Palette)) == 0);
    } else {
        Check(info.width > 0 && info.width <= kPageWidth && info.width % 8 == 0);
        Check(info.height > 0 && info.height <= kPageHeight);
    }
    return 0;
}
