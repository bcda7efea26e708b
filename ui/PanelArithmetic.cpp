// The panel's value arithmetic: counter glyphs, slider and seek-bar mappings, text fitting,
// the caption and the skin cells chosen for each state.
#include <algorithm>
#include <cstdio>

#include "app/containers/ShiftJis.h"
#include "devices/MediaDevice.h"
#include "play/PanelFlags.h"
#include "resources/SystemCommands.h"
#include "ui/PanelLayout.h"

namespace {

constexpr std::int32_t kGlyphSlash = 10;
constexpr std::int32_t kGlyphColon = 11;
constexpr std::int32_t kGlyphOpen = 12;
constexpr std::int32_t kGlyphClose = 13;
constexpr std::uint32_t kMaxVolume = 65535;
constexpr std::uint32_t kVolumeStep = 4096;
constexpr std::int32_t kBalanceStep = 10;

}  // namespace

std::array<CounterGlyph, kCounterGlyphCount> CounterGlyphs(std::int32_t position,
                                                           std::int32_t length,
                                                           std::int32_t songMs,
                                                           std::int32_t songLengthMs) {
    // Without a queue the length is -1 and nothing is open: zeros read better than garbage
    // glyphs cut from outside the digit strip. An empty queue has no song to number either.
    const std::int32_t n = std::max(length, 0);
    const std::int32_t p = n > 0 ? std::max(position, 0) : 0;
    const std::int32_t a = std::max(songMs, 0);
    const std::int32_t b = std::max(songLengthMs, 0);
    return {{
        {3, p / 100 % 10},   {9, p / 10 % 10},     {15, p % 10},          {21, kGlyphSlash},     {27, n / 100 % 10},
        {33, n / 10 % 10},   {39, n % 10},         {51, a / 600000 % 10}, {57, a / 60000 % 10},  {63, kGlyphColon},
        {69, a / 10000 % 6}, {75, a / 1000 % 10},  {87, kGlyphOpen},      {93, b / 600000 % 10}, {99, b / 60000 % 10},
        {105, kGlyphColon},  {111, b / 10000 % 6}, {117, b / 1000 % 10},  {123, kGlyphClose},
    }};
}

std::optional<std::uint32_t> VolumeFromPointer(std::int32_t top, std::int32_t bottom, std::int32_t y) {
    const std::int64_t span = static_cast<std::int64_t>(bottom) - top - 2;
    if (span <= 0) {
        return std::nullopt;  // no track to point into
    }
    const std::int64_t value = (static_cast<std::int64_t>(bottom) - y - 1) * kMaxVolume / span;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(value, 0, kMaxVolume));
}

std::uint32_t VolumeAfterKey(std::uint32_t volume, int direction) {
    const std::int64_t value = static_cast<std::int64_t>(volume) + (direction < 0 ? -1 : 1) * std::int64_t{kVolumeStep};
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(value, 0, kMaxVolume));
}

std::int32_t VolumeLevelY(std::int32_t innerTop, std::int32_t innerBottom, std::uint32_t volume) {
    const std::int64_t level = std::min(volume, kMaxVolume);
    return static_cast<std::int32_t>(innerBottom -
                                     (static_cast<std::int64_t>(innerBottom) - innerTop) * level / kMaxVolume);
}

std::optional<std::int32_t> BalanceFromPointer(std::int32_t left, std::int32_t right, std::int32_t x) {
    const std::int64_t span = static_cast<std::int64_t>(right) - left - 4;
    if (span <= 0) {
        return std::nullopt;
    }
    const std::int64_t value = (static_cast<std::int64_t>(x) - left - 2) * 200 / span - 100;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -100, 100));
}

std::int32_t BalanceAfterKey(std::int32_t balance, int direction) {
    return std::clamp(balance + (direction < 0 ? -kBalanceStep : kBalanceStep), -100, 100);
}

std::int32_t BalanceKnobX(std::int32_t innerLeft, std::int32_t innerRight, std::int32_t balance) {
    const std::int32_t travel = std::max(innerRight - innerLeft - 3, 0);
    return innerLeft + travel * (std::clamp(balance, -100, 100) + 100) / 200;
}

std::int32_t SeekTrackWidth(std::int32_t clientWidth) {
    return std::max(clientWidth - 6, 0);
}

std::int32_t SeekKnobForPosition(std::int32_t trackWidth, std::int32_t positionMs, std::int32_t lengthMs) {
    if (lengthMs <= 0 || trackWidth <= 0) {
        return 0;
    }
    const std::int64_t knob = static_cast<std::int64_t>(trackWidth) * positionMs / lengthMs;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(knob, 0, trackWidth));
}

std::int32_t SeekKnobForPointer(std::int32_t trackWidth, std::int32_t x) {
    if (trackWidth <= 0) {
        return 0;
    }
    return std::clamp(x - 3, 0, trackWidth - 1);
}

std::int32_t SeekTargetMs(std::int32_t lengthMs, std::int32_t knob, std::int32_t trackWidth) {
    if (trackWidth <= 0 || lengthMs <= 0) {
        return 0;
    }
    return static_cast<std::int32_t>(static_cast<std::int64_t>(lengthMs) * knob / trackWidth);
}

std::int32_t NextPlayOrder(std::int32_t order) {
    return order >= 3 || order < 0 ? 0 : order + 1;
}

std::int32_t PreviousPlayOrder(std::int32_t order) {
    return order <= 0 || order > 3 ? 3 : order - 1;
}

TextFit FitPanelText(std::int32_t areaWidth,
                     std::int32_t areaHeight,
                     const std::function<TextExtent(std::int32_t height)>& measure) {
    for (std::int32_t height = areaHeight;; --height) {
        const TextExtent extent = measure(height);
        if (extent.width <= areaWidth && extent.inkHeight <= areaHeight) {
            return {height, false, extent.inkHeight};
        }
        if (areaHeight / 2 >= height) {
            return {height, true, extent.inkHeight};
        }
    }
}

std::string PanelCaption(std::int32_t positionMs, const char* title) {
    if (title == nullptr || title[0] == '\0') {
        return "Melodrix";
    }
    const std::int32_t a = std::max(positionMs, 0);
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "[%02d:%02d] ", static_cast<int>(a / 60000), static_cast<int>(a / 1000 % 60));
    std::string caption = prefix;
    char rest[kCaptionBytes];
    CopyShiftJis(rest, kCaptionBytes - caption.size(), title);
    return caption + rest;
}

SkinCell PlayStateCell(std::int32_t state, std::int32_t positionMs) {
    switch (state) {
        case kModePlay:
            return {32 * (std::max(positionMs, 0) / 200 % 4), 0};
        case kModeStop:
            return {32, 24};
        case kModePause:
            return {64, 24};
        case kModeSeek:
            return {96, 24};
        case kModeOpen:
            return {0, 24};
        default:
            return {0, 36};
    }
}

SkinCell DeviceKindCell(std::int32_t deviceType) {
    // One cell per MCI device type from the first to the sequencer, then the blank cell.
    constexpr std::int32_t kBlankCell = kDeviceTypeSequencer - kDeviceTypeFirst + 1;
    const bool known = deviceType >= kDeviceTypeFirst && deviceType <= kDeviceTypeSequencer;
    const std::int32_t index = known ? deviceType - kDeviceTypeFirst : kBlankCell;
    return {32 * (index % 4), 12 * (index / 4)};
}

bool PanelButtonShowsPressed(int controlId, std::uint32_t itemState) {
    if (itemState & kItemSelected) {
        return true;
    }
    return (controlId == kFileModeButton || controlId == kCdModeButton) && itemState == kItemDisabled;
}

std::int32_t PanelButtonGlyphColumn(std::uint32_t itemState) {
    return (itemState & kItemDisabled) ? 48 : (itemState & kItemFocus) ? 24 : 0;
}

std::int32_t ToggleFaceColumn(std::uint32_t itemState, bool windowOpen) {
    return (itemState & kItemDisabled) ? 30 : windowOpen ? 15 : 0;
}

const std::array<PanelFlagControl, 11> kPanelFlagControls = {{
    {kStopButton, kPanelStop, IDM_STOP},
    {kPlayButton, kPanelPlay, IDM_PLAY},
    {kPauseButton, kPanelPause, IDM_PAUSE_RESUME},
    {kRewindButton, kPanelSeekBack, 0},
    {kFastForwardButton, kPanelSeekForward, 0},
    {kPreviousButton, kPanelPrevious, IDM_PREVIOUS},
    {kNextButton, kPanelNext, IDM_NEXT},
    {kJumpButton, kPanelJump, 0},
    {kListButton, kPanelList, 0},
    {kSelectButton, kPanelOpen, 0},
    {kEjectButton, kPanelEject, IDM_EJECT},
}};

bool TextToggleEnabled(std::int32_t flags, bool textOpen) {
    return textOpen || (flags & kPanelText) != 0;
}

bool WrdToggleEnabled(std::int32_t flags, bool wrdOpen) {
    return wrdOpen || (flags & kPanelWrd) != 0;
}
