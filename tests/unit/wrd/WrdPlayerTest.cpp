// The WRD player against a MIDI measure map with a change from 4/4 to 3/4: waiting, steps, line
// and character mode, joins, the start-up step, the command table, seeking, catching up and the
// time budget of one call, and scripts that are broken in every way.
#include "wrd/WrdPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/MagEncoder.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/WrdSongFixture.h"
#include "tests/unit/wrd/ScreenRecorder.h"

namespace {

constexpr char kScriptPath[] = "C:\\songs\\song.wrd";

bool SamePalette(const Palette& a, const Palette& b) {
    return std::memcmp(a.data(), b.data(), sizeof(Palette)) == 0;
}

class WrdPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OpenWrdTestSong(device)); }

    WrdPlayer& Start(const std::string& script) {
        files.AddFile(kScriptPath, script);
        player = std::make_unique<WrdPlayer>(nullptr, kScriptPath, device, device.timebase);
        player->SetClock([this] { return now += clockStep; });
        return *player;
    }
    // A row of the text plane without its trailing blanks.
    std::string Row(int row) const {
        const auto& chars = player->Screen().Text().cellChars;
        std::string text(chars.begin() + row * kTextColumns, chars.begin() + (row + 1) * kTextColumns);
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }
    int Pixel(int x, int y, int page = 0) const { return player->Screen().PixelAt(page, x, y); }

    MemoryFileSystem files;
    // Active for the fixture's whole life, so the player is gone before it is released.
    ScopedFileSystem activeFiles{files};
    SequenceDevice device;
    std::unique_ptr<WrdPlayer> player;
    std::uint32_t now = 0;
    std::uint32_t clockStep = 0;
};

TEST_F(WrdPlayerTest, WaitShowsNothingBeforeItsMeasureThenOneLinePerMeasure) {
    WrdPlayer& p = Start("@WAIT(3)\nA\nB\n");
    p.Advance(0);
    p.Advance(383);
    EXPECT_EQ(Row(0), "");
    p.Advance(384);
    EXPECT_EQ(Row(0), "A");
    p.Advance(575);
    EXPECT_EQ(Row(1), "");
    p.Advance(576);
    EXPECT_EQ(Row(1), "B");
}

TEST_F(WrdPlayerTest, OffsetShiftsWaitAndRestCountsMeasuresAcrossTheMeterChange) {
    WrdPlayer& p = Start("@OFFSET(2)@WAIT(3)\nX\n@REST(2)\nY\n");
    p.Advance(0);
    EXPECT_EQ(p.MeasureOffset(), 2);
    EXPECT_EQ(p.NextTick(), 768u);  // the fifth measure, the first in 3/4
    p.Advance(768);
    EXPECT_EQ(Row(0), "X");
    EXPECT_EQ(p.NextTick(), 912u);  // one 3/4 measure later
    p.Advance(912);
    EXPECT_EQ(p.NextTick(), 912u + 2 * 144);
    p.Advance(912 + 2 * 144 - 1);
    EXPECT_EQ(Row(1), "");
    p.Advance(912 + 2 * 144);
    EXPECT_EQ(Row(1), "Y");
}

TEST_F(WrdPlayerTest, WaitModeStepsInMidiClocks) {
    WrdPlayer& p = Start("@WMODE(5)\nA\nB\n");
    p.Advance(0);
    EXPECT_EQ(p.NextTick(), 12u);  // six clocks of 24 to the quarter note at division 48
    p.Advance(12);
    EXPECT_EQ(Row(0), "A");
    p.Advance(23);
    EXPECT_EQ(Row(1), "");
    p.Advance(24);
    EXPECT_EQ(Row(1), "B");
}

TEST_F(WrdPlayerTest, CharacterModeWritesOneCharacterPerMeasureAndTheLineFeedWithTheNext) {
    WrdPlayer& p = Start("@WMODE(0,1)\nab\ncd\n");
    p.Advance(0);
    p.Advance(192);
    EXPECT_EQ(Row(0), "a");
    p.Advance(384);
    EXPECT_EQ(Row(0), "ab");
    EXPECT_EQ(Row(1), "");
    p.Advance(576);
    EXPECT_EQ(Row(1), "c");
}

TEST_F(WrdPlayerTest, CharacterModeGroupsUnderscoresAndEscapes) {
    // "||" is an empty group: it costs a step and must not end the script.
    WrdPlayer& p = Start("@WMODE(0,1)\n|xyz|_\\|\x82\xa0||w\n");
    const std::vector<std::pair<std::uint32_t, std::string>> steps = {{192, "xyz"},          {384, "xyz"},
                                                                      {576, "xyz|"},         {768, "xyz|\x82\xa0"},
                                                                      {912, "xyz|\x82\xa0"}, {1056, "xyz|\x82\xa0w"}};
    p.Advance(0);
    for (const auto& [tick, row] : steps) {
        p.Advance(tick);
        EXPECT_EQ(Row(0), row) << "at tick " << tick;
    }
}

TEST_F(WrdPlayerTest, SemicolonJoinsLinesIntoOneStepWithoutALineBreak) {
    WrdPlayer& p = Start("A;\nB\nC\n@COLOR(31);\nD\n");
    p.Advance(0);
    EXPECT_EQ(Row(0), "AB");
    EXPECT_EQ(p.NextTick(), 192u);
    p.Advance(192);
    EXPECT_EQ(Row(1), "C");
    p.Advance(384);
    EXPECT_EQ(Row(2), "D");
    EXPECT_EQ(p.Screen().Text().cellAttrs[2 * kTextColumns] & 7, 1);
}

TEST_F(WrdPlayerTest, StartupStepRunsAtOnceAndTheNextIsDueAtTickZero) {
    WrdPlayer& p = Start("@startup;\nS\nA\nB\n");
    EXPECT_EQ(Row(0), "S");
    EXPECT_EQ(p.NextTick(), 0u);
    p.Advance(0);
    EXPECT_EQ(Row(1), "A");
    EXPECT_EQ(Row(2), "");
    p.Advance(192);
    EXPECT_EQ(Row(2), "B");
}

TEST_F(WrdPlayerTest, WithoutStartupTheFirstStepWaitsForTickZero) {
    WrdPlayer& p = Start("S\nA\n");
    EXPECT_EQ(Row(0), "");
    p.Advance(0);
    EXPECT_EQ(Row(0), "S");
    EXPECT_EQ(Row(1), "");
}

TEST_F(WrdPlayerTest, PaletteSlotChangesNothingVisibleUntilFadeSelectsIt) {
    WrdPlayer& p = Start(
        "@PAL(#3,000,F00,0F0,00F,FFF,123,1,2,3,4,5,6,7,8,9,A)\n@FADE(0,3)\n"
        "@PAL(1,2,3)\n@PAL(#x,000,F00,0F0,00F,FFF,123,1,2,3,4,5,6,7,8,9,A)\n");
    ScreenRecorder recorder;
    p.Screen().SetObserver(&recorder);
    p.Advance(0);
    EXPECT_TRUE(SamePalette(p.Screen().PaletteSlot(0), DefaultPalette()));
    EXPECT_EQ(recorder.invalidations, 0);
    const Palette slot3 = p.Screen().PaletteSlot(3);
    EXPECT_EQ(slot3[1].red, 255);
    EXPECT_EQ(slot3[1].green, 0);
    EXPECT_EQ(slot3[5].red, 31);  // 0x123: each component c gives c * 16 + 15
    EXPECT_EQ(slot3[5].green, 47);
    EXPECT_EQ(slot3[5].blue, 63);
    p.Advance(192);
    EXPECT_TRUE(SamePalette(p.Screen().PaletteSlot(0), slot3));
    EXPECT_EQ(recorder.invalidations, 1);
    p.Advance(384);
    p.Advance(576);
    EXPECT_TRUE(SamePalette(p.Screen().PaletteSlot(0), slot3));  // too few colours, bad slot: nothing
    p.Screen().SetObserver(nullptr);
}

TEST_F(WrdPlayerTest, GraphicsLineModesAndClear) {
    WrdPlayer& p = Start(
        "@GLINE(0,0,9,9,5,0,0)@GLINE(20,0,30,10,6,1,0)@GLINE(60,10,40,0,7,2,3)@GLINE(100,0,110,10,4,9,1)\n"
        "@GCLS(2)\n@GCLS()\n");
    p.Advance(0);
    EXPECT_EQ(Pixel(4, 4), 5);
    EXPECT_EQ(Pixel(5, 4), 0);
    EXPECT_EQ(Pixel(20, 5), 6);
    EXPECT_EQ(Pixel(25, 5), 0);  // mode 1 leaves the inside alone
    // Mode 2 given from right to left: the fill stays inside the outline.
    EXPECT_EQ(Pixel(40, 0), 7);
    EXPECT_EQ(Pixel(60, 10), 7);
    EXPECT_EQ(Pixel(50, 5), 3);
    EXPECT_EQ(Pixel(39, 5), 0);
    EXPECT_EQ(Pixel(100, 0), 0);  // unknown mode draws nothing
    p.Advance(192);
    EXPECT_EQ(Pixel(20, 5), 4);  // 6 without bit 1
    EXPECT_EQ(Pixel(50, 5), 1);
    p.Advance(384);
    EXPECT_EQ(Pixel(20, 5), 0);
    EXPECT_EQ(Pixel(4, 4), 0);
}

TEST_F(WrdPlayerTest, LayerPageAndCursorCommands) {
    WrdPlayer& p = Start("@GSCREEN(1,1)@GON(0)@TON(0)@LOCATE(5,10)@COLOR(44)\nA\n@LOCATE(3;7)@ESC(33m)@TON(1)\n");
    p.Advance(0);
    const ScreenModel& screen = p.Screen();
    EXPECT_EQ(screen.ActivePage(), 1);
    EXPECT_EQ(screen.DisplayPage(), 1);
    EXPECT_FALSE(screen.GraphicsVisible());
    EXPECT_FALSE(screen.TextVisible());
    EXPECT_EQ(screen.Text().cursorPos, 4 * 80 + 9);
    EXPECT_EQ(screen.Text().attribute & 15, 4 + 8);  // blue, reversed
    p.Advance(192);
    EXPECT_EQ(screen.Text().cellChars[4 * 80 + 9], 'A');
    p.Advance(384);
    EXPECT_EQ(screen.Text().cursorPos, 2 * 80 + 6);
    EXPECT_EQ(screen.Text().attribute & 15, 3);
    EXPECT_TRUE(screen.TextVisible());
}

TEST_F(WrdPlayerTest, GmoveCopiesBetweenPlacesAndPages) {
    WrdPlayer& p = Start("@GLINE(0,0,15,15,7,2,9)@GMOVE(0,0,15,15,32,16)@GMOVE(0,0,15,15,0,0,0,1)@GMOVE(0,0,7)\n");
    p.Advance(0);
    EXPECT_EQ(Pixel(32, 16), 7);
    EXPECT_EQ(Pixel(40, 24), 9);
    EXPECT_EQ(Pixel(8, 8, 1), 9);
    EXPECT_EQ(Pixel(0, 0, 1), 7);
}

TEST_F(WrdPlayerTest, TextClearDefaultsByCountOfNumbers) {
    struct Case {
        const char* arguments;
        int x1, y1, x2, y2, attr, character;
    };
    const Case cases[] = {
        {"", 1, 1, 80, 25, 0, ' '},           {"10", 10, 1, 80, 25, 0, ' '},         {"0,2", 1, 2, 80, 25, 0, ' '},
        {"3,4,5", 3, 4, 5, 25, 0, ' '},       {"3,4,5,6", 3, 4, 5, 6, 0, ' '},       {"3,4,5,6,2", 3, 4, 5, 6, 2, ' '},
        {"3,4,5,6,2,65", 3, 4, 5, 6, 2, 'A'}, {"-7,4,5,6,1,66", 1, 4, 5, 6, 1, 'B'},
    };
    for (const Case& c : cases) {
        WrdPlayer& p = Start(std::string("@TCLS(1,1,80,25,7,120)@TCLS(") + c.arguments + ")\n");
        p.Advance(0);
        const TextPlane& text = p.Screen().Text();
        for (int row = 1; row <= 25; ++row) {
            for (int column = 1; column <= 80; ++column) {
                const int index = (row - 1) * kTextColumns + column - 1;
                const bool inside = column >= c.x1 && column <= c.x2 && row >= c.y1 && row <= c.y2;
                ASSERT_EQ(text.cellChars[index], inside ? c.character : 'x')
                    << c.arguments << " " << row << "," << column;
                ASSERT_EQ(text.cellAttrs[index], inside ? c.attr : 7) << c.arguments;
            }
        }
    }
}

TEST_F(WrdPlayerTest, MagCommandPlacesImagesFromTheScriptFolder) {
    MagImage image;
    image.xStart = 8;
    image.yStart = 2;
    image.xEnd = 15;
    image.yEnd = 3;
    image.rows = {{1, 2, 3, 4, 5, 6, 7, 8}, {8, 7, 6, 5, 4, 3, 2, 1}};
    image.rgb[1] = {255, 0, 0};
    const std::vector<std::uint8_t> bytes = EncodeMag(image);
    files.AddFile("C:\\songs\\pic.mag", std::string(bytes.begin(), bytes.end()));
    WrdPlayer& p = Start("@MAG(D:\\elsewhere\\PIC.MAG,100,50)\n@MAG(pic.mag,x,,1)\n@MAG(missing.mag)@MAG()@MAG(,,)\n");
    p.Advance(0);
    EXPECT_EQ(Pixel(96, 50), 1);  // x rounded down to a multiple of 8
    EXPECT_EQ(Pixel(103, 51), 1);
    EXPECT_EQ(p.Screen().PaletteSlot(0)[1].red, 255);
    p.Advance(192);
    EXPECT_EQ(Pixel(8, 2), 1);  // a field that is not a number takes the image's own position
    EXPECT_EQ(Pixel(9, 3), 7);
    p.Advance(384);
    EXPECT_FALSE(p.Ended());
}

TEST_F(WrdPlayerTest, CompanionImageIsLoadedOnEveryReset) {
    MagImage image;
    image.xEnd = 7;
    image.yEnd = 0;
    image.rows = {{9, 9, 9, 9, 9, 9, 9, 9}};
    const std::vector<std::uint8_t> bytes = EncodeMag(image);
    files.AddFile("C:\\songs\\song.mag", std::string(bytes.begin(), bytes.end()));
    WrdPlayer& p = Start("@GCLS(0)\nA\n");
    EXPECT_EQ(Pixel(3, 0), 9);
    p.Advance(0);
    EXPECT_EQ(Pixel(3, 0), 0);
    p.Advance(192);
    p.Advance(0);
    EXPECT_EQ(Pixel(3, 0), 0);  // reset loaded it again, then the first step cleared it
    p.Reset();
    EXPECT_EQ(Pixel(3, 0), 9);
}

TEST_F(WrdPlayerTest, SeekingBackToZeroRestartsAndElsewhereWaits) {
    WrdPlayer& p = Start("A\nB\nC\nD\n");
    for (std::uint32_t tick : {0u, 192u, 384u}) {
        p.Advance(tick);
    }
    EXPECT_EQ(Row(2), "C");
    p.Advance(100);
    EXPECT_EQ(Row(2), "C");
    EXPECT_EQ(p.NextTick(), 576u);
    p.Advance(500);
    EXPECT_EQ(Row(3), "");
    p.Advance(576);
    EXPECT_EQ(Row(3), "D");
    p.Advance(0);
    EXPECT_EQ(Row(0), "A");
    EXPECT_EQ(Row(1), "");
    EXPECT_EQ(p.NextTick(), 192u);
}

std::string Lines(int count, const char* prefix = "") {
    std::string script = prefix;
    for (int i = 0; i < count; ++i) {
        script += "L" + std::to_string(i) + "\n";
    }
    return script;
}

int FullRedraws(const ScreenRecorder& recorder) {
    int count = 0;
    for (const CellRect& cells : recorder.cells) {
        count += cells == CellRect{0, 0, kTextColumns, kTextRows};
    }
    return count;
}

TEST_F(WrdPlayerTest, JumpForwardCatchesUpSilentlyAndRedrawsOnce) {
    // Line 19 is due at the start of measure 19; 3/4 from measure 4 on.
    const std::uint32_t line19 = 768 + 15 * 144;
    for (std::uint32_t behind : {0u, 100u}) {  // last step in time, and more than two quarters late
        WrdPlayer& p = Start(Lines(24));
        p.Advance(0);
        ScreenRecorder recorder;
        p.Screen().SetObserver(&recorder);
        p.Advance(line19 + behind);
        p.Screen().SetObserver(nullptr);
        EXPECT_EQ(Row(19), "L19");
        EXPECT_EQ(Row(20), "");
        EXPECT_TRUE(p.Screen().DrawingEnabled());
        EXPECT_EQ(FullRedraws(recorder), 1) << behind;
        for (const CellRect& cells : recorder.cells) {
            EXPECT_TRUE(cells.rows == kTextRows || cells.row >= 19) << "row " << cells.row << " drawn while behind";
        }
    }
}

TEST_F(WrdPlayerTest, OneCallStopsAfterItsTimeBudgetBetweenSteps) {
    clockStep = 40;  // every reading of the clock is 40 ms later
    WrdPlayer& p = Start(Lines(30));
    p.Advance(0);
    p.Advance(20000);
    // Readings: start, then before steps 2, 3 and 4 at 40, 80 and 120 ms: three steps run.
    EXPECT_EQ(Row(3), "L3");
    EXPECT_EQ(Row(4), "");
    EXPECT_FALSE(p.Screen().DrawingEnabled());
    int calls = 1;
    while (!p.Ended() && calls < 100) {
        p.Advance(20000);
        ++calls;
    }
    EXPECT_EQ(Row(23), "L29");  // the screen scrolled
    EXPECT_EQ(calls, 10);
    EXPECT_TRUE(p.Screen().DrawingEnabled());
}

TEST_F(WrdPlayerTest, StepsOfNoLengthAtTickZeroIgnoreTheBudget) {
    clockStep = 500;
    WrdPlayer& p = Start(Lines(30, "@WMODE(-1)\n"));
    p.Advance(0);
    EXPECT_TRUE(p.Ended());
    EXPECT_EQ(Row(23), "L29");
}

TEST_F(WrdPlayerTest, WindowOpensAndClosesWhileTheModelStays) {
    WrdPlayer& p = Start("A\n");
    p.Advance(0);
    EXPECT_FALSE(p.IsWindowOpen());
    p.OpenWindow();
    EXPECT_TRUE(p.IsWindowOpen());
    p.CloseWindow();
    EXPECT_FALSE(p.IsWindowOpen());
    EXPECT_EQ(Row(0), "A");
}

TEST_F(WrdPlayerTest, MissingScriptIsAnEmptyOne) {
    WrdPlayer p(nullptr, "C:\\songs\\none.wrd", device, device.timebase);
    EXPECT_FALSE(p.ScriptRead());
    p.Advance(0);
    EXPECT_TRUE(p.Ended());
}

// Broken scripts: each runs to a defined state; Z marks where the script went on.
TEST_F(WrdPlayerTest, BrokenInputHasAClearOutcome) {
    struct Case {
        std::string script;
        bool zShown;  // the script went on to its Z line by the second step
    };
    const Case cases[] = {
        {"@NOSUCH(1)\nZ\n", true},
        {"@WAIT(\nZ\n", true},
        {"@WAIT()\nZ\n", true},
        {"@WAIT(3x)\nZ\n", true},
        {"@GLINE(1,2,3)@GMOVE(1,2)@FADE(1)@GSCREEN(1)@LOCATE(1)@PAL(#99,1)\nZ\n", true},
        {"@" + std::string(40, 'W') + "(1)\nZ\n", true},
        {"@COLOR(" + std::string(200, '3') + ")\nZ\n", true},
        {"@WAIT(99999999999999)\nZ\n", false},
        {"@OFFSET(2147483647)@WAIT(2147483647)\nZ\n", false},
        {"@WMODE(2147483647)\nA\nZ\n", false},
        {"@REST(-2147483648)\nZ\n", true},
        {"@GMOVE(-2147483648,-2147483648,2147483647,2147483647,2147483647,-2147483648,1,0,1)\nZ\n", true},
        {"@GLINE(-2147483648,0,2147483647,399,3,2,4)@LOCATE(2147483647,-2147483648)\nZ\n", true},
        {"@TCLS(-2147483648,-2147483648,2147483647,2147483647,-1,-1)\nZ\n", true},
        {std::string("A\0B\n", 4) + "Z\n", true},
        {"A\n\x1A\nZ\n", false},
        {"\xFF\xFE\x81\n\x81", false},
    };
    for (const Case& c : cases) {
        WrdPlayer& p = Start(c.script);
        p.Advance(0);
        p.Advance(192);
        const int cursor = p.Screen().Text().cursorPos;
        EXPECT_TRUE(cursor >= 0 && cursor < kTextCells);
        const auto& chars = p.Screen().Text().cellChars;
        const bool found = std::find(chars.begin(), chars.end(), 'Z') != chars.end();
        EXPECT_EQ(found, c.zShown) << c.script;
    }
}

TEST_F(WrdPlayerTest, LongLinesArriveInPiecesOf511Bytes) {
    WrdPlayer& p = Start(std::string(600, 'x') + "\nZ\n");
    p.Advance(0);
    EXPECT_EQ(p.Screen().Text().cursorPos, 511);
    p.Advance(192);
    EXPECT_EQ(p.Screen().Text().cursorPos, 8 * 80);  // the rest and its line feed
    p.Advance(384);
    EXPECT_EQ(Row(8), "Z");
}

}  // namespace
