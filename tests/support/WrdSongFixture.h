// A MIDI song for the WRD tests, benchmark and fuzz target: division 48, four measures of 4/4
// (192 ticks) then 3/4 (144 ticks) up to the end, as a device that answers its measure map.
#pragma once

#include <cstdint>
#include <string>

#include "devices/SequenceDevice.h"
#include "tests/support/SmfBuilder.h"

constexpr std::uint16_t kTestDivision = 48;

// Measure starts: 0, 192, 384, 576, 768, then every 144 ticks.
inline std::string WrdTestSongBytes(std::uint32_t threeFourMeasures = 36) {
    SmfBuilder builder(0, kTestDivision);
    builder.Track().TimeSignature(0, 4, 2).TimeSignature(4 * 192, 3, 2).NoteOn(0, 60);
    builder.EndOfTrack(threeFourMeasures * 144);
    return builder.Build();
}

inline bool OpenWrdTestSong(SequenceDevice& device, const std::string& bytes = WrdTestSongBytes()) {
    return device.OpenBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()) != 0;
}
