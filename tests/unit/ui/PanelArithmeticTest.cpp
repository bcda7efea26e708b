// The counter's glyphs, the slider and seek-bar mappings, text fitting, the caption and the
// skin cells chosen for each state.
#include "ui/PanelLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Reads the glyphs back as text: digits, then / : [ ].
std::string CounterText(std::int32_t p, std::int32_t n, std::int32_t a, std::int32_t b) {
    std::string text;
    for (const CounterGlyph& g : CounterGlyphs(p, n, a, b)) {
        EXPECT_GE(g.glyph, 0);
        EXPECT_LE(g.glyph, 13);
        text += g.glyph < 10 ? static_cast<char>('0' + g.glyph) : "/:[]"[g.glyph - 10];
    }
    return text;
}

TEST(PanelCounter, GlyphsSitAtTheirOffsets) {
    const std::int32_t offsets[] = {3, 9, 15, 21, 27, 33, 39, 51, 57, 63, 69, 75, 87, 93, 99, 105, 111, 117, 123};
    const auto glyphs = CounterGlyphs(3, 12, 135000, 280000);
    for (int i = 0; i < kCounterGlyphCount; ++i) {
        EXPECT_EQ(glyphs[i].offset, offsets[i]) << i;
    }
}

TEST(PanelCounter, ReadsPositionLengthAndTimes) {
    struct Case {
        std::int32_t p, n, a, b;
        const char* text;
    };
    const Case cases[] = {
        {3, 12, 135000, 280000, "003/01202:15[04:40]"},
        {0, -1, 0, 0, "000/00000:00[00:00]"},  // nothing active: zeros
        {1, 0, 59999, 60000, "000/00000:59[01:00]"},  // an empty queue numbers no song
        {42, 999, 6005000, 7425000, "042/99900:05[23:45]"},  // minutes wrap at 100
        {1234, 5678, -20, INT_MAX, "234/67800:00[91:23]"},   // over-long values keep their last digits
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CounterText(c.p, c.n, c.a, c.b), c.text);
    }
}

TEST(PanelSliders, VolumeFollowsThePointerAndClamps) {
    struct Case {
        std::int32_t y;
        std::uint32_t value;
    };
    const Case cases[] = {{-50, 65535}, {0, 65535}, {1, 65535}, {20, 32767}, {38, 1724}, {39, 0}, {60, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(VolumeFromPointer(0, 40, c.y), std::optional<std::uint32_t>(c.value)) << c.y;
    }
}

TEST(PanelSliders, SlidersWithoutATrackIgnoreThePointer) {
    EXPECT_FALSE(VolumeFromPointer(0, 2, 1).has_value());
    EXPECT_FALSE(VolumeFromPointer(0, 0, 0).has_value());
    EXPECT_FALSE(VolumeFromPointer(10, 5, 7).has_value());
    EXPECT_FALSE(BalanceFromPointer(0, 4, 2).has_value());
    EXPECT_FALSE(BalanceFromPointer(0, 0, 0).has_value());
    EXPECT_TRUE(VolumeFromPointer(0, 3, 0).has_value());
    EXPECT_TRUE(BalanceFromPointer(0, 5, 0).has_value());
}

TEST(PanelSliders, BalanceFollowsThePointerAndClamps) {
    struct Case {
        std::int32_t x, value;
    };
    const Case cases[] = {{-10, -100}, {2, -100}, {11, -6}, {12, 5}, {21, 100}, {100, 100}};
    for (const Case& c : cases) {
        EXPECT_EQ(BalanceFromPointer(0, 23, c.x), std::optional<std::int32_t>(c.value)) << c.x;
    }
}

TEST(PanelSliders, KeySteps) {
    EXPECT_EQ(VolumeAfterKey(63000, +1), 65535u);
    EXPECT_EQ(VolumeAfterKey(3000, -1), 0u);
    EXPECT_EQ(VolumeAfterKey(10000, +1), 14096u);
    EXPECT_EQ(VolumeAfterKey(10000, -1), 5904u);
    EXPECT_EQ(BalanceAfterKey(95, +1), 100);
    EXPECT_EQ(BalanceAfterKey(-95, -1), -100);
    EXPECT_EQ(BalanceAfterKey(0, -1), -10);
}

TEST(PanelSliders, DrawnLevelAndKnob) {
    EXPECT_EQ(VolumeLevelY(1, 39, 65535), 1);
    EXPECT_EQ(VolumeLevelY(1, 39, 0), 39);
    EXPECT_EQ(VolumeLevelY(1, 39, 32768), 20);
    EXPECT_EQ(BalanceKnobX(1, 22, -100), 1);
    EXPECT_EQ(BalanceKnobX(1, 22, 0), 10);
    EXPECT_EQ(BalanceKnobX(1, 22, 100), 19);
    EXPECT_EQ(BalanceKnobX(1, 2, 100), 1);  // no room to travel
}

TEST(PanelSeekBar, PointerAndPositionMappings) {
    const std::int32_t w = SeekTrackWidth(171);
    ASSERT_EQ(w, 165);
    EXPECT_EQ(SeekKnobForPointer(w, -20), 0);
    EXPECT_EQ(SeekKnobForPointer(w, 3), 0);
    EXPECT_EQ(SeekKnobForPointer(w, 50), 47);
    EXPECT_EQ(SeekKnobForPointer(w, 5000), 164);
    // Released past the end: length x (w - 1) / w, never the end itself.
    EXPECT_EQ(SeekTargetMs(300000, SeekKnobForPointer(w, 5000), w), 300000 * 164 / 165);
    EXPECT_EQ(SeekTargetMs(2000000000, 164, 165), 1987878787);  // needs a 64-bit product
    EXPECT_EQ(SeekKnobForPosition(w, 150000, 300000), 82);
    EXPECT_EQ(SeekKnobForPosition(w, 2000000000, 2100000000), 157);
    EXPECT_EQ(SeekKnobForPosition(w, 400000, 300000), 165);
    EXPECT_EQ(SeekKnobForPosition(w, 1000, 0), 0);
}

TEST(PanelSeekBar, TrackWithoutWidthNeverDivides) {
    for (std::int32_t client : {0, 3, 6}) {
        const std::int32_t w = SeekTrackWidth(client);
        EXPECT_EQ(w, 0);
        EXPECT_EQ(SeekKnobForPointer(w, 100), 0);
        EXPECT_EQ(SeekTargetMs(300000, 0, w), 0);
        EXPECT_EQ(SeekKnobForPosition(w, 1000, 2000), 0);
    }
    EXPECT_EQ(SeekTrackWidth(7), 1);
    EXPECT_EQ(SeekKnobForPointer(1, 100), 0);
}

TEST(PanelPlayOrder, StepsAndWrapsBothWays) {
    EXPECT_EQ(NextPlayOrder(0), 1);
    EXPECT_EQ(NextPlayOrder(3), 0);
    EXPECT_EQ(NextPlayOrder(9), 0);
    EXPECT_EQ(PreviousPlayOrder(0), 3);
    EXPECT_EQ(PreviousPlayOrder(2), 1);
    EXPECT_EQ(PreviousPlayOrder(9), 3);
}

TEST(PanelText, ShrinksPixelByPixelThenWraps) {
    struct Case {
        std::int32_t areaWidth, areaHeight, charCount, overhang;
        TextFit fit;
    };
    // A text of n characters is n x height / 2 wide; its ink reaches overhang pixels below the
    // font's cell (a low underscore, or a font that came out taller than asked).
    const Case cases[] = {
        {200, 12, 10, 0, {12, false, 12}},  // fits at full height
        {200, 30, 20, 0, {20, false, 20}},  // shrinks until it fits
        {200, 30, 100, 0, {15, true, 15}},  // reaches half the height and wraps
        {200, 31, 100, 0, {15, true, 15}},  // 31 / 2 is 15
        {0, 1, 5, 0, {0, false, 0}},        // a one-pixel area still ends
        {200, 12, 6, 1, {11, false, 12}},   // "d_good": the underscore's row stays inside
        {200, 12, 6, 9, {6, true, 15}},     // ink that never fits wraps like a long text
    };
    for (const Case& c : cases) {
        std::vector<std::int32_t> tried;
        const TextFit fit = FitPanelText(c.areaWidth, c.areaHeight, [&](std::int32_t h) {
            tried.push_back(h);
            return TextExtent{c.charCount * h / 2, h + c.overhang};
        });
        EXPECT_EQ(fit.inkHeight, c.fit.inkHeight);
        EXPECT_EQ(fit.height, c.fit.height);
        EXPECT_EQ(fit.wrap, c.fit.wrap);
        ASSERT_FALSE(tried.empty());
        EXPECT_EQ(tried.front(), c.areaHeight);
        EXPECT_EQ(static_cast<std::int32_t>(tried.size()), c.areaHeight - fit.height + 1);
    }
}

TEST(PanelCaption, TimeAndTitleOrTheProgramName) {
    EXPECT_EQ(PanelCaption(135000, "Song"), "[02:15] Song");
    EXPECT_EQ(PanelCaption(6000000, "x"), "[100:00] x");
    EXPECT_EQ(PanelCaption(999, "曲"), "[00:00] 曲");
    EXPECT_EQ(PanelCaption(135000, ""), "Melodrix");
    EXPECT_EQ(PanelCaption(0, nullptr), "Melodrix");
}

TEST(PanelCaption, LongTitleIsCutAtACharacterBoundary) {
    std::string title;
    for (int i = 0; i < 300; ++i) {
        title += "あ";
    }
    ASSERT_EQ(title.size(), 600u);
    const std::string caption = PanelCaption(1000, title.c_str());
    EXPECT_LT(caption.size(), kCaptionBytes);
    EXPECT_EQ(caption.substr(0, 8), "[00:01] ");
    EXPECT_EQ((caption.size() - 8) % 2, 0u);
    EXPECT_GT(caption.size(), kCaptionBytes - 4);
}

TEST(PanelSkinCells, PlayStateAndDeviceKindLabels) {
    struct StateCase {
        std::int32_t state, position;
        SkinCell cell;
    };
    const StateCase states[] = {{526, 0, {0, 0}},   {526, 250, {32, 0}}, {526, 650, {96, 0}}, {526, 800, {0, 0}},
                                {525, 0, {32, 24}}, {529, 0, {64, 24}},  {528, 0, {96, 24}},  {530, 0, {0, 24}},
                                {524, 0, {0, 36}},  {527, 0, {0, 36}},   {0, 0, {0, 36}}};
    for (const StateCase& c : states) {
        EXPECT_EQ(PlayStateCell(c.state, c.position), c.cell) << c.state << " " << c.position;
    }
    struct KindCase {
        std::int32_t type;
        SkinCell cell;
    };
    const KindCase kinds[] = {{513, {0, 0}}, {516, {96, 0}},  {522, {32, 24}}, {523, {64, 24}},
                              {0, {96, 24}}, {524, {96, 24}}, {600, {96, 24}}, {512, {96, 24}}};
    for (const KindCase& c : kinds) {
        EXPECT_EQ(DeviceKindCell(c.type), c.cell) << c.type;
    }
}

TEST(PanelSkinCells, ButtonFacesAndGlyphColumns) {
    EXPECT_TRUE(PanelButtonShowsPressed(kStopButton, kItemSelected));
    EXPECT_FALSE(PanelButtonShowsPressed(kStopButton, kItemDisabled));
    EXPECT_TRUE(PanelButtonShowsPressed(kFileModeButton, kItemDisabled));
    EXPECT_TRUE(PanelButtonShowsPressed(kCdModeButton, kItemDisabled));
    EXPECT_FALSE(PanelButtonShowsPressed(kCdModeButton, kItemDisabled | kItemFocus));
    EXPECT_FALSE(PanelButtonShowsPressed(kCdModeButton, 0));
    EXPECT_EQ(PanelButtonGlyphColumn(kItemDisabled | kItemFocus), 48);
    EXPECT_EQ(PanelButtonGlyphColumn(kItemFocus | kItemSelected), 24);
    EXPECT_EQ(PanelButtonGlyphColumn(kItemSelected), 0);
    EXPECT_EQ(ToggleFaceColumn(kItemDisabled, true), 30);
    EXPECT_EQ(ToggleFaceColumn(kItemFocus, true), 15);
    EXPECT_EQ(ToggleFaceColumn(0, false), 0);
}

TEST(PanelFlags, TogglesAlsoFollowTheirWindows) {
    EXPECT_TRUE(TextToggleEnabled(0x20000, false));
    EXPECT_TRUE(TextToggleEnabled(0, true));
    EXPECT_FALSE(TextToggleEnabled(0x10000, false));
    EXPECT_TRUE(WrdToggleEnabled(0x10000, false));
    EXPECT_FALSE(WrdToggleEnabled(0x20000, false));
}

}  // namespace
