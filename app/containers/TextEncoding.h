// Unicode text brought into the program's code page 932 (Shift-JIS): byte-order marks, UTF-8 and
// UTF-16 decoding, and the encoding into code page 932, whose table is the system's (Windows'
// own conversion, or the C library's CP932 natively).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class ByteOrderMark { kNone, kUtf8, kUtf16Le, kUtf16Be };

// The byte-order mark at the start of the bytes; markBytes receives its length (0 for none).
ByteOrderMark DetectByteOrderMark(const std::uint8_t* bytes, std::size_t size, std::size_t& markBytes);

// UTF-8 or UTF-16 text as UTF-16 code units. Invalid or cut sequences become U+FFFD, which code
// page 932 cannot represent, so they are counted when the text is encoded.
std::u16string DecodeUtf8(const std::uint8_t* bytes, std::size_t size);
std::u16string DecodeUtf16(const std::uint8_t* bytes, std::size_t size, bool bigEndian);

// The text in code page 932; each character that it cannot represent becomes '?'. Answers how
// many characters did.
std::size_t EncodeCp932(const std::u16string& text, std::string& out);

// Code page 932 text as UTF-16; bytes that are no character become U+FFFD.
std::u16string DecodeCp932(const std::string& text);
// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string EncodeUtf8(const std::u16string& text);
