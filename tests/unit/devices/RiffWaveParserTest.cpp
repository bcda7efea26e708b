// The RIFF walker: which WAVE files the own player takes, and that none of the refused ones
// allocates or reads past what the file holds.
#include "devices/RiffWaveParser.h"

#include "devices/WaveFormatCheck.h"

#include <gtest/gtest.h>

#include "tests/support/WaveBytes.h"

namespace {

RiffWaveResult Parse(const std::vector<std::uint8_t>& bytes, RiffWaveLayout& layout) {
    MemoryByteSource source(bytes);
    return ParseRiffWave(source, layout);
}

RiffWaveResult Parse(const std::vector<std::uint8_t>& bytes) {
    RiffWaveLayout layout;
    return Parse(bytes, layout);
}

TEST(RiffWaveParser, PlainPcmFileGivesFormatAndDataPosition) {
    RiffWaveLayout layout;
    const auto bytes = WaveBytes().Pcm16Stereo44k().Data(4000).Build();
    ASSERT_EQ(Parse(bytes, layout), RiffWaveResult::kOk);
    EXPECT_EQ(layout.fileSize, bytes.size());
    EXPECT_EQ(layout.formatSize, 16u);
    EXPECT_EQ(layout.format.size(), kWaveFormatExBytes);  // padded so cbSize reads as 0
    EXPECT_EQ(layout.format[16], 0);
    EXPECT_EQ(layout.blockAlign, 4);
    EXPECT_EQ(layout.avgBytesPerSec, 176400u);
    EXPECT_EQ(layout.dataStart, 44u);
    EXPECT_EQ(layout.dataLength, 4000u);
}

TEST(RiffWaveParser, RiffSizeOffByOneEitherWayIsRefused) {
    WaveBytes wave;
    wave.Pcm16Stereo44k().Data(100);
    EXPECT_EQ(Parse(wave.Build(1)), RiffWaveResult::kSizeMismatch);
    EXPECT_EQ(Parse(wave.Build(-1)), RiffWaveResult::kSizeMismatch);
    EXPECT_EQ(Parse(wave.Build(0)), RiffWaveResult::kOk);
}

TEST(RiffWaveParser, DataIsFoundBehindTenOtherChunksButNotBehindEleven) {
    for (int others : {1, 10, 11}) {
        WaveBytes wave;
        wave.Pcm16Stereo44k();
        for (int i = 0; i < others; ++i) {
            wave.Chunk(i == 0 ? "LIST" : "junk", std::vector<std::uint8_t>(6, 0));
        }
        RiffWaveLayout layout;
        const auto result = Parse(wave.Data(64).Build(), layout);
        if (others <= 10) {
            EXPECT_EQ(result, RiffWaveResult::kOk) << others;
            EXPECT_EQ(layout.dataStart, 44u + 14u * others) << others;
        } else {
            EXPECT_EQ(result, RiffWaveResult::kNoDataChunk) << others;
        }
    }
}

TEST(RiffWaveParser, FormatChunkLargerThanTheFileIsRefusedBeforeAllocating) {
    for (std::uint32_t size : {0xFFFFFFF0u, 0x7FFFFFFFu, 200u}) {
        auto bytes = WaveBytes().Pcm16Stereo44k().Data(100).Build();
        for (int i = 0; i < 4; ++i) {
            bytes[16 + i] = static_cast<std::uint8_t>(size >> (8 * i));
        }
        RiffWaveLayout layout;
        EXPECT_EQ(Parse(bytes, layout), RiffWaveResult::kBadFormatChunk) << size;
        EXPECT_EQ(layout.format.capacity(), 0u) << size;
    }
}

TEST(RiffWaveParser, FormatAcceptanceByTagAndStatedSizes) {
    struct Case {
        std::uint16_t tag;
        std::uint32_t size;
        std::uint16_t extra;
        RiffWaveResult expected;
    };
    const Case cases[] = {
        {1, 14, 0, RiffWaveResult::kOk},               // PCM without bits per sample
        {1, 16, 0, RiffWaveResult::kOk},               // plain PCM
        {1, 12, 0, RiffWaveResult::kBadFormatChunk},   // too short for a block size
        {2, 16, 0, RiffWaveResult::kBadFormatChunk},   // non-PCM needs cbSize
        {2, 50, 32, RiffWaveResult::kOk},              // 18 + 32 bytes
        {2, 49, 32, RiffWaveResult::kBadFormatChunk},  // cbSize runs past the chunk
        {0x55, 30, 12, RiffWaveResult::kOk},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Parse(WaveBytes().Format(c.tag, 2, 44100, 4, 16, c.size, c.extra).Data(8).Build()), c.expected)
            << c.tag << "/" << c.size;
    }
}

TEST(RiffWaveParser, FormatsThatCannotBeTimedAreRefused) {
    // No block size (a division by zero when buffers are sized) and rates below 10 bytes per
    // second (a division by zero when positions are converted).
    EXPECT_EQ(Parse(WaveBytes().Format(1, 2, 44100, 0, 16).Data(8).Build()), RiffWaveResult::kUnsupportedFormat);
    EXPECT_EQ(Parse(WaveBytes().Format(1, 1, 9, 1, 8).Data(8).Build()), RiffWaveResult::kUnsupportedFormat);
}

TEST(WaveFormatCheck, OnlyFormatsAnOutputCanHonestlyTakeArePlayable) {
    struct Case {
        WaveFormatFields format;
        bool playable;
    };
    // tag, channels, rate, bytes per second, block, bits
    const Case cases[] = {
        {{1, 2, 44100, 176400, 4, 16}, true},
        {{1, 0, 44100, 0, 0, 16}, false},       // no channels
        {{1, 8, 48000, 768000, 16, 16}, true},  // the most channels
        {{1, 9, 48000, 864000, 18, 16}, false},
        {{1, 1, 1000, 1000, 1, 8}, true},  // the lowest rate
        {{1, 1, 999, 999, 1, 8}, false},
        {{1, 2, 384000, 3072000, 8, 32}, true},  // the highest rate
        {{1, 2, 384001, 3072008, 8, 32}, false},
        {{1, 1, 4000000000u, 4000000000u, 1, 8}, false},  // the rate that asserts the server
        {{1, 3, 48000, 432000, 9, 24}, true},
        {{1, 2, 44100, 132300, 3, 12}, false},  // no such PCM depth
        {{1, 2, 44100, 176400, 2, 16}, false},  // block does not follow
        {{1, 2, 44100, 176401, 4, 16}, false},  // rate does not follow
        {{2, 2, 44100, 44359, 2048, 4}, true},  // ADPCM
        {{2, 2, 44100, 0, 2048, 4}, false},
        {{2, 2, 44100, 44359, 0, 4}, false},
        {{0x55, 2, 44100, 352800, 1, 0}, true},  // at most 32-bit PCM's rate
        {{0x55, 2, 44100, 352801, 1, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsPlayableWaveFormat(c.format), c.playable)
            << c.format.formatTag << " " << c.format.channels << "ch " << c.format.samplesPerSec << " Hz "
            << c.format.avgBytesPerSec << " B/s block " << c.format.blockAlign << " " << c.format.bitsPerSample
            << " bits";
    }
}

TEST(RiffWaveParser, ImpossibleFormatsAreRefusedAndOldPcmGetsItsDepth) {
    EXPECT_EQ(Parse(WaveBytes().Format(1, 0, 44100, 4, 16).Data(8).Build()), RiffWaveResult::kUnsupportedFormat);
    EXPECT_EQ(Parse(WaveBytes().Format(1, 1, 4000000000u, 1, 8).Data(8).Build()), RiffWaveResult::kUnsupportedFormat);
    // A 14-byte PCM format has no bit depth: 2 channels in 4-byte blocks are 16 bits, and the
    // device gets the format with that depth filled in.
    RiffWaveLayout layout;
    ASSERT_EQ(Parse(WaveBytes().Format(1, 2, 44100, 4, 16, 14).Data(8).Build(), layout), RiffWaveResult::kOk);
    EXPECT_EQ(layout.bitsPerSample, 16);
    EXPECT_EQ(ReadWaveFormatFields(layout.format.data()).bitsPerSample, 16);
}

TEST(RiffWaveParser, DataChunkRunningPastTheEndIsRefused) {
    auto bytes = WaveBytes().Pcm16Stereo44k().Data(100).Build();
    bytes[40] = 101;  // the data size
    EXPECT_EQ(Parse(bytes), RiffWaveResult::kDataPastEnd);
    bytes[40] = 100;
    bytes[43] = 0xFF;
    EXPECT_EQ(Parse(bytes), RiffWaveResult::kDataPastEnd);
}

TEST(RiffWaveParser, HugeChunkSizeSkipsForwardNotBackward) {
    // 0x80000000 read as a signed offset would seek back to the header and find "data" again.
    auto bytes = WaveBytes().Pcm16Stereo44k().Chunk("junk", {}).Data(16).Build();
    bytes[43] = 0x80;
    EXPECT_EQ(Parse(bytes), RiffWaveResult::kNoDataChunk);
}

TEST(RiffWaveParser, EveryTruncationWithAConsistentRiffSizeIsRefused) {
    // The RIFF size follows the cut, so each cut fails in the walk itself: in the format chunk,
    // among the chunk headers, or in the data.
    const auto bytes = WaveBytes().Pcm16Stereo44k().Chunk("LIST", std::vector<std::uint8_t>(10, 1)).Data(32).Build();
    for (std::size_t length = 8; length < bytes.size(); ++length) {
        std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        const auto riffSize = static_cast<std::uint32_t>(length - 8);
        for (int i = 0; i < 4; ++i) {
            cut[4 + i] = static_cast<std::uint8_t>(riffSize >> (8 * i));
        }
        RiffWaveLayout layout;
        EXPECT_NE(Parse(cut, layout), RiffWaveResult::kOk) << length;
        EXPECT_TRUE(layout.format.empty()) << length;
    }
}

}  // namespace
