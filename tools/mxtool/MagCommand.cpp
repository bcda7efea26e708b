// mxtool mag2bmp: decodes a MAG image onto a blank page and writes the page as a 16-colour BMP.
#include <cstdio>
#include <cstdlib>

#include "tools/mxtool/Commands.h"
#include "wrd/MagDecoder.h"
#include "wrd/PageBitmap.h"
#include "wrd/ScreenModel.h"

namespace {

const char* ResultName(MagResult result) {
    switch (result) {
        case MagResult::kLoaded:
            return "loaded";
        case MagResult::kPaletteOnly:
            return "palette-only";
        case MagResult::kCannotRead:
            return "cannot-read";
        case MagResult::kNotMag:
            return "not-mag";
        case MagResult::kTruncated:
            return "truncated";
        case MagResult::kTooManyColours:
            return "256-colours";
        case MagResult::kBadGeometry:
            return "bad-geometry";
        case MagResult::kBadLayout:
            return "bad-layout";
    }
    return "unknown";
}

}  // namespace

int RunMag2Bmp(int argc, char** argv) {
    const int x = argc >= 3 ? std::atoi(argv[2]) : -1;
    const int y = argc >= 4 ? std::atoi(argv[3]) : -1;
    ScreenModel screen;
    const MagInfo info = LoadMag(argv[0], x, y, 1, kMagUseImagePalette, screen);
    std::printf("result: %s\n", ResultName(info.result));
    if (info.result != MagResult::kLoaded) {
        std::fprintf(stderr, "mxtool: %s\n",
                     info.result == MagResult::kCannotRead ? "the file cannot be read" : "not a usable MAG image");
        return 1;
    }
    std::printf("image: %d %d %d %d\n", info.xStart, info.yStart, info.width, info.height);
    std::printf("placed-at: %d %d\n", info.destX, info.destY);
    if (!WritePageBitmap(argv[1], screen, 0)) {
        std::fprintf(stderr, "mxtool: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("written: %s\n", argv[1]);
    return 0;
}
