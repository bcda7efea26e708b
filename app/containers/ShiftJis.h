// Shift-JIS (code page 932) byte classification and boundary-safe copying, shared by every scan
// over the program's 8-bit text.
#pragma once

#include <cstddef>
#include <cstdint>

// Lead bytes of double-byte characters. The trail byte after a lead byte can be anything from 0x40
// to 0xFC, including 0x5C (the backslash) and ASCII letters, so a scan for a separator or a case
// fold must step over the whole pair.
constexpr bool IsShiftJisLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes taken by the character at text: 2 for a lead byte with a trail byte after it, otherwise 1.
// A lead byte right before the terminator counts as one byte so that no scan steps past the end.
inline size_t ShiftJisCharLength(const char* text) {
    return IsShiftJisLeadByte(static_cast<uint8_t>(text[0])) && text[1] != '\0' ? 2 : 1;
}

// Length of the longest prefix of the first `length` bytes of text that is at most maxBytes long
// and does not end between a lead byte and its trail byte.
size_t ShiftJisFitLength(const char* text, size_t length, size_t maxBytes);

// Copies text into out (outSize bytes including the terminator). When text does not fit it is cut
// at a character boundary. Returns true when all of text was copied. Nothing is written when
// outSize is 0.
bool CopyShiftJis(char* out, size_t outSize, const char* text);
