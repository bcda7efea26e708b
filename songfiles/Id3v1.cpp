// Reading the ID3 version 1 tag at the end of an MP3 file.
#include "songfiles/Id3v1.h"

#include <cstring>
#include <vector>

#include "app/containers/FileSystem.h"

namespace {

constexpr std::size_t kTagBytes = 128;
constexpr std::size_t kTitleOffset = 3;
constexpr std::size_t kArtistOffset = 33;

void CopyField(char* out, const std::uint8_t* field) {
    std::memcpy(out, field, Id3v1Tag::kFieldBytes);
    out[Id3v1Tag::kFieldBytes] = '\0';
    std::size_t length = std::strlen(out);
    while (length > 0 && (out[length - 1] == ' ' || out[length - 1] == '\t')) {
        out[--length] = '\0';
    }
}

}  // namespace

bool ReadId3v1(Id3v1Tag& tag, const char* path) {
    // Only the tag at the very end is read, whatever the song's size.
    std::vector<std::uint8_t> bytes;
    if (!ActiveFileSystem().ReadFileTail(path, bytes, kTagBytes)) {
        return false;
    }
    return ParseId3v1(tag, bytes.data(), bytes.size());
}

bool ParseId3v1(Id3v1Tag& tag, const std::uint8_t* data, std::size_t size) {
    if (size < kTagBytes) {
        return false;
    }
    const std::uint8_t* block = data + size - kTagBytes;
    if (block[0] != 'T' || block[1] != 'A' || block[2] != 'G') {
        return false;
    }
    CopyField(tag.title, block + kTitleOffset);
    CopyField(tag.artist, block + kArtistOffset);
    return true;
}
