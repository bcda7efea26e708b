// Numbers read from and written to text: list-file fields and the sizes shown to the user.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes FormatThousands may write: "4,294,967,295" and its terminator.
constexpr size_t kThousandsBytes = 14;

// The decimal integer that text begins with (leading white space and one sign allowed, trailing
// text ignored), or fallback when text does not begin with one or its value does not fit in 32 bits.
int32_t ParseIntOr(const char* text, int32_t fallback);

// value in decimal with a comma before every group of three digits ("1,234,567"); out must hold
// kThousandsBytes bytes. Returns out.
char* FormatThousands(char* out, uint32_t value);
