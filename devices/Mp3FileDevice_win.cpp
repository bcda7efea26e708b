// Opens an MP3 file for the wave stream player from its first frame header.
#include "devices/Mp3FileDevice_win.h"

#include <utility>

#include "devices/MpegDuration.h"
#include "devices/MpegFrameHeader.h"

int Mp3FileDevice::Open(const char* fileName) {
    if (!BeginOpen(fileName)) {
        Close();
        return 0;
    }
    UnbufferedFileSource source(reader);
    Mp3Layout layout;
    if (ParseMp3(source, layout) != Mp3Result::kOk) {
        Close();
        return 0;
    }
    fileSize = layout.fileSize;
    formatSize = static_cast<std::uint32_t>(layout.format.size());
    dataStart = layout.dataStart;
    if (!FinishOpen(layout.format.data(), formatSize, layout.dataLength)) {
        Close();
        return 0;
    }
    // A variable rate seeks and counts time frame by frame.
    timeline.SetFrames(std::move(layout.frameStarts), MpegSamplesPerFrame(layout.header), layout.header.sampleRate);
    return 1;
}
