// Fuzzes the Recomposer header reader: texts stay terminated and the conversions never divide by
// zero whatever the timebase and meter bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "songfiles/RcpSongInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const RcpSongInfo info(data, size);
    char text[RcpSongInfo::kMemoBytes + 1];
    const int length = info.GetComment(text, sizeof text);
    if (length > static_cast<int>(RcpSongInfo::kMemoBytes) ||
        (length >= 0 && std::strlen(text) != static_cast<size_t>(length))) {
        std::abort();
    }
    MeasurePosition position;
    const std::uint32_t tick = size >= 4 ? data[size - 1] * 65536u + data[size - 2] : 0;
    if (info.PositionToMeasure(position, tick) && position.tickInMeasure >= position.ticksPerMeasure) {
        std::abort();
    }
    info.MeasureToPosition(position, tick & 0xFFFF);
    return 0;
}
