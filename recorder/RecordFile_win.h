// A recording's file on the Win32 file system: plain writes through CreateFile/WriteFile, so that
// every refusal (a full disk above all) is seen at once with the system's reason.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/containers/UniqueHandle_win.h"
#include "recorder/RecordFile.h"

class SystemRecordFile final : public RecordFile {
public:
    // Creates the file (emptying one that exists) for writing; null when it cannot be opened.
    static std::unique_ptr<RecordFile> Create(const char* path);

    std::uint32_t Write(const void* data, std::uint32_t size) override;
    bool WriteAt(std::uint32_t offset, const void* data, std::uint32_t size) override;
    bool Close() override;
    void Discard() override;
    WriteFailure LastFailure() const override;
    std::string FailureText() const override;

private:
    SystemRecordFile(UniqueFileHandle file, std::string path) : file(std::move(file)), path(std::move(path)) {}

    UniqueFileHandle file;
    std::string path;
    DWORD error = ERROR_SUCCESS;
};
