// The seam through which installing and uninstalling touch the machine's files and shortcuts:
// the Win32 file and shell functions in the programs, an in-memory machine in the tests.
// Paths are Windows paths in Shift-JIS. The registry goes through the settings-key classes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The two shell folders that get a shortcut to the player.
enum class ShortcutPlace { kPrograms, kDesktop };

class InstallTarget {
public:
    virtual ~InstallTarget() = default;

    // True when path names an existing directory (a drive root counts).
    virtual bool IsFolder(const char* path) = 0;
    // Creates one directory whose parent exists; false when it cannot (or something is there).
    virtual bool MakeFolder(const char* path) = 0;
    // Removes one empty directory.
    virtual bool RemoveFolder(const char* path) = 0;
    // True when path names an existing file that is not a directory.
    virtual bool IsFile(const char* path) = 0;
    // Copies a file, replacing the destination.
    virtual bool CopyOver(const char* from, const char* to) = 0;
    virtual bool RemoveFile(const char* path) = 0;
    // Size of a file in bytes, 0 when it cannot be read.
    virtual std::uint64_t FileBytes(const char* path) = 0;
    // Names of the files (not directories) in folder; false when it cannot be read.
    virtual bool ListFiles(const char* folder, std::vector<std::string>& names) = 0;

    // A shortcut "Melodrix.lnk" in the place, pointing at target and starting in workingFolder,
    // replacing an older one.
    virtual bool MakeShortcut(ShortcutPlace place, const char* target, const char* workingFolder) = 0;
    // True when the place holds "Melodrix.lnk" and it points at target (compared without case).
    virtual bool ShortcutPointsAt(ShortcutPlace place, const char* target) = 0;
    virtual bool RemoveShortcut(ShortcutPlace place) = 0;
};
