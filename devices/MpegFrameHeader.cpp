// Recognises an MPEG audio Layer III frame header and builds the matching wave format.
#include "devices/MpegFrameHeader.h"

#include <cstring>

#include "devices/Id3v2Header.h"
#include "devices/MpegDuration.h"

namespace {

// Bit rates in kbit/s by index 1 ... 14 (index 0 is "free", 15 is invalid).
constexpr std::uint32_t kMpeg1BitRates[15] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
constexpr std::uint32_t kMpeg2BitRates[15] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
constexpr std::uint32_t kMpeg1SampleRates[3] = {44100, 48000, 32000};
constexpr std::uint32_t kMpeg2SampleRates[3] = {22050, 24000, 16000};

constexpr std::uint32_t kLayer3Bits = 1;
constexpr std::uint32_t kSingleChannelMode = 3;

void StoreLe16(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

void StoreLe32(std::uint8_t* out, std::uint32_t value) {
    StoreLe16(out, value);
    StoreLe16(out + 2, value >> 16);
}

// A variable bit rate makes the first frame's rate wrong for the whole song: the average rate
// comes from the frame count of a Xing/Info/VBRI header, else from walking every frame.
void TakeTrueRate(ByteSource& source, Mp3Layout& layout) {
    std::uint8_t frame[64] = {};
    source.Seek(static_cast<std::int64_t>(layout.dataStart), SeekOrigin::kBegin);
    const std::uint32_t got = source.Read(frame, sizeof frame);
    std::uint64_t frames = VbrHeaderFrames(frame, got, layout.header).value_or(0);
    // The walk also finds the frames' offsets for seeking; a steady start ends it early.
    const MpegFrameWalk walk = WalkMpegFrames(source, layout.dataStart, layout.dataStart + layout.dataLength,
                                              kConstantRateFrames, &layout.frameStarts);
    if (!walk.variable) {
        layout.frameStarts.clear();
        if (frames == 0) {
            return;  // a constant rate: the first frame's is right
        }
    }
    if (frames == 0) {
        frames = walk.frames;
    }
    const std::uint64_t samples = frames * MpegSamplesPerFrame(layout.header);
    const std::uint64_t rate = samples > 0 ? std::uint64_t{layout.dataLength} * layout.header.sampleRate / samples : 0;
    if (rate < 1000 || rate > 0xFFFFFFFFu) {
        return;  // a header that lies about its frames is not believed
    }
    layout.avgBytesPerSec = static_cast<std::uint32_t>(rate);
    StoreLe32(layout.format.data() + 8, layout.avgBytesPerSec);
}

}  // namespace

std::optional<std::size_t> FindMpegFrameSync(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 4 <= size; ++i) {
        if (data[i] == 0xFF && data[i + 1] >= 0xF0) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<MpegFrameHeader> ParseMpegFrameHeader(std::uint32_t header) {
    const std::uint32_t layer = (header >> 17) & 3;
    const std::uint32_t bitRateIndex = (header >> 12) & 15;
    const std::uint32_t sampleRateIndex = (header >> 10) & 3;
    if (layer != kLayer3Bits || bitRateIndex < 1 || bitRateIndex > 14 || sampleRateIndex > 2) {
        return std::nullopt;
    }
    MpegFrameHeader result;
    result.mpeg1 = ((header >> 19) & 1) != 0;
    result.bitRateKbps = result.mpeg1 ? kMpeg1BitRates[bitRateIndex] : kMpeg2BitRates[bitRateIndex];
    result.sampleRate = result.mpeg1 ? kMpeg1SampleRates[sampleRateIndex] : kMpeg2SampleRates[sampleRateIndex];
    result.channels = ((header >> 6) & 3) == kSingleChannelMode ? 1 : 2;
    return result;
}

std::array<std::uint8_t, kMpegLayer3FormatBytes> BuildMpegLayer3Format(const MpegFrameHeader& header) {
    std::array<std::uint8_t, kMpegLayer3FormatBytes> format{};
    std::uint8_t* out = format.data();
    StoreLe16(out + 0, kMpegLayer3Tag);
    StoreLe16(out + 2, header.channels);
    StoreLe32(out + 4, header.sampleRate);
    StoreLe32(out + 8, header.bitRateKbps * 125);  // kbit/s to bytes per second
    StoreLe16(out + 12, 1);                        // nBlockAlign
    StoreLe16(out + 14, 0);                        // wBitsPerSample
    StoreLe16(out + 16, 12);                       // cbSize: the extension below
    StoreLe16(out + 18, 1);                        // wID: MPEG
    StoreLe32(out + 20, 2);                        // fdwFlags: padding off
    StoreLe16(out + 24, 257);                      // nBlockSize
    StoreLe16(out + 26, 1);                        // nFramesPerBlock
    StoreLe16(out + 28, 1393);                     // nCodecDelay
    return format;
}

Mp3Result ParseMp3(ByteSource& source, Mp3Layout& layout) {
    layout = Mp3Layout{};
    std::uint8_t head[kMpegSearchBytes];
    // The frames start behind an ID3 version 2 tag, however large its pictures make it.
    source.Seek(0, SeekOrigin::kBegin);
    std::uint64_t tagBytes = Id3v2TagBytes(head, source.Read(head, kId3v2HeaderBytes));
    if (tagBytes >= source.Size()) {
        tagBytes = 0;  // a tag that claims the whole file hides no frames; search from the start
    }
    source.Seek(static_cast<std::int64_t>(tagBytes), SeekOrigin::kBegin);
    const std::uint32_t got = source.Read(head, kMpegSearchBytes);
    std::optional<std::size_t> sync = FindMpegFrameSync(head, got);
    if (sync) {
        *sync += static_cast<std::size_t>(tagBytes);
        source.Seek(static_cast<std::int64_t>(*sync), SeekOrigin::kBegin);
        if (source.Read(head, 4) != 4) {
            sync.reset();
        }
    }
    if (!sync) {
        return Mp3Result::kNoFrameHeader;
    }
    const std::uint8_t* bytes = head;
    const std::uint32_t word =
        std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
    const std::optional<MpegFrameHeader> header = ParseMpegFrameHeader(word);
    if (!header) {
        return Mp3Result::kUnsupportedHeader;
    }
    layout.header = *header;
    layout.format = BuildMpegLayer3Format(*header);
    layout.avgBytesPerSec = header->bitRateKbps * 125;
    layout.fileSize = source.Size();
    layout.dataStart = static_cast<std::uint32_t>(*sync);
    layout.dataLength = layout.fileSize - layout.dataStart;
    if (layout.dataLength > kId3v1TagBytes) {
        char tag[3] = {};
        source.Seek(kId3v1TagBytes, SeekOrigin::kEnd);
        if (source.Read(tag, sizeof tag) == sizeof tag && std::memcmp(tag, "TAG", 3) == 0) {
            layout.dataLength -= kId3v1TagBytes;
        }
    }
    TakeTrueRate(source, layout);
    return Mp3Result::kOk;
}
