// Writes a RIFF WAVE file: "RIFF" size "WAVE", a "fmt " chunk holding the whole format record
// (18 bytes plus its extra bytes), and a "data" chunk of the captured bytes in arrival order.
// Sizes are filled in when the file is finished. Every write is checked: a file that cannot take
// more ends the recording with correct sizes for what it holds, and the data never grows past
// what a 32-bit RIFF size can describe.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/SettingsRecords.h"
#include "recorder/RecordFile.h"

enum class AppendResult {
    kWritten,       // every byte reached the file
    kLimitReached,  // what fitted below the 4 GB limit was written; no more can be
    kFailed,        // the file refused some bytes; what reached it is counted
};

class WaveFileWriter {
public:
    WaveFileWriter() = default;
    ~WaveFileWriter();
    WaveFileWriter(const WaveFileWriter&) = delete;
    WaveFileWriter& operator=(const WaveFileWriter&) = delete;

    // Takes the file and writes the header for format. False when the header could not be
    // written; the file is then removed and FailureText says why.
    bool Begin(std::unique_ptr<RecordFile> newFile, const WaveFormatRecord& format);
    // Appends captured bytes; after anything but kWritten further appends write nothing.
    AppendResult Append(const std::uint8_t* data, std::uint32_t size);
    // Writes the chunk sizes (and the pad byte an odd chunk needs) and closes the file. False
    // when they could not be written. Does nothing when no file is open.
    bool Finish();

    bool IsOpen() const { return file != nullptr; }
    std::uint32_t DataBytes() const { return dataBytes; }
    // Why the last write failed: the disk-full text or the system's reason.
    const std::string& FailureText() const { return failureText; }

    // Size of the header (up to the first data byte) for a format.
    static std::uint32_t HeaderBytes(const WaveFormatRecord& format);
    // The largest data chunk a file of this format may have: its RIFF size, pad byte included,
    // stays within 32 bits.
    static std::uint32_t DataLimit(const WaveFormatRecord& format);

private:
    void NoteFailure();

    std::unique_ptr<RecordFile> file;
    std::uint32_t formatBytes = 0;
    std::uint32_t headerBytes = 0;
    std::uint32_t dataLimit = 0;
    std::uint32_t blockAlign = 1;
    std::uint32_t dataBytes = 0;
    bool ended = false;
    std::string failureText;
};
