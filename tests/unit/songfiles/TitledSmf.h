// Builds the bytes of a small Standard MIDI File whose first track carries a title and, optionally,
// a copyright notice, for tests and benchmarks of the title lookup.
#pragma once

#include <cstdint>
#include <string>

inline std::string TitledSmf(const std::string& title, const std::string& notice = std::string()) {
    std::string track;
    auto meta = [&track](std::uint8_t type, const std::string& text) {
        // Texts here stay below 128 bytes, so their length is a one-byte variable-length quantity.
        track += '\0';
        track += '\xFF';
        track += static_cast<char>(type);
        track += static_cast<char>(text.size());
        track += text;
    };
    if (!notice.empty()) {
        meta(2, notice);
    }
    if (!title.empty()) {
        meta(3, title);
    }
    track += std::string("\x00\x90\x3C\x40\x60\x80\x3C\x00", 8);  // one note
    track += std::string("\x00\xFF\x2F\x00", 4);
    std::string file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0", 14);
    file += "MTrk";
    const std::uint32_t length = static_cast<std::uint32_t>(track.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        file += static_cast<char>((length >> shift) & 0xFF);
    }
    return file + track;
}
