// The settings pages' rules: scroll steps, typed numbers, start mode and device lists.
#include "settingsui/SettingsPageRules.h"

#include <algorithm>

#include "app/Settings.h"
#include "app/containers/NumberText.h"
#include "settingsui/SettingsTexts.h"

namespace {

// Volume-control identifiers: the device kind in the high word, the device's index in the low one.
constexpr std::uint32_t kAuxVolumeBase = 0x10000;
constexpr std::uint32_t kMidiOutVolumeBase = 0x20000;
constexpr std::uint32_t kWaveOutVolumeBase = 0x30000;

constexpr std::int32_t kDefaultBackLimit = 2000;
constexpr std::int32_t kLeastBackLimit = 100;
constexpr std::int32_t kDefaultBufferSize = 128;
constexpr std::int32_t kLeastRecordBuffers = 2;
constexpr std::int32_t kLeastWaveBuffers = 16;
constexpr std::int32_t kMostWaveBuffers = 2048;

std::int32_t ClampSeek(std::int64_t position) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, kSeekScrollMinimum, kSeekScrollMaximum));
}

void AppendVolumeDevices(std::vector<DeviceChoice>& choices,
                         const std::vector<SystemDevice>& devices,
                         std::uint32_t base) {
    for (std::size_t index = 0; index < devices.size(); ++index) {
        if (devices[index].hasVolume) {
            choices.push_back({devices[index].name, base + static_cast<std::uint32_t>(index)});
        }
    }
}

}  // namespace

std::optional<std::int32_t> SeekScrollPosition(std::int32_t current, SeekScrollAction action, std::int32_t thumb) {
    std::int64_t position = current;
    switch (action) {
        case SeekScrollAction::kLineLeft:
            position -= kSeekLineStep;
            break;
        case SeekScrollAction::kLineRight:
            position += kSeekLineStep;
            break;
        case SeekScrollAction::kPageLeft:
            position -= kSeekPageStep;
            break;
        case SeekScrollAction::kPageRight:
            position += kSeekPageStep;
            break;
        case SeekScrollAction::kThumbPosition:
            position = thumb;
            break;
        case SeekScrollAction::kLeftmost:
            position = kSeekScrollMinimum;
            break;
        case SeekScrollAction::kRightmost:
            position = kSeekScrollMaximum;
            break;
        case SeekScrollAction::kThumbTrack:
        case SeekScrollAction::kEndScroll:
            return std::nullopt;
    }
    return ClampSeek(position);
}

std::int32_t SeekScrollPositionOf(std::int32_t seekStep) {
    return ClampSeek(seekStep);
}

std::int32_t BackLimitFromText(const char* text) {
    return std::max(ParseIntOr(text, kDefaultBackLimit), kLeastBackLimit);
}

std::int32_t RecordBufferFromText(const char* text) {
    return std::max(ParseIntOr(text, kDefaultBufferSize), kLeastRecordBuffers);
}

std::int32_t WaveBufferFromText(const char* text) {
    return std::clamp(ParseIntOr(text, kDefaultBufferSize), kLeastWaveBuffers, kMostWaveBuffers);
}

BootModeChoice BootModeChoiceOf(std::int32_t bootMode) {
    switch (bootMode) {
        case 0:
            return BootModeChoice::kLastMode;
        case 2:
            return BootModeChoice::kCdMode;
        default:
            return BootModeChoice::kFileMode;
    }
}

std::vector<DeviceChoice> VolumeChoices(VolumeBox box, const VolumeDevices& devices) {
    std::vector<DeviceChoice> choices = {{kNoVolumeControlText, kNoVolumeId},
                                         {kAutomaticVolumeText, kAutomaticVolumeId}};
    for (std::size_t index = 0; index < devices.aux.size(); ++index) {
        choices.push_back({devices.aux[index], kAuxVolumeBase + static_cast<std::uint32_t>(index)});
    }
    if (box == VolumeBox::kMidi) {
        AppendVolumeDevices(choices, devices.midiOut, kMidiOutVolumeBase);
    } else if (box == VolumeBox::kWave) {
        AppendVolumeDevices(choices, devices.waveOut, kWaveOutVolumeBase);
    }
    return choices;
}

std::vector<DeviceChoice> WaveDeviceChoices(const std::vector<std::string>& deviceNames) {
    std::vector<DeviceChoice> choices = {{kWaveMapperText, static_cast<std::uint32_t>(kWaveMapper)}};
    for (std::size_t index = 0; index < deviceNames.size(); ++index) {
        choices.push_back({deviceNames[index], static_cast<std::uint32_t>(index)});
    }
    return choices;
}

std::optional<std::size_t> ChoiceIndexOf(const std::vector<DeviceChoice>& choices,
                                         std::uint32_t wanted,
                                         std::optional<std::size_t> fallback) {
    for (std::size_t index = 0; index < choices.size(); ++index) {
        if (choices[index].data == wanted) {
            return index;
        }
    }
    return fallback;
}
