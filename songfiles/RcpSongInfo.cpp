// Title, memo, timebase and meter from the fixed header of a Recomposer file.
#include "songfiles/RcpSongInfo.h"

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "app/containers/FileSystem.h"

namespace {

// The identification that starts every header, CR LF and two zero bytes included.
constexpr char kIdentification[] = "RCM-PC98V2.0(C)COME ON MUSIC\r\n\0";
constexpr std::size_t kIdentificationBytes = 32;
static_assert(sizeof kIdentification == kIdentificationBytes, "identification is 32 bytes");

constexpr std::size_t kTitleOffset = 32;
constexpr std::size_t kMemoOffset = 96;
constexpr std::size_t kTimebaseLowOffset = 448;
constexpr std::size_t kNumeratorOffset = 450;
constexpr std::size_t kDenominatorOffset = 451;
constexpr std::size_t kTimebaseHighOffset = 487;

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
    if (size < kHeaderBytes || std::memcmp(data, kIdentification, kIdentificationBytes) != 0) {
        return;
    }
    CopyField(title, data + kTitleOffset, kTitleBytes);
    CopyField(memo, data + kMemoOffset, kMemoBytes);
    timebase = static_cast<std::uint16_t>(data[kTimebaseLowOffset] | (data[kTimebaseHighOffset] << 8));
    // A zero meter byte stands for the common 4.
    beatNumerator = data[kNumeratorOffset] != 0 ? data[kNumeratorOffset] : 4;
    beatDenominator = data[kDenominatorOffset] != 0 ? data[kDenominatorOffset] : 4;
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
