// The measure map: segments from time-signature events, and conversions between ticks and measures.
#include "devices/MidiSequence.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/SmfBuilder.h"
#include "tests/unit/devices/MidiTestHelpers.h"

namespace {

using Segments = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // ticks per measure, count

Segments SegmentsOf(const MidiSequence& sequence) {
    Segments segments;
    for (std::uint32_t i = 0; i < sequence.SegmentCount(); ++i) {
        segments.emplace_back(sequence.Segment(i).ticksPerMeasure, sequence.Segment(i).measureCount);
    }
    return segments;
}

// A conductor track of time signatures (absolute ticks, numerator, power) and a last note.
std::string SongWithMeters(std::uint16_t division,
                           const std::vector<std::vector<std::uint32_t>>& meters,
                           std::uint32_t lastTick) {
    SmfBuilder builder(1, division);
    builder.Track();
    std::uint32_t tick = 0;
    for (const auto& meter : meters) {
        builder.TimeSignature(meter[0] - tick, static_cast<std::uint8_t>(meter[1]),
                              static_cast<std::uint8_t>(meter[2]));
        tick = meter[0];
    }
    builder.EndOfTrack().Track().NoteOn(lastTick, 60).EndOfTrack();
    return builder.Build();
}

struct MapCase {
    const char* name;
    std::uint16_t division;
    std::vector<std::vector<std::uint32_t>> meters;
    std::uint32_t lastTick;
    Segments segments;
};

TEST(MeasureMap, SegmentsFollowTheTimeSignatures) {
    const MapCase cases[] = {
        {"no time signature: 4/4", 96, {}, 1000, {{384, 3}}},
        {"last event on a bar line opens a measure", 96, {}, 768, {{384, 2}}},
        {"3/4 at tick 0", 96, {{0, 3, 2}}, 1000, {{288, 4}}},
        {"3/4, then 6/8 at measure 5", 96, {{0, 3, 2}, {4 * 288, 6, 3}}, 4 * 288 + 1000, {{288, 4}, {288, 4}}},
        // 2/4 from tick 0, 3/4 at tick 100: the first measure is rounded up to 192 ticks, and the
        // 3/4 stretch loses the 92-tick overlap.
        {"change inside a measure", 96, {{0, 2, 2}, {100, 3, 2}}, 100 + 92 + 288, {{192, 1}, {288, 1}}},
        {"two changes on one tick", 96, {{192, 3, 2}, {192, 2, 2}}, 384 + 10, {{384, 1}, {192, 1}}},
        // 4/4 to 1/16 at tick 100 (measure rounded to 384), 1/16 again at 110: inside the rounded
        // measure the short meter adds no measures and no negative count.
        {"changes inside the rounded measure", 96, {{100, 1, 4}, {110, 1, 4}}, 384 + 48, {{384, 1}, {24, 2}}},
        {"numerator 0 is ignored", 96, {{0, 3, 2}, {288, 0, 2}}, 600, {{288, 3}}},
        {"power that shifts every tick away is ignored", 96, {{0, 3, 2}, {288, 40, 255}}, 600, {{288, 3}}},
        {"power 31 gives 0 ticks, ignored", 96, {{0, 3, 31}}, 600, {{384, 2}}},
    };
    for (const MapCase& c : cases) {
        MidiSequence sequence;
        ASSERT_EQ(LoadString(sequence, SongWithMeters(c.division, c.meters, c.lastTick)), 0) << c.name;
        EXPECT_EQ(SegmentsOf(sequence), c.segments) << c.name;
    }
}

TEST(MeasureMap, TimeSignatureAtTickZeroIsKept) {
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, SongWithMeters(96, {{0, 6, 3}}, 10)), 0);
    EXPECT_EQ(sequence.TimeSignature()[0], 6);
    EXPECT_EQ(sequence.TimeSignature()[1], 3);
    ASSERT_EQ(LoadString(sequence, SongWithMeters(96, {{5, 6, 3}}, 10)), 0);
    EXPECT_EQ(sequence.TimeSignature()[0], 4);
}

TEST(MeasureMap, MoreThanTheMapHoldsKeepsTheFirstSegments) {
    // 200 changes, one per measure, alternating 3/4 and 2/4.
    std::vector<std::vector<std::uint32_t>> meters;
    std::uint32_t tick = 0;
    for (std::uint32_t i = 0; i < 200; ++i) {
        meters.push_back({tick, i % 2 ? 2u : 3u, 2});
        tick += i % 2 ? 192 : 288;
    }
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, SongWithMeters(96, meters, tick)), 0);
    ASSERT_EQ(sequence.SegmentCount(), MidiSequence::kMaxSegments);
    EXPECT_EQ(sequence.Segment(0).ticksPerMeasure, 288u);
    EXPECT_EQ(sequence.Segment(126).ticksPerMeasure, 288u);
    // The last segment (2/4, from measure 127) runs to the end of the song.
    const std::uint32_t lastStart = 64 * 288 + 63 * 192;
    EXPECT_EQ(sequence.Segment(127).ticksPerMeasure, 192u);
    EXPECT_EQ(sequence.Segment(127).measureCount, (tick - lastStart + 191) / 192);
    EXPECT_EQ(sequence.MeasureToTick(127), lastStart);
    EXPECT_EQ(sequence.TickToMeasure(tick).ticksPerMeasure, 192u);
}

TEST(MeasureMap, ConversionsWalkTheSegments) {
    // 3/4 for 4 measures (288 ticks each), then 2/4 (192) up to tick 1778.
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, SongWithMeters(96, {{0, 3, 2}, {1152, 2, 2}}, 1152 + 192 * 3 + 50)), 0);
    ASSERT_EQ(SegmentsOf(sequence), (Segments{{288, 4}, {192, 4}}));
    const struct {
        std::uint32_t measure;
        std::uint32_t tick;
    } starts[] = {{0, 0}, {1, 288}, {4, 1152}, {5, 1344}, {8, 1920}, {9, 1920}, {1000, 1920}};
    for (const auto& s : starts) {
        EXPECT_EQ(sequence.MeasureToTick(s.measure), s.tick) << s.measure;
    }
    const struct {
        std::uint32_t tick;
        MeasureAtTick at;
    } ticks[] = {
        {0, {0, 0, 288}},
        {287, {0, 287, 288}},
        {288, {1, 0, 288}},
        // The first tick of a new meter measures with the new meter.
        {1152, {4, 0, 192}},
        {1153, {4, 1, 192}},
        {1345, {5, 1, 192}},
        // Beyond the end: answered for totalTicks (1779), inside the last segment.
        {1729, {7, 1, 192}},
        {50000, {7, 51, 192}},
    };
    for (const auto& t : ticks) {
        const MeasureAtTick at = sequence.TickToMeasure(t.tick);
        EXPECT_EQ(at.measure, t.at.measure) << t.tick;
        EXPECT_EQ(at.tickInMeasure, t.at.tickInMeasure) << t.tick;
        EXPECT_EQ(at.ticksPerMeasure, t.at.ticksPerMeasure) << t.tick;
    }
}

TEST(MeasureMap, TickPastEveryMeasureHasNoMeter) {
    // Last event exactly on a bar line: totalTicks is one past the last whole measure.
    MidiSequence sequence;
    ASSERT_EQ(LoadString(sequence, SongWithMeters(96, {}, 384)), 0);
    ASSERT_EQ(SegmentsOf(sequence), (Segments{{384, 1}}));
    const MeasureAtTick at = sequence.TickToMeasure(385);
    EXPECT_EQ(at.measure, 1u);
    EXPECT_EQ(at.ticksPerMeasure, 0u);
}

TEST(MeasureMap, NotLoadedAnswersZero) {
    const MidiSequence sequence;
    EXPECT_EQ(sequence.MeasureToTick(4), 0u);
    const MeasureAtTick at = sequence.TickToMeasure(100);
    EXPECT_EQ(at.measure + at.tickInMeasure + at.ticksPerMeasure, 0u);
}

}  // namespace
