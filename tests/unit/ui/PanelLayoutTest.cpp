// The panel's rectangles in both forms and the keyboard focus walk.
#include "ui/PanelLayout.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Expected {
    int id;
    PanelRect rect;
};

void ExpectControls(const PanelLayout& layout, std::initializer_list<Expected> expected) {
    for (const Expected& e : expected) {
        const PanelRect r = layout.controls[e.id].Rect();
        EXPECT_EQ(r, e.rect) << "control " << e.id << ": " << r.left << "," << r.top << "," << r.right << ","
                             << r.bottom;
    }
}

void ExpectRect(const PanelRect& actual, const PanelRect& expected, const char* what) {
    EXPECT_EQ(actual, expected) << what << ": " << actual.left << "," << actual.top << "," << actual.right << ","
                                << actual.bottom;
}

TEST(PanelLayout, NormalFormPlacesEveryControlAndPart) {
    const PanelLayout layout = ComputePanelLayout(kNormalForm, 412, 100);
    ExpectControls(
        layout,
        {
            {0, {8, 6, 46, 22}},      {1, {8, 29, 46, 45}},     {2, {8, 52, 46, 68}},     {16, {8, 79, 46, 95}},
            {3, {54, 79, 92, 95}},    {4, {92, 79, 130, 95}},   {9, {282, 79, 320, 95}},  {10, {320, 79, 358, 95}},
            {11, {366, 6, 404, 22}},  {12, {366, 22, 404, 38}}, {13, {366, 43, 404, 59}}, {14, {366, 61, 404, 77}},
            {15, {366, 79, 404, 95}}, {17, {57, 63, 228, 71}},  {18, {298, 10, 321, 50}}, {19, {298, 54, 321, 60}},
            {20, {324, 8, 356, 20}},  {21, {324, 50, 339, 60}}, {22, {341, 50, 356, 60}},
        });
    ExpectRect(layout.parts[kListTitlePart], {56, 6, 294, 18}, "list title");
    ExpectRect(layout.parts[kSongTitlePart], {56, 18, 294, 49}, "song title");
    ExpectRect(layout.parts[kCommentPart], {56, 49, 294, 61}, "comment");
    ExpectRect(layout.parts[kPlayStatePart], {324, 22, 356, 34}, "play state");
    ExpectRect(layout.parts[kDeviceKindPart], {324, 36, 356, 48}, "device kind");
    ExpectRect(layout.counter, {228, 61, 356, 73}, "counter");

    ASSERT_EQ(layout.frameCount, 8);
    const PanelRect frames[] = {{54, 6, 358, 73},  {8, 6, 46, 22},    {8, 29, 46, 45},    {8, 52, 46, 68},
                                {54, 79, 358, 95}, {366, 6, 404, 38}, {366, 43, 404, 95}, {8, 79, 46, 95}};
    for (int i = 0; i < 8; ++i) {
        ExpectRect(layout.frames[i], frames[i], "frame");
    }
    for (const ControlPlace& place : layout.controls) {
        EXPECT_TRUE(place.repaint);
    }
}

TEST(PanelLayout, FlatFormAtTwoWidths) {
    struct Case {
        int width;
        PanelRect display, stop, next, fileMode, list, seekBar, counter, listTitle, songTitle, comment, volume,
            textToggle, playState;
    };
    const Case cases[] = {
        {792,
         {52, 4, 534, 44},
         {542, 4, 580, 20},
         {656, 28, 694, 44},
         {748, 4, 786, 20},
         {702, 4, 740, 20},
         {55, 34, 310, 42},
         {310, 32, 438, 44},
         {54, 4, 261, 18},
         {265, 4, 473, 28},
         {54, 18, 261, 31},
         {476, 5, 498, 37},
         {442, 33, 457, 43},
         {500, 18, 532, 30}},
        {592,
         {52, 4, 334, 44},
         {342, 4, 380, 20},
         {456, 28, 494, 44},
         {548, 4, 586, 20},
         {502, 4, 540, 20},
         {55, 34, 110, 42},
         {110, 32, 238, 44},
         {54, 4, 161, 18},
         {165, 4, 273, 28},
         {54, 18, 161, 31},
         {276, 5, 298, 37},
         {242, 33, 257, 43},
         {300, 18, 332, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const PanelLayout layout = ComputePanelLayout(kFlatForm, c.width, kFlatClientHeight);
        ASSERT_EQ(layout.frameCount, 9);
        ExpectRect(layout.frames[0], c.display, "display");
        ExpectControls(layout, {{kStopButton, c.stop},
                                {kNextButton, c.next},
                                {kFileModeButton, c.fileMode},
                                {kListButton, c.list},
                                {kSeekBarId, c.seekBar},
                                {kVolumeSliderId, c.volume},
                                {kTextToggleId, c.textToggle}});
        ExpectRect(layout.counter, c.counter, "counter");
        ExpectRect(layout.parts[kListTitlePart], c.listTitle, "list title");
        ExpectRect(layout.parts[kSongTitlePart], c.songTitle, "song title");
        ExpectRect(layout.parts[kCommentPart], c.comment, "comment");
        ExpectRect(layout.parts[kPlayStatePart], c.playState, "play state");
        for (int hidden : {kMenuButton, kEjectButton, kRecordButton}) {
            EXPECT_EQ(layout.controls[hidden].Rect(), (PanelRect{0, 0, 0, 0}));
            EXPECT_FALSE(layout.controls[hidden].repaint);
        }
    }
}

TEST(PanelLayout, FlatFormFramesAndFixedControls) {
    const PanelLayout layout = ComputePanelLayout(kFlatForm, 792, 48);
    ExpectControls(layout, {{0, {6, 4, 44, 20}},
                            {1, {6, 27, 44, 43}},
                            {6, {542, 28, 580, 44}},
                            {10, {656, 4, 694, 20}},
                            {12, {748, 28, 786, 44}},
                            {14, {702, 28, 740, 44}},
                            {19, {476, 37, 498, 43}},
                            {20, {500, 5, 532, 17}},
                            {22, {460, 33, 475, 43}}});
    ExpectRect(layout.parts[kDeviceKindPart], {500, 31, 532, 43}, "device kind");
    const PanelRect frames[] = {{52, 4, 534, 44},   {6, 4, 44, 20},     {6, 27, 44, 43},
                                {542, 4, 694, 20},  {542, 28, 694, 44}, {748, 4, 786, 20},
                                {748, 28, 786, 44}, {702, 4, 740, 20},  {702, 28, 740, 44}};
    for (int i = 0; i < 9; ++i) {
        ExpectRect(layout.frames[i], frames[i], "frame");
    }
}

TEST(PanelLayout, TooNarrowClientGivesEmptyControlsNotNegativeOnes) {
    for (int width : {0, 100, 300, 540}) {
        SCOPED_TRACE(width);
        for (int form : {kNormalForm, kFlatForm}) {
            const PanelLayout layout = ComputePanelLayout(form, width, form == kFlatForm ? 48 : 20);
            for (const ControlPlace& place : layout.controls) {
                EXPECT_GE(place.width, 0);
                EXPECT_GE(place.height, 0);
            }
        }
    }
    EXPECT_EQ(ComputePanelLayout(kFlatForm, 300, 48).controls[kSeekBarId].width, 0);
}

std::function<bool(int)> AllBut(std::set<int> disabled) {
    return [disabled](int id) { return disabled.count(id) == 0; };
}

TEST(PanelFocus, WalksEachFormsOrderWrappingAndSkippingDisabled) {
    struct Case {
        int form, from, direction;
        std::set<int> disabled;
        int expected;
    };
    const Case cases[] = {
        {kNormalForm, 22, +1, {}, 0},  // wraps forward
        {kNormalForm, 0, -1, {}, 22},  // wraps backward
        {kNormalForm, 2, +1, {}, 16},  // record follows the menu button
        {kNormalForm, 16, -1, {}, 2},
        {kNormalForm, 15, +1, {}, 17},
        {kNormalForm, 4, +1, {5, 6, 7}, 8},       // skips disabled controls
        {kNormalForm, 22, +1, {0, 1, 2, 16}, 3},  // skips across the wrap
        {kFlatForm, 0, -1, {}, 12},
        {kFlatForm, 0, -1, {12}, 11},
        {kFlatForm, 1, +1, {}, 17},
        {kFlatForm, 20, +1, {}, 3},
        {kFlatForm, 10, +1, {}, 6},
        {kFlatForm, 12, +1, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "form " << c.form << " from " << c.from << " dir " << c.direction);
        EXPECT_EQ(NextFocusControl(c.form, c.from, c.direction, AllBut(c.disabled)), c.expected);
    }
}

TEST(PanelFocus, ControlOutsideTheOrderDoesNothingAndLoneControlKeepsFocus) {
    for (int hidden : {kMenuButton, kEjectButton, kRecordButton}) {
        EXPECT_EQ(NextFocusControl(kFlatForm, hidden, +1, AllBut({})), -1);
    }
    EXPECT_EQ(NextFocusControl(kNormalForm, 40, +1, AllBut({})), -1);
    const auto onlySeven = [](int id) { return id == 7; };
    EXPECT_EQ(NextFocusControl(kNormalForm, 7, +1, onlySeven), 7);
    EXPECT_EQ(NextFocusControl(kFlatForm, 7, -1, [](int) { return false; }), 7);
}

}  // namespace
