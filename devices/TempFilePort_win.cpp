// Temporary song files in the user's temporary folder, named "mxrcp", the process id, a counter
// and the extension. While a song plays its file is held open without delete sharing, so the
// clean-up of a second player leaves it alone.
#include "devices/TempFilePort.h"

#include <windows.h>

#include <cstdio>
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

class Win32TemporaryFile : public TemporaryFile {
public:
    Win32TemporaryFile(std::string name, UniqueFileHandle hold) : lock(std::move(hold)) { path = std::move(name); }
    ~Win32TemporaryFile() override {
        lock.Reset();
        DeleteFileA(path.c_str());
    }

private:
    UniqueFileHandle lock;
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
            UniqueFileHandle hold(
                CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
            return std::make_unique<Win32TemporaryFile>(path, std::move(hold));
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
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                // Fails for a file another player holds open; that one stays.
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
