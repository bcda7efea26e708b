// In-memory file system for tests and benchmarks: files and directories added by Windows path,
// compared without regard to ASCII case as Windows does.
#pragma once

#include <map>
#include <string>

#include "app/containers/FileSystem.h"

class MemoryFileSystem : public FileSystem {
public:
    // Adds a file; its parent directories come into being as well.
    void AddFile(const char* path, bool hidden = false);
    // Adds a directory and its parents.
    void AddDirectory(const char* path, bool hidden = false);
    // Removes one entry (not what lies below a directory); false when there was none.
    bool Remove(const char* path);
    void Clear() { entries.clear(); }

    bool Exists(const char* path) override;
    bool ListDirectory(const char* directory, const std::function<void(const DirectoryEntry&)>& visit) override;

private:
    struct Entry {
        std::string parentKey;
        DirectoryEntry entry;
    };

    void Add(const char* path, bool isDirectory, bool hidden);

    // Keyed by the normalised path: '/' turned into '\', trailing separators dropped, ASCII letters
    // folded to lower case (never the trail byte of a double-byte character).
    std::map<std::string, Entry> entries;
};
