// Song information backed by a fully loaded MIDI sequence and its measure map.
#include "songfiles/SequenceSongInfo.h"

SequenceSongInfo::SequenceSongInfo(const char* path) {
    hasSequence = 1;
    sequence.LoadFile(path);
}

SequenceSongInfo::SequenceSongInfo(const std::uint8_t* data, std::size_t size) {
    hasSequence = 1;
    sequence.LoadBytes(data, size);
}

int SequenceSongInfo::GetTitle(char* text, std::size_t capacity) const {
    return sequence.GetTitle(text, capacity);
}

int SequenceSongInfo::GetComment(char* text, std::size_t capacity) const {
    return sequence.GetNotice(text, capacity);
}

int SequenceSongInfo::MeasureToPosition(MeasurePosition& position, std::uint32_t measure) const {
    if (!sequence.IsLoaded()) {
        return 0;
    }
    position.tick = sequence.MeasureToTick(measure);
    position.measure = measure;
    position.tickInMeasure = 0;
    position.ticksPerMeasure = sequence.TickToMeasure(position.tick).ticksPerMeasure;
    return 1;
}

int SequenceSongInfo::PositionToMeasure(MeasurePosition& position, std::uint32_t tick) const {
    if (!sequence.IsLoaded()) {
        return 0;
    }
    const MeasureAtTick at = sequence.TickToMeasure(tick);
    position.tick = tick;
    position.measure = at.measure;
    position.tickInMeasure = tick - sequence.MeasureToTick(at.measure);
    position.ticksPerMeasure = at.ticksPerMeasure;
    return 1;
}
