// Standard MIDI File writing: events kept in one byte pool per track, sorted once when written.
#include "songfiles/SmfWriter.h"

#include <algorithm>

void AppendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0 && count < 5);
    while (count > 1) {
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    }
    out.push_back(groups[0]);
}

void SmfTrackEvents::Add(std::uint32_t tick,
                         std::uint32_t order,
                         const std::uint8_t* data,
                         std::size_t length,
                         bool message) {
    tick = std::min(tick, kMaxTick);
    events.push_back({tick, order, static_cast<std::uint32_t>(events.size()), static_cast<std::uint32_t>(bytes.size()),
                      static_cast<std::uint32_t>(length)});
    bytes.insert(bytes.end(), data, data + length);
    messageCount += message ? 1 : 0;
    lastTick = std::max(lastTick, tick);
}

void SmfTrackEvents::Channel(std::uint32_t tick, std::uint8_t status, std::uint8_t data1) {
    const std::uint8_t message[] = {status, static_cast<std::uint8_t>(data1 & 0x7F)};
    Add(tick, 1, message, sizeof message, true);
}

void SmfTrackEvents::Channel(std::uint32_t tick, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
    const std::uint8_t message[] = {status, static_cast<std::uint8_t>(data1 & 0x7F),
                                    static_cast<std::uint8_t>(data2 & 0x7F)};
    Add(tick, 1, message, sizeof message, true);
}

void SmfTrackEvents::NoteOff(std::uint32_t tick, std::uint8_t channel, std::uint8_t key) {
    // A note-on with velocity 0, as sequencers write a note's end.
    const std::uint8_t message[] = {static_cast<std::uint8_t>(0x90 | (channel & 0x0F)),
                                    static_cast<std::uint8_t>(key & 0x7F), 0};
    Add(tick, 0, message, sizeof message, true);
}

void SmfTrackEvents::Meta(std::uint32_t tick, std::uint8_t type, const std::string& data) {
    std::vector<std::uint8_t> event = {0xFF, type};
    AppendVarLen(event, static_cast<std::uint32_t>(data.size()));
    event.insert(event.end(), data.begin(), data.end());
    Add(tick, 1, event.data(), event.size(), false);
}

void SmfTrackEvents::Tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter) {
    const std::uint32_t value = std::clamp<std::uint32_t>(microsecondsPerQuarter, 1, 0xFFFFFF);
    const std::uint8_t event[] = {0xFF,
                                  0x51,
                                  3,
                                  static_cast<std::uint8_t>(value >> 16),
                                  static_cast<std::uint8_t>(value >> 8),
                                  static_cast<std::uint8_t>(value)};
    Add(tick, 1, event, sizeof event, false);
}

void SmfTrackEvents::Exclusive(std::uint32_t tick, const std::vector<std::uint8_t>& message) {
    if (message.size() < 2) {
        return;
    }
    // Stored as the file holds it: F0, the length of the rest, the rest (F7 included).
    std::vector<std::uint8_t> event = {0xF0};
    AppendVarLen(event, static_cast<std::uint32_t>(message.size() - 1));
    event.insert(event.end(), message.begin() + 1, message.end());
    Add(tick, 1, event.data(), event.size(), true);
}

void SmfTrackEvents::WriteChunk(std::vector<std::uint8_t>& out) {
    std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        if (a.tick != b.tick) {
            return a.tick < b.tick;
        }
        return a.order != b.order ? a.order < b.order : a.sequence < b.sequence;
    });
    const std::size_t start = out.size();
    out.insert(out.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
    std::uint32_t tick = 0;
    for (const Event& event : events) {
        AppendVarLen(out, event.tick - tick);
        tick = event.tick;
        out.insert(out.end(), bytes.begin() + event.offset, bytes.begin() + event.offset + event.length);
    }
    out.insert(out.end(), {0x00, 0xFF, 0x2F, 0x00});
    const std::size_t length = out.size() - start - 8;
    for (int i = 0; i < 4; ++i) {
        out[start + 4 + i] = static_cast<std::uint8_t>(length >> (24 - 8 * i));
    }
}

std::vector<std::uint8_t> WriteSmf(std::uint16_t division, std::vector<SmfTrackEvents>& tracks) {
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    out.push_back(static_cast<std::uint8_t>(tracks.size() >> 8));
    out.push_back(static_cast<std::uint8_t>(tracks.size()));
    out.push_back(static_cast<std::uint8_t>(division >> 8));
    out.push_back(static_cast<std::uint8_t>(division));
    for (SmfTrackEvents& track : tracks) {
        track.WriteChunk(out);
    }
    return out;
}
