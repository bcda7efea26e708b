// The MCI file device against a scripted MCI: opening, clamped seeks, positions relative to the
// medium's start, MIDI ticks and measures, and MCI errors.
#include "devices/MciFileDevice.h"

#include <gtest/gtest.h>

#include <climits>

#include "app/Settings.h"
#include "app/containers/MemoryFileSystem.h"
#include "devices/MidiSequence.h"
#include "tests/support/FakeMciPort.h"
#include "tests/support/FakeTempFilePort.h"
#include "tests/support/RcpSongBuilder.h"
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

// A Recomposer song at 48 ticks per quarter in 3/4 whose loop is marked forever: one note, looped.
std::string LoopedRcpSong(RcpLayout layout, const std::string& gsdName = "") {
    RcpSongBuilder song(layout);
    song.title = "Looped";
    song.numerator = 3;
    song.gsdName = gsdName;
    song.AddTrack(0).events =
        song.Event(0xF9, 1, 0, 0) + song.Note(60, 144, 100, 100) + song.Event(0xF8, 0, 0, 0) + song.End();
    return song.Build();
}

// What the converted MIDI file of the temporary port holds: its notes and its length in ticks.
int ConvertedNotes(MemoryFileSystem& files, const char* path) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(files.ReadFile(path, bytes, 1 << 20));
    int notes = 0;
    for (const SmfEventRecord& event : ReadSmfEvents(bytes)) {
        notes += (event.bytes[0] & 0xF0) == 0x90 && event.bytes[2] != 0;
    }
    return notes;
}

class RcpFallbackTest : public MciFileDeviceTest {
protected:
    RcpFallbackTest() : temp(files) { gSettings.play.RcpLoops = 2; }
    ~RcpFallbackTest() override { gSettings.play.RcpLoops = Settings().play.RcpLoops; }

    // MCI plays the converted file it is given: every temporary name the port hands out.
    void SequencerTakesTemporaryFiles() {
        for (int i = 0; i < 4; ++i) {
            FakeMedium& medium = mci.media["T:\\mxrcp" + std::to_string(i) + ".mid"];
            medium.lengthMs = 3000;
            medium.lengthSongPointer = 24;
        }
    }

    FakeTempFilePort temp{files};
};

TEST_F(RcpFallbackTest, SongWithoutADriverPlaysConvertedAndKeepsItsHeaderTiming) {
    SequencerTakesTemporaryFiles();
    const struct {
        const char* path;
        RcpLayout layout;
    } songs[] = {{"C:\\Songs\\loop.rcp", RcpLayout::kV2}, {"C:\\Songs\\loop.G36", RcpLayout::kV3}};
    for (const auto& song : songs) {
        const char* path = song.path;
        SCOPED_TRACE(path);
        files.AddFile(path, LoopedRcpSong(song.layout));
        mci.log.clear();
        MciFileDevice device(kOwner, mci, temp);
        ASSERT_EQ(device.Open(path), 1);
        ASSERT_NE(device.ConvertedPath(), nullptr);
        const std::string converted = device.ConvertedPath();
        // MCI was asked for the song itself first, then for the converted file.
        ASSERT_GE(mci.log.size(), 2u);
        EXPECT_EQ(mci.log[0], std::string("open ") + path);
        EXPECT_EQ(mci.log[1], "open " + converted);
        EXPECT_EQ(device.deviceType, kDeviceTypeSequencer);
        EXPECT_EQ(device.lengthMs, 3000);
        EXPECT_EQ(device.timebase, 48);
        // The forever loop plays twice, as the setting says.
        EXPECT_EQ(ConvertedNotes(files, converted.c_str()), 2);
        // Measures of the Recomposer header: 3/4 at 48 ticks.
        MeasurePosition position;
        ASSERT_EQ(device.MeasureToPosition(position, 2), 1);
        EXPECT_EQ(position.tick, 288u);
        mci.media[converted].positionSongPointer = 8;
        EXPECT_EQ(device.GetTickPosition(), 96);
        device.Close();
        EXPECT_FALSE(files.Exists(converted.c_str()));
        EXPECT_EQ(temp.removed.back(), converted);
    }
}

TEST_F(RcpFallbackTest, ForeverLoopsPlayAsOftenAsTheSettingSays) {
    SequencerTakesTemporaryFiles();
    files.AddFile("C:\\loop.rcp", LoopedRcpSong(RcpLayout::kV2));
    gSettings.play.RcpLoops = 3;
    MciFileDevice device(kOwner, mci, temp);
    ASSERT_EQ(device.Open("C:\\loop.rcp"), 1);
    EXPECT_EQ(ConvertedNotes(files, device.ConvertedPath()), 3);
}

TEST_F(RcpFallbackTest, SetupBeforeTheSongIsLeftOutOfTheTicks) {
    SequencerTakesTemporaryFiles();
    files.AddFile("C:\\loop.rcp", LoopedRcpSong(RcpLayout::kV2, "GS.GSD"));
    std::string gsd(0xA71, '\0');
    gsd.replace(0, 14, std::string("COME ON MUSIC\0", 14));
    gsd.replace(0x0E, 14, "GS CONTROL 1.0");
    files.AddFile("C:\\GS.GSD", gsd);
    MciFileDevice device(kOwner, mci, temp);
    ASSERT_EQ(device.Open("C:\\loop.rcp"), 1);
    FakeMedium& medium = mci.media[device.ConvertedPath()];
    // Far into the song: the setup's ticks come off; within the setup the song is at its start.
    medium.positionSongPointer = 4000;
    const int far = device.GetTickPosition();
    EXPECT_GT(far, 0);
    EXPECT_LT(far, 4000 * 12);
    medium.positionSongPointer = 1;
    EXPECT_EQ(device.GetTickPosition(), 0);
}

TEST_F(RcpFallbackTest, SongsThatCannotBeConvertedOrOpenedFailCleanly) {
    files.AddFile("C:\\loop.rcp", LoopedRcpSong(RcpLayout::kV2));
    files.AddFile("C:\\bad.rcp", std::string(3000, 'x'));
    files.AddFile("C:\\song.smf", TinySmf(96, 384));
    const struct {
        const char* name;
        const char* path;
        bool sequencerWorks;
        bool createWorks;
        std::size_t created;
    } cases[] = {
        {"not a Recomposer song", "C:\\bad.rcp", true, true, 0},
        {"missing song", "C:\\none.rcp", true, true, 0},
        {"temporary folder not writable", "C:\\loop.rcp", true, false, 0},
        {"sequencer refuses the converted file", "C:\\loop.rcp", false, true, 1},
        {"only Recomposer songs are converted", "C:\\song.smf", true, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        mci.media.clear();
        if (c.sequencerWorks) {
            SequencerTakesTemporaryFiles();
        }
        temp.failCreate = !c.createWorks;
        temp.created.clear();
        temp.removed.clear();
        MciFileDevice device(kOwner, mci, temp);
        EXPECT_EQ(device.Open(c.path), 0);
        EXPECT_EQ(device.isOpen, 0);
        EXPECT_EQ(temp.created.size(), c.created);
        // Whatever was created is gone again.
        EXPECT_EQ(temp.removed, temp.created);
    }
}

TEST_F(RcpFallbackTest, ARegisteredDriverPlaysTheSongItself) {
    files.AddFile("C:\\loop.rcp", LoopedRcpSong(RcpLayout::kV2));
    mci.media["C:\\loop.rcp"].lengthMs = 1000;
    MciFileDevice device(kOwner, mci, temp);
    ASSERT_EQ(device.Open("C:\\loop.rcp"), 1);
    EXPECT_EQ(device.ConvertedPath(), nullptr);
    EXPECT_TRUE(temp.created.empty());
    EXPECT_EQ(device.timebase, 48);
}

}  // namespace
