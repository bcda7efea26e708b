// The Windows host file system: attributes and find-first/next through the ANSI (code page 932) API.
#pragma once

#include "app/containers/FileSystem.h"

class Win32FileSystem : public FileSystem {
public:
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
};
