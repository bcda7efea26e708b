// The MPEG frame header: which headers open the own player, the format block handed to the
// decoder, and the extent of the audio in the file.
#include "devices/MpegFrameHeader.h"

#include <cstring>
#include <utility>

#include "devices/MpegDuration.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/SongFileBytes.h"

namespace {

// Sync, ID bit, Layer III, no CRC, then bit-rate index, sample-rate index and channel mode.
std::uint32_t Header(bool mpeg1, std::uint32_t bitRateIndex, std::uint32_t rateIndex, std::uint32_t channelMode) {
    return 0xFFF00000u | (mpeg1 ? 1u : 0u) << 19 | 1u << 17 | 1u << 16 | bitRateIndex << 12 | rateIndex << 10 |
           channelMode << 6;
}

std::vector<std::uint8_t> Mp3File(std::size_t junk, std::uint32_t header, std::size_t audio, bool tag) {
    std::vector<std::uint8_t> file(junk, 0x20);
    for (int shift = 24; shift >= 0; shift -= 8) {
        file.push_back(static_cast<std::uint8_t>(header >> shift));
    }
    file.resize(file.size() + audio, 0x55);
    if (tag) {
        std::vector<std::uint8_t> id3(kId3v1TagBytes, 0);
        id3[0] = 'T';
        id3[1] = 'A';
        id3[2] = 'G';
        file.insert(file.end(), id3.begin(), id3.end());
    }
    return file;
}

TEST(MpegFrameHeader, RatesAndChannelsFromTheTables) {
    struct Case {
        bool mpeg1;
        std::uint32_t bitRateIndex, rateIndex, channelMode;
        std::uint32_t kbps, rate;
        std::uint16_t channels;
    };
    const Case cases[] = {
        {true, 9, 0, 0, 128, 44100, 2},   {true, 1, 1, 1, 32, 48000, 2},  {true, 14, 2, 2, 320, 32000, 2},
        {true, 5, 0, 3, 64, 44100, 1},    {false, 8, 0, 3, 64, 22050, 1}, {false, 1, 1, 0, 8, 24000, 2},
        {false, 14, 2, 1, 160, 16000, 2},
    };
    for (const Case& c : cases) {
        const auto header = ParseMpegFrameHeader(Header(c.mpeg1, c.bitRateIndex, c.rateIndex, c.channelMode));
        ASSERT_TRUE(header.has_value()) << c.kbps;
        EXPECT_EQ(header->mpeg1, c.mpeg1);
        EXPECT_EQ(header->bitRateKbps, c.kbps);
        EXPECT_EQ(header->sampleRate, c.rate);
        EXPECT_EQ(header->channels, c.channels);
    }
}

TEST(MpegFrameHeader, OtherLayersAndReservedIndexesAreRefused) {
    EXPECT_FALSE(ParseMpegFrameHeader(Header(true, 0, 0, 0)));   // free format
    EXPECT_FALSE(ParseMpegFrameHeader(Header(true, 15, 0, 0)));  // invalid bit rate
    EXPECT_FALSE(ParseMpegFrameHeader(Header(true, 9, 3, 0)));   // reserved sample rate
    const std::uint32_t layer3 = Header(true, 9, 0, 0);
    for (std::uint32_t layer : {0u, 2u, 3u}) {
        EXPECT_FALSE(ParseMpegFrameHeader((layer3 & ~(3u << 17)) | layer << 17)) << layer;
    }
}

TEST(MpegFrameHeader, FormatBlockIsTheLayer3TemplateWithTheHeadersValues) {
    const auto format = BuildMpegLayer3Format(*ParseMpegFrameHeader(Header(false, 8, 0, 3)));
    const std::array<std::uint8_t, kMpegLayer3FormatBytes> expected = {
        0x55, 0,    1, 0, 0x22, 0x56, 0, 0,  // tag, 1 channel, 22050 Hz
        0x40, 0x1F, 0, 0, 1,    0,    0, 0,  // 64 kbit/s = 8000 bytes/s, align 1, 0 bits
        12,   0,    1, 0, 2,    0,    0, 0,  // cbSize, MPEG, padding off
        1,    1,    1, 0, 0x71, 5,           // block 257, 1 frame, delay 1393
    };
    EXPECT_EQ(format, expected);
}

TEST(MpegFrameHeader, SyncNeedsAllFourHeaderBytesInsideTheBuffer) {
    const std::uint8_t bytes[] = {0, 0, 0, 0, 0xFF, 0xFB, 0x90, 0x00};
    EXPECT_EQ(FindMpegFrameSync(bytes, 8), std::optional<std::size_t>(4));
    EXPECT_EQ(FindMpegFrameSync(bytes, 7), std::nullopt);
    EXPECT_EQ(FindMpegFrameSync(bytes, 6), std::nullopt);
    const std::uint8_t notSync[] = {0xFF, 0xEF, 0x90, 0x00, 0xFF};
    EXPECT_EQ(FindMpegFrameSync(notSync, 5), std::nullopt);
}

TEST(MpegFrameHeader, FirstHeaderMustLieWithinTheFirst1024Bytes) {
    Mp3Layout layout;
    MemoryByteSource inside(Mp3File(1020, Header(true, 9, 0, 0), 2000, false));
    ASSERT_EQ(ParseMp3(inside, layout), Mp3Result::kOk);
    EXPECT_EQ(layout.dataStart, 1020u);
    MemoryByteSource straddling(Mp3File(1021, Header(true, 9, 0, 0), 2000, false));
    EXPECT_EQ(ParseMp3(straddling, layout), Mp3Result::kNoFrameHeader);
    MemoryByteSource layer2(Mp3File(0, Header(true, 9, 0, 0) ^ (3u << 17), 2000, false));
    EXPECT_EQ(ParseMp3(layer2, layout), Mp3Result::kUnsupportedHeader);
}

TEST(MpegFrameHeader, Id3v1TagIsNotPartOfTheAudio) {
    Mp3Layout layout;
    MemoryByteSource tagged(Mp3File(10, Header(true, 9, 0, 0), 5000, true));
    ASSERT_EQ(ParseMp3(tagged, layout), Mp3Result::kOk);
    EXPECT_EQ(layout.fileSize, 10u + 4 + 5000 + 128);
    EXPECT_EQ(layout.dataLength, 4u + 5000);
    EXPECT_EQ(layout.avgBytesPerSec, 16000u);
    MemoryByteSource untagged(Mp3File(10, Header(true, 9, 0, 0), 5000, false));
    ASSERT_EQ(ParseMp3(untagged, layout), Mp3Result::kOk);
    EXPECT_EQ(layout.dataLength, 4u + 5000);
    // With 128 bytes of audio or less there is no room for a tag behind it.
    MemoryByteSource tiny(Mp3File(0, Header(true, 9, 0, 0), 120, false));
    ASSERT_EQ(ParseMp3(tiny, layout), Mp3Result::kOk);
    EXPECT_EQ(layout.dataLength, 124u);
}

TEST(MpegFrameHeader, FramesStartBehindAnId3v2TagOfAnySize) {
    // A tag with a picture far larger than the 1,024 bytes searched for a frame header.
    Id3v2TagBytes tag;
    tag.Frame("APIC", std::string(300000, '\xFF'));
    tag.Text("TIT2", 0, "Title");
    const std::string bytes = tag.Build();
    std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
    const std::vector<std::uint8_t> audio = Mp3File(0, Header(true, 9, 0, 0), 5000, true);
    file.insert(file.end(), audio.begin(), audio.end());
    MemoryByteSource source(file);
    Mp3Layout layout;
    ASSERT_EQ(ParseMp3(source, layout), Mp3Result::kOk);
    EXPECT_EQ(layout.dataStart, bytes.size());
    EXPECT_EQ(layout.dataLength, 4u + 5000);
    // A tag that claims the whole file hides nothing: the search starts at the file's start.
    Id3v2TagBytes liar;
    liar.sizeAdjust = 1 << 24;
    const std::string lying = liar.Build();
    std::vector<std::uint8_t> lied(lying.begin(), lying.end());
    lied.insert(lied.end(), audio.begin(), audio.end());
    MemoryByteSource liarSource(lied);
    ASSERT_EQ(ParseMp3(liarSource, layout), Mp3Result::kOk);
    EXPECT_EQ(layout.dataStart, lying.size());
}

// Frames of the given bit-rate indexes (MPEG-1, 44.1 kHz, stereo), each its true length.
std::vector<std::uint8_t> FrameRun(const std::vector<std::uint32_t>& bitRateIndexes) {
    std::vector<std::uint8_t> file;
    for (std::uint32_t index : bitRateIndexes) {
        const std::uint32_t header = Header(true, index, 0, 0);
        const std::size_t start = file.size();
        file.resize(start + MpegFrameBytes(header), 0);
        for (int b = 0; b < 4; ++b) {
            file[start + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(header >> (24 - 8 * b));
        }
    }
    return file;
}

TEST(MpegFrameHeader, VariableRatesGiveTheAverageRateOfTheWholeStream) {
    EXPECT_EQ(MpegFrameBytes(Header(true, 9, 0, 0)), 417u);  // 128 kbit/s at 44.1 kHz
    EXPECT_EQ(MpegFrameBytes(Header(true, 9, 0, 0) | 1u << 9), 418u);
    EXPECT_EQ(MpegFrameBytes(Header(false, 8, 0, 3)), 208u);  // MPEG-2, 64 kbit/s at 22.05 kHz
    EXPECT_EQ(MpegFrameBytes(0x12345678), 0u);

    // Walked: 100 frames at 128 kbit/s and 100 at 64 kbit/s.
    std::vector<std::uint32_t> rates(100, 9);
    rates.insert(rates.end(), 100, 5);
    std::vector<std::uint8_t> walked = FrameRun(rates);
    MemoryByteSource walkedSource(walked);
    Mp3Layout layout;
    ASSERT_EQ(ParseMp3(walkedSource, layout), Mp3Result::kOk);
    const std::uint64_t samples = 200 * 1152;
    EXPECT_EQ(layout.avgBytesPerSec, walked.size() * 44100 / samples);
    EXPECT_EQ(layout.format[8] | layout.format[9] << 8 | layout.format[10] << 16,
              static_cast<int>(layout.avgBytesPerSec));
    // Every frame's offset, for seeking: 100 frames of 417 bytes, then 209-byte ones.
    ASSERT_EQ(layout.frameStarts.size(), 200u);
    EXPECT_EQ(layout.frameStarts[100], 41700u);
    EXPECT_EQ(layout.frameStarts[199], 41700u + 99 * 208u);

    // Constant rate: the first frame's, as before, and no frame list.
    MemoryByteSource constant(FrameRun(std::vector<std::uint32_t>(50, 9)));
    ASSERT_EQ(ParseMp3(constant, layout), Mp3Result::kOk);
    EXPECT_EQ(layout.avgBytesPerSec, 16000u);
    EXPECT_TRUE(layout.frameStarts.empty());

    // A Xing header (stereo MPEG-1: behind 32 bytes of side information) or a VBRI header states
    // the frame count; a count of 0 is not believed.
    for (const auto& [tag, offset] : {std::pair<const char*, std::size_t>{"Xing", 36}, {"VBRI", 36}}) {
        std::vector<std::uint8_t> file = FrameRun(std::vector<std::uint32_t>(20, 9));
        std::memcpy(file.data() + offset, tag, 4);
        const std::size_t count = std::string(tag) == "Xing" ? offset + 8 : offset + 14;
        file[offset + 7] = 1;  // Xing flags: the frame count is there
        file[count + 3] = 20;  // the true count: the header's frame carries no sound
        MemoryByteSource source(file);
        ASSERT_EQ(ParseMp3(source, layout), Mp3Result::kOk) << tag;
        EXPECT_EQ(layout.avgBytesPerSec, file.size() * 44100 / (20 * 1152)) << tag;
        EXPECT_NE(layout.avgBytesPerSec, 16000u) << tag;
    }
}

}  // namespace
