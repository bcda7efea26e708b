// The MCI file device against a scripted MCI: opening, clamped seeks, positions relative to the
// medium's start, MIDI ticks and measures, and MCI errors.
#include "devices/MciFileDevice.h"

#include <gtest/gtest.h>

#include <climits>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/FakeMciPort.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SmfBuilder.h"

namespace {

OwnerWindow const kOwner = reinterpret_cast<OwnerWindow>(0x1234);

class MciFileDeviceTest : public ::testing::Test {
protected:
    MciFileDeviceTest() : scope(files) {}

    // A 2-second MIDI song at 96 ticks per quarter, 16 sixteenths long.
    FakeMedium& AddMidi(const char* path) {
        files.AddFile(path, TinySmf(96, 4 * 96));
        FakeMedium& medium = mci.media[path];
        medium.lengthMs = 2000;
        medium.lengthSongPointer = 16;
        return medium;
    }

    MemoryFileSystem files;
    ScopedFileSystem scope;
    FakeMciPort mci;
};

TEST_F(MciFileDeviceTest, OpensMidiWithLengthsAndTiming) {
    AddMidi("C:\\song.mid").startMs = 0;
    MciFileDevice device(kOwner, mci);
    ASSERT_EQ(device.Open("C:\\song.mid"), 1);
    EXPECT_EQ(device.isOpen, 1);
    EXPECT_EQ(device.deviceType, kDeviceTypeSequencer);
    EXPECT_EQ(device.lengthMs, 2000);
    EXPECT_EQ(device.songPointerLength, 16u);
    EXPECT_EQ(device.timebase, 96);
    EXPECT_EQ(device.GetMode(), kModeStop);
    EXPECT_EQ(device.GetPosition(), 0);
    EXPECT_EQ(mci.TimeFormat(device.MciId()), kMciFormatMilliseconds);
    EXPECT_EQ(mci.log.front(), "open C:\\song.mid");
}

TEST_F(MciFileDeviceTest, ReaderIsChosenByExtension) {
    const struct {
        const char* path;
        bool reader;
        int tick;  // at song position 4 (one quarter)
    } cases[] = {
        {"C:\\a.mid", true, 96}, {"C:\\A.MID", true, 96},  {"C:\\a.smp", true, 96},
        {"C:\\a.rcp", true, 0},  // no Recomposer header in these bytes: no timebase
        {"C:\\a.smf", false, 0}, {"C:\\a.midi", false, 0}, {"C:\\mid", false, 0},
    };
    for (const auto& c : cases) {
        AddMidi(c.path);
        MciFileDevice device(kOwner, mci);
        ASSERT_EQ(device.Open(c.path), 1) << c.path;
        EXPECT_EQ(device.HasSongInfo(), c.reader) << c.path;
        mci.media[c.path].positionSongPointer = 4;
        EXPECT_EQ(device.GetTickPosition(), c.tick) << c.path;
    }
}

TEST_F(MciFileDeviceTest, OtherMediaGetNoMidiTiming) {
    FakeMedium& wave = mci.media["C:\\a.mid"];  // even a MIDI name, when MCI says it is wave audio
    wave.deviceType = kDeviceTypeWaveAudio;
    wave.lengthMs = 3000;
    files.AddFile("C:\\a.mid", TinySmf(96, 96));
    MciFileDevice device(kOwner, mci);
    ASSERT_EQ(device.Open("C:\\a.mid"), 1);
    EXPECT_EQ(device.deviceType, kDeviceTypeWaveAudio);
    EXPECT_EQ(device.songPointerLength, 0u);
    EXPECT_FALSE(device.HasSongInfo());
    EXPECT_EQ(device.GetTickPosition(), 0);
    MeasurePosition position{1, 2, 3, 4};
    EXPECT_EQ(device.MeasureToPosition(position, 1), 0);
    EXPECT_EQ(position.tick, 1u);
}

TEST_F(MciFileDeviceTest, RefusedOpenLeavesTheDeviceClosed) {
    MciFileDevice device(kOwner, mci);
    EXPECT_EQ(device.Open("C:\\missing.mid"), 0);
    EXPECT_EQ(device.Open(nullptr), 0);
    EXPECT_EQ(device.isOpen, 0);
    EXPECT_EQ(device.GetMode(), kModeNotReady);
    EXPECT_EQ(device.GetPosition(), 0);
    EXPECT_EQ(device.Seek(10), 0);
    EXPECT_EQ(device.Play(), 0);
    EXPECT_EQ(device.Stop(), 0);
    EXPECT_EQ(device.Pause(), 0);
    EXPECT_EQ(device.GetTickPosition(), 0);
    device.Close();
    EXPECT_EQ(mci.Count("close"), 0);
}

TEST_F(MciFileDeviceTest, EveryOpenedIdIsClosedOnce) {
    AddMidi("C:\\a.mid");
    AddMidi("C:\\b.mid");
    {
        MciFileDevice device(kOwner, mci);
        ASSERT_EQ(device.Open("C:\\a.mid"), 1);
        const std::uint32_t first = device.MciId();
        ASSERT_EQ(device.Open("C:\\b.mid"), 1);
        EXPECT_FALSE(mci.IsOpen(first));
        EXPECT_EQ(device.Open("C:\\missing.mid"), 0);
        EXPECT_EQ(device.isOpen, 0);
        EXPECT_EQ(device.lengthMs, 0);
        ASSERT_EQ(device.Open("C:\\a.mid"), 1);
    }
    EXPECT_EQ(mci.OpenCount(), 0u);
    EXPECT_EQ(mci.Count("close"), 3);
}

TEST_F(MciFileDeviceTest, SeekClampsIntoTheSong) {
    const struct {
        std::uint32_t mciLength, startMs, seekTo;
        int answer;
    } cases[] = {
        {2000, 0, 0, 0}, {2000, 0, 1999, 1999}, {2000, 0, 2000, 1999}, {2000, 0, UINT_MAX, 1999}, {2000, 500, 100, 100},
        {1, 0, 50, 0},   {0, 0, 500, 0},        {UINT_MAX, 0, 500, 0},  // no usable length: the start only
    };
    for (const auto& c : cases) {
        FakeMedium& medium = AddMidi("C:\\s.mid");
        medium.lengthMs = c.mciLength;
        medium.startMs = c.startMs;
        MciFileDevice device(kOwner, mci);
        ASSERT_EQ(device.Open("C:\\s.mid"), 1);
        EXPECT_EQ(device.Seek(c.seekTo), c.answer) << c.mciLength << " " << c.seekTo;
        EXPECT_EQ(medium.positionMs, c.answer + c.startMs) << c.mciLength << " " << c.seekTo;
    }
}

TEST_F(MciFileDeviceTest, RefusedSeekAnswersMinusOne) {
    AddMidi("C:\\s.mid");
    MciFileDevice device(kOwner, mci);
    ASSERT_EQ(device.Open("C:\\s.mid"), 1);
    mci.failing.insert("seek");
    EXPECT_EQ(device.Seek(100), -1);
}

TEST_F(MciFileDeviceTest, PositionIsCountedFromTheStartAndStaysInTheSong) {
    FakeMedium& medium = AddMidi("C:\\s.mid");
    medium.startMs = 500;
    MciFileDevice device(kOwner, mci);
    ASSERT_EQ(device.Open("C:\\s.mid"), 1);
    EXPECT_EQ(device.startPosition, 500u);
    const struct {
        std::uint32_t reported;
        int position;
    } cases[] = {{800, 300}, {500, 0}, {100, 0}, {2500, 2000}, {0xFFFFFFF0, 2000}};
    for (const auto& c : cases) {
        medium.positionMs = c.reported;
        EXPECT_EQ(device.GetPosition(), c.position) << c.reported;
    }
    mci.failing.insert("status.2");
    EXPECT_EQ(device.GetPosition(), 0);
}

TEST_F(MciFileDeviceTest, TickPositionFromSongPointerRestoresMilliseconds) {
    FakeMedium& medium = AddMidi("C:\\s.mid");
    MciFileDevice device(kOwner, mci);
    ASSERT_EQ(device.Open("C:\\s.mid"), 1);
    medium.positionSongPointer = 8;  // two quarters at 96 ticks
    EXPECT_EQ(device.GetTickPosition(), 192);
    EXPECT_EQ(mci.TimeFormat(device.MciId()), kMciFormatMilliseconds);
    medium.positionSongPointer = UINT_MAX;
    EXPECT_EQ(device.GetTickPosition(), INT_MAX);
    mci.failing.insert("status.2");
    EXPECT_EQ(device.GetTickPosition(), 0);
    EXPECT_EQ(mci.TimeFormat(device.MciId()), kMciFormatMilliseconds);
}

TEST_F(MciFileDeviceTest, MeasuresComeFromTheSongReader) {
    AddMidi("C:\\s.mid");
    MciFileDevice device(kOwner, mci);
    ASSERT_EQ(device.Open("C:\\s.mid"), 1);
    MeasurePosition position;
    ASSERT_EQ(device.MeasureToPosition(position, 1), 1);
    EXPECT_EQ(position.tick, 384u);
    EXPECT_EQ(position.ticksPerMeasure, 384u);
    ASSERT_EQ(device.PositionToMeasure(position, 400), 1);
    EXPECT_EQ(position.measure, 1u);
    EXPECT_EQ(position.tickInMeasure, 16u);
    MeasurePosition untouched{9, 9, 9, 9};
    EXPECT_EQ(device.MeasureToPosition(untouched, -1), 0);
    EXPECT_EQ(device.PositionToMeasure(untouched, -5), 0);
    EXPECT_EQ(untouched.tick, 9u);
}

TEST_F(MciFileDeviceTest, PlayNotifiesTheOwnerAndStopReturnsToTheStart) {
    FakeMedium& medium = AddMidi("C:\\s.mid");
    medium.startMs = 40;
    MciFileDevice device(kOwner, mci);
    ASSERT_EQ(device.Open("C:\\s.mid"), 1);
    ASSERT_EQ(device.Play(), 1);
    EXPECT_EQ(mci.log.back(), "play notify=" + std::to_string(0x1234) + " to=0");
    EXPECT_EQ(device.GetMode(), kModePlay);
    medium.positionMs = 1040;
    EXPECT_EQ(device.Stop(), 1);
    EXPECT_EQ(medium.positionMs, 40u);
    EXPECT_EQ(device.GetMode(), kModeStop);
    mci.failing.insert("stop");
    EXPECT_EQ(device.Stop(), 0);
}

TEST_F(MciFileDeviceTest, PauseOnAStoppedSongStartsItFirst) {
    AddMidi("C:\\s.mid");
    MciFileDevice device(kOwner, mci);
    ASSERT_EQ(device.Open("C:\\s.mid"), 1);
    mci.log.clear();
    EXPECT_EQ(device.Pause(), 1);
    EXPECT_EQ(mci.Count("play"), 1);
    EXPECT_EQ(mci.log.back(), "pause");
    EXPECT_EQ(device.GetMode(), kModePause);
    EXPECT_EQ(device.Play(), 1);
    mci.log.clear();
    EXPECT_EQ(device.Pause(), 1);
    EXPECT_EQ(mci.Count("play"), 0);
    mci.failing.insert("pause");
    EXPECT_EQ(device.Pause(), 0);
}

TEST_F(MciFileDeviceTest, FailedQueriesOpenWithZeroes) {
    AddMidi("C:\\s.mid");
    mci.failing = {"caps", "status.1"};
    MciFileDevice device(kOwner, mci);
    ASSERT_EQ(device.Open("C:\\s.mid"), 1);
    EXPECT_EQ(device.deviceType, 0);
    EXPECT_EQ(device.lengthMs, 0);
    EXPECT_EQ(device.GetTickPosition(), 0);
    EXPECT_EQ(device.Seek(700), 0);
}

}  // namespace
