// Converts a Recomposer song (.rcp, .r36, .g36, .g18) into a Standard MIDI File of format 1
// whose division is the song's timebase: a conductor track (title, memo, meter, key, tempo and the
// setup of the control files) and one track for every Recomposer track that sends anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "songfiles/RcpSong.h"
#include "songfiles/RcpTrackPlayer.h"

struct RcpConversion {
    std::vector<std::uint8_t> smf;
    // Ticks taken by the control files' setup before the song's own first tick; every event of
    // the song is that much later in the output.
    std::uint32_t leadInTicks = 0;
    std::uint16_t timebase = 0;
    // Recomposer tracks written (the conductor track not counted).
    std::size_t trackCount = 0;
    // The event budget ran out: the song was cut where it stood.
    bool cut = false;
};

// Loads a control file the song names (.CM6 or .GSD, a bare file name); false when it is missing.
using RcpControlLoader = std::function<bool(const std::string& name, std::vector<std::uint8_t>& bytes)>;

RcpReadResult ConvertRcpToSmf(const std::uint8_t* data,
                              std::size_t size,
                              const RcpConvertOptions& options,
                              const RcpControlLoader& loadControl,
                              RcpConversion& conversion);

// Reads the song at path and its control files from the same folder through the active file
// system. A song that cannot be read answers kNotRecomposer.
RcpReadResult ConvertRcpFile(const char* path, const RcpConvertOptions& options, RcpConversion& conversion);
