// CD time packing (TMSF), its inverse, and the disc identifier.
#include "devices/CdTime.h"

#include <gtest/gtest.h>

namespace {

TEST(CdTime, MillisecondsPackAsFramesSecondsMinutes) {
    const struct {
        std::uint32_t ms, tmsf;
    } cases[] = {
        {0, 0x00000000},
        {61000, 0x00010100},               // 1:01
        {1500, 0x25010000},                // 50 hundredths = 37 frames
        {1009, 0x00010000},                // under a hundredth of a second: no frame
        {59999, 0x4A3B0000},               // 74 frames, the most a second has
        {45 * 60000, 0x00002D00},          // 45 minutes
        {256 * 60000 + 2000, 0x00020000},  // minutes wrap at the byte's range
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MsToTmsf(c.ms), c.tmsf) << c.ms;
    }
}

TEST(CdTime, TmsfUnpacksToMillisecondsIgnoringTheTrack) {
    const struct {
        std::uint32_t tmsf, ms;
    } cases[] = {
        {0x00000000, 0},
        {0x00010105, 61000},
        {0x4A3B0000, 59986},
        {0x25010003, 1493},
        {0xFFFFFF63, 3400 + 255000 + 15300000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TmsfToMs(c.tmsf), c.ms) << std::hex << c.tmsf;
    }
    EXPECT_EQ(TmsfTrack(0x4A3B0A0C), 12u);
}

TEST(CdTime, RoundTripLosesLessThanOneFrame) {
    for (std::uint32_t ms = 0; ms < 80 * 60000; ms += 7919) {
        const std::uint32_t back = TmsfToMs(MsToTmsf(ms));
        EXPECT_LE(back, ms);
        EXPECT_LT(ms - back, 24u) << ms;
    }
}

TEST(CdTime, DiscIdPacksLengthAboveTrackCount) {
    const struct {
        std::uint32_t msf, tracks, id;
    } cases[] = {
        {0x0A1E2D, 12, 0x0A1E2D0C},   // 45:30:10 with 12 tracks
        {0x0A1E2D, 0, 0x0A1E2D00},    // no tracks: only the length
        {0x00003B, 100, 0x00003B64},  // 100 tracks still fit the byte
        {0x0A1E2D, 300, 0x0A1E2D2C},  // only the low byte of a nonsense count
        {0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeDiscId(c.msf, c.tracks), c.id) << c.tracks;
    }
}

}  // namespace
