// Title, memo, timebase and meter from the fixed header of a Recomposer song: the 2.0 layout (.rcp)
// and the 3.0 layout (.r36, .g36, .g18, and .rcp files saved by later versions).
#pragma once

#include <cstddef>
#include <cstdint>

#include "songfiles/SongInfo.h"

class RcpSongInfo : public SongInfo {
public:
    // The header is this long in each layout; shorter files are not read.
    static constexpr std::size_t kHeaderBytes = 518;
    static constexpr std::size_t kV3HeaderBytes = 0x318;
    // The larger field of the two layouts (2.0: 64 and 336 bytes).
    static constexpr std::size_t kTitleBytes = 128;
    static constexpr std::size_t kMemoBytes = 360;

    // Reads the file through the active file system; an unreadable file leaves the reader unloaded.
    explicit RcpSongInfo(const char* path);
    // Reads the header from the file's bytes.
    RcpSongInfo(const std::uint8_t* data, std::size_t size);

    bool IsLoaded() const { return loaded; }
    std::uint8_t BeatNumerator() const { return beatNumerator; }
    std::uint8_t BeatDenominator() const { return beatDenominator; }

    std::uint16_t GetTimebase() const override;
    int GetTitle(char* text, std::size_t capacity) const override;
    int GetComment(char* text, std::size_t capacity) const override;
    // Both conversions use the header's fixed meter; they fail when the reader is unloaded or the
    // meter gives no ticks per measure (timebase 0, or a denominator larger than 4 x timebase x
    // numerator).
    int MeasureToPosition(MeasurePosition& position, std::uint32_t measure) const override;
    int PositionToMeasure(MeasurePosition& position, std::uint32_t tick) const override;

private:
    void Parse(const std::uint8_t* data, std::size_t size);
    std::uint32_t TicksPerMeasure() const;

    bool loaded = false;
    std::uint16_t timebase = 96;
    std::uint8_t beatNumerator = 4;
    std::uint8_t beatDenominator = 4;
    char title[kTitleBytes + 1] = {};
    char memo[kMemoBytes + 1] = {};
};
