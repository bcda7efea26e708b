// The main window's placement, form and hit-test rules.
#include "app/MainWindowRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

const ScreenRect kDesktop{0, 0, 1024, 768};

TEST(MainWindowRules, SavedPositionMustLieOnTheDesktop) {
    struct Case {
        int x, y;
        bool usable;
    } cases[] = {
        {0, 0, true},      {1023, 767, true}, {1024, 10, false}, {10, 768, false},
        {-1, 10, false},   {10, -1, false},   {-32768, -32768, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SavedPositionIsUsable(c.x, c.y, kDesktop), c.usable) << c.x << "," << c.y;
    }
    // A desktop that starts left of the primary screen accepts negative positions.
    EXPECT_TRUE(SavedPositionIsUsable(-500, 10, ScreenRect{-1280, 0, 1024, 768}));
}

TEST(MainWindowRules, OnlyOneIsTheFlatForm) {
    EXPECT_EQ(FormFromSetting(1), kFormFlat);
    EXPECT_EQ(FormFromSetting(0), kFormNormal);
    EXPECT_EQ(FormFromSetting(2), kFormNormal);
    EXPECT_EQ(FormFromSetting(-1), kFormNormal);
}

TEST(MainWindowRules, FlatWidthBelowFourHundredIsRaised) {
    EXPECT_EQ(CorrectFlatWidth(399), 400);
    EXPECT_EQ(CorrectFlatWidth(-5), 400);
    EXPECT_EQ(CorrectFlatWidth(400), 400);
    EXPECT_EQ(CorrectFlatWidth(900), 900);
}

TEST(MainWindowRules, FlatStripResizesOnlySideways) {
    // top, bottom -> client; left corners -> left; right corners -> right; others unchanged
    EXPECT_EQ(MapFlatHitTest(12), 1);
    EXPECT_EQ(MapFlatHitTest(15), 1);
    EXPECT_EQ(MapFlatHitTest(13), 10);
    EXPECT_EQ(MapFlatHitTest(16), 10);
    EXPECT_EQ(MapFlatHitTest(14), 11);
    EXPECT_EQ(MapFlatHitTest(17), 11);
    EXPECT_EQ(MapFlatHitTest(10), 10);
    EXPECT_EQ(MapFlatHitTest(2), 2);
}

TEST(MainWindowRules, SystemMenuHoldsEveryCommandOnceBetweenSeparators) {
    std::set<int> ids;
    int separators = 0;
    for (const auto& item : kSystemMenuItems) {
        if (item.id == 0) {
            ++separators;
            EXPECT_EQ(item.text, nullptr);
            continue;
        }
        EXPECT_TRUE(ids.insert(item.id).second) << item.id;
        ASSERT_NE(item.text, nullptr);
        EXPECT_GT(std::strlen(item.text), 0u);
    }
    EXPECT_EQ(separators, 4);
    EXPECT_EQ(ids, (std::set<int>{100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113}));
    EXPECT_EQ(kSystemMenuItems[0].id, 0);
    EXPECT_EQ(kSystemMenuItems[kSystemMenuItemCount - 1].id, kCmdAbout);
}

TEST(MainWindowRules, CommandsFocusTheirPanelButton) {
    EXPECT_EQ(FocusButtonOfCommand(kCmdStop), 3);
    EXPECT_EQ(FocusButtonOfCommand(kCmdPlay), 4);
    EXPECT_EQ(FocusButtonOfCommand(kCmdSkipBack), 6);
    EXPECT_EQ(FocusButtonOfCommand(kCmdSkipForward), 7);
    EXPECT_EQ(FocusButtonOfCommand(kCmdJump), 10);
    EXPECT_EQ(FocusButtonOfCommand(kCmdEject), -1);
}

}  // namespace
