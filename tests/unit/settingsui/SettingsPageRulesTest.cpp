// The settings pages' rules: seek scrolling, the typed numbers as stored, the start mode's buttons,
// the device lists and the item each list selects, the pages' order and help keywords, and the
// values a damaged registry gives the sheet.
#include "settingsui/SettingsPageRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/MemoryRegistry.h"
#include "app/RegistryStore.h"
#include "app/Settings.h"
#include "settingsui/SettingsPageTable.h"
#include "settingsui/SettingsTexts.h"

namespace {

struct ScrollCase {
    std::int32_t current;
    SeekScrollAction action;
    std::int32_t thumb;
    std::optional<std::int32_t> expected;
};

TEST(SeekScrollBar, EachActionMovesWithinItsRangeAndTrackingIsIgnored) {
    using A = SeekScrollAction;
    const ScrollCase cases[] = {
        {1000, A::kLineLeft, 0, 900},
        {1000, A::kLineRight, 0, 1100},
        {1000, A::kPageLeft, 0, 100},
        {1000, A::kPageRight, 0, 2000},
        {150, A::kLineLeft, 0, 100},  // stops at the left end
        {600, A::kPageLeft, 0, 100},
        {14950, A::kLineRight, 0, 15000},  // stops at the right end
        {14500, A::kPageRight, 0, 15000},
        {1000, A::kThumbPosition, 4321, 4321},
        {1000, A::kThumbPosition, 20, 100},
        {1000, A::kThumbPosition, 65535, 15000},
        {5000, A::kLeftmost, 0, 100},
        {5000, A::kRightmost, 0, 15000},
        {5000, A::kThumbTrack, 9000, std::nullopt},
        {5000, A::kEndScroll, 0, std::nullopt},
    };
    for (const ScrollCase& c : cases) {
        EXPECT_EQ(SeekScrollPosition(c.current, c.action, c.thumb), c.expected)
            << "from " << c.current << " action " << static_cast<int>(c.action);
    }
}

TEST(SeekScrollBar, StoredStepsOutsideTheBarShowAtItsEnds) {
    EXPECT_EQ(SeekScrollPositionOf(1), 100);
    EXPECT_EQ(SeekScrollPositionOf(8000), 8000);
    EXPECT_EQ(SeekScrollPositionOf(3600000), 15000);
}

struct TypedCase {
    const char* text;
    std::int32_t backLimit;
    std::int32_t recordBuffers;
    std::int32_t waveBuffers;
};

TEST(TypedNumbers, EachEditStoresItsNumberWithinItsLimitsOrItsDefault) {
    const TypedCase cases[] = {
        {"50", 100, 50, 50},        {"100", 100, 100, 100},
        {"2500", 2500, 2500, 2048}, {"abc", 2000, 128, 128},
        {"", 2000, 128, 128},       {"0", 100, 2, 16},
        {"5", 100, 5, 16},          {"3000", 3000, 3000, 2048},
        {"-7", 100, 2, 16},         {"99999999", 99999999, 99999999, 2048},
        {"12ab", 100, 12, 16},      {"99999999999999", 2000, 128, 128},  // does not fit: the default
    };
    for (const TypedCase& c : cases) {
        EXPECT_EQ(BackLimitFromText(c.text), c.backLimit) << '"' << c.text << '"';
        EXPECT_EQ(RecordBufferFromText(c.text), c.recordBuffers) << '"' << c.text << '"';
        EXPECT_EQ(WaveBufferFromText(c.text), c.waveBuffers) << '"' << c.text << '"';
    }
}

TEST(TypedNumbers, TheDefaultsButtonsTextIsTheDefaultBackLimit) {
    EXPECT_EQ(BackLimitFromText(kDefaultBackLimitText), Settings().play.BackLimit);
    EXPECT_EQ(kDefaultSeekStep, Settings().play.SeekStep);
    EXPECT_EQ(kDefaultSeekFastStep, Settings().play.SeekFastStep);
    EXPECT_EQ(std::strlen("99999999"), kBackLimitDigits);
}

TEST(BootModeButtons, OnlyZeroAndTwoLeaveFilePlay) {
    const std::pair<std::int32_t, BootModeChoice> cases[] = {
        {0, BootModeChoice::kLastMode}, {1, BootModeChoice::kFileMode},  {2, BootModeChoice::kCdMode},
        {3, BootModeChoice::kFileMode}, {-1, BootModeChoice::kFileMode},
    };
    for (const auto& [stored, choice] : cases) {
        EXPECT_EQ(BootModeChoiceOf(stored), choice) << stored;
    }
}

VolumeDevices SampleDevices() {
    VolumeDevices devices;
    devices.aux = {"CD Aux", "Line"};
    devices.midiOut = {{"Synth A", false}, {"Synth B", true}};
    devices.waveOut = {{"Speakers", true}, {"HDMI", false}, {"USB", true}};
    return devices;
}

TEST(VolumeLists, EachBoxListsNoneAutomaticTheAuxDevicesAndItsOwnKindWithVolume) {
    const VolumeDevices devices = SampleDevices();
    const std::vector<DeviceChoice> common = {
        {kNoVolumeControlText, 0}, {kAutomaticVolumeText, 0xFFFF0000u}, {"CD Aux", 0x10000}, {"Line", 0x10001}};
    std::vector<DeviceChoice> midi = common;
    midi.push_back({"Synth B", 0x20001});
    std::vector<DeviceChoice> wave = common;
    wave.push_back({"Speakers", 0x30000});
    wave.push_back({"USB", 0x30002});
    EXPECT_EQ(VolumeChoices(VolumeBox::kMidi, devices), midi);
    EXPECT_EQ(VolumeChoices(VolumeBox::kWave, devices), wave);
    EXPECT_EQ(VolumeChoices(VolumeBox::kCd, devices), common);
}

TEST(VolumeLists, AStoredIdentifierSelectsItsDeviceAndAMissingOneLeavesAutomatic) {
    const std::vector<DeviceChoice> midi = VolumeChoices(VolumeBox::kMidi, SampleDevices());
    const std::optional<std::size_t> automatic = 1;
    const std::pair<std::uint32_t, std::size_t> cases[] = {
        {0x20001, 4},                                          // Synth B
        {0x10000, 2}, {0, 0}, {0xFFFF0000u, 1}, {0x20000, 1},  // a MIDI output without volume is not listed
        {0x20007, 1},                                          // a device that no longer exists
        {0x30000, 1},                                          // a wave output in the MIDI box
    };
    for (const auto& [stored, index] : cases) {
        EXPECT_EQ(ChoiceIndexOf(midi, stored, automatic), index) << std::hex << stored;
    }
}

TEST(WaveDeviceLists, TheMapperComesFirstThenEveryDeviceWithItsIndex) {
    const std::vector<DeviceChoice> choices = WaveDeviceChoices({"In 1", "In 2"});
    const std::vector<DeviceChoice> expected = {{kWaveMapperText, 0xFFFFFFFFu}, {"In 1", 0}, {"In 2", 1}};
    EXPECT_EQ(choices, expected);
    // The recording page falls back to the mapper; the WAVE page selects nothing.
    EXPECT_EQ(ChoiceIndexOf(choices, 1, 0), 2u);
    EXPECT_EQ(ChoiceIndexOf(choices, static_cast<std::uint32_t>(kWaveMapper), 0), 0u);
    EXPECT_EQ(ChoiceIndexOf(choices, 5, 0), 0u);
    EXPECT_EQ(ChoiceIndexOf(choices, 5, std::nullopt), std::nullopt);
    EXPECT_EQ(WaveDeviceChoices({}).size(), 1u);
}

TEST(SettingsPageTable, SixPagesInTabOrderWithTheirTemplatesAndHelpKeywords) {
    const std::pair<int, std::string> expected[] = {
        {9, "演奏の設定"},  {5, "ボリュームの設定"}, {15, "起動時の設定"},
        {14, "表示の設定"}, {17, "録音の設定"},      {4, "WAVEの設定"},
    };
    ASSERT_EQ(std::size(kSettingsPages), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(kSettingsPages[i].templateId, expected[i].first) << i;
        EXPECT_EQ(kSettingsPages[i].helpKeyword, expected[i].second) << i;
    }
    EXPECT_EQ(kSettingsStartPage, 0);
}

// Values the sheet shows after loading a registry whose values are out of range or of the wrong type.
TEST(SettingsPageRules, ADamagedRegistryOpensTheSheetWithTheDefaults) {
    MemoryRegistry registry;
    SetActiveRegistry(&registry);
    ResetSettingsToDefaults();
    const std::string base = kSettingsBasePath;
    auto putInt = [&](const char* key, const char* name, std::int32_t value) {
        registry.Put(kSettingsRoot, (base + "\\" + key).c_str(), name, kRegDword, &value, sizeof value);
    };
    auto putText = [&](const char* key, const char* name, const char* text) {
        registry.Put(kSettingsRoot, (base + "\\" + key).c_str(), name, kRegSz, text,
                     static_cast<std::uint32_t>(std::strlen(text) + 1));
    };
    putText("Play", "BackLimit", "abc");
    putInt("Play", "SeekStep", 0);
    putInt("Play", "SeekFastStep", -5);
    putInt("Player", "BootMode", 7);
    putInt("Wave", "BufferSize", 0);
    putInt("Wave", "DeviceID", 9999);
    putInt("Record", "DeviceID", -2);
    putText("Record", "BufferSize", "12");
    LoadSettings();
    const Settings defaults;
    EXPECT_EQ(gSettings.play.BackLimit, defaults.play.BackLimit);
    EXPECT_EQ(SeekScrollPositionOf(gSettings.play.SeekStep), 1000);
    EXPECT_EQ(SeekScrollPositionOf(gSettings.play.SeekFastStep), 8000);
    EXPECT_EQ(BootModeChoiceOf(gSettings.player.BootMode), BootModeChoice::kFileMode);
    EXPECT_EQ(gSettings.wave.BufferSize, 128);
    EXPECT_EQ(gSettings.wave.DeviceID, kWaveMapper);
    EXPECT_EQ(gSettings.record.DeviceID, kWaveMapper);
    EXPECT_EQ(gSettings.record.BufferSize, 128);
    ResetSettingsToDefaults();
    SetActiveRegistry(nullptr);
}

}  // namespace
