// Files and folders through the ANSI (code page 932) Win32 functions; shortcuts through ShellLink.
#include "installer/Win32InstallTarget_win.h"

#include <windows.h>

#include "app/containers/UniqueHandle_win.h"
#include "installer/ShellLink_win.h"

namespace {

bool HasAttributes(const char* path, DWORD* attributes) {
    *attributes = GetFileAttributesA(path);
    return *attributes != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool Win32InstallTarget::IsFolder(const char* path) {
    DWORD attributes = 0;
    return HasAttributes(path, &attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32InstallTarget::MakeFolder(const char* path) {
    return CreateDirectoryA(path, nullptr) != 0;
}

bool Win32InstallTarget::RemoveFolder(const char* path) {
    return RemoveDirectoryA(path) != 0;
}

bool Win32InstallTarget::IsFile(const char* path) {
    DWORD attributes = 0;
    return HasAttributes(path, &attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32InstallTarget::CopyOver(const char* from, const char* to) {
    // An older copy marked read-only would refuse to be replaced.
    DWORD attributes = 0;
    if (HasAttributes(to, &attributes) && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesA(to, attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return CopyFileA(from, to, FALSE) != 0;
}

bool Win32InstallTarget::RemoveFile(const char* path) {
    return DeleteFileA(path) != 0;
}

std::uint64_t Win32InstallTarget::FileBytes(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) {
        return 0;
    }
    return static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

bool Win32InstallTarget::ListFiles(const char* folder, std::vector<std::string>& names) {
    std::string pattern = folder;
    pattern += pattern.empty() || pattern.back() != '\\' ? "\\*" : "*";
    WIN32_FIND_DATAA found{};
    UniqueFindHandle search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) {
        return false;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search.Get(), &found));
    return true;
}

bool Win32InstallTarget::MakeShortcut(ShortcutPlace place, const char* target, const char* workingFolder) {
    return CreateShellLink(ShortcutPath(place), target, workingFolder);
}

bool Win32InstallTarget::ShortcutPointsAt(ShortcutPlace place, const char* target) {
    const std::string link = ShortcutPath(place);
    return !link.empty() && lstrcmpiA(ShellLinkTarget(link).c_str(), target) == 0;
}

bool Win32InstallTarget::RemoveShortcut(ShortcutPlace place) {
    const std::string link = ShortcutPath(place);
    return !link.empty() && DeleteFileA(link.c_str()) != 0;
}
