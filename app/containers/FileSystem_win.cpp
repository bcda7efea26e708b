// Win32 implementation of the host file system.
#include "app/containers/FileSystem_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "app/containers/UniqueHandle_win.h"

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

bool Win32FileSystem::ReadFile(const char* path, std::vector<std::uint8_t>& contents, std::size_t maxBytes) {
    contents.clear();
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    UniqueFileHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size;
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
        return false;
    }
    contents.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < contents.size()) {
        DWORD count = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size() - done, 1u << 20));
        if (!::ReadFile(file.Get(), contents.data() + done, chunk, &count, nullptr) || count == 0) {
            contents.clear();
            return false;
        }
        done += count;
    }
    return true;
}

bool Win32FileSystem::WriteFileReplacing(const char* path, const void* data, std::size_t size) {
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    char directory[kMaxPathBytes];
    char temporary[MAX_PATH];
    DirectoryOf(directory, path);
    // The new file is made beside the old one so the final move stays on one volume.
    if (GetTempFileNameA(directory[0] != '\0' ? directory : ".", "mx", 0, temporary) == 0) {
        return false;
    }
    bool written = false;
    {
        UniqueFileHandle file(
            CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file.Valid();
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        for (std::size_t done = 0; written && done < size;) {
            DWORD count = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - done, 1u << 20));
            written = ::WriteFile(file.Get(), bytes + done, chunk, &count, nullptr) && count == chunk;
            done += count;
        }
        written = written && FlushFileBuffers(file.Get());
    }
    if (!written || !MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return false;
    }
    return true;
}

namespace {

// Opens the file and reads up to count bytes from where start places them for its size.
template <typename Start>
bool ReadPart(const char* path, std::size_t count, std::vector<std::uint8_t>& bytes, Start start) {
    bytes.clear();
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    UniqueFileHandle file(
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size)) {
        return false;
    }
    const std::uint64_t fileSize = static_cast<std::uint64_t>(size.QuadPart);
    const std::uint64_t first = std::min<std::uint64_t>(start(fileSize), fileSize);
    const std::size_t taken = static_cast<std::size_t>(std::min<std::uint64_t>({count, fileSize - first, 0x7FFFFFFF}));
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(first);
    bytes.resize(taken);
    DWORD delivered = 0;
    if (!SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN) ||
        (taken > 0 && (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(taken), &delivered, nullptr) ||
                       delivered != taken))) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace

bool Win32FileSystem::ReadFileTail(const char* path, std::vector<std::uint8_t>& tail, std::size_t count) {
    return ReadPart(path, count, tail,
                    [count](std::uint64_t size) { return size - std::min<std::uint64_t>(count, size); });
}

bool Win32FileSystem::ReadFileRange(const char* path,
                                    std::uint64_t offset,
                                    std::size_t count,
                                    std::vector<std::uint8_t>& bytes) {
    return ReadPart(path, count, bytes, [offset](std::uint64_t) { return offset; });
}

bool Win32FileSystem::RenameFile(const char* from, const char* to) {
    // MoveFileA refuses an existing target, which is what a rename wants.
    return from != nullptr && to != nullptr && from[0] != '\0' && to[0] != '\0' && MoveFileA(from, to) != FALSE;
}

bool Win32FileSystem::RemoveFile(const char* path) {
    return path != nullptr && path[0] != '\0' && DeleteFileA(path) != FALSE;
}
