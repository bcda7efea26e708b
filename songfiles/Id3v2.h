// The title and artist of an MP3 file's ID3 version 2 tag (versions 2.2, 2.3 and 2.4) at the
// start of the file, in code page 932. Only the tag's bytes are read, and of those only the
// frame headers and the two text frames wherever that is possible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct Id3v2Text {
    std::string title;   // TIT2 (TT2 in version 2.2)
    std::string artist;  // TPE1 (TP1)
};

// Reads the tag at the start of the file through the active file system. False (text untouched)
// when the file has no usable tag; a tag may be usable with only one of the two texts.
bool ReadId3v2(Id3v2Text& text, const char* path);

// The same from a whole tag held in memory (header included), for tests and fuzzing.
bool ParseId3v2(Id3v2Text& text, const std::uint8_t* data, std::size_t size);

// A text frame's body as code page 932: its encoding byte (ISO-8859-1, UTF-16 with a byte-order
// mark, UTF-16BE, UTF-8), then its first string. Characters the code page lacks become '?'.
std::string DecodeId3v2Text(const std::uint8_t* body, std::size_t size);
