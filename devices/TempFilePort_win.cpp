// Temporary song files in the user's temporary folder, named "mxrcp", the creating process's id
// (8 hex digits), a counter and the extension. The clean-up at start-up removes only the files of
// processes that no longer run, so a second player leaves the first one's song alone.
#include "devices/TempFilePort.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "app/containers/UniqueHandle_win.h"

namespace {

constexpr char kPrefix[] = "mxrcp";
constexpr int kNameAttempts = 100;

bool TempFolder(std::string& folder) {
    char buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length > MAX_PATH) {
        return false;
    }
    // GetTempPath always ends the folder with a backslash.
    folder.assign(buffer, length);
    return true;
}

// True when the process that named a file this way still runs.
bool CreatorRuns(const char* fileName) {
    const std::size_t prefixLength = sizeof kPrefix - 1;
    if (std::strlen(fileName) < prefixLength + 8) {
        return false;
    }
    const std::string digits(fileName + prefixLength, 8);
    char* end = nullptr;
    const unsigned long id = std::strtoul(digits.c_str(), &end, 16);
    if (*end != '\0') {
        return false;
    }
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(id)));
    if (!process) {
        // A process we may not query (another player started with other rights) still runs.
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD exitCode = 0;
    return process && GetExitCodeProcess(process.Get(), &exitCode) && exitCode == STILL_ACTIVE;
}

class Win32TemporaryFile : public TemporaryFile {
public:
    explicit Win32TemporaryFile(std::string name) { path = std::move(name); }
    ~Win32TemporaryFile() override { DeleteFileA(path.c_str()); }
};

class Win32TempFilePort : public TempFilePort {
public:
    std::unique_ptr<TemporaryFile> Create(const std::uint8_t* data, std::size_t size, const char* extension) override {
        std::string folder;
        if (!TempFolder(folder) || size > MAXDWORD) {
            return nullptr;
        }
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            char name[64];
            std::snprintf(name, sizeof name, "%s%08lX%04X%s", kPrefix, GetCurrentProcessId(), counter++ & 0xFFFFu,
                          extension);
            const std::string path = folder + name;
            UniqueFileHandle file(
                CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr));
            if (!file) {
                if (GetLastError() == ERROR_FILE_EXISTS) {
                    continue;
                }
                return nullptr;
            }
            DWORD written = 0;
            const bool complete =
                WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) && written == size;
            file.Reset();
            if (!complete) {
                DeleteFileA(path.c_str());
                return nullptr;
            }
            return std::make_unique<Win32TemporaryFile>(path);
        }
        return nullptr;
    }

    void RemoveLeftovers() override {
        std::string folder;
        if (!TempFolder(folder)) {
            return;
        }
        WIN32_FIND_DATAA found;
        UniqueFindHandle find(FindFirstFileA((folder + kPrefix + "*.mid").c_str(), &found));
        if (!find) {
            return;
        }
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !CreatorRuns(found.cFileName)) {
                DeleteFileA((folder + found.cFileName).c_str());
            }
        } while (FindNextFileA(find.Get(), &found));
    }

private:
    unsigned counter = 0;
};

}  // namespace

TempFilePort& SystemTempFilePort() {
    static Win32TempFilePort port;
    return port;
}
