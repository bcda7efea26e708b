// Loading a MIDI file: which files are accepted, the load status of broken ones, texts and tempo.
#include "devices/MidiSequence.h"

#include <gtest/gtest.h>

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SmfBuilder.h"
#include "tests/unit/devices/MidiTestHelpers.h"

namespace {

// A small valid song: one track with a title, a note and the end of the track.
SmfBuilder OneTrackSong() {
    SmfBuilder builder(0, 480);
    builder.Track().Title(0, "Song").NoteOn(0, 60).Event(480, {0x80, 60, 0}).EndOfTrack();
    return builder;
}

std::string Cut(const std::string& bytes, std::size_t removed) {
    return bytes.substr(0, bytes.size() - removed);
}

std::string WithHeaderLength(std::string bytes, std::uint32_t length) {
    return bytes.replace(4, 4, SmfBuilder::BigEndian32(length));
}

struct LoadCase {
    const char* name;
    std::string bytes;
    std::int32_t status;
};

TEST(MidiSequence, LoadStatusTellsWhatWasWrongWithTheFile) {
    const std::string good = OneTrackSong().Build();
    const LoadCase cases[] = {
        {"valid format 0", good, 0},
        {"valid format 1, three tracks",
         SmfBuilder(1, 96).Track().EndOfTrack().Track().NoteOn(10, 1).EndOfTrack().Track().EndOfTrack().Build(), 0},
        {"format 1 without tracks", SmfBuilder(1, 96).Build(), 0},
        {"longer header is skipped", WithHeaderLength(good, 8).insert(14, std::string("\x01\x02", 2)), 0},
        {"format 0 with two tracks", SmfBuilder(0, 96).Track().EndOfTrack().Track().EndOfTrack().Build(), 2},
        {"format 2", SmfBuilder(2, 96).Track().EndOfTrack().Build(), 2},
        {"division 0", SmfBuilder(0, 0).Track().NoteOn(10, 1).EndOfTrack().Build(), 2},
        {"header length 5", WithHeaderLength(good, 5), 2},
        {"not MThd", "MThx" + good.substr(4), 2},
        {"header cut", good.substr(0, 13), 2},
        {"empty file", "", 2},
        {"track chunk cut", Cut(good, 1), 2},
        {"track length lies", good.substr(0, 18) + SmfBuilder::BigEndian32(0x7FFFFFFF) + good.substr(22), 2},
        {"fewer tracks than the header says", SmfBuilder(1, 96).Track().EndOfTrack().HeaderTrackCount(2).Build(), 2},
        {"not MTrk", good.substr(0, 14) + "MTrx" + good.substr(18), 2},
        {"running status before any channel message", SmfBuilder(0, 96).Track().Event(0, {0x40, 0x40}).Build(), 2},
        {"system common byte", SmfBuilder(0, 96).Track().Event(0, {0xF1, 0}).EndOfTrack().Build(), 2},
        {"delta time of five bytes",
         SmfBuilder(0, 96).Track().Raw(std::string("\x81\x80\x80\x80\x00\xFF\x2F\x00", 8)).Build(), 2},
        {"delta time of four bytes",
         SmfBuilder(0, 96).Track().Raw(std::string("\x81\x80\x80\x00\xFF\x2F\x00", 7)).Build(), 0},
        {"delta time cut by the end of the track", SmfBuilder(0, 96).Track().NoteOn(0, 1).Raw("\x81").Build(), 2},
        {"note cut by the end of the track", SmfBuilder(0, 96).Track().Raw(std::string("\x00\x90\x3C", 3)).Build(), 2},
        {"sysex longer than the track", SmfBuilder(0, 96).Track().Raw(std::string("\x00\xF0\x05\x01\x02", 5)).Build(),
         2},
        {"meta length longer than the track",
         SmfBuilder(0, 96)
             .Track()
             .Raw(std::string("\x00\xFF\x01\x09"
                              "ab",
                              6))
             .Build(),
         2},
        {"meta type cut", SmfBuilder(0, 96).Track().Raw(std::string("\x00\xFF", 2)).Build(), 2},
        {"title running to the end of the track", SmfBuilder(0, 96).Track().Title(0, "abc").Build(), 2},
        {"end of track with a nonzero length", SmfBuilder(0, 96).Track().Meta(0, 0x2F, "x").Build(), 2},
        {"tempo of two bytes", SmfBuilder(0, 96).Track().Meta(0, 0x51, "ab").EndOfTrack().Build(), 2},
        {"time signature of three bytes", SmfBuilder(0, 96).Track().Meta(0, 0x58, "abc").EndOfTrack().Build(), 2},
        {"track without end-of-track event", SmfBuilder(0, 96).Track().NoteOn(5, 1).Build(), 0},
        {"empty track chunk", SmfBuilder(1, 96).Track().Build(), 0},
        {"bytes after the end of the track", SmfBuilder(0, 96).Track().EndOfTrack().Raw("\xF5\xF5\x81").Build(), 0},
    };
    for (const LoadCase& c : cases) {
        MidiSequence sequence;
        EXPECT_EQ(LoadString(sequence, c.bytes), c.status) << c.name;
        EXPECT_EQ(sequence.LoadStatus(), c.status) << c.name;
        EXPECT_EQ(sequence.IsLoaded(), c.status == 0) << c.name;
    }
}

TEST(MidiSequence, FailedLoadKeepsNothing) {
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, OneTrackSong().Build()), 0);
    ASSERT_EQ(LoadString(sequence, Cut(OneTrackSong().Build(), 1)), 2);
    char text[16] = "x";
    EXPECT_EQ(sequence.GetTitle(text, sizeof text), -1);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(sequence.GetDivision(), 0);
    EXPECT_EQ(sequence.MeasureToTick(3), 0u);
    EXPECT_EQ(sequence.TickToMeasure(1000).measure, 0u);
}

TEST(MidiSequence, LoadsThroughTheFileSystem) {
    MemoryFileSystem files;
    files.AddFile("C:\\Songs\\a.mid", OneTrackSong().Build());
    ScopedFileSystem scope(files);
    const MidiSequence loaded("c:\\songs\\A.MID");
    EXPECT_TRUE(loaded.IsLoaded());
    EXPECT_EQ(loaded.GetDivision(), 480);
    const MidiSequence missing("C:\\Songs\\b.mid");
    EXPECT_EQ(missing.LoadStatus(), MidiSequence::kCannotOpen);
}

TEST(MidiSequence, TextsComeFromTheFirstEventsOfTrackZero) {
    const std::string bytes = SmfBuilder(1, 96)
                                  .Track()
                                  .Notice(0, "(C) Melodrix")
                                  .Title(10, "First")
                                  .Title(0, "Second")
                                  .Notice(0, std::string("Cut\0here", 8))
                                  .EndOfTrack()
                                  .Track()
                                  .Title(0, "Other track")
                                  .EndOfTrack()
                                  .Build();
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, bytes), 0);
    char text[64];
    EXPECT_EQ(sequence.GetTitle(text, sizeof text), 5);
    EXPECT_STREQ(text, "First");
    EXPECT_EQ(sequence.GetNotice(text, sizeof text), 12);
    EXPECT_STREQ(text, "(C) Melodrix");
}

TEST(MidiSequence, TitleIsCutToCapacity) {
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, SmfBuilder(0, 96).Track().Title(0, "ABCDEFGHIJKLMNOPQRST").EndOfTrack().Build()), 0);
    char text[9] = "--------";
    EXPECT_EQ(sequence.GetTitle(text, 8), 7);
    EXPECT_STREQ(text, "ABCDEFG");
    EXPECT_EQ(sequence.GetTitle(text, 1), 0);
    EXPECT_STREQ(text, "");
    // Absent notice: empty text and -1.
    text[0] = 'x';
    EXPECT_EQ(sequence.GetNotice(text, sizeof text), -1);
    EXPECT_STREQ(text, "");
}

TEST(MidiSequence, TempoAndLengthFollowTheTempoEvents) {
    // 96 ticks at 500000 us per quarter, then 96 ticks at 1000000, from a second track.
    const std::string bytes = SmfBuilder(1, 96)
                                  .Track()
                                  .Tempo(0, 500000)
                                  .Tempo(96, 1000000)
                                  .EndOfTrack()
                                  .Track()
                                  .NoteOn(192, 60)
                                  .EndOfTrack()
                                  .Build();
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, bytes), 0);
    EXPECT_EQ(sequence.InitialTempo(), 500000u);
    EXPECT_EQ(sequence.TotalTicks(), 193u);
    // 500000 / 96 = 5208 us per tick (remainder dropped), 1000000 / 96 = 10416.
    EXPECT_EQ(sequence.TotalTime(), 96u * 5208 + 96u * 10416 + 1);
}

TEST(MidiSequence, TempoAtTickZeroSetsTheInitialTempo) {
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, SmfBuilder(0, 96).Track().Tempo(0, 600000).Tempo(1, 400000).EndOfTrack().Build()),
              0);
    EXPECT_EQ(sequence.InitialTempo(), 600000u);
    ASSERT_EQ(LoadString(sequence, SmfBuilder(0, 96).Track().Tempo(1, 400000).EndOfTrack().Build()), 0);
    EXPECT_EQ(sequence.InitialTempo(), 500000u);
}

TEST(MidiSequence, RunningStatusAndSysexAreStepped) {
    // Running status after a program change takes one byte; after a note, two.
    const std::string bytes = SmfBuilder(0, 96)
                                  .Track()
                                  .Event(0, {0xC0, 5})
                                  .Event(1, {6})
                                  .Event(1, {0x90, 60, 1})
                                  .Event(1, {61, 1})
                                  .Event(1, {0xF0, 3, 1, 2, 0xF7})
                                  .Event(1, {62, 1})
                                  .EndOfTrack(10)
                                  .Build();
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, bytes), 0);
    EXPECT_EQ(sequence.TotalTicks(), 16u);
}

TEST(MidiSequence, LastTickCountsEveryTrackAndStopsAtEndOfTrack) {
    const std::string bytes = SmfBuilder(1, 96)
                                  .Track()
                                  .NoteOn(100, 1)
                                  .EndOfTrack(50)
                                  // Never reached: after the end of the track.
                                  .Raw(SmfBuilder::VarLen(5000) + "\x90\x01\x01")
                                  .Track()
                                  .NoteOn(300, 1)
                                  .Build();
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, bytes), 0);
    EXPECT_EQ(sequence.TotalTicks(), 301u);
}

TEST(MidiSequence, TicksBeyondThirtyTwoBitsAreRejected) {
    SmfBuilder builder(0, 96);
    builder.Track();
    // 17 deltas of 2^28 - 1 ticks pass 2^32.
    for (int i = 0; i < 17; ++i) {
        builder.NoteOn(0x0FFFFFFF, 1);
    }
    MidiSequence sequence;
    EXPECT_EQ(LoadString(sequence, builder.EndOfTrack().Build()), 2);
}

}  // namespace
