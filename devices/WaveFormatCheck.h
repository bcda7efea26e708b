// Whether a wave format is one that an output device can honestly take. Formats with
// impossible numbers make the system's converters or the sound server assert inside
// waveOutOpen, ending the whole player, so they are refused before any device opens.
#pragma once

#include <cstdint>

struct WaveFormatFields {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

constexpr std::uint16_t kMaxWaveChannels = 8;
constexpr std::uint32_t kMinWaveRate = 1000;
constexpr std::uint32_t kMaxWaveRate = 384000;

// 1 ... 8 channels at 1,000 ... 384,000 Hz. PCM: 8, 16, 24 or 32 bits, with the block alignment
// and byte rate that follow from them. Other formats: a block alignment and byte rate, the rate
// no higher than PCM of the same channels and rate at 32 bits.
bool IsPlayableWaveFormat(const WaveFormatFields& format);

// The fields of a WAVEFORMATEX (little-endian) in at least 16 bytes.
WaveFormatFields ReadWaveFormatFields(const std::uint8_t* bytes);
