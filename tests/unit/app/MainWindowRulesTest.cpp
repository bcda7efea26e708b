// The main window's placement, form and hit-test rules.
#include "app/MainWindowRules.h"

#include <gtest/gtest.h>

#include "app/CommandTable.h"

#include <cstring>
#include <set>

namespace {

const ScreenRect kDesktop{0, 0, 1024, 768};

TEST(MainWindowRules, SavedPositionMustLieOnTheDesktop) {
    struct Case {
        int x, y;
        bool usable;
    } cases[] = {
        {0, 0, true},    {1023, 767, true}, {1024, 10, false},       {10, 768, false},
        {-1, 10, false}, {10, -1, false},   {-32768, -32768, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SavedPositionIsUsable(c.x, c.y, kDesktop), c.usable) << c.x << "," << c.y;
    }
    // A desktop that starts left of the primary screen accepts negative positions.
    EXPECT_TRUE(SavedPositionIsUsable(-500, 10, ScreenRect{-1280, 0, 1024, 768}));
}

TEST(MainWindowRules, OnlyOneIsTheFlatForm) {
    EXPECT_EQ(FormFromSetting(1), kFlatForm);
    EXPECT_EQ(FormFromSetting(0), kNormalForm);
    EXPECT_EQ(FormFromSetting(2), kNormalForm);
    EXPECT_EQ(FormFromSetting(-1), kNormalForm);
}

TEST(MainWindowRules, FlatWidthBelowFourHundredIsRaised) {
    EXPECT_EQ(CorrectFlatWidth(399), 400);
    EXPECT_EQ(CorrectFlatWidth(-5), 400);
    EXPECT_EQ(CorrectFlatWidth(400), 400);
    EXPECT_EQ(CorrectFlatWidth(900), 900);
}

TEST(MainWindowRules, FlatStripResizesOnlySideways) {
    // top, bottom -> client; left corners -> left; right corners -> right; others unchanged
    EXPECT_EQ(MapFlatHitTest(kHitTop), kHitClient);
    EXPECT_EQ(MapFlatHitTest(kHitBottom), kHitClient);
    EXPECT_EQ(MapFlatHitTest(kHitTopLeft), kHitLeft);
    EXPECT_EQ(MapFlatHitTest(kHitBottomLeft), kHitLeft);
    EXPECT_EQ(MapFlatHitTest(kHitTopRight), kHitRight);
    EXPECT_EQ(MapFlatHitTest(kHitBottomRight), kHitRight);
    EXPECT_EQ(MapFlatHitTest(kHitLeft), kHitLeft);
    EXPECT_EQ(MapFlatHitTest(2), 2);  // the caption
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
    EXPECT_EQ(ids,
              (std::set<int>{IDM_STOP, IDM_PLAY, IDM_PAUSE_RESUME, IDM_PREVIOUS, IDM_NEXT, IDM_RECORD, IDM_EJECT,
                             IDM_FONT, IDM_SETTINGS, IDM_HELP, IDM_ABOUT, IDM_TOP_MOST, IDM_FIX_WINDOW, IDM_FLAT}));
    EXPECT_EQ(kSystemMenuItems[0].id, 0);
    EXPECT_EQ(kSystemMenuItems[kSystemMenuItemCount - 1].id, IDM_ABOUT);
}

TEST(CommandTable, ButtonsAndMenuCommandsShareTheirActions) {
    // A menu command and the button it stands for do the same; the playback commands of the
    // menu focus that button first, buttons focus nothing first.
    struct Case {
        int command;
        int button;  // -1: the command has no button
        PlayerAction action;
        bool focusesButton;
    } cases[] = {
        {IDM_STOP, kStopButton, PlayerAction::Stop, true},
        {IDM_PLAY, kPlayButton, PlayerAction::Play, true},
        {IDM_PAUSE_RESUME, kPauseButton, PlayerAction::PauseResume, true},
        {IDM_PREVIOUS, kPreviousButton, PlayerAction::Previous, true},
        {IDM_NEXT, kNextButton, PlayerAction::Next, true},
        {IDM_JUMP, kJumpButton, PlayerAction::JumpToSong, true},
        {IDM_EJECT, kEjectButton, PlayerAction::Eject, false},
        {IDM_RECORD, kRecordButton, PlayerAction::Record, false},
        {IDM_SKIP_BACK, -1, PlayerAction::SkipBack, false},
        {IDM_SKIP_FORWARD, -1, PlayerAction::SkipForward, false},
        {IDM_FONT, -1, PlayerAction::ChooseFont, false},
        {IDM_SETTINGS, -1, PlayerAction::ShowSettings, false},
        {IDM_HELP, -1, PlayerAction::ShowHelp, false},
        {IDM_ABOUT, -1, PlayerAction::ShowAbout, false},
        {IDM_TOP_MOST, -1, PlayerAction::ToggleTopMost, false},
        {IDM_FIX_WINDOW, -1, PlayerAction::ToggleFixWindow, false},
        {IDM_FLAT, -1, PlayerAction::ToggleFlat, false},
    };
    for (const Case& c : cases) {
        const PlayerCommand* command = FindPlayerCommand(c.command);
        ASSERT_NE(command, nullptr) << c.command;
        EXPECT_EQ(command->action, c.action) << c.command;
        if (c.focusesButton) {
            EXPECT_EQ(command->focusFirst, c.button) << c.command;
        }
        if (c.button >= 0) {
            const PlayerCommand* button = FindPlayerCommand(c.button);
            ASSERT_NE(button, nullptr) << c.button;
            EXPECT_EQ(button->action, c.action) << c.button;
            EXPECT_EQ(button->focusFirst, -1) << c.button;
        }
    }
    // The seek keys focus the buttons that scan while held.
    EXPECT_EQ(FindPlayerCommand(IDM_SKIP_BACK)->focusFirst, kRewindButton);
    EXPECT_EQ(FindPlayerCommand(IDM_SKIP_FORWARD)->focusFirst, kFastForwardButton);
}

TEST(CommandTable, EveryPushButtonButTheSeekButtonsHasACommand) {
    for (int id = 0; id < kPanelControlCount; ++id) {
        const bool sendsCommand = (id < kPanelButtonCount && id != kRewindButton && id != kFastForwardButton) ||
                                  id == kTextToggleId || id == kWrdToggleId;
        EXPECT_EQ(FindPlayerCommand(id) != nullptr, sendsCommand) << id;
    }
    EXPECT_EQ(FindPlayerCommand(IDM_JUMP + 1), nullptr);
    EXPECT_EQ(FindPlayerCommand(0xF010), nullptr);  // SC_MOVE stays the system's
}

}  // namespace
