// Fuzzes the quick title scan of a MIDI file: any bytes give terminated texts within capacity.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "songfiles/SmfSongInfo.h"

namespace {

void CheckText(int length, const char* text, std::size_t capacity) {
    if (length >= static_cast<int>(capacity) ||
        std::strlen(text) != static_cast<std::size_t>(length < 0 ? 0 : length)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SmfSongInfo info(data, size);
    char title[16];
    char comment[600];
    CheckText(info.GetTitle(title, sizeof title), title, sizeof title);
    const int length = info.GetComment(comment, sizeof comment);
    // A text holds no zero byte, so its length is what strlen sees.
    CheckText(length, comment, sizeof comment);
    return 0;
}
