// Shared pieces of the song-file tests: file contents as text, a scoped profile reader.
#pragma once

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "songfiles/ProfileReader.h"

// The bytes of a file of the memory file system as a string ("<none>" when it does not exist).
inline std::string TextOf(const MemoryFileSystem& files, const char* path) {
    const std::vector<std::uint8_t>* contents = files.Contents(path);
    return contents != nullptr ? std::string(contents->begin(), contents->end()) : std::string("<none>");
}

// Makes a profile reader the active one for the life of a test.
class ScopedProfileReader {
public:
    explicit ScopedProfileReader(ProfileReader& reader) : previous(SetActiveProfileReader(&reader)) {}
    ~ScopedProfileReader() { SetActiveProfileReader(previous); }
    ScopedProfileReader(const ScopedProfileReader&) = delete;
    ScopedProfileReader& operator=(const ScopedProfileReader&) = delete;

private:
    ProfileReader* previous;
};

// Adds a file with these contents (a bare string literal would pick the overload that takes the
// hidden flag).
inline void PutFile(MemoryFileSystem& files, const char* path, const std::string& text) {
    files.AddFile(path, text);
}
