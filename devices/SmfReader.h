// Byte-level reading of Standard MIDI File data: big-endian numbers and variable-length quantities,
// always checked against the end of the data.
#pragma once

#include <cstddef>
#include <cstdint>

// A variable-length quantity holds at most this many bytes.
constexpr std::uint32_t kMaxVarLenBytes = 4;

inline std::uint16_t ReadBigEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

inline std::uint32_t ReadBigEndian32(const std::uint8_t* bytes) {
    return (static_cast<std::uint32_t>(bytes[0]) << 24) | (static_cast<std::uint32_t>(bytes[1]) << 16) |
           (static_cast<std::uint32_t>(bytes[2]) << 8) | bytes[3];
}

// Reads the variable-length quantity at offset (most significant group first). It must end within
// kMaxVarLenBytes bytes and before end; then offset moves past it and the answer is true. On false
// offset and value are unchanged.
bool ReadVarLen(const std::uint8_t* data, std::uint32_t end, std::uint32_t& offset, std::uint32_t& value);

// True when the bytes at data start with the four letters of a chunk type ("MThd", "MTrk").
bool IsChunkType(const std::uint8_t* data, const char* type);
