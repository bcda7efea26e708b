// The arithmetic of the wave stream player, kept apart from Win32 so it is tested natively.
#include "devices/StreamLayout.h"

#include <algorithm>
#include <limits>

namespace {

std::uint64_t RoundDown(std::uint64_t value, std::uint32_t step) {
    return step == 0 ? value : value - value % step;
}

}  // namespace

std::uint32_t StreamBufferLength(std::uint32_t requestedBytes, std::uint32_t blockAlign) {
    if (blockAlign == 0) {
        return 0;
    }
    const std::uint64_t length = std::max(requestedBytes, blockAlign);
    const std::uint64_t grown = length + blockAlign - length % blockAlign;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(grown, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t WholeBufferLength(std::uint32_t dataLength, std::uint32_t bufferLength) {
    return static_cast<std::uint32_t>(RoundDown(dataLength, bufferLength));
}

std::int32_t StreamBytesToMs(std::uint64_t bytes, std::uint32_t avgBytesPerSec) {
    const std::uint64_t tenths = avgBytesPerSec / 10;
    if (tenths == 0) {
        return 0;
    }
    const std::uint64_t ms = bytes * 10 / tenths * 10;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(ms, std::numeric_limits<std::int32_t>::max()));
}

std::uint32_t StreamMsToBytes(std::uint32_t milliseconds,
                              std::uint32_t avgBytesPerSec,
                              std::uint32_t blockAlign,
                              std::uint32_t dataLength) {
    const std::uint64_t bytes = std::uint64_t{milliseconds} / 10 * (avgBytesPerSec / 10) / 10;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(RoundDown(bytes, blockAlign), dataLength));
}

std::uint32_t StreamStoppedOffset(std::uint32_t startOffset,
                                  std::uint32_t playedBytes,
                                  std::uint32_t blockAlign,
                                  std::uint32_t dataLength) {
    const std::uint64_t reached = RoundDown(std::uint64_t{startOffset} + playedBytes, blockAlign);
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(reached, dataLength));
}
