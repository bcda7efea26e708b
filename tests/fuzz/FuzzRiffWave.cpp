// Fuzzes the RIFF/WAVE walker: any bytes give a clear answer, and an accepted file describes
// audio that lies inside it with a format the stream arithmetic can divide by.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "devices/RiffWaveParser.h"
#include "devices/StreamLayout.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryByteSource source(std::vector<std::uint8_t>(data, data + size));
    RiffWaveLayout layout;
    if (ParseRiffWave(source, layout) != RiffWaveResult::kOk) {
        Check(layout.format.empty());
        return 0;
    }
    Check(layout.fileSize == size);
    Check(std::uint64_t{layout.dataStart} + layout.dataLength <= size);
    Check(layout.format.size() >= kWaveFormatExBytes && layout.format.size() >= layout.formatSize);
    Check(layout.formatSize <= size);
    const std::uint32_t bufferLength = StreamBufferLength(1024, layout.blockAlign);
    Check(bufferLength > 0 && bufferLength % layout.blockAlign == 0);
    const std::uint32_t played = WholeBufferLength(layout.dataLength, bufferLength);
    Check(played <= layout.dataLength && played % bufferLength == 0);
    Check(StreamBytesToMs(played, layout.avgBytesPerSec) >= 0);
    const std::uint32_t seek = StreamMsToBytes(StreamBytesToMs(played, layout.avgBytesPerSec), layout.avgBytesPerSec,
                                               layout.blockAlign, played);
    Check(seek <= played && seek % layout.blockAlign == 0);
    return 0;
}
