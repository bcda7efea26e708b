// The RIFF WAVE layout of a recording and its size bookkeeping.
#include "recorder/WaveFileWriter.h"

#include <cstring>
#include <vector>

#include "recorder/RecorderTexts.h"

namespace {

constexpr std::uint32_t kChunkHeaderBytes = 8;  // four-character code and 32-bit size
constexpr std::uint32_t kRiffSizeOffset = 4;
constexpr std::uint32_t kLargestRiffSize = 0xFFFFFFFFu;

void PutTag(std::vector<std::uint8_t>& bytes, const char* tag) {
    bytes.insert(bytes.end(), tag, tag + 4);
}

void PutUint32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void StoreUint32(std::uint8_t* out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// The format record as stored: its header and the extra bytes it claims, within the area.
std::uint32_t FormatBytes(const WaveFormatRecord& format) {
    return WaveFormatStoredBytes(format);
}

}  // namespace

WaveFileWriter::~WaveFileWriter() {
    Finish();
}

std::uint32_t WaveFileWriter::HeaderBytes(const WaveFormatRecord& format) {
    const std::uint32_t fmt = FormatBytes(format);
    // "RIFF" size "WAVE", "fmt " size record [pad], "data" size.
    return 12 + kChunkHeaderBytes + fmt + (fmt & 1) + kChunkHeaderBytes;
}

std::uint32_t WaveFileWriter::DataLimit(const WaveFormatRecord& format) {
    // RIFF size = everything after its own 8 bytes; one byte is kept for an odd chunk's pad.
    const std::uint32_t overhead = HeaderBytes(format) - kChunkHeaderBytes;
    return kLargestRiffSize - overhead - 1;
}

bool WaveFileWriter::Begin(std::unique_ptr<RecordFile> newFile, const WaveFormatRecord& format) {
    Finish();
    file = std::move(newFile);
    if (!file) {
        return false;
    }
    formatBytes = FormatBytes(format);
    headerBytes = HeaderBytes(format);
    dataLimit = DataLimit(format);
    blockAlign = format.blockAlign > 0 ? format.blockAlign : 1;
    dataBytes = 0;
    ended = false;
    failureText.clear();

    std::vector<std::uint8_t> header;
    header.reserve(headerBytes);
    PutTag(header, "RIFF");
    PutUint32(header, headerBytes - kChunkHeaderBytes);  // corrected when the file is finished
    PutTag(header, "WAVE");
    PutTag(header, "fmt ");
    PutUint32(header, formatBytes);
    const auto* record = reinterpret_cast<const std::uint8_t*>(&format);
    header.insert(header.end(), record, record + formatBytes);
    if (formatBytes & 1) {
        header.push_back(0);
    }
    PutTag(header, "data");
    PutUint32(header, 0);
    if (file->Write(header.data(), static_cast<std::uint32_t>(header.size())) != header.size()) {
        NoteFailure();
        file->Discard();
        file.reset();
        return false;
    }
    return true;
}

AppendResult WaveFileWriter::Append(const std::uint8_t* data, std::uint32_t size) {
    if (!file || ended) {
        return AppendResult::kFailed;
    }
    bool limited = false;
    const std::uint32_t room = dataLimit - dataBytes;
    if (size > room) {
        // Whole sample frames only, so the file ends on a frame.
        size = room - room % blockAlign;
        limited = true;
    }
    const std::uint32_t written = size > 0 ? file->Write(data, size) : 0;
    dataBytes += written;
    if (written != size) {
        NoteFailure();
        ended = true;
        return AppendResult::kFailed;
    }
    if (limited) {
        ended = true;
        return AppendResult::kLimitReached;
    }
    return AppendResult::kWritten;
}

bool WaveFileWriter::Finish() {
    if (!file) {
        return true;
    }
    // An odd data chunk gets its pad byte; on a full disk it may not fit, and the RIFF size
    // then leaves it out.
    std::uint32_t pad = 0;
    if ((dataBytes & 1) != 0) {
        const std::uint8_t zero = 0;
        pad = file->Write(&zero, 1);
    }
    std::uint8_t size[4];
    StoreUint32(size, headerBytes - kChunkHeaderBytes + dataBytes + pad);
    bool done = file->WriteAt(kRiffSizeOffset, size, 4);
    StoreUint32(size, dataBytes);
    done = file->WriteAt(headerBytes - 4, size, 4) && done;
    if (!done) {
        NoteFailure();
    }
    done = file->Close() && done;
    if (!done && failureText.empty()) {
        NoteFailure();
    }
    file.reset();
    return done;
}

void WaveFileWriter::NoteFailure() {
    failureText = file->LastFailure() == WriteFailure::kDiskFull ? std::string(kDiskFullReason) : file->FailureText();
}
