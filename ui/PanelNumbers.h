// The panel's numbers shared by the main window, the panel and its controls: the control ids,
// the two forms and their sizes.
#pragma once

#include <cstdint>

// Control ids of the panel (the child-window ids of the main window); the push buttons are
// 0 ... 16 and send WM_COMMAND with their id.
constexpr int kCloseButton = 0;
constexpr int kMinimizeButton = 1;
constexpr int kMenuButton = 2;
constexpr int kStopButton = 3;
constexpr int kPlayButton = 4;
constexpr int kPauseButton = 5;
constexpr int kRewindButton = 6;
constexpr int kFastForwardButton = 7;
constexpr int kPreviousButton = 8;
constexpr int kNextButton = 9;
constexpr int kJumpButton = 10;
constexpr int kFileModeButton = 11;
constexpr int kCdModeButton = 12;
constexpr int kListButton = 13;
constexpr int kSelectButton = 14;
constexpr int kEjectButton = 15;
constexpr int kRecordButton = 16;
constexpr int kSeekBarId = 17;
constexpr int kVolumeSliderId = 18;
constexpr int kBalanceSliderId = 19;
constexpr int kPlayOrderSwitchId = 20;
constexpr int kTextToggleId = 21;
constexpr int kWrdToggleId = 22;
constexpr int kPanelControlCount = 23;
constexpr int kPanelButtonCount = 17;

// The window's forms, as the setting Form stores them.
constexpr int kNormalForm = 0;
constexpr int kFlatForm = 1;

// The normal form is a fixed outer size; the flat strip has a fixed client height, starts
// 600 wide and may be narrowed to 400.
constexpr int kNormalOuterWidth = 412;
constexpr int kNormalOuterHeight = 100;
constexpr int kFlatClientWidth = 600;
constexpr int kFlatClientHeight = 48;
constexpr std::int32_t kLeastFlatWidth = 400;

// Every push button's face.
constexpr std::int32_t kPanelButtonWidth = 38;
constexpr std::int32_t kPanelButtonHeight = 16;
