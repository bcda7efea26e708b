// What the settings pages do with their controls' values, free of Win32: the seek scroll bars,
// the numbers typed into edits, the start mode's radio buttons and the device lists with the
// item each list selects. The pages only move values between these rules and their controls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The seek scroll bars: positions in ms, steps of a line and of a page.
constexpr std::int32_t kSeekScrollMinimum = 100;
constexpr std::int32_t kSeekScrollMaximum = 15000;
constexpr std::int32_t kSeekLineStep = 100;
constexpr std::int32_t kSeekPageStep = 1000;

// What "標準値に戻す" puts back on the play page.
constexpr std::int32_t kDefaultSeekStep = 1000;
constexpr std::int32_t kDefaultSeekFastStep = 8000;
constexpr char kDefaultBackLimitText[] = "2000";

// Characters each edit accepts.
constexpr std::size_t kBackLimitDigits = 8;
constexpr std::size_t kBufferSizeDigits = 4;

// The scroll bar actions a page receives (the SB_ codes of a horizontal bar).
enum class SeekScrollAction {
    kLineLeft,
    kLineRight,
    kPageLeft,
    kPageRight,
    kThumbPosition,
    kThumbTrack,
    kLeftmost,
    kRightmost,
    kEndScroll
};

// The position a seek scroll bar moves to after action from current (thumb is the thumb's position
// for kThumbPosition), limited to the bar's range; empty for the actions the bar ignores.
std::optional<std::int32_t> SeekScrollPosition(std::int32_t current, SeekScrollAction action, std::int32_t thumb);
// A stored seek step as the bar can show it.
std::int32_t SeekScrollPositionOf(std::int32_t seekStep);

// The numbers typed into the edits, as they are stored. Text that does not begin with a number
// gives the setting's default.
std::int32_t BackLimitFromText(const char* text);     // at least 100, else 2000
std::int32_t RecordBufferFromText(const char* text);  // at least 2, else 128
std::int32_t WaveBufferFromText(const char* text);    // 16 to 2048, else 128

// The start mode's radio buttons: 0 the last mode, 1 file play, 2 CD play.
enum class BootModeChoice { kLastMode = 0, kFileMode = 1, kCdMode = 2 };
// The button checked for a stored mode: any value other than 0 and 2 checks file play.
BootModeChoice BootModeChoiceOf(std::int32_t bootMode);

// One item of a device list: the name shown and the number kept as its item data.
struct DeviceChoice {
    std::string name;
    std::uint32_t data;
    bool operator==(const DeviceChoice& other) const { return name == other.name && data == other.data; }
};

// A device the system reports, with whether its volume can be set.
struct SystemDevice {
    std::string name;
    bool hasVolume = false;
};

// The devices the volume page lists, each in the system's order (its index is the device's).
struct VolumeDevices {
    std::vector<std::string> aux;
    std::vector<SystemDevice> midiOut;
    std::vector<SystemDevice> waveOut;
};

// The volume page's three boxes.
enum class VolumeBox { kMidi, kWave, kCd };

constexpr std::uint32_t kNoVolumeId = 0;
// "(なし)", "自動検出", every aux device, then the MIDI outputs (MIDI box) or the wave outputs (wave
// box) whose volume can be set; each carries its volume-control identifier.
std::vector<DeviceChoice> VolumeChoices(VolumeBox box, const VolumeDevices& devices);

// "WAVE_MAPPER" (the mapper's -1 as item data) followed by every device by name with its index.
std::vector<DeviceChoice> WaveDeviceChoices(const std::vector<std::string>& deviceNames);

// The index of the first item whose data is wanted, or fallback when none is.
std::optional<std::size_t> ChoiceIndexOf(const std::vector<DeviceChoice>& choices,
                                         std::uint32_t wanted,
                                         std::optional<std::size_t> fallback);
