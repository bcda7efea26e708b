// A device that plays nothing but answers for a MIDI song's timing from the program's own model of
// the file: its timebase and measure map. Tools and tests drive a WRD player with it; the song's
// tick is set by the caller.
#pragma once

#include <cstddef>
#include <cstdint>

#include "devices/MediaDevice.h"
#include "devices/MidiSequence.h"

class SequenceDevice final : public MediaDevice {
public:
    explicit SequenceDevice(OwnerWindow owner = nullptr) : MediaDevice(owner) {}
    ~SequenceDevice() { Close(); }

    // Loads the MIDI file through the active file system; nonzero when it is usable.
    int Open(const char* fileName) override;
    // The same from the file's bytes.
    int OpenBytes(const std::uint8_t* data, std::size_t size);
    void Close() override;
    int Play() override;
    int Stop() override;
    int Pause() override;
    // Only remembered; answers the position.
    int Seek(std::uint32_t milliseconds) override;
    int GetPosition() override { return isOpen ? static_cast<int>(positionMs) : 0; }
    int GetMode() override { return isOpen ? mode : kModeNotReady; }
    int GetTickPosition() override { return isOpen ? tickPosition : 0; }
    // Measure and tick conversions exactly as a sequencer song through MCI answers them.
    int MeasureToPosition(MeasurePosition& position, std::int32_t measure) override;
    int PositionToMeasure(MeasurePosition& position, std::int32_t tick) override;

    // The tick GetTickPosition answers from now on.
    void SetTickPosition(std::int32_t tick) { tickPosition = tick; }
    const MidiSequence& Sequence() const { return sequence; }

    // Ticks per quarter note of the open song; 0 while closed.
    std::uint16_t timebase = 0;

private:
    int Opened();

    MidiSequence sequence;
    int mode = kModeNotReady;
    std::uint32_t positionMs = 0;
    std::int32_t tickPosition = 0;
};
