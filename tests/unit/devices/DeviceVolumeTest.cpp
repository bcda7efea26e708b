// The linked volume control against fake volume devices: binding, scaling, balance, read-back and
// restoring the device after the song.
#include "devices/DeviceVolume.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>

#include "app/Settings.h"
#include "tests/support/FakeVolumePort.h"

namespace {

constexpr std::int32_t kCd = 516;
constexpr std::int32_t kWave = 522;
constexpr std::int32_t kMidi = 523;
constexpr std::int32_t kNoBalance = -300;

class DeviceVolumeTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSettingsToDefaults(); }
    void TearDown() override { ResetSettingsToDefaults(); }

    // One stereo wave output at the given volume word.
    FakeVolumeDevice& WaveOut(std::uint32_t volume) {
        FakeVolumeDevice device;
        device.volume = volume;
        return port.Add(VolumeDeviceKind::kWaveOut, device);
    }

    FakeVolumePort port;
};

TEST_F(DeviceVolumeTest, BindsTheDeviceOfTheSongsMedium) {
    const struct {
        const char* name;
        std::int32_t deviceType;
        std::uint32_t setting;
        std::initializer_list<std::uint16_t> auxTechnologies;
        int midiOuts, waveOuts;
        std::uint32_t kind, index;
    } cases[] = {
        {"cd: aux line of CD technology", kCd, kAutomaticVolumeId, {32, 1}, 1, 1, 1, 1},
        {"cd: no CD aux line binds nothing", kCd, kAutomaticVolumeId, {32, 64}, 1, 1, 0xFFFF, 0},
        {"midi: aux MIDI line first", kMidi, kAutomaticVolumeId, {1, 64}, 1, 1, 1, 1},
        {"midi: else MIDI out 0", kMidi, kAutomaticVolumeId, {32}, 2, 1, 2, 0},
        {"midi: no MIDI out binds nothing", kMidi, kAutomaticVolumeId, {}, 0, 2, 0xFFFF, 0},
        {"wave: aux wave line", kWave, kAutomaticVolumeId, {1, 64, 32}, 0, 1, 1, 2},
        {"wave: else wave out 0", kWave, kAutomaticVolumeId, {}, 0, 2, 3, 0},
        {"other types use the wave setting", 0, kAutomaticVolumeId, {}, 0, 1, 3, 0},
        {"explicit kind and index", kWave, 0x00030001, {32}, 0, 2, 3, 1},
        {"explicit MIDI out", kMidi, 0x00020000, {64}, 1, 0, 2, 0},
        {"anything at or above automatic is automatic", kWave, 0xFFFF1234, {}, 0, 1, 3, 0},
        {"explicit none", kWave, 0x00000000, {32}, 0, 1, 0, 0},
    };
    for (const auto& c : cases) {
        FakeVolumePort devices;
        for (std::uint16_t technology : c.auxTechnologies) {
            devices.Add(VolumeDeviceKind::kAux).caps.technology = technology;
        }
        for (int i = 0; i < c.midiOuts; ++i) {
            devices.Add(VolumeDeviceKind::kMidiOut);
        }
        for (int i = 0; i < c.waveOuts; ++i) {
            devices.Add(VolumeDeviceKind::kWaveOut);
        }
        ResetSettingsToDefaults();
        (c.deviceType == kCd     ? gSettings.volume.CD_Volume_ID
         : c.deviceType == kMidi ? gSettings.volume.MIDI_Volume_ID
                                 : gSettings.volume.Wave_Volume_ID) = c.setting;
        const DeviceVolume volume(c.deviceType, 100, kNoBalance, devices);
        EXPECT_EQ(volume.Kind(), c.kind) << c.name;
        EXPECT_EQ(volume.DeviceIndex(), c.index) << c.name;
    }
}

TEST_F(DeviceVolumeTest, SongPercentScalesWhatIsWrittenButNotTheLevel) {
    FakeVolumeDevice& device = WaveOut(Word(40000, 40000));
    DeviceVolume volume(kWave, 50, kNoBalance, port);
    EXPECT_EQ(device.volume, Word(20000, 20000));
    EXPECT_EQ(volume.GetLevel(), 40000u);
    volume.SetLevel(10000);
    EXPECT_EQ(device.volume, Word(5000, 5000));
    EXPECT_EQ(volume.GetLevel(), 10000u);
}

TEST_F(DeviceVolumeTest, BalanceLowersTheOtherSide) {
    FakeVolumeDevice& device = WaveOut(Word(65535, 65535));
    DeviceVolume volume(kWave, 100, -50, port);
    EXPECT_EQ(device.volume, Word(65535, 32767));
    EXPECT_EQ(volume.GetBalance(), -50);
    volume.SetBalance(25);
    EXPECT_EQ(device.volume, Word(49151, 65535));
    volume.SetBalance(-250);  // clamped to left only
    EXPECT_EQ(device.volume, Word(65535, 0));
    EXPECT_EQ(volume.GetBalance(), -100);
}

TEST_F(DeviceVolumeTest, OneChannelDeviceGetsTheLouderSideAndReadsBackCentred) {
    FakeVolumeDevice& device = WaveOut(Word(65535, 65535));
    device.caps.separateChannels = false;
    DeviceVolume volume(kWave, 100, -50, port);
    EXPECT_EQ(device.writes.back(), 65535u);
    EXPECT_EQ(volume.LastWritten(), Word(65535, 32767));
    EXPECT_EQ(volume.GetBalance(), 0);
    EXPECT_EQ(volume.GetLevel(), 65535u);
}

TEST_F(DeviceVolumeTest, MixerChangeDuringTheSongIsReadAndKeptAfterIt) {
    FakeVolumeDevice& device = WaveOut(Word(40000, 40000));
    {
        DeviceVolume volume(kWave, 50, kNoBalance, port);
        device.volume = Word(30000, 30000);  // the user moves the system mixer
        EXPECT_EQ(volume.GetLevel(), 60000u);
    }
    EXPECT_EQ(device.volume, Word(60000, 60000));
}

TEST_F(DeviceVolumeTest, SongBalanceIsUndoneAfterTheSongAndOffLeavesTheDeviceAlone) {
    FakeVolumeDevice& device = WaveOut(Word(40000, 20000));
    {
        const DeviceVolume volume(kWave, 100, kNoBalance, port);
        EXPECT_EQ(device.volume, Word(40000, 20000));
    }
    EXPECT_EQ(device.volume, Word(40000, 20000));

    device.volume = Word(40000, 40000);
    {
        const DeviceVolume volume(kWave, 100, 50, port);
        EXPECT_EQ(device.volume, Word(20000, 40000));
    }
    EXPECT_EQ(device.volume, Word(40000, 40000));
}

TEST_F(DeviceVolumeTest, NothingBoundIgnoresEveryRequest) {
    port.Add(VolumeDeviceKind::kAux).caps.technology = 32;
    WaveOut(Word(1000, 1000));
    {
        DeviceVolume volume(kCd, 50, -20, port);
        volume.SetLevel(30000);
        volume.SetBalance(40);
        EXPECT_EQ(volume.GetLevel(), 0u);
        EXPECT_EQ(volume.GetBalance(), 0);
    }
    EXPECT_EQ(port.TotalWrites(), 0u);
    EXPECT_EQ(port.getCalls, 0);
}

TEST_F(DeviceVolumeTest, ReadBackWordsGiveLevelAndBalance) {
    const struct {
        std::uint32_t word;
        std::uint32_t level;
        std::int32_t balance;
    } cases[] = {
        {Word(0x8000, 0x4000), 0x8000, -50}, {Word(1000, 4000), 4000, 75}, {Word(0, 5000), 5000, 100},
        {Word(5000, 0), 5000, -100},         {Word(0, 0), 0, 30},  // silence keeps the balance it had
    };
    for (const auto& c : cases) {
        FakeVolumePort devices;
        FakeVolumeDevice& device = devices.Add(VolumeDeviceKind::kWaveOut);
        DeviceVolume volume(kWave, 100, 30, devices);
        device.volume = c.word;
        EXPECT_EQ(volume.GetLevel(), c.level) << std::hex << c.word;
        EXPECT_EQ(volume.GetBalance(), c.balance) << std::hex << c.word;
    }
}

TEST_F(DeviceVolumeTest, SaturatedDeviceKeepsTheLevelItCannotShow) {
    FakeVolumeDevice& device = WaveOut(Word(50000, 50000));
    DeviceVolume volume(kWave, 200, kNoBalance, port);
    EXPECT_EQ(device.volume, Word(65535, 65535));
    device.volume = Word(65535, 30000);
    EXPECT_EQ(volume.GetLevel(), 50000u);
    EXPECT_EQ(volume.GetBalance(), -55);
    device.volume = Word(30000, 30000);
    EXPECT_EQ(volume.GetLevel(), 15000u);
}

TEST_F(DeviceVolumeTest, ExtremePercentagesNeitherOverflowNorDivideByZero) {
    const struct {
        std::int32_t percent;
        std::uint32_t written;
    } cases[] = {{0, 0}, {-5, 0}, {INT_MAX, 65535}, {1000, 65535}, {1, 400}};
    for (const auto& c : cases) {
        FakeVolumePort devices;
        FakeVolumeDevice& device = devices.Add(VolumeDeviceKind::kWaveOut);
        device.volume = Word(40000, 40000);
        DeviceVolume volume(kWave, c.percent, kNoBalance, devices);
        EXPECT_EQ(device.volume, Word(c.written, c.written)) << c.percent;
        device.volume = Word(1000, 1000);
        const std::uint32_t level = volume.GetLevel();
        EXPECT_LE(level, 65535u) << c.percent;
        if (c.percent <= 0) {
            EXPECT_EQ(level, 40000u) << "no percentage to divide out";
        }
    }
}

TEST_F(DeviceVolumeTest, LevelAboveRangeIsClamped) {
    FakeVolumeDevice& device = WaveOut(Word(100, 100));
    DeviceVolume volume(kWave, 100, kNoBalance, port);
    volume.SetLevel(70000);
    EXPECT_EQ(device.volume, Word(65535, 65535));
    EXPECT_EQ(volume.GetLevel(), 65535u);
}

TEST_F(DeviceVolumeTest, UnreadableDeviceIsTakenAsFullAndNeverLeftSilent) {
    FakeVolumeDevice& device = WaveOut(Word(0, 0));
    device.failGet = true;
    {
        DeviceVolume volume(kWave, 50, kNoBalance, port);
        EXPECT_EQ(device.writes.back(), Word(32767, 32767));
        volume.SetLevel(20000);
        EXPECT_EQ(volume.GetLevel(), 20000u);
    }
    EXPECT_EQ(device.writes.back(), Word(20000, 20000));
}

TEST_F(DeviceVolumeTest, RefusedWritesAndCapsAreIgnored) {
    FakeVolumeDevice& device = WaveOut(Word(40000, 40000));
    device.failSet = true;
    device.failCaps = true;  // no caps: written as one value
    {
        DeviceVolume volume(kWave, 50, -50, port);
        EXPECT_EQ(device.writes.back(), 20000u);
        EXPECT_EQ(device.volume, Word(40000, 40000));
        // The device still reads 40000 on one channel: the song's percentage is divided out.
        EXPECT_EQ(volume.GetLevel(), 65535u);
        EXPECT_EQ(volume.GetBalance(), 0);
    }
    EXPECT_EQ(device.volume, Word(40000, 40000));
}

}  // namespace
