// Frame counts of MP3 streams.
#include "devices/MpegDuration.h"

#include <cstring>

namespace {

std::uint32_t BigEndian32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

constexpr std::size_t kVbriOffset = 36;  // behind the header and 32 bytes, whatever the mode

}  // namespace

std::uint32_t MpegFrameBytes(std::uint32_t headerWord) {
    if ((headerWord & 0xFFE00000u) != 0xFFE00000u) {
        return 0;
    }
    const std::optional<MpegFrameHeader> header = ParseMpegFrameHeader(headerWord);
    if (!header) {
        return 0;
    }
    const std::uint32_t padding = (headerWord >> 9) & 1;
    const std::uint32_t factor = header->mpeg1 ? 144 : 72;
    return factor * header->bitRateKbps * 1000 / header->sampleRate + padding;
}

std::optional<std::uint32_t> VbrHeaderFrames(const std::uint8_t* frame,
                                             std::size_t size,
                                             const MpegFrameHeader& header) {
    // Xing and Info sit behind the side information, whose size depends on version and mode.
    const std::size_t sideInfo = header.mpeg1 ? (header.channels == 1 ? 17 : 32) : (header.channels == 1 ? 9 : 17);
    const std::size_t xing = 4 + sideInfo;
    if (size >= xing + 12 && (std::memcmp(frame + xing, "Xing", 4) == 0 || std::memcmp(frame + xing, "Info", 4) == 0)) {
        const std::uint32_t flags = BigEndian32(frame + xing + 4);
        if ((flags & 1) != 0) {
            const std::uint32_t frames = BigEndian32(frame + xing + 8);
            return frames > 0 ? std::optional<std::uint32_t>(frames) : std::nullopt;
        }
    }
    if (size >= kVbriOffset + 18 && std::memcmp(frame + kVbriOffset, "VBRI", 4) == 0) {
        const std::uint32_t frames = BigEndian32(frame + kVbriOffset + 14);
        return frames > 0 ? std::optional<std::uint32_t>(frames) : std::nullopt;
    }
    return std::nullopt;
}

MpegFrameWalk WalkMpegFrames(ByteSource& source,
                             std::uint32_t start,
                             std::uint32_t end,
                             std::uint64_t constantFrames,
                             std::vector<std::uint32_t>* frameStarts) {
    MpegFrameWalk walk;
    std::uint32_t firstBitRate = 0;
    std::uint64_t position = start;
    std::uint8_t bytes[4];
    while (position + 4 <= end && (walk.variable || walk.frames < constantFrames)) {
        source.Seek(static_cast<std::int64_t>(position), SeekOrigin::kBegin);
        if (source.Read(bytes, 4) != 4) {
            break;
        }
        const std::uint32_t word = BigEndian32(bytes);
        const std::uint32_t length = MpegFrameBytes(word);
        if (length < 4 || position + length > end) {
            break;
        }
        const std::uint32_t bitRate = (word >> 12) & 15;
        if (walk.frames == 0) {
            firstBitRate = bitRate;
        } else if (bitRate != firstBitRate) {
            walk.variable = true;
        }
        if (frameStarts != nullptr) {
            frameStarts->push_back(static_cast<std::uint32_t>(position - start));
        }
        ++walk.frames;
        walk.bytes += length;
        position += length;
    }
    return walk;
}
