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
    // Adds a file with these contents (bytes of the string).
    void AddFile(const char* path, const std::string& contents, bool hidden = false);
    // The contents of a file, or nullptr when there is no such file.
    const std::vector<std::uint8_t>* Contents(const char* path) const;
    // Makes every later write fail (a full disk, a read-only folder) until called with false.
    void FailWrites(bool fail) { failWrites = fail; }
    // Lets the next successes renames through and fails every one after them (a file held open by
    // another program); a negative count lets every rename through.
    void FailRenamesAfter(int successes) { renamesLeft = successes; }
    // Adds a directory and its parents.
    void AddDirectory(const char* path, bool hidden = false);
    // Removes one entry (not what lies below a directory); false when there was none.
    bool Remove(const char* path);
    void Clear() { entries.clear(); }

    bool Exists(const char* path) override;
    bool ListDirectory(const char* directory, const std::function<void(const DirectoryEntry&)>& visit) override;
    bool ReadFile(const char* path, std::vector<std::uint8_t>& contents, std::size_t maxBytes) override;
    bool ReadFileTail(const char* path, std::vector<std::uint8_t>& tail, std::size_t count) override;
    bool ReadFileRange(const char* path,
                       std::uint64_t offset,
                       std::size_t count,
                       std::vector<std::uint8_t>& bytes) override;
    bool WriteFileReplacing(const char* path, const void* data, std::size_t size) override;
    bool RenameFile(const char* from, const char* to) override;
    bool RemoveFile(const char* path) override;

private:
    struct Entry {
        std::string parentKey;
        DirectoryEntry entry;
        std::vector<std::uint8_t> contents;
    };

    void Add(const char* path, bool isDirectory, bool hidden);

    // Keyed by the normalised path: '/' turned into '\', trailing separators dropped, ASCII letters
    // folded to lower case (never the trail byte of a double-byte character).
    std::map<std::string, Entry> entries;
    bool failWrites = false;
    int renamesLeft = -1;
};
