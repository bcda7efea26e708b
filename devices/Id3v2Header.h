// The header of an ID3 version 2 tag at the start of an MP3 file: how many bytes the tag takes,
// so that the stream player starts behind it and the title reader reads only it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr std::size_t kId3v2HeaderBytes = 10;

// A 28-bit "syncsafe" number: four bytes of seven bits each. 0xFFFFFFFF when a byte has its top
// bit set, which no real tag has.
inline std::uint32_t SyncsafeNumber(const std::uint8_t* bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        if (bytes[i] & 0x80) {
            return 0xFFFFFFFF;
        }
        value = value << 7 | bytes[i];
    }
    return value;
}

// The whole tag's size (header, body and a version 2.4 footer) for the ten bytes at the start of
// a file; 0 when they are no ID3 version 2 header.
inline std::uint64_t Id3v2TagBytes(const std::uint8_t* header, std::size_t size) {
    if (size < kId3v2HeaderBytes || std::memcmp(header, "ID3", 3) != 0 || header[3] < 2 || header[3] > 4 ||
        header[4] == 0xFF) {
        return 0;
    }
    const std::uint32_t body = SyncsafeNumber(header + 6);
    if (body == 0xFFFFFFFF) {
        return 0;
    }
    const bool footer = header[3] == 4 && (header[5] & 0x10) != 0;
    return kId3v2HeaderBytes + std::uint64_t{body} + (footer ? kId3v2HeaderBytes : 0);
}
