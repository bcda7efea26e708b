// Byte offsets and milliseconds of the stream player, constant or variable rate.
#include "devices/StreamTimeline.h"

#include <algorithm>
#include <limits>

#include "devices/StreamLayout.h"

void StreamTimeline::SetConstantRate(std::uint32_t avgRate, std::uint32_t align, std::uint32_t length) {
    avgBytesPerSec = avgRate;
    blockAlign = align == 0 ? 1 : align;
    dataLength = length;
    frameStarts.clear();
}

void StreamTimeline::SetFrames(std::vector<std::uint32_t> starts, std::uint32_t samples, std::uint32_t rate) {
    if (starts.empty() || starts.size() > kMaxFrames || samples == 0 || rate == 0) {
        frameStarts.clear();
        return;
    }
    // A frame past the data the player streams can be no place to start from.
    starts.erase(std::lower_bound(starts.begin(), starts.end(), dataLength), starts.end());
    frameStarts = std::move(starts);
    samplesPerFrame = samples;
    sampleRate = rate;
}

std::int32_t StreamTimeline::FrameMs(std::size_t frame) const {
    const std::uint64_t ms = std::uint64_t{frame} * samplesPerFrame * 1000 / sampleRate;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(ms, std::numeric_limits<std::int32_t>::max()));
}

std::uint32_t StreamTimeline::OffsetAt(std::uint32_t milliseconds) const {
    if (!Variable()) {
        return StreamMsToBytes(milliseconds, avgBytesPerSec, blockAlign, dataLength);
    }
    const std::uint64_t frame = std::uint64_t{milliseconds} * sampleRate / (std::uint64_t{samplesPerFrame} * 1000);
    return frameStarts[std::min<std::uint64_t>(frame, frameStarts.size() - 1)];
}

std::int32_t StreamTimeline::PositionMs(std::uint32_t startOffset, std::uint64_t playedBytes) const {
    if (!Variable()) {
        return StreamBytesToMs(std::uint64_t{startOffset} + playedBytes, avgBytesPerSec);
    }
    // The frame that holds startOffset: the last frame that starts at or before it.
    const auto after = std::upper_bound(frameStarts.begin(), frameStarts.end(), startOffset);
    const std::size_t frame = after == frameStarts.begin() ? 0 : static_cast<std::size_t>(after - frameStarts.begin() - 1);
    const std::int64_t ms = std::int64_t{FrameMs(frame)} + StreamBytesToMs(playedBytes, avgBytesPerSec);
    return static_cast<std::int32_t>(std::min<std::int64_t>(ms, std::numeric_limits<std::int32_t>::max()));
}

std::uint32_t StreamTimeline::StoppedOffset(std::uint32_t startOffset, std::uint32_t playedBytes) const {
    if (!Variable()) {
        return StreamStoppedOffset(startOffset, playedBytes, blockAlign, dataLength);
    }
    return OffsetAt(static_cast<std::uint32_t>(std::max(PositionMs(startOffset, playedBytes), 0)));
}
