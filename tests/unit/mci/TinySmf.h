// A few bytes of Standard MIDI File made by the tests themselves: format 0, one track with a
// tempo, a 4/4 meter, one held note and the end of the track at a chosen tick.
#pragma once

#include <cstdint>
#include <string>

inline std::string TinySmf(std::uint16_t division,
                           std::uint32_t endTick,
                           std::uint32_t microsecondsPerQuarter = 500000) {
    auto varLen = [](std::uint32_t value) {
        std::string bytes(1, static_cast<char>(value & 0x7F));
        while ((value >>= 7) != 0) {
            bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
        }
        return bytes;
    };
    auto be32 = [](std::uint32_t value) {
        return std::string{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    };
    std::string track;
    track += std::string("\x00\xFF\x51\x03", 4) + static_cast<char>(microsecondsPerQuarter >> 16) +
             static_cast<char>(microsecondsPerQuarter >> 8) + static_cast<char>(microsecondsPerQuarter);
    track += std::string("\x00\xFF\x58\x04\x04\x02\x18\x08", 8);
    track += std::string("\x00\x90\x3C\x40", 4);
    track += varLen(endTick) + std::string("\x80\x3C\x40", 3);
    track += std::string("\x00\xFF\x2F\x00", 4);
    std::string file = "MThd" + be32(6) + std::string("\x00\x00\x00\x01", 4);
    file += static_cast<char>(division >> 8);
    file += static_cast<char>(division);
    return file + "MTrk" + be32(static_cast<std::uint32_t>(track.size())) + track;
}
