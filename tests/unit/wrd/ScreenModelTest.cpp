// The screen model: the pages' DIB byte layout, palettes, drawing primitives with their clipping,
// page moves, units, and the notifications a window follows.
#include "wrd/ScreenModel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

#include "tests/unit/wrd/ScreenRecorder.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels LitPixels(const ScreenModel& screen, int page = 0) {
    Pixels lit;
    for (int y = 0; y < kPageHeight; ++y) {
        for (int x = 0; x < kPageWidth; ++x) {
            if (screen.PixelAt(page, x, y) != 0) {
                lit.emplace(x, y);
            }
        }
    }
    return lit;
}

std::uint8_t PixelByte(const ScreenModel& screen, int page, int x, int y) {
    return screen.PageImage(page)[kPagePixelOffset + (399 - y) * 320 + x / 2];
}

// The plain walk of the line rule over every step, for comparing with the clipped walk.
Pixels ReferenceLine(int x1, int y1, int x2, int y2) {
    Pixels lit;
    const bool xMajor = std::abs(x2 - x1) > std::abs(y2 - y1);
    int a1 = xMajor ? x1 : y1, b1 = xMajor ? y1 : x1, a2 = xMajor ? x2 : y2, b2 = xMajor ? y2 : x2;
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    const int da = a2 - a1, db = std::abs(b2 - b1), step = b2 > b1 ? 1 : -1;
    int error = da >> 1;
    for (int a = a1, b = b1;; ++a) {
        const int x = xMajor ? a : b, y = xMajor ? b : a;
        if (x >= 0 && x < kPageWidth && y >= 0 && y < kPageHeight) {
            lit.emplace(x, y);
        }
        if (a == a2) {
            break;
        }
        error -= db;
        if (error < 0) {
            error += da;
            b += step;
        }
    }
    return lit;
}

TEST(ScreenModel, PageIsABottomUpFourBitDibWithTwoPixelsPerByteHighNibbleFirst) {
    ScreenModel screen;
    const std::uint8_t* page = screen.PageImage(1);
    const std::uint8_t header[16] = {40, 0, 0, 0, 0x80, 2, 0, 0, 0x90, 1, 0, 0, 1, 0, 4, 0};
    EXPECT_EQ(0, std::memcmp(page, header, sizeof header));
    for (int i = 16; i < 40; ++i) {
        EXPECT_EQ(0, page[i]) << i;
    }
    screen.SelectPages(1, 0);
    screen.PutPixel(0, 0, 0xA);
    screen.PutPixel(1, 0, 0x15);  // only the low four bits count
    screen.PutPixel(639, 399, 3);
    screen.PutPixel(2, 1, 9);
    EXPECT_EQ(0xA5, page[104 + 399 * 320]);
    EXPECT_EQ(0x03, page[104 + 319]);
    EXPECT_EQ(0x90, page[104 + 398 * 320 + 1]);
    EXPECT_EQ(0, PixelByte(screen, 0, 0, 0));  // the other page is untouched
}

TEST(ScreenModel, DefaultPaletteIsCurrentAndInBothColourTables) {
    const std::uint8_t kRgb[16][3] = {{0, 0, 0},       {0, 0, 255},   {255, 0, 0},   {255, 0, 255},
                                      {0, 255, 0},     {0, 255, 255}, {255, 255, 0}, {255, 255, 255},
                                      {127, 127, 127}, {0, 0, 175},   {175, 0, 0},   {175, 0, 175},
                                      {0, 175, 0},     {0, 175, 175}, {175, 175, 0}, {175, 175, 175}};
    ScreenModel screen;
    for (int i = 0; i < 16; ++i) {
        const PaletteEntry& entry = screen.PaletteSlot(0)[i];
        EXPECT_EQ(kRgb[i][0], entry.red) << i;
        EXPECT_EQ(kRgb[i][1], entry.green) << i;
        EXPECT_EQ(kRgb[i][2], entry.blue) << i;
        for (int page = 0; page < 2; ++page) {
            const std::uint8_t* table = screen.PageImage(page) + 40 + 4 * i;
            EXPECT_EQ(kRgb[i][2], table[0]);
            EXPECT_EQ(kRgb[i][1], table[1]);
            EXPECT_EQ(kRgb[i][0], table[2]);
            EXPECT_EQ(0, table[3]);
        }
    }
}

TEST(ScreenModel, TextColoursAreFixedRgb) {
    EXPECT_EQ(255, TextColour(1).red);
    EXPECT_EQ(0, TextColour(1).blue);
    EXPECT_EQ(255, TextColour(4).blue);
    EXPECT_EQ(255, TextColour(6).green);
    EXPECT_EQ(0, TextColour(6).red);
    EXPECT_EQ(255, TextColour(3).green);
    EXPECT_EQ(0, TextColour(3).blue);
}

TEST(ScreenModel, PaletteSlotsOnlySlotZeroReachesThePages) {
    ScreenModel screen;
    ScreenRecorder recorder;
    screen.SetObserver(&recorder);
    Palette grey;
    grey.fill(PaletteEntry{9, 9, 9, 0});
    screen.SetPalette(3, grey);
    screen.SetPalette(20, grey);
    screen.SetPalette(-1, grey);
    EXPECT_EQ(0, recorder.paletteChanges);
    EXPECT_EQ(255, screen.PageImage(0)[40 + 4 * 7]);
    screen.UsePaletteSlot(20);
    EXPECT_EQ(0, recorder.paletteChanges);
    screen.UsePaletteSlot(3);
    EXPECT_EQ(1, recorder.paletteChanges);
    EXPECT_EQ(9, screen.PageImage(1)[40 + 4 * 7]);
    EXPECT_EQ(9, screen.PaletteSlot(0)[7].red);
    screen.ResetGraphics();
    EXPECT_EQ(255, screen.PaletteSlot(0)[7].red);
    EXPECT_EQ(9, screen.PaletteSlot(3)[7].red);  // other slots survive a reset
}

TEST(ScreenModel, ClearPlanesClearsTheMaskedBitsOfTheActivePage) {
    struct Case {
        int mask;
        int before[4];
        int after[4];
    };
    const Case cases[] = {
        {0, {4, 7, 8, 15}, {0, 0, 0, 0}},  {15, {4, 7, 8, 15}, {0, 0, 0, 0}},
        {3, {4, 7, 8, 12}, {4, 4, 8, 12}}, {0x13, {4, 7, 8, 15}, {4, 4, 8, 12}},  // only the low four bits are the mask
        {8, {9, 15, 7, 8}, {1, 7, 7, 0}},
    };
    for (const Case& c : cases) {
        ScreenModel screen;
        for (int x = 0; x < 4; ++x) {
            screen.PutPixel(x, 200, c.before[x]);
            screen.SelectPages(1, 0);
            screen.PutPixel(x, 200, 5);
            screen.SelectPages(0, 0);
        }
        screen.ClearPlanes(c.mask);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(c.after[x], screen.PixelAt(0, x, 200)) << "mask " << c.mask << " x " << x;
            EXPECT_EQ(5, screen.PixelAt(1, x, 200));
        }
    }
}

TEST(ScreenModel, PutPixelIgnoresPointsOffThePage) {
    const int points[][2] = {{-1, 0}, {640, 0}, {0, -1}, {0, 400}, {INT_MIN, INT_MAX}};
    ScreenModel screen;
    for (const auto& p : points) {
        screen.PutPixel(p[0], p[1], 15);
    }
    EXPECT_TRUE(LitPixels(screen).empty());
}

TEST(ScreenModel, LinesDrawTheSamePixelsFromEitherEnd) {
    struct Case {
        int x1, y1, x2, y2;
        Pixels expected;
    };
    const Case cases[] = {
        {0, 0, 4, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
        {0, 0, 2, 4, {{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}}},
        {5, 5, 5, 5, {{5, 5}}},
        {3, 9, 0, 9, {{0, 9}, {1, 9}, {2, 9}, {3, 9}}},
        {0, 3, 3, 0, {{0, 3}, {1, 2}, {2, 1}, {3, 0}}},
        {0, 2, 4, 0, {{0, 2}, {1, 2}, {2, 1}, {3, 1}, {4, 0}}},
    };
    for (const Case& c : cases) {
        ScreenModel forward;
        forward.Line(c.x1, c.y1, c.x2, c.y2, 7);
        EXPECT_EQ(c.expected, LitPixels(forward)) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        ScreenModel backward;
        backward.Line(c.x2, c.y2, c.x1, c.y1, 7);
        EXPECT_EQ(c.expected, LitPixels(backward));
    }
}

TEST(ScreenModel, LinesReachingOffThePageKeepTheirOnPagePixels) {
    const int lines[][4] = {{-1000, -500, 1000, 500}, {-300, 7, 900, 391}, {700, -20, -50, 450},
                            {320, -3000, 330, 3000},  {-5, 399, 645, 0},   {-2000, 10, -1, 10}};
    for (const auto& l : lines) {
        ScreenModel screen;
        screen.Line(l[0], l[1], l[2], l[3], 1);
        EXPECT_EQ(ReferenceLine(l[0], l[1], l[2], l[3]), LitPixels(screen)) << l[0] << "," << l[1];
    }
}

TEST(ScreenModel, LinesBetweenExtremeCoordinatesFinishAndClip) {
    ScreenModel screen;
    screen.Line(INT_MIN, 5, INT_MAX, 5, 2);
    screen.Line(7, INT_MAX, 7, INT_MIN, 2);
    screen.Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 2);
    const Pixels lit = LitPixels(screen);
    for (int x = 0; x < kPageWidth; ++x) {
        EXPECT_TRUE(lit.count({x, 5})) << x;
    }
    for (int y = 0; y < kPageHeight; ++y) {
        EXPECT_TRUE(lit.count({7, y})) << y;
    }
}

TEST(ScreenModel, BoxDrawsFourEdgesAndClips) {
    ScreenModel screen;
    screen.Box(630, 390, 645, 405, 4);
    Pixels expected;
    for (int i = 630; i < 640; ++i) {
        expected.emplace(i, 390);
    }
    for (int i = 390; i < 400; ++i) {
        expected.emplace(630, i);
    }
    EXPECT_EQ(expected, LitPixels(screen));
}

TEST(ScreenModel, FillBoxOrdersAndClipsBothEdgesIncluded) {
    struct Case {
        int x1, y1, x2, y2;
        std::size_t count;
    };
    const Case cases[] = {{2, 3, 4, 5, 9},      {4, 5, 2, 3, 9},
                          {-10, -10, 1, 1, 4},  {638, 398, 900, 900, 4},
                          {700, 0, 800, 10, 0}, {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 640u * 400u}};
    for (const Case& c : cases) {
        ScreenModel screen;
        screen.FillBox(c.x1, c.y1, c.x2, c.y2, 6);
        EXPECT_EQ(c.count, LitPixels(screen).size()) << c.x1 << "," << c.y1;
    }
}

void Stripe(ScreenModel& screen, int x, int y, int width) {
    for (int i = 0; i < width; ++i) {
        screen.PutPixel(x + i, y, (i % 15) + 1);
    }
}

TEST(ScreenModel, MovePageRectMovesWholeEightPixelGroups) {
    ScreenModel screen;
    Stripe(screen, 0, 10, 24);
    screen.MovePageRect(3, 10, 9, 10, 37, 50, 0, 1, false);  // groups 0..15 to x 32
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ((i % 15) + 1, screen.PixelAt(1, 32 + i, 50)) << i;
    }
    EXPECT_EQ(0, screen.PixelAt(1, 48, 50));
    EXPECT_EQ(0, screen.PixelAt(1, 31, 50));
}

TEST(ScreenModel, MovePageRectExchangeSwapsBlocks) {
    ScreenModel screen;
    screen.FillBox(0, 0, 7, 1, 3);
    screen.SelectPages(1, 0);
    screen.FillBox(8, 4, 15, 5, 9);
    screen.MovePageRect(0, 0, 7, 1, 8, 4, 0, 1, true);
    EXPECT_EQ(9, screen.PixelAt(0, 0, 0));
    EXPECT_EQ(9, screen.PixelAt(0, 7, 1));
    EXPECT_EQ(3, screen.PixelAt(1, 8, 4));
    EXPECT_EQ(3, screen.PixelAt(1, 15, 5));
}

TEST(ScreenModel, MovePageRectOntoAnOverlappingPlaceOfTheSamePageArrivesIntact) {
    ScreenModel screen;
    for (int y = 0; y < 8; ++y) {
        Stripe(screen, 0, 100 + y, 32);
        screen.PutPixel(0, 100 + y, y + 1);
    }
    screen.MovePageRect(0, 100, 31, 107, 8, 103, 0, 0, false);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(y + 1, screen.PixelAt(0, 8, 103 + y)) << y;
        EXPECT_EQ(2, screen.PixelAt(0, 9, 103 + y)) << y;
    }
}

TEST(ScreenModel, MovePageRectLeavesOutWhatLiesOffEitherPage) {
    struct Case {
        int x1, y1, x2, y2, destX, destY, source, dest;
        int probeX, probeY, expected;
    };
    const Case cases[] = {
        {624, 0, 639, 0, 632, 0, 0, 1, 639, 0, 2},  // cut at the right edge of the destination
        {0, 0, 15, 0, -8, 0, 0, 1, 0, 0, 9},        // destination starts left of the page
        {-16, 0, 15, 0, 0, 0, 0, 1, 16, 0, 1},      // source starts left of the page
        {0, 0, 7, 3, 0, 398, 0, 1, 0, 399, 1},      // rows below the page are dropped
        {0, 0, 7, 3, 0, -2, 0, 1, 0, 0, 1},         // rows above the page are dropped
        {0, 0, 15, 0, 0, 5, 0, 2, 0, 5, 0},         // no such page: nothing
    };
    for (const Case& c : cases) {
        ScreenModel screen;
        for (int y = 0; y < 4; ++y) {
            Stripe(screen, 0, y, 640);
        }
        screen.MovePageRect(c.x1, c.y1, c.x2, c.y2, c.destX, c.destY, c.source, c.dest, false);
        EXPECT_EQ(c.expected, screen.PixelAt(c.dest == 2 ? 1 : c.dest, c.probeX, c.probeY)) << c.x1 << " " << c.destX;
    }
}

TEST(ScreenModel, UnitsHoldFourPixelsInFileOrderAndWrapOnce) {
    ScreenModel screen;
    screen.SetUnit(0, 0, 0x2301);
    EXPECT_EQ(0, screen.PixelAt(0, 0, 0));
    EXPECT_EQ(1, screen.PixelAt(0, 1, 0));
    EXPECT_EQ(2, screen.PixelAt(0, 2, 0));
    EXPECT_EQ(3, screen.PixelAt(0, 3, 0));
    struct Case {
        int u, y;
        int storedX, storedY;  // -1: ignored
    };
    const Case cases[] = {{-1, 5, 636, 5},      {160, 5, 0, 5},  {0, -1, 0, 399},  {0, 400, 0, 0},
                          {319, 799, 636, 399}, {320, 0, -1, 0}, {-161, 0, -1, 0}, {0, 800, -1, 0}};
    for (const Case& c : cases) {
        ScreenModel unit;
        unit.SetUnit(c.u, c.y, 0xFFFF);
        const Pixels lit = LitPixels(unit);
        if (c.storedX < 0) {
            EXPECT_TRUE(lit.empty()) << c.u << "," << c.y;
            EXPECT_EQ(0, unit.GetUnit(c.u, c.y));
        } else {
            EXPECT_EQ(4u, lit.size());
            EXPECT_TRUE(lit.count({c.storedX, c.storedY})) << c.u << "," << c.y;
            EXPECT_EQ(0xFFFF, unit.GetUnit(c.u, c.y));
        }
    }
}

TEST(ScreenModel, PageSwitchRepaintsOnlyWhenTheDisplayedPageChanges) {
    ScreenModel screen;
    ScreenRecorder recorder;
    screen.SetObserver(&recorder);
    screen.SelectPages(1, 0);
    EXPECT_EQ(0, recorder.invalidations);
    EXPECT_EQ(1, screen.ActivePage());
    screen.SelectPages(5, 1);
    EXPECT_EQ(1, recorder.invalidations);
    EXPECT_EQ(1, screen.ActivePage());
    EXPECT_EQ(1, screen.DisplayPage());
    screen.SelectPages(0, -1);
    EXPECT_EQ(1, recorder.invalidations);
    EXPECT_EQ(1, screen.DisplayPage());
}

TEST(ScreenModel, LayerSwitchesRedrawOnlyOnChange) {
    ScreenModel screen;
    ScreenRecorder recorder;
    screen.SetObserver(&recorder);
    screen.SetTextVisible(true);
    screen.SetGraphicsVisible(true);
    EXPECT_TRUE(recorder.cells.empty());
    screen.SetTextVisible(false);
    screen.SetGraphicsVisible(false);
    ASSERT_EQ(2u, recorder.cells.size());
    EXPECT_EQ((CellRect{0, 0, 80, 25}), recorder.cells[1]);
}

TEST(ScreenModel, NothingIsRefreshedWhileDrawingIsOffAndAllOnceItReturns) {
    ScreenModel screen;
    ScreenRecorder recorder;
    screen.SetObserver(&recorder);
    screen.TakeDirty();
    screen.SetDrawingEnabled(false);
    screen.RefreshCells(1, 1, 2, 2);
    screen.SetTextVisible(false);
    screen.SetDrawingEnabled(false);
    EXPECT_TRUE(recorder.cells.empty());
    EXPECT_TRUE(screen.TakeDirty().IsEmpty());
    screen.SetDrawingEnabled(true);
    ASSERT_EQ(1u, recorder.cells.size());
    EXPECT_EQ((CellRect{0, 0, 80, 25}), recorder.cells[0]);
}

TEST(ScreenModel, RefreshOperationsNotifyTheirCells) {
    struct Case {
        void (*refresh)(ScreenModel&);
        CellRect expected;
    };
    const Case cases[] = {
        {[](ScreenModel& s) { s.RefreshRange(85, 80); }, {0, 1, 80, 2}},
        {[](ScreenModel& s) { s.RefreshPixelRect(20, 40, 7, 15); }, {0, 0, 3, 3}},
        {[](ScreenModel& s) { s.RefreshPixelRect(-9, 390, 700, 900); }, {0, 24, 80, 1}},
        {[](ScreenModel& s) { s.RefreshCells(78, 24, 5, 5); }, {78, 24, 2, 1}},
        {[](ScreenModel& s) {
             s.Text().cellKinds[10] = kLeadByte;
             s.Text().cellKinds[11] = kTrailByte;
             s.RefreshCell(11);
         },
         {10, 0, 2, 1}},
        {[](ScreenModel& s) {
             s.Text().cellKinds[90] = kLeadByte;
             s.RefreshCell(90);
         },
         {10, 1, 2, 1}},
    };
    for (const Case& c : cases) {
        ScreenModel screen;
        ScreenRecorder recorder;
        screen.SetObserver(&recorder);
        screen.TakeDirty();
        c.refresh(screen);
        ASSERT_EQ(1u, recorder.cells.size());
        EXPECT_EQ(c.expected, recorder.cells[0]);
        EXPECT_EQ(c.expected, screen.TakeDirty());
    }
}

TEST(ScreenModel, RefreshesOffThePlaneNotifyNothing) {
    ScreenModel screen;
    ScreenRecorder recorder;
    screen.SetObserver(&recorder);
    screen.RefreshPixelRect(700, 0, 800, 10);
    screen.RefreshCells(80, 0, 3, 3);
    screen.RefreshCell(2000);
    screen.RefreshRange(5, 0);
    EXPECT_TRUE(recorder.cells.empty());
}

}  // namespace
