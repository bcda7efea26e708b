// Byte-level reading of Standard MIDI File data.
#include "devices/SmfReader.h"

#include <cstring>

bool ReadVarLen(const std::uint8_t* data, std::uint32_t end, std::uint32_t& offset, std::uint32_t& value) {
    std::uint32_t result = 0;
    std::uint32_t position = offset;
    for (std::uint32_t count = 0; count < kMaxVarLenBytes; ++count) {
        if (position >= end) {
            return false;
        }
        const std::uint8_t byte = data[position++];
        result = (result << 7) | (byte & 0x7Fu);
        if ((byte & 0x80u) == 0) {
            offset = position;
            value = result;
            return true;
        }
    }
    return false;
}

bool IsChunkType(const std::uint8_t* data, const char* type) {
    return std::memcmp(data, type, 4) == 0;
}
