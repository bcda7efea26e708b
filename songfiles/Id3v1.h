// The title and artist of an MP3 file's ID3 version 1 tag (the file's last 128 bytes).
#pragma once

#include <cstddef>
#include <cstdint>

struct Id3v1Tag {
    static constexpr std::size_t kFieldBytes = 30;
    // Shift-JIS as stored, trailing blanks and tabs cut, terminated.
    char title[kFieldBytes + 1] = {};
    char artist[kFieldBytes + 1] = {};
};

// Reads the tag at the end of the file. False (tag untouched) when the file cannot be read, is
// shorter than 128 bytes, or its last 128 bytes do not start with "TAG".
bool ReadId3v1(Id3v1Tag& tag, const char* path);
// The same from the file's bytes.
bool ParseId3v1(Id3v1Tag& tag, const std::uint8_t* data, std::size_t size);
