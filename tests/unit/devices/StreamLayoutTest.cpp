// Buffer sizes, whole-buffer lengths, position conversions and the unbuffered reader's sector
// windows.
#include "devices/StreamLayout.h"

#include <gtest/gtest.h>

#include "devices/SectorWindow.h"

namespace {

TEST(StreamLayout, BufferGrowsByAWholeBlockPastTheLastBoundary) {
    struct Case {
        std::uint32_t requested, blockAlign, expected;
    };
    const Case cases[] = {
        {1024, 4, 1028}, {1024, 1, 1025},    {1024, 2, 1026}, {1024, 3, 1026},
        {1024, 6, 1026}, {1024, 2048, 4096}, {1024, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StreamBufferLength(c.requested, c.blockAlign), c.expected) << c.blockAlign;
    }
}

TEST(StreamLayout, TailShorterThanABufferIsDropped) {
    EXPECT_EQ(WholeBufferLength(1028 * 10 + 1027, 1028), 1028u * 10);
    EXPECT_EQ(WholeBufferLength(1027, 1028), 0u);
}

TEST(StreamLayout, MillisecondsInTenMillisecondSteps) {
    EXPECT_EQ(StreamBytesToMs(176400, 176400), 1000);
    EXPECT_EQ(StreamBytesToMs(176400 + 1763, 176400), 1000);
    EXPECT_EQ(StreamBytesToMs(176400 + 1764, 176400), 1010);
    EXPECT_EQ(StreamBytesToMs(1000, 9), 0);
}

TEST(StreamLayout, LongFilesDoNotOverflow) {
    // Four billion bytes of CD audio: the byte count times ten no longer fits 32 bits.
    EXPECT_EQ(StreamBytesToMs(4000000000u, 176400), 22675730);
    // Eight bytes per second for 4 GB would be 5e11 ms: clamped, never negative.
    EXPECT_EQ(StreamBytesToMs(4000000000u, 10), 2147483647);
    // 40 million ms of 192 kHz 32-bit stereo is 6e10 bytes before clamping to the data.
    EXPECT_EQ(StreamMsToBytes(40000000, 1536000, 8, 4000000000u), 4000000000u);
    EXPECT_EQ(StreamMsToBytes(2000000, 1536000, 8, 4000000000u), 3072000000u);
}

TEST(StreamLayout, SeekPositionsAreWholeBlocksInsideTheData) {
    EXPECT_EQ(StreamMsToBytes(1000, 176400, 4, 10000000), 176400u);
    EXPECT_EQ(StreamMsToBytes(15, 132300, 6, 10000000), 1320u);  // 1323 rounded down to 6-byte frames
    EXPECT_EQ(StreamMsToBytes(1009, 176400, 4, 10000000), 176400u);
    EXPECT_EQ(StreamMsToBytes(60000, 176400, 4, 1028 * 100), 1028u * 100);
}

TEST(StreamLayout, StoppedOffsetAddsWhatPlayedInWholeBlocks) {
    EXPECT_EQ(StreamStoppedOffset(4000, 1027, 4, 100000), 5024u);
    EXPECT_EQ(StreamStoppedOffset(99000, 5000, 4, 100000), 100000u);
    EXPECT_EQ(StreamStoppedOffset(0xFFFFFF00u, 0x200, 1, 0xFFFFFFF0u), 0xFFFFFFF0u);
}

TEST(SectorWindow, WindowIsWholeSectorsAndAtLeastOne) {
    EXPECT_EQ(SectorWindowSize(0x10000, 512), 0x10000u);
    EXPECT_EQ(SectorWindowSize(0x10000, 3000), 63000u);
    EXPECT_EQ(SectorWindowSize(0x10000, 0x20000), 0x20000u);
}

TEST(SectorWindow, NearTheEndOnlyTheRestIsReadInWholeSectors) {
    const SectorWindowFill middle = SectorWindowFor(1000, 0x10000, 512, 1000000);
    EXPECT_EQ(middle.start, 512u);
    EXPECT_EQ(middle.bytes, 0x10000u);
    const SectorWindowFill tail = SectorWindowFor(70000, 0x10000, 512, 100000);
    EXPECT_EQ(tail.start, 69632u);
    EXPECT_EQ(tail.bytes, 30720u);  // 30368 bytes left, rounded up to 60 sectors
    EXPECT_TRUE(SectorWindowReadIsGood(tail, 30368, 100000));
    EXPECT_TRUE(SectorWindowReadIsGood(tail, 30720, 100000));
    EXPECT_FALSE(SectorWindowReadIsGood(tail, 30000, 100000));
    EXPECT_FALSE(SectorWindowReadIsGood(middle, 0x10000 - 512, 1000000));
}

}  // namespace
