// Bits of PlayMode::GetPanelFlags: which panel buttons and menu commands are usable now.
#pragma once

#include <cstdint>

constexpr std::int32_t kPanelStop = 0x8;
constexpr std::int32_t kPanelPlay = 0x10;
constexpr std::int32_t kPanelPause = 0x20;
constexpr std::int32_t kPanelSeekBack = 0x40;
constexpr std::int32_t kPanelSeekForward = 0x80;
constexpr std::int32_t kPanelPrevious = 0x100;
constexpr std::int32_t kPanelNext = 0x200;
constexpr std::int32_t kPanelJump = 0x400;
constexpr std::int32_t kPanelList = 0x1000;
constexpr std::int32_t kPanelOpen = 0x4000;
constexpr std::int32_t kPanelEject = 0x8000;
constexpr std::int32_t kPanelWrd = 0x10000;
constexpr std::int32_t kPanelText = 0x20000;
