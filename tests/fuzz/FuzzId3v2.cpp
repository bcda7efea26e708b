// Fuzzes the ID3 version 2 reader: any bytes give texts no longer than the tag could hold, and
// the frame walk never reads outside the bytes it was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "songfiles/Id3v2.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Id3v2Text text;
    if (ParseId3v2(text, data, size)) {
        // Every text character is at most two bytes in code page 932 and came from at least one
        // byte of the tag, or from half a UTF-16 unit written as '?'.
        if (text.title.size() > 2 * size || text.artist.size() > 2 * size) {
            std::abort();
        }
    }
    return 0;
}
