#pragma once
// Where the stream player is in time. A constant-rate stream (PCM, constant-rate MP3) converts
// bytes and milliseconds through its average rate. A variable-rate MP3 stream cannot: the same
// second takes more bytes in a loud passage than in a quiet one, so its timeline keeps the offset
// of every frame and converts frame-exactly.
#include <cstdint>
#include <vector>

class StreamTimeline {
public:
    // Frames beyond this many (over seven hours of MPEG-1 audio) fall back to the average rate.
    static constexpr std::size_t kMaxFrames = 1u << 20;

    void SetConstantRate(std::uint32_t avgBytesPerSec, std::uint32_t blockAlign, std::uint32_t dataLength);
    // frameStarts: the offset of every frame from the data start, ascending; every frame lasts
    // samplesPerFrame samples at sampleRate. Call after SetConstantRate: frames from the data
    // length on are dropped, and the average rate still converts played bytes. Keeps the
    // constant rate for an empty or overlong list.
    void SetFrames(std::vector<std::uint32_t> frameStarts, std::uint32_t samplesPerFrame, std::uint32_t sampleRate);
    bool Variable() const { return !frameStarts.empty(); }

    // The data offset at which to start playing at milliseconds: a whole block, or the start of
    // the frame that sounds then (the last frame for a time past the end).
    std::uint32_t OffsetAt(std::uint32_t milliseconds) const;
    // The position of a play that started at startOffset and has played playedBytes since. The
    // output reports bytes at the stream's average rate, so they convert through it whatever the
    // frames hold; the start converts frame-exactly.
    std::int32_t PositionMs(std::uint32_t startOffset, std::uint64_t playedBytes) const;
    // The offset to resume from after a stop at that position.
    std::uint32_t StoppedOffset(std::uint32_t startOffset, std::uint32_t playedBytes) const;

private:
    std::int32_t FrameMs(std::size_t frame) const;

    std::uint32_t avgBytesPerSec = 0;
    std::uint32_t blockAlign = 1;
    std::uint32_t dataLength = 0;
    std::vector<std::uint32_t> frameStarts;
    std::uint32_t samplesPerFrame = 0;
    std::uint32_t sampleRate = 0;
};
