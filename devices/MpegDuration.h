// The true length of an MP3 stream, variable bit rates included: the frame count of a Xing/Info
// or VBRI header in the first frame, else a walk over every frame header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "devices/ByteSource.h"
#include "devices/MpegFrameHeader.h"

// The bytes of the frame that begins with this header (padding included); 0 for no valid
// Layer III header.
std::uint32_t MpegFrameBytes(std::uint32_t headerWord);

// The frame count a Xing, Info or VBRI header in the first frame states; nothing without one.
std::optional<std::uint32_t> VbrHeaderFrames(const std::uint8_t* frame,
                                             std::size_t size,
                                             const MpegFrameHeader& header);

// The frames from start to end, walked header by header, and whether their bit rates differ.
// The walk stops at the first place that holds no frame header (a cut or damaged file), and
// after constantFrames frames that all had the same rate: a stream that starts that steadily is
// taken as constant, so opening a long constant-rate file does not read all of it. frameStarts,
// when given, receives every walked frame's offset from start (a constant stream's list stops
// with the walk and means nothing).
struct MpegFrameWalk {
    std::uint64_t frames = 0;
    std::uint64_t bytes = 0;  // of the frames walked
    bool variable = false;
};
constexpr std::uint64_t kConstantRateFrames = 1000;
MpegFrameWalk WalkMpegFrames(ByteSource& source,
                             std::uint32_t start,
                             std::uint32_t end,
                             std::uint64_t constantFrames = kConstantRateFrames,
                             std::vector<std::uint32_t>* frameStarts = nullptr);

// Samples each Layer III frame holds: 1,152 for MPEG-1, 576 for MPEG-2.
inline std::uint32_t MpegSamplesPerFrame(const MpegFrameHeader& header) {
    return header.mpeg1 ? 1152 : 576;
}
