#include "devices/StreamTimeline.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// MPEG-1 at 44.1 kHz: 1,152 samples, 26.12 ms a frame. Frames alternate 200 and 600 bytes, so
// the average rate (16,000 bytes/s rounded) is wrong for every single frame.
StreamTimeline VariableStream(std::uint32_t frames, std::vector<std::uint32_t>* startsOut = nullptr) {
    std::vector<std::uint32_t> starts;
    std::uint32_t offset = 0;
    for (std::uint32_t i = 0; i < frames; ++i) {
        starts.push_back(offset);
        offset += i % 2 ? 600 : 200;
    }
    if (startsOut) {
        *startsOut = starts;
    }
    StreamTimeline timeline;
    timeline.SetConstantRate(15312, 1, offset);  // 400 bytes per 26.12 ms
    timeline.SetFrames(starts, 1152, 44100);
    return timeline;
}

}  // namespace

TEST(StreamTimeline, VariableRateSeeksToTheFrameThatSoundsAndCountsFromIt) {
    std::vector<std::uint32_t> starts;
    const StreamTimeline timeline = VariableStream(1000, &starts);
    ASSERT_TRUE(timeline.Variable());
    struct Case {
        std::uint32_t ms;
        std::uint32_t frame;
    };
    const Case cases[] = {{0, 0}, {26, 0}, {27, 1}, {13062, 500}, {26000, 995}, {26100, 999}, {999999, 999}};
    for (const Case& c : cases) {
        const std::uint32_t offset = timeline.OffsetAt(c.ms);
        EXPECT_EQ(offset, starts[c.frame]) << c.ms;
        // Back from the offset: the frame's start, never later than asked and at most one frame earlier.
        const std::int32_t at = timeline.PositionMs(offset, 0);
        EXPECT_EQ(at, static_cast<std::int32_t>(std::uint64_t{c.frame} * 1152 * 1000 / 44100)) << c.ms;
        if (c.ms < 26100) {
            EXPECT_LE(at, static_cast<std::int32_t>(c.ms));
            EXPECT_GT(at + 27, static_cast<std::int32_t>(c.ms));
        }
    }
    // Played bytes come at the average rate: one second of play is one second on.
    EXPECT_EQ(timeline.PositionMs(starts[500], 15312), timeline.PositionMs(starts[500], 0) + 1000);
    // An offset inside a frame belongs to that frame; a stop resumes at the frame that sounded.
    EXPECT_EQ(timeline.PositionMs(starts[10] + 5, 0), timeline.PositionMs(starts[10], 0));
    EXPECT_EQ(timeline.StoppedOffset(starts[500], 15312), timeline.OffsetAt(timeline.PositionMs(starts[500], 15312)));
}

TEST(StreamTimeline, ConstantRateAndUnusableFrameListsKeepTheAverage) {
    StreamTimeline constant;
    constant.SetConstantRate(176400, 4, 1764000);
    EXPECT_FALSE(constant.Variable());
    EXPECT_EQ(constant.OffsetAt(5000), 882000u);
    EXPECT_EQ(constant.PositionMs(882000, 176400), 6000);
    EXPECT_EQ(constant.OffsetAt(999999), 1764000u);  // clamped to the data

    StreamTimeline empty;
    empty.SetConstantRate(16000, 1, 1000);
    empty.SetFrames({}, 1152, 44100);
    EXPECT_FALSE(empty.Variable());
    empty.SetFrames({0, 400}, 1152, 0);  // no sample rate
    EXPECT_FALSE(empty.Variable());
    // Frames past the streamed data are dropped: no seek lands behind its end.
    empty.SetFrames({0, 400, 800, 1200, 1600}, 1152, 44100);
    ASSERT_TRUE(empty.Variable());
    EXPECT_EQ(empty.OffsetAt(999999), 800u);
}
