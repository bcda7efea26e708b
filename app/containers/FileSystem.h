// The file-system seam of the path helpers: the host's file system by default, an in-memory one in
// tests. Paths are Windows paths in Shift-JIS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
    bool isHidden = false;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // True when the path has any attributes (directories count).
    virtual bool Exists(const char* path) = 0;
    // Calls visit for every entry of the directory except "." and ".."; false when it cannot be read.
    virtual bool ListDirectory(const char* directory, const std::function<void(const DirectoryEntry&)>& visit) = 0;
    // Reads a whole file into contents; false when it cannot be opened or read, or when it is larger
    // than maxBytes (contents is then empty).
    virtual bool ReadFile(const char* path, std::vector<std::uint8_t>& contents, std::size_t maxBytes) = 0;
    // Reads the last count bytes of a file (all of it when it is shorter), without reading the rest:
    // tags at the end of large songs. False when it cannot be opened or read.
    virtual bool ReadFileTail(const char* path, std::vector<std::uint8_t>& tail, std::size_t count) = 0;
    // Reads up to count bytes from offset (fewer where the file ends, none past its end), without
    // reading the rest: tags at the start of large songs. False when it cannot be opened or read.
    virtual bool ReadFileRange(const char* path,
                               std::uint64_t offset,
                               std::size_t count,
                               std::vector<std::uint8_t>& bytes) = 0;
    // Gives the file exactly these bytes without ever leaving a partial file behind: they are written
    // to a new file in the same folder, flushed, and only then put in the old file's place. False on
    // any failure, and the old file is then untouched.
    virtual bool WriteFileReplacing(const char* path, const void* data, std::size_t size) = 0;
    // Gives a file a new name (in the same volume); false when from is missing or to exists.
    virtual bool RenameFile(const char* from, const char* to) = 0;
    // Deletes a file (never a folder); false when there was none or it could not be deleted.
    virtual bool RemoveFile(const char* path) = 0;
};

// The file system every helper uses: the one set last, else the host's own.
FileSystem& ActiveFileSystem();
// Makes replacement the active file system (the caller keeps ownership and keeps it alive while it
// is active). Returns the previously set one; nullptr restores the host's file system.
FileSystem* SetActiveFileSystem(FileSystem* replacement);

// The host's own file system, a process-wide object. Each build compiles exactly one definition:
// the Win32 one on Windows, the POSIX one natively.
FileSystem& HostFileSystemInstance();
