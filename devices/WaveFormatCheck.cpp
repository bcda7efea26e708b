// The plausibility check of wave formats.
#include "devices/WaveFormatCheck.h"

#include "devices/RiffWaveParser.h"  // the little-endian readers and the PCM tag

bool IsPlayableWaveFormat(const WaveFormatFields& format) {
    if (format.channels == 0 || format.channels > kMaxWaveChannels || format.samplesPerSec < kMinWaveRate ||
        format.samplesPerSec > kMaxWaveRate) {
        return false;
    }
    if (format.formatTag == kWaveFormatPcmTag) {
        const std::uint16_t bits = format.bitsPerSample;
        if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
            return false;
        }
        const std::uint32_t frameBytes = std::uint32_t{format.channels} * bits / 8;
        return format.blockAlign == frameBytes &&
               std::uint64_t{format.avgBytesPerSec} == std::uint64_t{format.samplesPerSec} * frameBytes;
    }
    const std::uint64_t highestRate = std::uint64_t{format.samplesPerSec} * format.channels * 4;
    return format.blockAlign != 0 && format.avgBytesPerSec != 0 && format.avgBytesPerSec <= highestRate;
}

WaveFormatFields ReadWaveFormatFields(const std::uint8_t* bytes) {
    WaveFormatFields fields;
    fields.formatTag = LoadLe16(bytes);
    fields.channels = LoadLe16(bytes + 2);
    fields.samplesPerSec = LoadLe32(bytes + 4);
    fields.avgBytesPerSec = LoadLe32(bytes + 8);
    fields.blockAlign = LoadLe16(bytes + 12);
    fields.bitsPerSample = LoadLe16(bytes + 14);
    return fields;
}
