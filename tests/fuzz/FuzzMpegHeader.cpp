// Fuzzes the MPEG frame search and header parser: any bytes give a clear answer, and an
// accepted file lays out audio inside it (behind any ID3 version 2 tag) with a rate the stream
// arithmetic can divide by.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "devices/Id3v2Header.h"
#include "devices/MpegFrameHeader.h"
#include "devices/StreamLayout.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The sync search over exactly the given bytes, so ASan sees any read past them.
    const std::optional<std::size_t> sync = FindMpegFrameSync(data, size);
    if (sync) {
        Check(*sync + 4 <= size && data[*sync] == 0xFF && data[*sync + 1] >= 0xF0);
    }
    MemoryByteSource source(std::vector<std::uint8_t>(data, data + size));
    Mp3Layout layout;
    if (ParseMp3(source, layout) != Mp3Result::kOk) {
        return 0;
    }
    // The search starts behind an ID3 version 2 tag that lies inside the file.
    std::uint64_t tagBytes = Id3v2TagBytes(data, size);
    if (tagBytes >= size) {
        tagBytes = 0;
    }
    Check(layout.dataStart < tagBytes + kMpegSearchBytes && layout.dataStart + 4 <= size);
    Check(std::uint64_t{layout.dataStart} + layout.dataLength <= size);
    Check(layout.avgBytesPerSec >= 1000 && layout.header.sampleRate >= 16000);
    Check(layout.format[0] == 0x55 && layout.format[16] == 12);
    const std::uint32_t bufferLength = StreamBufferLength(1024, 1);
    Check(bufferLength == 1025);
    Check(StreamBytesToMs(WholeBufferLength(layout.dataLength, bufferLength), layout.avgBytesPerSec) >= 0);
    return 0;
}
