// Shared by the recorder's tests: a recorder on the fake port, noise to capture, and a
// recorded file taken apart.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "devices/ByteSource.h"
#include "devices/RiffWaveParser.h"
#include "recorder/WaveRecorder.h"
#include "tests/support/FakeWaveInPort.h"

// Distinct bytes for each captured buffer, so order and origin show in the file.
inline std::vector<std::uint8_t> Noise(std::uint32_t seed, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

inline std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return LoadLe32(bytes.data() + offset);
}

// A recorded file as the player's own WAVE parser reads it, with its data bytes.
struct RecordedWave {
    RiffWaveResult result = RiffWaveResult::kNotRiffWave;
    RiffWaveLayout layout;
    std::vector<std::uint8_t> data;
};

inline RecordedWave ReadRecorded(const std::vector<std::uint8_t>& file) {
    RecordedWave wave;
    MemoryByteSource source(file);
    wave.result = ParseRiffWave(source, wave.layout);
    if (wave.result == RiffWaveResult::kOk) {
        wave.data.assign(file.begin() + wave.layout.dataStart,
                         file.begin() + wave.layout.dataStart + wave.layout.dataLength);
    }
    return wave;
}

inline Settings::Record StereoCdSettings() {
    Settings::Record settings;
    settings.Format = {kWaveFormatPcm, 2, 44100, 176400, 4, 16, 0, {}};
    settings.BufferSize = 4;
    return settings;
}
