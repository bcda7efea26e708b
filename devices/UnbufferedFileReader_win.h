// Reads a file without the system's cache: sector-aligned reads into a page-aligned window of
// whole sectors, copied out from there. Local drives only.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/containers/UniqueHandle_win.h"
#include "devices/ByteSource.h"
#include "devices/StreamHandles_win.h"

class UnbufferedFileReader {
public:
    static constexpr std::uint32_t kRequestedWindowBytes = 0x10000;

    UnbufferedFileReader() = default;
    virtual ~UnbufferedFileReader() { Close(); }
    UnbufferedFileReader(const UnbufferedFileReader&) = delete;
    UnbufferedFileReader& operator=(const UnbufferedFileReader&) = delete;

    // Opens with the given CreateFile arguments plus FILE_FLAG_NO_BUFFERING. Fails when already
    // open, for a path that is not on a drive letter (network paths), for files of 4 GB or more,
    // and when the drive's sector size is unknown.
    bool Open(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
    void Close();
    // Bytes delivered: all of count up to the end of the file, or 0 on error or at the end.
    std::uint32_t Read(void* destination, std::uint32_t count);
    // origin 0 from the start, 1 from the current position, 2 back from the end; the result
    // is clamped to 0 ... fileSize.
    std::uint32_t Seek(std::int64_t offset, int origin);

    bool IsOpen() const { return file.Valid(); }
    std::uint32_t FileSize() const { return fileSize; }
    std::uint32_t Position() const { return position; }
    std::uint32_t SectorSize() const { return sectorSize; }
    std::uint32_t WindowSize() const { return windowSize; }

private:
    static constexpr std::uint32_t kNoWindow = 0xFFFFFFFFu;

    bool FillWindow();

    UniqueFileHandle file;
    std::uint32_t sectorSize = 0;
    std::uint32_t fileSize = 0;
    std::uint32_t position = 0;
    std::uint32_t windowStart = kNoWindow;
    VirtualBlock windowMemory;
    std::uint8_t* windowData = nullptr;
    std::uint32_t windowSize = 0;
};

// The reader as the song-file parsers see it.
class UnbufferedFileSource : public ByteSource {
public:
    explicit UnbufferedFileSource(UnbufferedFileReader& reader) : reader(reader) {}
    std::uint32_t Read(void* destination, std::uint32_t count) override { return reader.Read(destination, count); }
    std::uint32_t Seek(std::int64_t offset, SeekOrigin origin) override {
        return reader.Seek(offset, static_cast<int>(origin));
    }
    std::uint32_t Size() const override { return reader.FileSize(); }
    std::uint32_t Position() const override { return reader.Position(); }

private:
    UnbufferedFileReader& reader;
};
