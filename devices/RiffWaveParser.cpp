// Walks the RIFF structure of a WAVE file up to its audio data.
#include "devices/RiffWaveParser.h"

#include <algorithm>
#include <cstring>

#include "devices/WaveFormatCheck.h"

namespace {

constexpr std::uint32_t kHeaderBytes = 20;  // "RIFF", size, "WAVE", "fmt ", format size
constexpr std::uint32_t kMinimumRate = 10;  // times divide by a tenth of the rate

bool IdIs(const std::uint8_t* bytes, const char* id) {
    return std::memcmp(bytes, id, 4) == 0;
}

RiffWaveResult ReadFormat(ByteSource& source, RiffWaveLayout& layout) {
    // The chunk must fit behind the header before a byte is allocated for it.
    if (layout.formatSize >= layout.fileSize || layout.formatSize > layout.fileSize - kHeaderBytes) {
        return RiffWaveResult::kBadFormatChunk;
    }
    layout.format.assign(std::max(layout.formatSize, kWaveFormatExBytes), 0);
    if (source.Read(layout.format.data(), layout.formatSize) != layout.formatSize) {
        return RiffWaveResult::kBadFormatChunk;
    }
    const std::uint8_t* format = layout.format.data();
    static_cast<WaveFormatFields&>(layout) = ReadWaveFormatFields(format);
    const std::uint32_t extraBytes = LoadLe16(format + 16);
    const bool pcm = layout.formatTag == kWaveFormatPcmTag && layout.formatSize >= 14;
    const bool extended =
        layout.formatSize >= kWaveFormatExBytes && layout.formatSize >= extraBytes + kWaveFormatExBytes;
    if (!pcm && !extended) {
        return RiffWaveResult::kBadFormatChunk;
    }
    if (pcm && layout.formatSize < 16 && layout.channels != 0) {
        // An old 14-byte PCM format has no bit depth; it follows from the block size, and the
        // device is handed the completed format.
        layout.bitsPerSample = static_cast<std::uint16_t>(layout.blockAlign * 8u / layout.channels);
        layout.format[14] = static_cast<std::uint8_t>(layout.bitsPerSample);
        layout.format[15] = static_cast<std::uint8_t>(layout.bitsPerSample >> 8);
    }
    // Positions divide by the block size and by a tenth of the rate; impossible formats make
    // the system's own converters fail hard.
    if (layout.blockAlign == 0 || layout.avgBytesPerSec < kMinimumRate || !IsPlayableWaveFormat(layout)) {
        return RiffWaveResult::kUnsupportedFormat;
    }
    return RiffWaveResult::kOk;
}

RiffWaveResult FindData(ByteSource& source, RiffWaveLayout& layout) {
    for (int i = 0; i < kMaxChunkHeaders; ++i) {
        std::uint8_t header[8];
        if (source.Read(header, sizeof header) != sizeof header) {
            return RiffWaveResult::kNoDataChunk;
        }
        const std::uint32_t size = LoadLe32(header + 4);
        if (IdIs(header, "data")) {
            layout.dataLength = size;
            layout.dataStart = source.Position();
            if (std::uint64_t{layout.dataStart} + layout.dataLength > layout.fileSize) {
                return RiffWaveResult::kDataPastEnd;
            }
            return RiffWaveResult::kOk;
        }
        source.Seek(size, SeekOrigin::kCurrent);
    }
    return RiffWaveResult::kNoDataChunk;
}

RiffWaveResult Parse(ByteSource& source, RiffWaveLayout& layout) {
    std::uint8_t header[kHeaderBytes];
    source.Seek(0, SeekOrigin::kBegin);
    if (source.Read(header, kHeaderBytes) != kHeaderBytes || !IdIs(header, "RIFF") || !IdIs(header + 8, "WAVE") ||
        !IdIs(header + 12, "fmt ")) {
        return RiffWaveResult::kNotRiffWave;
    }
    const std::uint64_t fileSize = std::uint64_t{LoadLe32(header + 4)} + 8;
    if (fileSize != source.Size()) {
        return RiffWaveResult::kSizeMismatch;
    }
    layout.fileSize = static_cast<std::uint32_t>(fileSize);
    layout.formatSize = LoadLe32(header + 16);
    const RiffWaveResult format = ReadFormat(source, layout);
    if (format != RiffWaveResult::kOk) {
        return format;
    }
    return FindData(source, layout);
}

}  // namespace

RiffWaveResult ParseRiffWave(ByteSource& source, RiffWaveLayout& layout) {
    layout = RiffWaveLayout{};
    const RiffWaveResult result = Parse(source, layout);
    if (result != RiffWaveResult::kOk) {
        layout.format.clear();
        layout.format.shrink_to_fit();
    }
    return result;
}
