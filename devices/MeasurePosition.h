// A position in a song in both units: the MIDI tick and the measure it falls in.
#pragma once

#include <cstdint>

struct MeasurePosition {
    std::uint32_t tick = 0;
    std::uint32_t measure = 0;
    std::uint32_t tickInMeasure = 0;
    std::uint32_t ticksPerMeasure = 0;
};
