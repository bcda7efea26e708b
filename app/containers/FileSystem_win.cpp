// Win32 implementation of the host file system.
#include "app/containers/FileSystem_win.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "app/containers/UniqueHandle_win.h"

namespace {

// Find handles are closed by FindClose, not CloseHandle.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { FindClose(handle); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

}  // namespace

bool Win32FileSystem::Exists(const char* path) {
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::ListDirectory(const char* directory, const std::function<void(const DirectoryEntry&)>& visit) {
    char pattern[kMaxPathBytes];
    if (!CopyShiftJis(pattern, sizeof pattern, directory != nullptr ? directory : "")) {
        return false;
    }
    AppendBackslash(pattern, sizeof pattern);
    size_t length = std::strlen(pattern);
    if (length + 2 > sizeof pattern) {
        return false;
    }
    std::memcpy(pattern + length, "*", 2);

    WIN32_FIND_DATAA data;
    UniqueFindHandle find(FindFirstFileA(pattern, &data));
    if (!find.Valid()) {
        // An empty directory still holds "." and "..", except a drive root; treat "no files" as readable.
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    do {
        if (std::strcmp(data.cFileName, ".") == 0 || std::strcmp(data.cFileName, "..") == 0) {
            continue;
        }
        DirectoryEntry entry;
        entry.name = data.cFileName;
        entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.isHidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
        visit(entry);
    } while (FindNextFileA(find.Get(), &data));
    return true;
}

FileSystem& HostFileSystemInstance() {
    static Win32FileSystem instance;
    return instance;
}
