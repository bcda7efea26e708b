// Collects timed MIDI events per track and writes them as a Standard MIDI File of format 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Events of one track, added in any order; the writer orders them by tick, then note-offs before
// everything else at the same tick (a note ending where the next one on its key starts must not
// cut that one), then in the order they were added.
class SmfTrackEvents {
public:
    // The largest tick an event may have: delta times must fit their four-byte encoding.
    static constexpr std::uint32_t kMaxTick = 0x0FFFFFFF;

    void Channel(std::uint32_t tick, std::uint8_t status, std::uint8_t data1);
    void Channel(std::uint32_t tick, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void NoteOff(std::uint32_t tick, std::uint8_t channel, std::uint8_t key);
    void Meta(std::uint32_t tick, std::uint8_t type, const std::string& data);
    void Tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter);
    // A system-exclusive message; message starts with F0 and ends with F7.
    void Exclusive(std::uint32_t tick, const std::vector<std::uint8_t>& message);

    std::size_t Count() const { return events.size(); }
    bool HasMessages() const { return messageCount != 0; }
    std::uint32_t LastTick() const { return lastTick; }

    // Appends the track's MTrk chunk (events in order, ended by an end-of-track event).
    void WriteChunk(std::vector<std::uint8_t>& out);

private:
    struct Event {
        std::uint32_t tick;
        std::uint32_t order;  // 0 note-off, 1 everything else
        std::uint32_t sequence;
        std::uint32_t offset;  // into bytes
        std::uint32_t length;
    };
    void Add(std::uint32_t tick, std::uint32_t order, const std::uint8_t* data, std::size_t length, bool message);

    std::vector<Event> events;
    std::vector<std::uint8_t> bytes;
    std::size_t messageCount = 0;
    std::uint32_t lastTick = 0;
};

// Writes the header (format 1, the given division) and every track.
std::vector<std::uint8_t> WriteSmf(std::uint16_t division, std::vector<SmfTrackEvents>& tracks);

// Appends a variable-length quantity.
void AppendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value);
