// Parsing and formatting of decimal numbers.
#include "app/containers/NumberText.h"

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

int32_t ParseIntOr(const char* text, int32_t fallback) {
    if (text == nullptr) {
        return fallback;
    }
    const char* p = text;
    while (IsSpace(*p)) {
        ++p;
    }
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    if (*p < '0' || *p > '9') {
        return fallback;
    }
    // Accumulate in 64 bits and stop as soon as the value leaves the 32-bit range: an out-of-range
    // number is no more a usable value than no number at all.
    constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > kLimit) {
            return fallback;
        }
    }
    if (negative) {
        return static_cast<int32_t>(-value);
    }
    return value > INT32_MAX ? fallback : static_cast<int32_t>(value);
}

char* FormatThousands(char* out, uint32_t value) {
    // Digits are produced from the right into a scratch buffer, then copied to the front of out.
    char scratch[kThousandsBytes];
    char* p = scratch + sizeof scratch;
    *--p = '\0';
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) {
            *--p = ',';
        }
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
        ++digits;
    } while (value != 0);
    char* q = out;
    while ((*q++ = *p++) != '\0') {
    }
    return out;
}
