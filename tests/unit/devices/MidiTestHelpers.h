// Small helpers shared by the MIDI unit tests.
#pragma once

#include <cstdint>
#include <string>

#include "devices/MidiSequence.h"

inline std::int32_t LoadString(MidiSequence& sequence, const std::string& bytes) {
    return sequence.LoadBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
