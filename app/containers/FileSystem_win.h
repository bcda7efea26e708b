// The Windows host file system: attributes and find-first/next through the ANSI (code page 932) API.
#pragma once

#include "app/containers/FileSystem.h"

class Win32FileSystem : public FileSystem {
public:
    bool Exists(const char* path) override;
    bool ListDirectory(const char* directory, const std::function<void(const DirectoryEntry&)>& visit) override;
};
