// Boundary-safe helpers for Shift-JIS text.
#include "app/containers/ShiftJis.h"

#include <cstring>

size_t ShiftJisFitLength(const char* text, size_t length, size_t maxBytes) {
    if (length <= maxBytes) {
        return length;
    }
    size_t position = 0;
    while (position < length) {
        size_t step = ShiftJisCharLength(text + position);
        if (position + step > maxBytes) {
            break;
        }
        position += step;
    }
    return position;
}

bool CopyShiftJis(char* out, size_t outSize, const char* text) {
    if (outSize == 0) {
        return false;
    }
    size_t length = std::strlen(text);
    size_t taken = ShiftJisFitLength(text, length, outSize - 1);
    std::memcpy(out, text, taken);
    out[taken] = '\0';
    return taken == length;
}
