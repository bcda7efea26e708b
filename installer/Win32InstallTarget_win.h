// The installer's and uninstaller's machine: Win32 file functions and shell-link shortcuts.
#pragma once

#include <string>

#include "installer/InstallTarget.h"

class Win32InstallTarget : public InstallTarget {
public:
    bool IsFolder(const char* path) override;
    bool MakeFolder(const char* path) override;
    bool RemoveFolder(const char* path) override;
    bool IsFile(const char* path) override;
    bool CopyOver(const char* from, const char* to) override;
    bool RemoveFile(const char* path) override;
    std::uint64_t FileBytes(const char* path) override;
    bool ListFiles(const char* folder, std::vector<std::string>& names) override;
    bool MakeShortcut(ShortcutPlace place, const char* target, const char* workingFolder) override;
    bool ShortcutPointsAt(ShortcutPlace place, const char* target) override;
    bool RemoveShortcut(ShortcutPlace place) override;
};
