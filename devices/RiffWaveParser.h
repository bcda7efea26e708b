// Walks the RIFF structure of a WAVE file far enough to stream it: the header, the format
// chunk and the chunk headers up to the audio data.
#pragma once

#include <cstdint>
#include <vector>

#include "devices/ByteSource.h"
#include "devices/WaveFormatCheck.h"

// How many chunk headers after the format chunk are read while looking for "data".
constexpr int kMaxChunkHeaders = 11;
// A format block as the output device reads it (WAVEFORMATEX) is never shorter than this.
constexpr std::uint32_t kWaveFormatExBytes = 18;
constexpr std::uint16_t kWaveFormatPcmTag = 1;

enum class RiffWaveResult {
    kOk,
    kNotRiffWave,        // no "RIFF" ... "WAVE" "fmt " at the start, or the file is too short
    kSizeMismatch,       // the RIFF size does not match the file
    kBadFormatChunk,     // the format chunk does not fit the file or its stated sizes disagree
    kUnsupportedFormat,  // a format no output can honestly take, or one that cannot be timed
    kNoDataChunk,        // no "data" within kMaxChunkHeaders chunks, or a short read on the way
    kDataPastEnd,        // the data chunk runs past the end of the file
};

// The format's fields (tag, channels, rates, block, depth) as the chunk states them.
struct RiffWaveLayout : WaveFormatFields {
    std::uint32_t fileSize = 0;    // RIFF size + 8, equal to the file's size
    std::uint32_t formatSize = 0;  // size of the "fmt " chunk
    // The chunk's bytes, zero-padded to at least kWaveFormatExBytes.
    std::vector<std::uint8_t> format;
    std::uint32_t dataStart = 0;   // file offset of the first audio byte
    std::uint32_t dataLength = 0;  // size of the data chunk
};

// Reads from the start of source. Every failure leaves layout's vector empty. Nothing larger
// than the file is allocated, whatever the sizes in it claim.
RiffWaveResult ParseRiffWave(ByteSource& source, RiffWaveLayout& layout);

// Little-endian readers over bytes known to be in range.
inline std::uint16_t LoadLe16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}
inline std::uint32_t LoadLe32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}
