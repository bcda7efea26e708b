// A timing-only device over a loaded MIDI sequence.
#include "devices/SequenceDevice.h"

int SequenceDevice::Open(const char* fileName) {
    Close();
    sequence.LoadFile(fileName);
    return Opened();
}

int SequenceDevice::OpenBytes(const std::uint8_t* data, std::size_t size) {
    Close();
    sequence.LoadBytes(data, size);
    return Opened();
}

int SequenceDevice::Opened() {
    if (!sequence.IsLoaded()) {
        return 0;
    }
    isOpen = 1;
    mode = kModeStop;
    deviceType = kDeviceTypeSequencer;
    lengthMs =
        static_cast<std::int32_t>(sequence.TotalTime() / 1000 > 0x7FFFFFFF ? 0x7FFFFFFF : sequence.TotalTime() / 1000);
    timebase = sequence.GetDivision();
    return 1;
}

void SequenceDevice::Close() {
    isOpen = 0;
    lengthMs = 0;
    deviceType = 0;
    timebase = 0;
    mode = kModeNotReady;
    positionMs = 0;
    tickPosition = 0;
}

int SequenceDevice::Play() {
    if (!isOpen) {
        return 0;
    }
    mode = kModePlay;
    return 1;
}

int SequenceDevice::Stop() {
    if (!isOpen) {
        return 0;
    }
    mode = kModeStop;
    positionMs = 0;
    tickPosition = 0;
    return 1;
}

int SequenceDevice::Pause() {
    if (!isOpen) {
        return 0;
    }
    mode = kModePause;
    return 1;
}

int SequenceDevice::Seek(std::uint32_t milliseconds) {
    if (!isOpen) {
        return 0;
    }
    positionMs = milliseconds;
    return static_cast<int>(positionMs > 0x7FFFFFFF ? 0x7FFFFFFF : positionMs);
}

int SequenceDevice::MeasureToPosition(MeasurePosition& position, std::int32_t measure) {
    if (!isOpen || measure < 0) {
        return 0;
    }
    position.tick = sequence.MeasureToTick(static_cast<std::uint32_t>(measure));
    position.measure = static_cast<std::uint32_t>(measure);
    position.tickInMeasure = 0;
    position.ticksPerMeasure = sequence.TickToMeasure(position.tick).ticksPerMeasure;
    return 1;
}

int SequenceDevice::PositionToMeasure(MeasurePosition& position, std::int32_t tick) {
    if (!isOpen || tick < 0) {
        return 0;
    }
    const auto at = sequence.TickToMeasure(static_cast<std::uint32_t>(tick));
    position.tick = static_cast<std::uint32_t>(tick);
    position.measure = at.measure;
    position.tickInMeasure = static_cast<std::uint32_t>(tick) - sequence.MeasureToTick(at.measure);
    position.ticksPerMeasure = at.ticksPerMeasure;
    return 1;
}
