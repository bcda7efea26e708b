// The file a recording is written into, as the WAVE writer sees it: appends that report how much
// reached the disk, overwrites of the chunk sizes, and the reason of the last failure.
#pragma once

#include <cstdint>
#include <string>

enum class WriteFailure {
    kNone,
    kDiskFull,  // the volume has no room left
    kOther,     // any other refusal; FailureText says what the system answered
};

class RecordFile {
public:
    virtual ~RecordFile() = default;
    // Appends size bytes at the end; answers how many reached the file (size unless it failed).
    virtual std::uint32_t Write(const void* data, std::uint32_t size) = 0;
    // Overwrites size bytes at offset (inside what was written); false when it failed.
    virtual bool WriteAt(std::uint32_t offset, const void* data, std::uint32_t size) = 0;
    // Closes the file; false when what was written could not be kept.
    virtual bool Close() = 0;
    // Closes the file and removes it (a file that never became a valid recording).
    virtual void Discard() = 0;
    virtual WriteFailure LastFailure() const = 0;
    // The system's description of the last failure; may be empty.
    virtual std::string FailureText() const = 0;
};
