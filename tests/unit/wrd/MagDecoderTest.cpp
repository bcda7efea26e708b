// MAG decoding of images made by the tests' own encoder: placement, widening to 8-pixel groups,
// palette modes, wrapping, copies from outside the image, and headers that lie.
#include "wrd/MagDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/MagEncoder.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/unit/wrd/ScreenRecorder.h"
#include "wrd/PageBitmap.h"

namespace {

// An image of the given grid size with varied pixels that also repeat, so both fresh units and
// every kind of copy occur.
MagImage PatternImage(int width, int height, unsigned seed) {
    MagImage image;
    image.xEnd = width - 1;
    image.yEnd = height - 1;
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        std::vector<std::uint8_t> row(width);
        for (int x = 0; x < width; ++x) {
            row[x] = static_cast<std::uint8_t>(random() % 3 == 0 ? random() % 16 : (x / 4 + y / 3) % 16);
        }
        image.rows.push_back(row);
    }
    for (int i = 0; i < 16; ++i) {
        image.rgb[i] = {static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(255 - i),
                        static_cast<std::uint8_t>(i)};
    }
    return image;
}

MagInfo Decode(const std::vector<std::uint8_t>& file, ScreenModel& screen, int x = -1, int y = -1, int mode = 0) {
    return DecodeMag(file.data(), file.size(), screen, x, y, mode);
}

// Compares the page at (left, top), with rows and columns taken modulo the page, with the image.
void ExpectImageAt(const ScreenModel& screen, const MagImage& image, int left, int top, int page = 0) {
    for (std::size_t y = 0; y < image.rows.size(); ++y) {
        for (std::size_t x = 0; x < image.rows[y].size(); ++x) {
            const int px = static_cast<int>((left + x) % kPageWidth);
            const int py = static_cast<int>((top + y) % kPageHeight);
            ASSERT_EQ(image.rows[y][x], screen.PixelAt(page, px, py)) << "x " << x << " y " << y;
        }
    }
}

bool PageIsBlank(const ScreenModel& screen, int page = 0) {
    const std::uint8_t* pixels = screen.PageImage(page) + kPagePixelOffset;
    return std::all_of(pixels, pixels + 128000, [](std::uint8_t b) { return b == 0; });
}

TEST(MagDecoder, DecodesImagesAtTheirStoredOrGivenPosition) {
    struct Case {
        int width, height;
        bool copies;
        int storedX, storedY, x, y;
        int expectX, expectY;
    };
    const Case cases[] = {
        {64, 16, true, 0, 0, -1, -1, 0, 0},     {64, 16, false, 0, 0, -1, -1, 0, 0},
        {32, 40, true, 40, 30, -1, -1, 40, 30}, {32, 40, true, 40, 30, 100, 7, 96, 7},
        {8, 1, true, 0, 0, 632, 399, 632, 399}, {640, 400, true, 0, 0, -1, -1, 0, 0},
        {48, 20, true, 16, 0, 3, -1, 0, 0},
    };
    for (const Case& c : cases) {
        MagImage image = PatternImage(c.width, c.height, static_cast<unsigned>(c.width * c.height));
        image.useCopies = c.copies;
        image.xStart = c.storedX;
        image.xEnd = c.storedX + c.width - 1;
        image.yStart = c.storedY;
        image.yEnd = c.storedY + c.height - 1;
        ScreenModel screen;
        const MagInfo info = Decode(EncodeMag(image), screen, c.x, c.y);
        ASSERT_EQ(MagResult::kLoaded, info.result);
        EXPECT_EQ(c.expectX, info.destX);
        EXPECT_EQ(c.expectY, info.destY);
        EXPECT_EQ(c.width, info.width);
        ExpectImageAt(screen, image, c.expectX, c.expectY);
        EXPECT_EQ(0, screen.PixelAt(0, c.expectX + c.width, c.expectY));
    }
}

TEST(MagDecoder, StartNotOnAnEightPixelGroupWidensTheImage) {
    // Stored 5..18 becomes 0..23: the grid the encoder writes covers the widened groups.
    MagImage image = PatternImage(24, 3, 7);
    image.xStart = 5;
    image.xEnd = 18;
    ScreenModel screen;
    const MagInfo info = Decode(EncodeMag(image), screen);
    ASSERT_EQ(MagResult::kLoaded, info.result);
    EXPECT_EQ(0, info.xStart);
    EXPECT_EQ(24, info.width);
    ExpectImageAt(screen, image, 0, 0);
}

TEST(MagDecoder, ImagesPastThePageEdgesWrapToTheOtherSide) {
    MagImage image = PatternImage(32, 8, 11);
    ScreenModel screen;
    ASSERT_EQ(MagResult::kLoaded, Decode(EncodeMag(image), screen, 624, 396).result);
    ExpectImageAt(screen, image, 624, 396);
}

TEST(MagDecoder, CopiesReachingOutsideTheImageTakeWhatThePageHolds) {
    MagImage image;
    image.xEnd = 7;
    image.yEnd = 0;
    image.rows = {std::vector<std::uint8_t>(8, 0)};
    image.forceNibble = 4;  // every unit from the row above
    ScreenModel screen;
    for (int x = 0; x < 8; ++x) {
        screen.PutPixel(x, 9, x + 1);
    }
    ASSERT_EQ(MagResult::kLoaded, Decode(EncodeMag(image), screen, 0, 10).result);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(x + 1, screen.PixelAt(0, x, 10));
    }
}

TEST(MagDecoder, EachFlagNibbleCopiesFromItsOwnPlace) {
    const int kFrom[16][2] = {{0, 0},   {-1, 0}, {-2, 0},  {-4, 0},  {0, -1}, {-1, -1}, {0, -2},  {-1, -2},
                              {-2, -2}, {0, -4}, {-1, -4}, {-2, -4}, {0, -8}, {-1, -8}, {-2, -8}, {0, -16}};
    for (int nibble = 1; nibble < 16; ++nibble) {
        ScreenModel screen;
        for (int y = 0; y < kPageHeight; ++y) {
            for (int u = 0; u < kPageUnits; ++u) {
                screen.SetUnit(u, y, static_cast<std::uint16_t>(u * 400 + y));
            }
        }
        MagImage image;
        image.rows = {std::vector<std::uint8_t>(8, 0)};
        image.forceNibble = nibble;
        ASSERT_EQ(MagResult::kLoaded, Decode(EncodeMag(image), screen, 64, 100).result);
        EXPECT_EQ((16 + kFrom[nibble][0]) * 400 + 100 + kFrom[nibble][1], screen.GetUnit(16, 100)) << nibble;
    }
}

Palette PaletteOf(const MagImage& image) {
    Palette palette;
    for (int i = 0; i < 16; ++i) {
        palette[i] = PaletteEntry{image.rgb[i][2], image.rgb[i][1], image.rgb[i][0], 0};
    }
    return palette;
}

bool SamePalette(const Palette& a, const Palette& b) {
    return std::memcmp(a.data(), b.data(), sizeof(PaletteEntry) * 16) == 0;
}

TEST(MagDecoder, PaletteModesChooseWhatChanges) {
    struct Case {
        int mode;
        int activePage;
        bool currentIsImage;
        bool pixelsDrawn;
        int invalidations;
        std::size_t cellRefreshes;
    };
    const Case cases[] = {
        {kMagUseImagePalette, 0, true, true, 1, 0}, {kMagKeepPalette, 0, false, true, 0, 1},
        {kMagPaletteOnly, 0, true, false, 1, 0},    {kMagKeepPalette, 1, false, true, 0, 1},
        {kMagPaletteOnly, 1, true, false, 1, 0},
    };
    for (const Case& c : cases) {
        const MagImage image = PatternImage(16, 4, 3);
        ScreenModel screen;
        screen.SelectPages(c.activePage, 0);
        ScreenRecorder recorder;
        screen.SetObserver(&recorder);
        const MagInfo info = Decode(EncodeMag(image), screen, -1, -1, c.mode);
        EXPECT_EQ(c.mode == kMagPaletteOnly ? MagResult::kPaletteOnly : MagResult::kLoaded, info.result);
        EXPECT_EQ(c.currentIsImage, SamePalette(PaletteOf(image), screen.PaletteSlot(0))) << c.mode;
        EXPECT_EQ(c.currentIsImage ? 1 : 0, recorder.paletteChanges);
        EXPECT_TRUE(SamePalette(PaletteOf(image), screen.PaletteSlot(kMagPaletteSlot)));
        EXPECT_TRUE(SamePalette(PaletteOf(image), screen.PaletteSlot(kMagPagePaletteSlot + c.activePage)));
        EXPECT_FALSE(SamePalette(PaletteOf(image), screen.PaletteSlot(kMagPagePaletteSlot + 1 - c.activePage)));
        EXPECT_EQ(c.pixelsDrawn, !PageIsBlank(screen, c.activePage));
        EXPECT_EQ(c.invalidations, recorder.invalidations);
        ASSERT_EQ(c.cellRefreshes, recorder.cells.size());
        if (c.cellRefreshes) {
            EXPECT_TRUE((recorder.cells[0] == CellRect{0, 0, 2, 1}));
        }
    }
}

TEST(MagDecoder, KeepPaletteImageReachingOffThePageRepaintsAll) {
    const MagImage image = PatternImage(16, 4, 3);
    ScreenModel screen;
    ScreenRecorder recorder;
    screen.SetObserver(&recorder);
    Decode(EncodeMag(image), screen, 632, 0, kMagKeepPalette);
    EXPECT_EQ(1, recorder.invalidations);
    EXPECT_TRUE(recorder.cells.empty());
}

enum class Damage {
    kNone,
    kSignature,
    kNoHeaderZero,
    kCutHeader,
    kCutPalette,
    k256Colours,
    kEndBeforeStart,
    kTooWide,
    kTooTall,
    kFlagBBeforeFlagA
};

TEST(MagDecoder, RejectedFilesLeaveTheScreenAsItWas) {
    struct Case {
        Damage damage;
        MagResult result;
    };
    const Case cases[] = {
        {Damage::kSignature, MagResult::kNotMag},           {Damage::kNoHeaderZero, MagResult::kTruncated},
        {Damage::kCutHeader, MagResult::kTruncated},        {Damage::kCutPalette, MagResult::kTruncated},
        {Damage::k256Colours, MagResult::kTooManyColours},  {Damage::kEndBeforeStart, MagResult::kBadGeometry},
        {Damage::kTooWide, MagResult::kBadGeometry},        {Damage::kTooTall, MagResult::kBadGeometry},
        {Damage::kFlagBBeforeFlagA, MagResult::kBadLayout},
    };
    for (const Case& c : cases) {
        MagLayout layout;
        std::vector<std::uint8_t> file = EncodeMag(PatternImage(16, 4, 5), &layout);
        const std::size_t h = layout.headerStart;
        switch (c.damage) {
            case Damage::kSignature:
                file[5] = '3';
                break;
            case Damage::kNoHeaderZero:
                file.resize(h);
                break;
            case Damage::kCutHeader:
                file.resize(h + 20);
                break;
            case Damage::kCutPalette:
                file.resize(h + 32 + 47);
                break;
            case Damage::k256Colours:
                file[h + 3] = 0x80;
                break;
            case Damage::kEndBeforeStart:
                PutLe16(file, h + 6, 10);
                PutLe16(file, h + 10, 9);
                break;
            case Damage::kTooWide:
                PutLe16(file, h + 8, 640);
                break;
            case Damage::kTooTall:
                PutLe16(file, h + 10, 400);
                break;
            case Damage::kFlagBBeforeFlagA:
                PutLe32(file, h + 16, 79);
                break;
            case Damage::kNone:
                break;
        }
        ScreenModel screen;
        ScreenRecorder recorder;
        screen.SetObserver(&recorder);
        EXPECT_EQ(c.result, Decode(file, screen).result) << static_cast<int>(c.damage);
        EXPECT_TRUE(PageIsBlank(screen));
        EXPECT_TRUE(SamePalette(DefaultPalette(), screen.PaletteSlot(0)));
        EXPECT_EQ(0, recorder.paletteChanges + recorder.invalidations);
    }
}

TEST(MagDecoder, ShortFilesAndLyingOffsetsDecodeWhatIsThere) {
    struct Case {
        const char* what;
        void (*damage)(std::vector<std::uint8_t>&, const MagLayout&);
    };
    const Case cases[] = {
        {"pixels cut", [](std::vector<std::uint8_t>& f, const MagLayout& l) { f.resize(l.pixels + 5); }},
        {"flags cut", [](std::vector<std::uint8_t>& f, const MagLayout& l) { f.resize(l.flagA + 1); }},
        {"flag A past the end",
         [](std::vector<std::uint8_t>& f, const MagLayout& l) {
             PutLe32(f, l.headerStart + 12, 0x7FFFFFF0);
             PutLe32(f, l.headerStart + 16, 0xFFFFFFFF);
         }},
        {"flag B size huge",
         [](std::vector<std::uint8_t>& f, const MagLayout& l) { PutLe32(f, l.headerStart + 20, 0xFFFFFFFF); }},
        {"pixels past the end",
         [](std::vector<std::uint8_t>& f, const MagLayout& l) { PutLe32(f, l.headerStart + 24, 0xFFFFFFFF); }},
    };
    for (const Case& c : cases) {
        MagLayout layout;
        const MagImage image = PatternImage(64, 20, 9);
        std::vector<std::uint8_t> file = EncodeMag(image, &layout);
        c.damage(file, layout);
        ScreenModel screen;
        EXPECT_EQ(MagResult::kLoaded, Decode(file, screen).result) << c.what;
    }
    // A file cut inside its pixel data keeps the rows that arrived whole.
    MagLayout layout;
    MagImage image = PatternImage(64, 20, 9);
    image.useCopies = false;
    std::vector<std::uint8_t> file = EncodeMag(image, &layout);
    file.resize(layout.pixels + 32 * 2);
    ScreenModel screen;
    Decode(file, screen);
    image.rows.resize(2);
    ExpectImageAt(screen, image, 0, 0);
    EXPECT_EQ(0, screen.PixelAt(0, 0, 2));
}

TEST(MagDecoder, LoadMagReadsThroughTheFileSystem) {
    MemoryFileSystem files;
    ScopedFileSystem activeFiles(files);
    const MagImage image = PatternImage(16, 2, 1);
    const std::vector<std::uint8_t> bytes = EncodeMag(image);
    files.AddFile("C:\\Songs\\Title.mag", std::string(bytes.begin(), bytes.end()));
    ScreenModel screen;
    EXPECT_EQ(MagResult::kCannotRead, LoadMag("C:\\Songs\\Missing.mag", -1, -1, 1, 0, screen).result);
    EXPECT_EQ(MagResult::kLoaded, LoadMag("C:\\Songs\\title.MAG", -1, -1, 1, 0, screen).result);
    ExpectImageAt(screen, image, 0, 0);
}

TEST(PageBitmap, FileIsAHeaderBeforeThePageBitmap) {
    ScreenModel screen;
    screen.PutPixel(1, 0, 6);
    const std::vector<std::uint8_t> file = PageBitmapFile(screen, 0);
    ASSERT_EQ(14u + 128104u, file.size());
    const std::uint8_t header[14] = {'B', 'M', 0x76, 0xF4, 1, 0, 0, 0, 0, 0, 0x76, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(file.data(), header, 14));
    EXPECT_EQ(0, std::memcmp(file.data() + 14, screen.PageImage(0), kPageBytes));
    EXPECT_EQ(0x06, file[14 + 104 + 399 * 320]);
}

TEST(PageBitmap, WriteFailureIsReported) {
    MemoryFileSystem files;
    ScopedFileSystem activeFiles(files);
    ScreenModel screen;
    EXPECT_TRUE(WritePageBitmap("C:\\out.bmp", screen, 0));
    ASSERT_NE(nullptr, files.Contents("C:\\out.bmp"));
    EXPECT_EQ(14u + 128104u, files.Contents("C:\\out.bmp")->size());
    files.FailWrites(true);
    EXPECT_FALSE(WritePageBitmap("C:\\again.bmp", screen, 0));
}

}  // namespace
