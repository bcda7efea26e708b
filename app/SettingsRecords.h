// Binary records stored whole in the settings: the platform's logical-font record and its wave-format
// record. Laid out byte for byte like the Win32 structures (little-endian, no padding), so the Win32 code
// can pass them on as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

constexpr std::size_t kFaceNameBytes = 32;

// The 60-byte logical-font record.
struct LogFontRecord {
    std::int32_t height;
    std::int32_t width;
    std::int32_t escapement;
    std::int32_t orientation;
    std::int32_t weight;
    std::uint8_t italic;
    std::uint8_t underline;
    std::uint8_t strikeOut;
    std::uint8_t charSet;
    std::uint8_t outPrecision;
    std::uint8_t clipPrecision;
    std::uint8_t quality;
    std::uint8_t pitchAndFamily;
    char faceName[kFaceNameBytes];
};

static_assert(sizeof(LogFontRecord) == 60, "the font record is stored as 60 bytes");
static_assert(offsetof(LogFontRecord, italic) == 20 && offsetof(LogFontRecord, faceName) == 28,
              "the font record must match the platform's layout");
static_assert(std::is_trivially_copyable<LogFontRecord>::value, "the font record is copied as bytes");

// The 18-byte wave-format header followed by its extra bytes, in the largest area a format can need.
constexpr std::uint32_t kWaveFormatHeaderBytes = 18;
constexpr std::uint32_t kWaveFormatAreaBytes = 2304;
constexpr std::uint32_t kWaveFormatMaxExtraBytes = kWaveFormatAreaBytes - kWaveFormatHeaderBytes;

constexpr std::uint16_t kWaveFormatPcm = 1;

struct WaveFormatRecord {
    std::uint16_t formatTag;
    std::uint16_t channels;
    std::uint32_t samplesPerSec;
    std::uint32_t avgBytesPerSec;
    std::uint16_t blockAlign;
    std::uint16_t bitsPerSample;
    std::uint16_t extraSize;  // bytes of extra that belong to the format
    std::uint8_t extra[kWaveFormatMaxExtraBytes];
};

static_assert(sizeof(WaveFormatRecord) == kWaveFormatAreaBytes, "the format area is 2304 bytes");
static_assert(offsetof(WaveFormatRecord, extraSize) == 16 && offsetof(WaveFormatRecord, extra) == 18,
              "the format header must match the platform's packed layout");
static_assert(std::is_trivially_copyable<WaveFormatRecord>::value, "the format record is copied as bytes");

// Bytes the record occupies when stored: its header and the extra bytes it claims, never more than the area.
constexpr std::uint32_t WaveFormatStoredBytes(const WaveFormatRecord& format) {
    return format.extraSize > kWaveFormatMaxExtraBytes ? kWaveFormatAreaBytes
                                                       : kWaveFormatHeaderBytes + format.extraSize;
}
