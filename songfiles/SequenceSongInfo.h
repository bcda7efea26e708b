// Song information from a fully loaded MIDI sequence: its texts, division and measure map.
#pragma once

#include <cstddef>
#include <cstdint>

#include "devices/MidiSequence.h"
#include "songfiles/SongInfo.h"

class SequenceSongInfo : public SongInfo {
public:
    // Loads the sequence; a failed load is kept and answered as a sequence that is not loaded.
    explicit SequenceSongInfo(const char* path);
    // Loads the sequence from the file's bytes.
    SequenceSongInfo(const std::uint8_t* data, std::size_t size);

    const MidiSequence& Sequence() const { return sequence; }

    std::uint16_t GetTimebase() const override { return sequence.GetDivision(); }
    int GetTitle(char* text, std::size_t capacity) const override;
    int GetComment(char* text, std::size_t capacity) const override;
    int MeasureToPosition(MeasurePosition& position, std::uint32_t measure) const override;
    int PositionToMeasure(MeasurePosition& position, std::uint32_t tick) const override;

private:
    MidiSequence sequence;
};
