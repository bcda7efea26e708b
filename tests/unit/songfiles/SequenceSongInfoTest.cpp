// Song information from a full MIDI sequence: texts, division and measure positions.
#include "songfiles/SequenceSongInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SmfBuilder.h"

namespace {

// 3/4 (288 ticks) for 4 measures, then 2/4 (192) to tick 1778.
std::string MeterSong() {
    return SmfBuilder(1, 96)
        .Track()
        .Title(0, "Waltz")
        .TimeSignature(0, 3, 2)
        .TimeSignature(1152, 2, 2)
        .EndOfTrack()
        .Track()
        .NoteOn(1778, 60)
        .EndOfTrack()
        .Build();
}

TEST(SequenceSongInfo, ConvertsThroughTheMeasureMap) {
    MemoryFileSystem files;
    files.AddFile("C:\\w.mid", MeterSong());
    ScopedFileSystem scope(files);
    const SequenceSongInfo info("C:\\w.mid");
    EXPECT_EQ(info.hasSequence, 1);
    EXPECT_EQ(info.GetTimebase(), 96);
    char text[16];
    EXPECT_EQ(info.GetTitle(text, sizeof text), 5);
    EXPECT_EQ(info.GetComment(text, sizeof text), -1);

    const struct {
        std::uint32_t measure, tick, ticksPerMeasure;
    } starts[] = {{0, 0, 288}, {3, 864, 288}, {4, 1152, 192}, {5, 1344, 192}};
    for (const auto& s : starts) {
        MeasurePosition position;
        ASSERT_EQ(info.MeasureToPosition(position, s.measure), 1);
        EXPECT_EQ(position.tick, s.tick) << s.measure;
        EXPECT_EQ(position.measure, s.measure);
        EXPECT_EQ(position.tickInMeasure, 0u);
        // Measure 4 is the first measure of the new meter and has its length.
        EXPECT_EQ(position.ticksPerMeasure, s.ticksPerMeasure) << s.measure;
    }
    const struct {
        std::uint32_t tick, measure, tickInMeasure, ticksPerMeasure;
    } ticks[] = {{300, 1, 12, 288}, {1153, 4, 1, 192}, {1400, 5, 56, 192}};
    for (const auto& t : ticks) {
        MeasurePosition position;
        ASSERT_EQ(info.PositionToMeasure(position, t.tick), 1);
        EXPECT_EQ(position.tick, t.tick);
        EXPECT_EQ(position.measure, t.measure) << t.tick;
        EXPECT_EQ(position.tickInMeasure, t.tickInMeasure) << t.tick;
        EXPECT_EQ(position.ticksPerMeasure, t.ticksPerMeasure) << t.tick;
    }
}

TEST(SequenceSongInfo, FailedSequenceAnswersAsNotLoaded) {
    const std::string bytes = MeterSong().substr(0, 40);
    const SequenceSongInfo info(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    EXPECT_EQ(info.Sequence().LoadStatus(), MidiSequence::kNotUsable);
    EXPECT_EQ(info.GetTimebase(), 0);
    char text[8] = "x";
    EXPECT_EQ(info.GetTitle(text, sizeof text), -1);
    EXPECT_STREQ(text, "");
    MeasurePosition position{1, 1, 1, 1};
    EXPECT_EQ(info.MeasureToPosition(position, 2), 0);
    EXPECT_EQ(info.PositionToMeasure(position, 2), 0);
    EXPECT_EQ(position.tick, 1u);
}

}  // namespace
