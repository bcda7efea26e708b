// The recording's file through the kernel's file functions.
#include "recorder/RecordFile_win.h"

#include <cstdio>

#include "recorder/RecorderTexts.h"

std::unique_ptr<RecordFile> SystemRecordFile::Create(const char* path) {
    UniqueFileHandle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        return nullptr;
    }
    return std::unique_ptr<RecordFile>(new SystemRecordFile(std::move(file), path));
}

std::uint32_t SystemRecordFile::Write(const void* data, std::uint32_t size) {
    DWORD written = 0;
    if (!file) {
        error = ERROR_INVALID_HANDLE;
        return 0;
    }
    const BOOL done = WriteFile(file.Get(), data, size, &written, nullptr);
    if (!done || written != size) {
        // A short write without an error code is the volume running out of room.
        error = done ? ERROR_DISK_FULL : GetLastError();
    }
    return written;
}

bool SystemRecordFile::WriteAt(std::uint32_t offset, const void* data, std::uint32_t size) {
    LONG high = 0;
    if (!file || SetFilePointer(file.Get(), static_cast<LONG>(offset), &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
        error = GetLastError();
        return false;
    }
    DWORD written = 0;
    const BOOL done = WriteFile(file.Get(), data, size, &written, nullptr) && written == size;
    if (!done) {
        error = GetLastError();
    }
    high = 0;
    SetFilePointer(file.Get(), 0, &high, FILE_END);
    return done;
}

bool SystemRecordFile::Close() {
    if (!file) {
        return true;
    }
    const BOOL done = CloseHandle(file.Release());
    if (!done) {
        error = GetLastError();
    }
    return done != FALSE;
}

void SystemRecordFile::Discard() {
    file.Reset();
    DeleteFileA(path.c_str());
}

WriteFailure SystemRecordFile::LastFailure() const {
    if (error == ERROR_SUCCESS) {
        return WriteFailure::kNone;
    }
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? WriteFailure::kDiskFull : WriteFailure::kOther;
}

std::string SystemRecordFile::FailureText() const {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
        reason.pop_back();
    }
    if (reason.empty()) {
        char number[64];
        std::snprintf(number, sizeof number, kSystemErrorNumber, static_cast<unsigned long>(error));
        reason = number;
    }
    return reason;
}
