// The song information readers' common interface: the texts shown for a song file and, where the
// file allows, its MIDI timing (timebase and measure/tick conversion).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "devices/MeasurePosition.h"
#include "devices/SongText.h"

class SongInfo {
public:
    virtual ~SongInfo() = default;

    // Ticks per quarter note; 0 when unknown.
    virtual std::uint16_t GetTimebase() const = 0;
    // Copies the title into text (Shift-JIS, cut to capacity - 1 bytes and terminated; text is set
    // empty first). Answers -1 when there is no title, else the number of bytes copied.
    virtual int GetTitle(char* text, std::size_t capacity) const = 0;
    // As GetTitle for the second line: the copyright notice of a MIDI file, the memo of a
    // Recomposer file.
    virtual int GetComment(char* text, std::size_t capacity) const = 0;
    // Fills position for the start of a measure (measures count from 0). Nonzero on success; 0
    // leaves position untouched.
    virtual int MeasureToPosition(MeasurePosition& position, std::uint32_t measure) const = 0;
    // Fills position for a tick. Nonzero on success; 0 leaves position untouched.
    virtual int PositionToMeasure(MeasurePosition& position, std::uint32_t tick) const = 0;

    // 1 only for a reader that holds a full MIDI sequence with its measure map.
    std::int32_t hasSequence = 0;
};
