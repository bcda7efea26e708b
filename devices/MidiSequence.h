// The program's own model of a Standard MIDI File: loads and checks it completely, and derives its
// tempo, texts, length and measure map (time-signature stretches that turn ticks into measures).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One MTrk chunk and the scan's place in it.
struct SmfTrack {
    std::vector<std::uint8_t> data;      // the chunk's bytes
    std::uint32_t readOffset = 0;        // the next event's status byte
    std::uint32_t length = 0;            // bytes in use: cut to just after the end-of-track event
    std::uint64_t nextEventTick = 0;     // absolute tick of the event at readOffset
    std::uint8_t runningDataLength = 0;  // data bytes of the running status message; 0 before any
};

// measureCount consecutive measures of ticksPerMeasure ticks each.
struct MeasureSegment {
    std::uint32_t ticksPerMeasure = 0;
    std::uint32_t measureCount = 0;
};

// The measure, the tick inside it and its length for a tick of the song.
struct MeasureAtTick {
    std::uint32_t measure = 0;
    std::uint32_t tickInMeasure = 0;
    std::uint32_t ticksPerMeasure = 0;
};

class MidiSequence {
public:
    enum LoadStatus : std::int32_t {
        kLoaded = 0,
        kCannotOpen = 1,
        kNotUsable = 2,
        kOutOfMemory = 3,
    };
    // Segments the measure map holds; later time-signature changes are ignored (the last segment
    // runs to the end of the song).
    static constexpr std::size_t kMaxSegments = 128;
    // Files larger than this are not read.
    static constexpr std::size_t kMaxFileBytes = 256u << 20;

    // An empty sequence, not loaded (status kCannotOpen).
    MidiSequence() = default;
    // Loads the file through the active file system; check IsLoaded or LoadStatus.
    explicit MidiSequence(const char* path);
    MidiSequence(const MidiSequence&) = delete;
    MidiSequence& operator=(const MidiSequence&) = delete;

    // Loads (again) from a file or from the file's bytes; answers the new load status.
    std::int32_t LoadFile(const char* path);
    std::int32_t LoadBytes(const std::uint8_t* data, std::size_t size);

    bool IsLoaded() const { return isLoaded; }
    std::int32_t LoadStatus() const { return loadStatus; }
    std::uint16_t Format() const { return format; }
    std::uint16_t TrackCount() const { return trackCount; }
    std::uint16_t GetDivision() const { return division; }
    // Microseconds per quarter note at tick 0.
    std::uint32_t InitialTempo() const { return initialTempo; }
    // Tick of the last event + 1.
    std::uint32_t TotalTicks() const { return totalTicks; }
    // Song length in microseconds + 1 (64-bit: a long or slow song passes 2^32 microseconds).
    std::uint64_t TotalTime() const { return totalTime; }
    // Numerator, denominator power of two, MIDI clocks per click, 32nd notes per quarter at tick 0.
    const std::array<std::uint8_t, 4>& TimeSignature() const { return timeSignature; }
    std::uint32_t SegmentCount() const { return segmentCount; }
    const MeasureSegment& Segment(std::uint32_t index) const { return measureMap[index]; }

    // Copy the text of the first title (notice) event of track 0: text is emptied first; -1 when not
    // loaded or absent, else the bytes copied (cut to capacity - 1, terminated).
    int GetTitle(char* text, std::size_t capacity) const;
    int GetNotice(char* text, std::size_t capacity) const;

    // The first tick of a measure (measures count from 0); past the map, the map's end.
    std::uint32_t MeasureToTick(std::uint32_t measure) const;
    // The measure of a tick (ticks beyond the end answer for TotalTicks); ticksPerMeasure is 0 when
    // no segment holds the tick.
    MeasureAtTick TickToMeasure(std::uint32_t tick) const;

private:
    void Clear();
    std::int32_t Parse(const std::uint8_t* data, std::size_t size);
    bool Scan();
    bool ResetTracks();
    bool ProcessEvent(std::uint16_t trackIndex);
    bool ProcessMeta(SmfTrack& track, std::uint16_t trackIndex);
    void ApplyTimeSignature(const std::uint8_t* bytes);
    void CloseSegment();

    bool isLoaded = false;
    std::int32_t loadStatus = kCannotOpen;
    std::uint16_t format = 0;
    std::uint16_t trackCount = 0;
    std::uint16_t division = 0;
    std::vector<SmfTrack> tracks;
    std::uint32_t initialTempo = 500000;
    std::uint32_t tempo = 500000;
    bool hasTitle = false;
    bool hasNotice = false;
    std::string title;
    std::string noticeText;
    std::uint64_t totalTime = 0;
    std::uint32_t totalTicks = 0;
    std::array<MeasureSegment, kMaxSegments> measureMap = {};
    std::uint32_t segmentCount = 0;
    std::array<std::uint8_t, 4> timeSignature = {4, 2, 24, 8};
    std::uint64_t currentTick = 0;
    std::uint64_t currentTime = 0;
    // Scan state of the measure map: ticks since the last segment boundary (negative after a
    // stretch was rounded up to a whole measure), the running meter and the open segment.
    std::int64_t pending = 0;
    std::uint32_t ticksPerMeasure = 0;
    std::uint32_t segmentIndex = 0;
};
