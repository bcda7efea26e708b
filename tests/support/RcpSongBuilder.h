// Builds Recomposer songs of either layout for tests, benchmarks and fuzz seeds, and reads the
// events of a Standard MIDI File back for checking what a conversion wrote.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "songfiles/RcpSong.h"

struct RcpSongBuilder {
    struct Track {
        std::uint8_t channel = 0;
        std::uint8_t key = 0;
        std::uint8_t stepOffset = 0;
        std::uint8_t mute = 0;
        std::uint8_t rhythm = 0;
        std::string name;
        std::string events;
        // Adds the stated length this much larger than the bytes written (a track that claims
        // more than the file holds).
        std::uint32_t lengthAdjust = 0;
    };

    RcpLayout layout = RcpLayout::kV2;
    std::uint16_t timebase = 48;
    std::uint16_t tempo = 120;
    std::uint8_t numerator = 4;
    std::uint8_t denominator = 4;
    std::uint8_t keySignature = 0;
    std::uint16_t trackCountField = 0;  // 0: the number of tracks added
    std::string title;
    std::vector<std::string> memoLines;
    std::string cm6Name;
    std::string gsdName;
    std::array<std::string, 8> userExclusive;  // data without F0, F7 added by the builder
    std::vector<Track> tracks;

    explicit RcpSongBuilder(RcpLayout layout = RcpLayout::kV2) : layout(layout) {}

    Track& AddTrack(std::uint8_t channel, const std::string& name = "") {
        tracks.emplace_back();
        tracks.back().channel = channel;
        tracks.back().name = name;
        return tracks.back();
    }

    std::size_t EventBytes() const { return layout == RcpLayout::kV2 ? 4 : 6; }
    std::size_t TrackHeaderBytes() const { return layout == RcpLayout::kV2 ? 0x2C : 0x2E; }

    // One event in the layout's byte order.
    std::string Event(std::uint8_t command, std::uint16_t p0, std::uint16_t p1, std::uint8_t p2) const {
        std::string bytes(1, static_cast<char>(command));
        if (layout == RcpLayout::kV2) {
            bytes += {static_cast<char>(p0), static_cast<char>(p1), static_cast<char>(p2)};
        } else {
            bytes += {static_cast<char>(p2), static_cast<char>(p0), static_cast<char>(p0 >> 8), static_cast<char>(p1),
                      static_cast<char>(p1 >> 8)};
        }
        return bytes;
    }
    // An event whose parameter bytes are given in file order (continuations, comments).
    std::string RawEvent(std::uint8_t command, const std::string& parameters) const {
        std::string bytes(1, static_cast<char>(command));
        bytes += parameters;
        bytes.resize(EventBytes(), '\0');
        return bytes;
    }
    std::string Note(std::uint8_t key, std::uint16_t delay, std::uint16_t gate, std::uint8_t velocity) const {
        return Event(key, delay, gate, velocity);
    }
    // A repeat of the measure starting at event number eventIndex of the track.
    std::string RepeatMeasure(std::size_t eventIndex) const {
        if (layout == RcpLayout::kV2) {
            const std::size_t offset = TrackHeaderBytes() + eventIndex * 4;
            return Event(0xFC, 0, static_cast<std::uint16_t>(offset & 0xFF), static_cast<std::uint8_t>(offset >> 8));
        }
        return Event(0xFC, 0, static_cast<std::uint16_t>(eventIndex + 0x30), 0);
    }
    std::string End() const { return Event(0xFE, 0, 0, 0); }

    std::string Build() const {
        const bool v2 = layout == RcpLayout::kV2;
        std::string bytes(v2 ? 0x586 : 0xC98, '\0');
        auto put = [&bytes](std::size_t offset, const std::string& text, std::size_t width, char fill) {
            std::string field = text.substr(0, width);
            field.resize(width, fill);
            bytes.replace(offset, width, field);
        };
        auto put16 = [&bytes](std::size_t offset, std::uint16_t value) {
            bytes[offset] = static_cast<char>(value);
            bytes[offset + 1] = static_cast<char>(value >> 8);
        };
        const std::uint16_t trackCount =
            trackCountField != 0 ? trackCountField : static_cast<std::uint16_t>(tracks.size());
        if (v2) {
            put(0, std::string("RCM-PC98V2.0(C)COME ON MUSIC\r\n", 30), 32, '\0');
            put(0x20, title, 0x40, ' ');
            for (std::size_t i = 0; i < memoLines.size() && i < 12; ++i) {
                put(0x60 + i * 0x1C, memoLines[i], 0x1C, ' ');
            }
            bytes[0x1C0] = static_cast<char>(timebase);
            bytes[0x1E7] = static_cast<char>(timebase >> 8);
            bytes[0x1C1] = static_cast<char>(tempo);
            bytes[0x1C2] = static_cast<char>(numerator);
            bytes[0x1C3] = static_cast<char>(denominator);
            bytes[0x1C4] = static_cast<char>(keySignature);
            put(0x1C6, cm6Name, 16, ' ');
            put(0x1D6, gsdName, 16, ' ');
            bytes[0x1E6] = static_cast<char>(trackCount);
        } else {
            put(0, "COME ON MUSIC RECOMPOSER RCP3.0", 32, '\0');
            put(0x20, title, 0x80, ' ');
            for (std::size_t i = 0; i < memoLines.size() && i < 12; ++i) {
                put(0xA0 + i * 0x1E, memoLines[i], 0x1E, ' ');
            }
            put16(0x208, trackCount);
            put16(0x20A, timebase);
            put16(0x20C, tempo);
            bytes[0x20E] = static_cast<char>(numerator);
            bytes[0x20F] = static_cast<char>(denominator);
            bytes[0x210] = static_cast<char>(keySignature);
            put(0x298, gsdName, 16, ' ');
            put(0x2B8, cm6Name, 16, ' ');
        }
        const std::size_t exclusiveOffset = v2 ? 0x406 : 0xB18;
        for (std::size_t i = 0; i < 8; ++i) {
            put(exclusiveOffset + i * 0x30 + 0x18, userExclusive[i], 0x18, '\xF7');
        }
        for (const Track& track : tracks) {
            const std::uint32_t length =
                static_cast<std::uint32_t>(TrackHeaderBytes() + track.events.size()) + track.lengthAdjust;
            std::string header;
            header += {static_cast<char>(length), static_cast<char>(length >> 8)};
            if (!v2) {
                header += {static_cast<char>(length >> 16), static_cast<char>(length >> 24)};
            }
            header += {1,
                       static_cast<char>(track.rhythm),
                       static_cast<char>(track.channel),
                       static_cast<char>(track.key),
                       static_cast<char>(track.stepOffset),
                       static_cast<char>(track.mute)};
            std::string name = track.name.substr(0, 0x24);
            name.resize(0x24, ' ');
            bytes += header + name + track.events;
        }
        return bytes;
    }
};

// One event of a Standard MIDI File: its track, absolute tick and bytes (status first; meta
// events as FF type data, exclusive messages as F0 data with their F7).
struct SmfEventRecord {
    std::size_t track;
    std::uint32_t tick;
    std::vector<std::uint8_t> bytes;
};

// Reads every event of a well-formed SMF; an empty list when it is not one.
inline std::vector<SmfEventRecord> ReadSmfEvents(const std::vector<std::uint8_t>& smf) {
    std::vector<SmfEventRecord> events;
    auto be32 = [&smf](std::size_t at) {
        return (std::uint32_t{smf[at]} << 24) | (smf[at + 1] << 16) | (smf[at + 2] << 8) | smf[at + 3];
    };
    if (smf.size() < 14) {
        return events;
    }
    std::size_t at = 8 + be32(4);
    for (std::size_t track = 0; at + 8 <= smf.size(); ++track) {
        const std::size_t end = at + 8 + be32(at + 4);
        std::size_t p = at + 8;
        std::uint32_t tick = 0;
        std::uint8_t running = 0;
        auto varLen = [&]() {
            std::uint32_t value = 0;
            while (p < end) {
                const std::uint8_t byte = smf[p++];
                value = (value << 7) | (byte & 0x7F);
                if ((byte & 0x80) == 0) {
                    break;
                }
            }
            return value;
        };
        while (p < end && end <= smf.size()) {
            tick += varLen();
            SmfEventRecord event{track, tick, {}};
            std::uint8_t status = smf[p];
            if (status < 0x80) {
                status = running;
            } else {
                ++p;
            }
            event.bytes.push_back(status);
            if (status == 0xFF) {
                event.bytes.push_back(smf[p++]);
                const std::uint32_t length = varLen();
                event.bytes.insert(event.bytes.end(), smf.begin() + p, smf.begin() + p + length);
                p += length;
            } else if (status == 0xF0 || status == 0xF7) {
                const std::uint32_t length = varLen();
                event.bytes.insert(event.bytes.end(), smf.begin() + p, smf.begin() + p + length);
                p += length;
            } else {
                running = status;
                const int count = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
                event.bytes.insert(event.bytes.end(), smf.begin() + p, smf.begin() + p + count);
                p += count;
            }
            events.push_back(std::move(event));
        }
        at = end;
    }
    return events;
}
