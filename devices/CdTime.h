// CD time arithmetic: MCI's packed TMSF and MSF positions and the disc identifier that names a
// disc's CD list file. A CD frame is 1/75 s.
#pragma once

#include <cstdint>

// TMSF as MCI packs it: track in bits 0-7, minutes 8-15, seconds 16-23, frames 24-31.
constexpr std::uint32_t TmsfTrack(std::uint32_t tmsf) {
    return tmsf & 0xFF;
}

// Milliseconds as TMSF with track byte 0; frames come from the hundredths of a second, and
// minutes wrap at 256 (the byte's range).
std::uint32_t MsToTmsf(std::uint32_t ms);
// The position within its track in milliseconds; the track byte is ignored.
std::uint32_t TmsfToMs(std::uint32_t tmsf);

// The disc identifier: the disc length as MCI reports it in MSF format (minutes in bits 0-7,
// seconds 8-15, frames 16-23) shifted up one byte, with the low byte of the track count below:
// frames in bits 24-31, seconds 16-23, minutes 8-15, tracks 0-7.
std::uint32_t MakeDiscId(std::uint32_t lengthMsf, std::uint32_t trackCount);
