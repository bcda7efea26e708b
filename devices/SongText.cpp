// The text copy shared by the MIDI sequence and the song information readers.
#include "devices/SongText.h"

#include <algorithm>
#include <cstring>

int CopySongText(char* text, std::size_t capacity, bool present, const std::string& source) {
    if (capacity == 0) {
        return present ? 0 : -1;
    }
    text[0] = '\0';
    if (!present) {
        return -1;
    }
    const std::size_t count = std::min(source.size(), capacity - 1);
    std::memcpy(text, source.data(), count);
    text[count] = '\0';
    return static_cast<int>(count);
}
