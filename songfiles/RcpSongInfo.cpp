// Title, memo, timebase and meter from the fixed header of a Recomposer file.
#include "songfiles/RcpSongInfo.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "app/containers/FileSystem.h"
#include "songfiles/RcpSong.h"

namespace {

// 2.0 layout.
constexpr std::size_t kTitleOffset = 32;
constexpr std::size_t kTitleBytesV2 = 64;
constexpr std::size_t kMemoOffset = 96;
constexpr std::size_t kMemoBytesV2 = 336;
constexpr std::size_t kTimebaseLowOffset = 448;
constexpr std::size_t kNumeratorOffset = 450;
constexpr std::size_t kDenominatorOffset = 451;
constexpr std::size_t kTimebaseHighOffset = 487;

// 3.0 layout.
constexpr std::size_t kMemoOffsetV3 = 0xA0;
constexpr std::size_t kTimebaseOffsetV3 = 0x20A;
constexpr std::size_t kNumeratorOffsetV3 = 0x20E;
constexpr std::size_t kDenominatorOffsetV3 = 0x20F;

// Copies a fixed text field (bytes plus a terminating zero) and cuts its trailing blanks and tabs.
void CopyField(char* out, const std::uint8_t* field, std::size_t bytes) {
    std::memcpy(out, field, bytes);
    out[bytes] = '\0';
    std::size_t length = std::strlen(out);
    while (length > 0 && (out[length - 1] == ' ' || out[length - 1] == '\t')) {
        out[--length] = '\0';
    }
}

}  // namespace

RcpSongInfo::RcpSongInfo(const char* path) {
    std::vector<std::uint8_t> bytes;
    try {
        // Only the header is wanted, but a song file is small enough to read whole.
        if (ActiveFileSystem().ReadFile(path, bytes, std::size_t{64} << 20)) {
            Parse(bytes.data(), bytes.size());
        }
    } catch (const std::bad_alloc&) {
        loaded = false;
    }
}

RcpSongInfo::RcpSongInfo(const std::uint8_t* data, std::size_t size) {
    Parse(data, size);
}

void RcpSongInfo::Parse(const std::uint8_t* data, std::size_t size) {
    RcpLayout layout = RcpLayout::kV2;
    if (!DetectRcpLayout(data, size, layout)) {
        return;
    }
    std::uint8_t numerator = 0;
    std::uint8_t denominator = 0;
    if (layout == RcpLayout::kV2) {
        if (size < kHeaderBytes) {
            return;
        }
        CopyField(title, data + kTitleOffset, kTitleBytesV2);
        CopyField(memo, data + kMemoOffset, kMemoBytesV2);
        timebase = static_cast<std::uint16_t>(data[kTimebaseLowOffset] | (data[kTimebaseHighOffset] << 8));
        numerator = data[kNumeratorOffset];
        denominator = data[kDenominatorOffset];
    } else {
        if (size < kV3HeaderBytes) {
            return;
        }
        CopyField(title, data + kTitleOffset, kTitleBytes);
        CopyField(memo, data + kMemoOffsetV3, kMemoBytes);
        timebase = static_cast<std::uint16_t>(data[kTimebaseOffsetV3] | (data[kTimebaseOffsetV3 + 1] << 8));
        numerator = data[kNumeratorOffsetV3];
        denominator = data[kDenominatorOffsetV3];
    }
    // A zero meter byte stands for the common 4.
    beatNumerator = numerator != 0 ? numerator : 4;
    beatDenominator = denominator != 0 ? denominator : 4;
    loaded = true;
}

std::uint32_t RcpSongInfo::TicksPerMeasure() const {
    return std::uint32_t{timebase} * beatNumerator * 4 / beatDenominator;
}

std::uint16_t RcpSongInfo::GetTimebase() const {
    return loaded ? timebase : 0;
}

int RcpSongInfo::GetTitle(char* text, std::size_t capacity) const {
    return CopySongText(text, capacity, loaded, loaded ? std::string(title) : std::string());
}

int RcpSongInfo::GetComment(char* text, std::size_t capacity) const {
    return CopySongText(text, capacity, loaded, loaded ? std::string(memo) : std::string());
}

int RcpSongInfo::MeasureToPosition(MeasurePosition& position, std::uint32_t measure) const {
    const std::uint32_t ticks = TicksPerMeasure();
    if (!loaded || ticks == 0) {
        return 0;
    }
    position.tick = measure * ticks;
    position.measure = measure;
    position.tickInMeasure = 0;
    position.ticksPerMeasure = ticks;
    return 1;
}

int RcpSongInfo::PositionToMeasure(MeasurePosition& position, std::uint32_t tick) const {
    const std::uint32_t ticks = TicksPerMeasure();
    if (!loaded || ticks == 0) {
        return 0;
    }
    position.tick = tick;
    position.measure = tick / ticks;
    position.tickInMeasure = tick % ticks;
    position.ticksPerMeasure = ticks;
    return 1;
}
