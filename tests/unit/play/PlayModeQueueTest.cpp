// The song queue: the end of the queue in each play order, switching orders without losing the
// current song, shuffling, and modes that have no songs.
#include <gtest/gtest.h>

#include <functional>

#include <algorithm>
#include <climits>
#include <numeric>
#include <vector>

#include "app/Settings.h"
#include "play/PlayTexts.h"
#include "tests/support/FakeVolumePort.h"
#include "tests/unit/play/PlayTestFakes.h"

namespace {

class PlayModeQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettingsToDefaults();
        volumes.Add(VolumeDeviceKind::kMidiOut);
    }
    void TearDown() override { ResetSettingsToDefaults(); }

    // A mode over songs, with the fixed random cycle, built and at position 0.
    void Build(TestMode& mode, int order) {
        mode.volumePort = &volumes;
        mode.random = [this] { return rng(); };
        mode.SetPlayMode(order);
        mode.Reload();
    }
    std::vector<int> Order(TestMode& mode) {
        std::vector<int> order;
        for (int p = 0; p < mode.GetQueueLength(); ++p) {
            order.push_back(mode.SongAt(p));
        }
        return order;
    }
    static bool IsPermutation(std::vector<int> order) {
        std::sort(order.begin(), order.end());
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (order[i] != static_cast<int>(i)) {
                return false;
            }
        }
        return true;
    }

    FakeVolumePort volumes;
    RecordingOwner owner;
    CycleRandom rng{{3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5}};
};

TEST_F(PlayModeQueueTest, EndOfQueueWrapsToPositionZeroAndPlaysOnOnlyInRepeatingOrders) {
    const struct {
        int order;
        int stateAfter;
        bool reshuffles;
    } cases[] = {
        {kPlayNormal, kModeStop, false},
        {kPlayRepeat, kModePlay, false},
        {kPlayRandom, kModeStop, true},
        {kPlayRandomRepeat, kModePlay, true},
    };
    for (const auto& c : cases) {
        for (bool byNotification : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "order " << c.order << " notification " << byNotification);
            TestMode mode(owner, 5);
            Build(mode, c.order);
            mode.Play();
            mode.Select(4);
            ASSERT_EQ(mode.GetState(), kModePlay);
            const std::size_t drawsBefore = rng.draws;
            if (byNotification) {
                mode.HandleTimerMessage(kMciNotifyMessage, kNotifySuccessful, 0);
            } else {
                mode.Next();
            }
            EXPECT_EQ(mode.GetCurrentPosition(), 0);
            EXPECT_EQ(mode.GetState(), c.stateAfter);
            EXPECT_EQ(mode.device.mode, c.stateAfter);
            EXPECT_EQ(rng.draws > drawsBefore, c.reshuffles);
            EXPECT_EQ(mode.CurrentSong(), mode.SongAt(0));
            EXPECT_TRUE(IsPermutation(Order(mode)));
        }
    }
}

TEST_F(PlayModeQueueTest, SwitchingFromRandomToNormalKeepsTheCurrentSongAtItsListPosition) {
    // Each draw of 1 moves every song one place forward: song 7 lands at position 6.
    rng.values = {1};
    TestMode mode(owner, 10);
    Build(mode, kPlayRandom);
    const std::vector<int> order = Order(mode);
    const int position = static_cast<int>(std::find(order.begin(), order.end(), 7) - order.begin());
    ASSERT_NE(position, 7) << "the shuffle should have moved song 7";
    mode.Select(position);
    mode.Play();
    const std::size_t opens = mode.device.opened.size();

    mode.SetPlayMode(kPlayNormal);
    EXPECT_EQ(mode.GetCurrentPosition(), 7);
    EXPECT_EQ(mode.CurrentSong(), 7);
    EXPECT_EQ(mode.SongAt(7), 7);
    // The song goes on playing untouched.
    EXPECT_EQ(mode.device.opened.size(), opens);
    EXPECT_EQ(mode.GetState(), kModePlay);
    mode.Next();
    EXPECT_EQ(mode.CurrentSong(), 8);
}

TEST_F(PlayModeQueueTest, SwitchingToRandomKeepsThePlayedPositionsInListOrder) {
    for (int position : {0, 3, 8}) {
        SCOPED_TRACE(position);
        TestMode mode(owner, 10);
        Build(mode, kPlayNormal);
        mode.Select(position);
        mode.SetPlayMode(kPlayRandom);
        const std::vector<int> order = Order(mode);
        ASSERT_EQ(order.size(), 10u);
        EXPECT_TRUE(IsPermutation(order));
        for (int p = 0; p <= position; ++p) {
            EXPECT_EQ(order[p], p);
        }
        std::vector<int> rest(order.begin() + position + 1, order.end());
        std::vector<int> listOrder(rest.size());
        std::iota(listOrder.begin(), listOrder.end(), position + 1);
        if (rest.size() > 2) {
            EXPECT_NE(rest, listOrder) << "the positions after the current one are shuffled";
        }
        EXPECT_EQ(mode.GetCurrentPosition(), position);
        EXPECT_EQ(mode.CurrentSong(), position);
    }
}

TEST_F(PlayModeQueueTest, SwitchingBetweenRandomOrdersKeepsTheCurrentSongAtTheCurrentPosition) {
    TestMode mode(owner, 12);
    Build(mode, kPlayRandom);
    mode.Select(5);
    const int song = mode.CurrentSong();
    mode.SetPlayMode(kPlayRandomRepeat);
    EXPECT_EQ(mode.GetCurrentPosition(), 5);
    EXPECT_EQ(mode.SongAt(5), song);
    EXPECT_TRUE(IsPermutation(Order(mode)));
}

TEST_F(PlayModeQueueTest, ShuffleStaysAPermutationWhateverTheGeneratorAnswers) {
    const std::vector<std::vector<int>> generators = {{-1, -7, INT_MIN}, {INT_MAX}, {0}};
    for (const auto& values : generators) {
        TestMode mode(owner, 50);
        CycleRandom cycle(values);
        mode.random = [&cycle] { return cycle(); };
        mode.SetPlayMode(kPlayRandom);
        mode.Reload();
        EXPECT_TRUE(IsPermutation(Order(mode)));
        mode.Shuffle(-5);
        EXPECT_TRUE(IsPermutation(Order(mode)));
    }
}

TEST_F(PlayModeQueueTest, ModeWithoutSongsStaysInactiveAndIgnoresEveryCommand) {
    TestMode mode(owner, 0);
    mode.volumePort = &volumes;
    mode.Reload();
    EXPECT_FALSE(mode.IsActive());
    EXPECT_EQ(mode.GetQueueLength(), -1);
    EXPECT_EQ(mode.GetCurrentPosition(), -1);

    mode.Play();
    mode.PauseResume();
    mode.Stop();
    mode.Previous();
    mode.Next();
    mode.JumpToSong();
    mode.Skip(1);
    mode.Scan(1);
    mode.Scan(0);
    mode.SeekTo(1000);
    mode.HandleTimerMessage(kMciNotifyMessage, kNotifySuccessful, 0);
    mode.HandleTimerMessage(kTimerMessage, 0, 0);
    EXPECT_TRUE(mode.device.opened.empty());
    EXPECT_TRUE(mode.device.seeks.empty());
    EXPECT_EQ(mode.device.plays, 0);
    EXPECT_EQ(owner.Count("choose"), 0);
    EXPECT_EQ(mode.GetPanelFlags(), kPanelOpen | kPanelList);
    EXPECT_EQ(mode.GetSongPosition(), 0);
    EXPECT_EQ(mode.GetSongLength(), 0);
    EXPECT_EQ(mode.GetVolume(), 0u);
    // The timer still reaches the mode's own tick.
    EXPECT_EQ(mode.ticks, 1);
}

TEST_F(PlayModeQueueTest, ActivatingAnEmptyQueueMakesTheModeActiveWithNothingCurrent) {
    TestMode mode(owner, 3);  // its queue is not built yet
    EXPECT_EQ(mode.Activate(), 1);
    EXPECT_TRUE(mode.IsActive());
    EXPECT_EQ(mode.GetQueueLength(), 0);
    char title[16] = "x";
    mode.GetTitle(title, sizeof title);
    EXPECT_STREQ(title, "");
    EXPECT_EQ(mode.CurrentPath(), "");
    mode.Play();
    EXPECT_TRUE(mode.device.opened.empty());
    EXPECT_EQ(mode.Activate(), 0);
}

TEST_F(PlayModeQueueTest, PreviousRewindsPastTheBackLimitAndOtherwiseGoesBack) {
    const struct {
        int position;
        int positionMs;
        int state;
        int expectedPosition;
        bool rewound;
    } cases[] = {
        {2, 2500, kModePlay, 2, true},    // restarts the song and keeps playing
        {2, 1500, kModePlay, 1, false},   // the song before
        {0, 1500, kModePlay, 4, false},   // from the first song to the last
        {0, 0, kModePlay, 4, false},      // at the very start too
        {2, 2500, kModePause, 2, true},   // a paused song stays paused
        {0, 1500, kModePause, 4, false},  // and so does the one it goes back to
        {3, 2001, kModeStop, 3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "position " << c.position << " at " << c.positionMs);
        TestMode mode(owner, 5);
        Build(mode, kPlayNormal);
        mode.Select(c.position);
        if (c.state == kModePlay) {
            mode.Play();
        } else if (c.state == kModePause) {
            mode.PauseResume();
        }
        ASSERT_EQ(mode.GetState(), c.state);
        mode.device.position = c.positionMs;
        const std::size_t opens = mode.device.opened.size();
        mode.Previous();
        EXPECT_EQ(mode.GetCurrentPosition(), c.expectedPosition);
        EXPECT_EQ(mode.device.opened.size() == opens, c.rewound);
        EXPECT_EQ(mode.device.position, 0);
        EXPECT_EQ(mode.GetState(), c.state);
        EXPECT_EQ(mode.device.mode, c.state);
    }
}

TEST_F(PlayModeQueueTest, FailedOpenLeavesTheSongNotReadyAndPlayTriesAgain) {
    TestMode mode(owner, 3);
    Build(mode, kPlayNormal);
    mode.device.refuseOpen = true;
    owner.log.clear();
    mode.Select(1);
    EXPECT_EQ(mode.GetState(), kModeNotReady);
    EXPECT_GT(owner.Count("buttons"), 0);
    EXPECT_EQ(mode.GetSongLength(), 0);
    EXPECT_EQ(mode.GetPanelFlags(), kPanelOpen | kPanelList | kPanelPlay | kPanelPrevious | kPanelNext | kPanelJump);
    mode.device.seeks.clear();
    mode.Stop();
    mode.Skip(1);
    mode.SeekTo(500);
    EXPECT_TRUE(mode.device.seeks.empty());

    mode.device.refuseOpen = false;
    mode.Play();
    EXPECT_EQ(mode.device.opened.back(), "song1");
    EXPECT_EQ(mode.GetState(), kModePlay);
    EXPECT_NE(mode.Volume(), nullptr);
}

// Delivers the posted pass-over steps as the main window would; answers how many it took.
int DeliverPassOver(TestMode& mode, RecordingOwner& owner) {
    int steps = 0;
    while (owner.passOverPosts > 0) {
        --owner.passOverPosts;
        ++steps;
        mode.HandleTimerMessage(kPassOverMessage, 0, 0);
    }
    return steps;
}

TEST_F(PlayModeQueueTest, UnplayableSongsArePassedOverInTheDirectionOfTravel) {
    struct Case {
        const char* name;
        int order;
        std::vector<const char*> unplayable;
        int start;
        std::function<void(TestMode&)> command;
        int expectedSong;  // -1: nothing plays
        int expectedState;
        std::size_t notices;
    };
    const Case cases[] = {
        {"next", kPlayNormal, {"song1", "song2"}, 0, [](TestMode& m) { m.Next(); }, 3, kModePlay, 2},
        {"previous", kPlayNormal, {"song2", "song1"}, 3, [](TestMode& m) { m.Previous(); }, 0, kModePlay, 2},
        {"end of a song",
         kPlayRepeat,
         {"song3"},
         2,
         [](TestMode& m) { m.HandleTimerMessage(kMciNotifyMessage, kNotifySuccessful, 0); },
         0,
         kModePlay,
         1},
        {"end of the queue in normal order stops",
         kPlayNormal,
         {"song3"},
         2,
         [](TestMode& m) { m.Next(); },
         0,
         kModeStop,
         1},
        {"play on an unplayable song", kPlayNormal, {"song1"}, -1, [](TestMode& m) { m.Play(); }, 2, kModePlay, 1},
        {"nothing plays",
         kPlayRepeat,
         {"song0", "song1", "song2", "song3"},
         -1,
         [](TestMode& m) { m.Play(); },
         -1,
         kModeStop,
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingOwner recording;
        TestMode mode(recording, 4);
        mode.volumePort = &volumes;
        mode.SetPlayMode(c.order);
        mode.Reload();
        if (c.start >= 0) {
            mode.Select(c.start);
            mode.Play();
            mode.device.unplayable.insert(c.unplayable.begin(), c.unplayable.end());
        } else {
            mode.device.unplayable.insert(c.unplayable.begin(), c.unplayable.end());
            mode.Select(1);  // stopped on song 1, which did not open
        }
        c.command(mode);
        DeliverPassOver(mode, recording);
        EXPECT_EQ(mode.GetState(), c.expectedState);
        if (c.expectedSong >= 0) {
            EXPECT_EQ(mode.CurrentSong(), c.expectedSong);
        }
        EXPECT_EQ(recording.notices.size(), c.notices);
        if (c.expectedSong < 0) {
            ASSERT_FALSE(recording.notices.empty());
            EXPECT_EQ(recording.notices.back(), kNothingPlayableText);
        }
    }
}

TEST_F(PlayModeQueueTest, TenThousandUnplayableSongsEndWithOneMessageInSmallSteps) {
    TestMode mode(owner, 10000);
    mode.device.refuseOpen = true;
    Build(mode, kPlayRepeat);
    mode.Play();
    const int steps = DeliverPassOver(mode, owner);
    // Each step returns to the window's message loop; the pass tries every song once.
    EXPECT_EQ(steps, (10000 - 1 + kPassOverBatch - 1) / kPassOverBatch);
    EXPECT_EQ(mode.device.opened.size(), 10000u + 1);  // the first song twice: at the reload and at Play
    EXPECT_EQ(std::count(owner.notices.begin(), owner.notices.end(), std::string(kNothingPlayableText)), 1);
    EXPECT_EQ(mode.GetState(), kModeStop);
}

TEST_F(PlayModeQueueTest, StopOrANewChoiceEndsAPassOver) {
    TestMode mode(owner, 6);
    Build(mode, kPlayNormal);
    mode.Play();
    mode.device.unplayable = {"song1", "song2", "song3"};
    mode.Next();
    ASSERT_EQ(owner.passOverPosts, 1);
    mode.Stop();
    const std::size_t opens = mode.device.opened.size();
    DeliverPassOver(mode, owner);
    EXPECT_EQ(mode.device.opened.size(), opens);  // the stale step does nothing
    EXPECT_EQ(mode.CurrentSong(), 1);

    mode.Play();  // song 1 again: a new pass
    mode.Select(5);
    DeliverPassOver(mode, owner);
    EXPECT_EQ(mode.CurrentSong(), 5);
}

TEST_F(PlayModeQueueTest, ReloadStartsTheNewQueueStoppedAtPositionZero) {
    TestMode mode(owner, 6);
    Build(mode, kPlayNormal);
    mode.Select(4);
    mode.Play();
    mode.source.resize(2);
    mode.Reload();
    EXPECT_EQ(mode.GetQueueLength(), 2);
    EXPECT_EQ(mode.GetCurrentPosition(), 0);
    EXPECT_EQ(mode.GetState(), kModeStop);
    EXPECT_EQ(mode.CurrentPath(), "song0");
    EXPECT_EQ(owner.log.back(), "time title");
}

TEST_F(PlayModeQueueTest, DeactivateClosesTheSongStopsTheTimerAndBlanksTheTexts) {
    TestMode mode(owner, 3);
    Build(mode, kPlayNormal);
    mode.StartTimer();
    mode.Play();
    SongEntry copy;
    mode.CopyCurrentSong(copy);
    EXPECT_STREQ(copy.title, "Title 0");
    mode.Deactivate();
    EXPECT_FALSE(mode.IsActive());
    EXPECT_EQ(mode.device.isOpen, 0);
    EXPECT_EQ(owner.timers, 0);
    EXPECT_EQ(mode.Volume(), nullptr);
    char title[16] = "x";
    mode.GetTitle(title, sizeof title);
    EXPECT_STREQ(title, "");
    SongEntry untouched;
    SetSongField(untouched.title, "kept");
    mode.CopyCurrentSong(untouched);
    mode.GetSongAt(untouched, 0);
    EXPECT_STREQ(untouched.title, "kept");
}

TEST_F(PlayModeQueueTest, PlayModeAboveThreeIsTakenAsNormal) {
    TestMode mode(owner, 3);
    mode.SetPlayMode(7);
    EXPECT_EQ(mode.GetPlayMode(), kPlayNormal);
    mode.SetPlayMode(-1);
    EXPECT_EQ(mode.GetPlayMode(), kPlayNormal);
}

}  // namespace
