// The controller: stop with and without closing, skips and held seek buttons, the timer and its
// interval, the end-of-song notification, the silence before a song, the panel's flags and the
// song volume.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "tests/support/FakeVolumePort.h"
#include "tests/unit/play/PlayTestFakes.h"

namespace {

class PlayerControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettingsToDefaults();
        volumes.Add(VolumeDeviceKind::kMidiOut);
        volumes.Add(VolumeDeviceKind::kWaveOut);
        volumes.Add(VolumeDeviceKind::kAux).caps = {1, true};  // the CD audio line
        mode.volumePort = &volumes;
        mode.source[1].silenceMs = 700;
        mode.source[2].volume = 50;
        mode.Reload();
    }
    void TearDown() override { ResetSettingsToDefaults(); }

    void Tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            mode.HandleTimerMessage(kTimerMessage, 77, 0);
        }
    }

    FakeVolumePort volumes;
    RecordingOwner owner;
    TestMode mode{owner, 4};
};

TEST_F(PlayerControllerTest, StopClosesOnlyNonCdDevicesWhenAsked) {
    const struct {
        std::int32_t type;
        int stopClose;
        bool closes;
    } cases[] = {
        {kDeviceTypeSequencer, 1, true},
        {kDeviceTypeWaveAudio, 1, true},
        {kDeviceTypeCdAudio, 1, false},
        {kDeviceTypeSequencer, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "type " << c.type << " StopClose " << c.stopClose);
        gSettings.play.StopClose = c.stopClose;
        mode.device.type = c.type;
        mode.Select(0);
        mode.Play();
        mode.device.position = 30000;
        const DeviceVolume* volume = mode.Volume();
        ASSERT_NE(volume, nullptr);
        const std::size_t opens = mode.device.opened.size();

        mode.Stop();
        EXPECT_EQ(mode.GetState(), kModeStop);
        EXPECT_EQ(mode.device.isOpen == 0, c.closes);
        EXPECT_EQ(mode.GetSongPosition(), 0);
        // Still the loaded song: the panel offers play, and the length stays.
        EXPECT_EQ(mode.GetSongLength(), 180000);
        EXPECT_EQ(mode.GetPanelFlags() & (kPanelPlay | kPanelStop), kPanelPlay);

        mode.Play();
        EXPECT_EQ(mode.device.opened.size(), opens + (c.closes ? 1 : 0));
        EXPECT_EQ(mode.GetState(), kModePlay);
        EXPECT_EQ(mode.Volume(), volume);
    }
}

TEST_F(PlayerControllerTest, SkipMovesFiveStepsWithinTheSong) {
    const struct {
        int from;
        int direction;
        int startState;
        int expected;
        int endState;
    } cases[] = {
        {178000, 1, kModePlay, 180000, kModePlay},  // 2 s before the end: to the end
        {3000, -1, kModePlay, 0, kModePlay},        // 3 s in: to the start
        {10000, 1, kModeStop, 15000, kModePause},   // a stopped song is left paused there
        {10000, -7, kModePause, 5000, kModePause},  // any backward direction is one skip
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        mode.Select(0);
        mode.Stop();
        if (c.startState == kModePlay) {
            mode.Play();
        } else if (c.startState == kModePause) {
            mode.PauseResume();
        }
        ASSERT_EQ(mode.GetState(), c.startState);
        mode.device.position = c.from;
        mode.Skip(c.direction);
        EXPECT_EQ(mode.device.seeks.back(), static_cast<std::uint32_t>(c.expected));
        EXPECT_EQ(mode.GetSongPosition(), c.expected);
        EXPECT_EQ(mode.GetState(), c.endState);
    }
}

TEST_F(PlayerControllerTest, HeldSeekButtonMovesEverySeekIntervalTicksAndSeeksOnRelease) {
    gSettings.play.SeekInterval = 3;
    mode.Play();
    mode.device.seeks.clear();
    mode.device.position = 20000;
    mode.Scan(1);
    EXPECT_EQ(mode.GetState(), kModeSeek);
    EXPECT_EQ(mode.device.mode, kModePause);
    const int expected[] = {21000, 21000, 21000, 22000, 22000, 22000, 23000};
    for (int tick = 1; tick <= 7; ++tick) {
        Tick();
        EXPECT_EQ(mode.GetSongPosition(), expected[tick - 1]) << "tick " << tick;
    }
    // The device is not moved while the button is held.
    EXPECT_TRUE(mode.device.seeks.empty());
    EXPECT_EQ(mode.GetPanelFlags() & kPanelStop, kPanelStop);

    mode.Scan(0);
    EXPECT_EQ(mode.device.seeks, std::vector<std::uint32_t>{23000});
    EXPECT_EQ(mode.GetState(), kModePlay);
}

TEST_F(PlayerControllerTest, SeekStepFollowsShiftAndTimerIntervalAndStaysInTheSong) {
    const struct {
        bool shift;
        int timerInterval;
        int fastStep;
        int direction;
        int expected;
    } cases[] = {
        {false, 50, 8000, 1, 51000}, {true, 50, 8000, 1, 58000},      {false, 100, 8000, 1, 52000},
        {true, 50, 8000, -1, 42000}, {true, 200, INT_MAX, 1, 180000},  // clamped, never overflowing
        {true, 200, INT_MAX, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "shift " << c.shift << " interval " << c.timerInterval);
        owner.shiftDown = c.shift;
        gSettings.play.TimerInterval = c.timerInterval;
        gSettings.play.SeekFastStep = c.fastStep;
        mode.Select(0);
        mode.Stop();
        mode.PauseResume();
        ASSERT_EQ(mode.GetState(), kModePause);
        mode.device.position = 50000;
        mode.Scan(c.direction);
        Tick();
        EXPECT_EQ(mode.GetSongPosition(), c.expected);
        mode.Scan(0);
        EXPECT_EQ(mode.GetState(), kModePause);
    }
}

TEST_F(PlayerControllerTest, TurningTheSeekRoundKeepsTheStateFromBeforeTheFirstPress) {
    mode.Play();
    mode.Scan(1);
    mode.Scan(-1);
    mode.Scan(0);
    EXPECT_EQ(mode.GetState(), kModePlay);
}

TEST_F(PlayerControllerTest, TimerIntervalIsCorrectedAndStoredBack) {
    const struct {
        int stored;
        int used;
    } cases[] = {{500, 200}, {0, 1}, {-5, 200}, {50, 50}, {200, 200}, {201, 200}, {1, 1}};
    for (const auto& c : cases) {
        gSettings.play.TimerInterval = c.stored;
        owner.log.clear();
        mode.StartTimer();
        mode.StartTimer();  // a running timer is not started twice
        EXPECT_EQ(owner.log, std::vector<std::string>{"timer " + std::to_string(c.used)});
        EXPECT_EQ(gSettings.play.TimerInterval, c.used);
        mode.StopTimer();
        EXPECT_EQ(owner.timers, 0);
    }
}

TEST_F(PlayerControllerTest, OnlyASuccessfulNotificationAdvancesTheQueue) {
    const struct {
        std::uintptr_t wParam;
        int position;
    } cases[] = {{1, 1}, {2, 0}, {4, 0}, {8, 0}, {0, 0}};
    for (const auto& c : cases) {
        mode.Select(0);
        mode.Play();
        mode.HandleTimerMessage(kMciNotifyMessage, c.wParam, 0);
        EXPECT_EQ(mode.GetCurrentPosition(), c.position) << c.wParam;
        EXPECT_EQ(mode.GetState(), kModePlay);
    }
}

TEST_F(PlayerControllerTest, PanelFlagsFollowTheState) {
    constexpr int kBase = kPanelOpen | kPanelList;
    EXPECT_EQ(mode.GetPanelFlags(), kBase | 0x7F0);  // stopped
    mode.Play();
    EXPECT_EQ(mode.GetPanelFlags(), kBase | 0x7E8);
    mode.PauseResume();
    EXPECT_EQ(mode.GetPanelFlags(), kBase | 0x7F8);
    mode.PauseResume();
    mode.Scan(1);
    EXPECT_EQ(mode.GetPanelFlags(), kBase | 0x7F8);  // seeking
    mode.Scan(0);
    // The device's own mode wins: a song that ended by itself shows as stopped.
    mode.device.mode = kModeStop;
    EXPECT_EQ(mode.GetPanelFlags(), kBase | 0x7F0);
    EXPECT_EQ(mode.GetState(), kModeStop);
    mode.SetCompanions(true, false);
    EXPECT_EQ(mode.GetPanelFlags(), kBase | 0x7F0 | kPanelText);
    mode.SetCompanions(true, true);
    EXPECT_EQ(mode.GetPanelFlags(), kBase | 0x7F0 | kPanelText | kPanelWrd);

    mode.device.type = kDeviceTypeCdAudio;
    mode.Select(0);
    mode.Play();
    EXPECT_EQ(mode.GetPanelFlags(), kPanelEject | kPanelList | 0x7E8);
}

TEST_F(PlayerControllerTest, SilenceIsWaitedOnATimerOnlyWhenStartingFromTheBeginning) {
    mode.Select(1);
    owner.log.clear();
    mode.Play();
    // The window goes on while the silence runs: nothing plays until its timer fires, and the
    // position timer's ticks do not start the song.
    EXPECT_EQ(owner.log, (std::vector<std::string>{"wait", "silence 700", "buttons"}));
    EXPECT_NE(mode.device.mode, kModePlay);
    Tick(3);
    EXPECT_NE(mode.device.mode, kModePlay);
    mode.HandleTimerMessage(kTimerMessage, owner.silenceTimerId, 0);
    const std::vector<std::string> waited = {"silence over", "end wait"};
    EXPECT_NE(std::search(owner.log.begin(), owner.log.end(), waited.begin(), waited.end()), owner.log.end());
    EXPECT_EQ(mode.GetState(), kModePlay);

    mode.PauseResume();
    mode.device.position = 5000;
    owner.log.clear();
    mode.PauseResume();
    mode.Stop();
    mode.device.position = 0;
    mode.SeekTo(4000);
    mode.Play();
    EXPECT_EQ(owner.Count("silence 700"), 0);
    EXPECT_EQ(mode.GetState(), kModePlay);
}

TEST_F(PlayerControllerTest, StopAnotherSongOrPlayAgainEndTheSilence) {
    struct Case {
        const char* name;
        std::function<void(TestMode&)> command;
        int state;  // what the mode is in afterwards
        int song;   // -1: not checked
    };
    const Case cases[] = {
        {"stop", [](TestMode& m) { m.Stop(); }, kModeStop, 1},
        {"next", [](TestMode& m) { m.Next(); }, kModePlay, 2},
        {"deactivate", [](TestMode& m) { m.Deactivate(); }, kModeNotReady, -1},
        {"play again", [](TestMode& m) { m.Play(); }, kModePlay, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mode.Reload();
        mode.Select(1);
        owner.log.clear();
        mode.Play();
        ASSERT_EQ(owner.Count("silence 700"), 1);
        c.command(mode);
        EXPECT_EQ(owner.Count("silence over"), 1);
        EXPECT_EQ(owner.Count("end wait"), owner.Count("wait"));  // the wait cursor goes away
        EXPECT_EQ(mode.GetState(), c.state);
        if (c.song >= 0) {
            EXPECT_EQ(mode.CurrentSong(), c.song);
        }
        // A late tick of the cancelled timer starts nothing.
        const int stateBefore = mode.GetState();
        mode.HandleTimerMessage(kTimerMessage, owner.silenceTimerId, 0);
        EXPECT_EQ(mode.GetState(), stateBefore);
    }
}

TEST_F(PlayerControllerTest, TimerRefreshesTheTimeOnEverySecondTickAndBlinksEvery200Ms) {
    mode.Play();
    owner.log.clear();
    Tick(4);
    EXPECT_EQ(owner.Count("time"), 2);
    EXPECT_EQ(owner.Count("buttons"), 0);
    EXPECT_EQ(mode.ticks, 4);
    mode.device.position = 250;
    Tick(2);
    EXPECT_EQ(owner.Count("buttons"), 1);
    mode.Stop();
    owner.log.clear();
    Tick(4);
    EXPECT_EQ(owner.Count("time"), 0);
}

TEST_F(PlayerControllerTest, EndReportedWhileReadingThePositionLeavesTheNextSongsPosition) {
    mode.Play();
    mode.device.position = 9000;
    mode.device.onPosition = [this] {
        mode.device.onPosition = nullptr;
        mode.HandleTimerMessage(kMciNotifyMessage, kNotifySuccessful, 0);
    };
    mode.GetSongPosition();
    EXPECT_EQ(mode.GetCurrentPosition(), 1);
    EXPECT_EQ(mode.positionMs, 0);
    EXPECT_EQ(mode.GetState(), kModePlay);
}

TEST_F(PlayerControllerTest, JumpSelectsOnlyARealPosition) {
    const struct {
        int chosen;
        int position;
    } cases[] = {{3, 3}, {-1, 0}, {4, 0}, {99, 0}};
    for (const auto& c : cases) {
        mode.Select(0);
        owner.chosen = c.chosen;
        owner.log.clear();
        mode.JumpToSong();
        EXPECT_EQ(owner.Count("refresh"), 1);
        EXPECT_EQ(mode.GetCurrentPosition(), c.position) << c.chosen;
    }
}

TEST_F(PlayerControllerTest, VolumeAndBalanceGoToTheSongsVolumeObject) {
    mode.Select(2);  // a song at 50 %
    mode.SetVolume(40000);
    EXPECT_EQ(mode.GetVolume(), 40000u);
    EXPECT_EQ(volumes.At(VolumeDeviceKind::kMidiOut, 0).volume, Word(20000, 20000));
    mode.SetBalance(-50);
    EXPECT_EQ(mode.GetBalance(), -50);
    EXPECT_EQ(volumes.At(VolumeDeviceKind::kMidiOut, 0).volume, Word(20000, 10000));
    mode.Deactivate();
    EXPECT_EQ(mode.GetVolume(), 0u);
    mode.SetVolume(1);
    EXPECT_EQ(mode.GetBalance(), 0);
}

}  // namespace
