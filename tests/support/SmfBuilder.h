// Builds Standard MIDI File bytes for tests, benchmarks and fuzz targets: a header and tracks of
// events, each event written with its delta time. Nothing is checked, so broken files are easy.
// The small songs several tests share are made here too (TinySmf, TitledSmf).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class SmfBuilder {
public:
    SmfBuilder(std::uint16_t format, std::uint16_t division) : format(format), division(division) {}

    static std::string VarLen(std::uint32_t value) {
        std::string bytes(1, static_cast<char>(value & 0x7F));
        while ((value >>= 7) != 0) {
            bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
        }
        return bytes;
    }

    // Starts a new track; the following events go into it.
    SmfBuilder& Track() {
        tracks.emplace_back();
        return *this;
    }
    // Raw bytes at the end of the current track (no delta time).
    SmfBuilder& Raw(const std::string& bytes) {
        tracks.back() += bytes;
        return *this;
    }
    SmfBuilder& Event(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes) {
        tracks.back() += VarLen(delta);
        for (std::uint8_t byte : bytes) {
            tracks.back() += static_cast<char>(byte);
        }
        return *this;
    }
    SmfBuilder& Meta(std::uint32_t delta, std::uint8_t type, const std::string& data) {
        tracks.back() +=
            VarLen(delta) + '\xFF' + static_cast<char>(type) + VarLen(static_cast<std::uint32_t>(data.size()));
        tracks.back() += data;
        return *this;
    }
    SmfBuilder& Title(std::uint32_t delta, const std::string& text) { return Meta(delta, 0x03, text); }
    SmfBuilder& Notice(std::uint32_t delta, const std::string& text) { return Meta(delta, 0x02, text); }
    SmfBuilder& Tempo(std::uint32_t delta, std::uint32_t microseconds) {
        return Meta(delta, 0x51,
                    std::string{static_cast<char>(microseconds >> 16), static_cast<char>(microseconds >> 8),
                                static_cast<char>(microseconds)});
    }
    SmfBuilder& TimeSignature(std::uint32_t delta, std::uint8_t numerator, std::uint8_t power) {
        return Meta(delta, 0x58, std::string{static_cast<char>(numerator), static_cast<char>(power), 24, 8});
    }
    SmfBuilder& NoteOn(std::uint32_t delta, std::uint8_t key) { return Event(delta, {0x90, key, 100}); }
    SmfBuilder& EndOfTrack(std::uint32_t delta = 0) { return Meta(delta, 0x2F, ""); }
    // Writes this track count in the header instead of the number of tracks built.
    SmfBuilder& HeaderTrackCount(std::uint16_t count) {
        trackCountOverride = count;
        return *this;
    }

    std::string Build() const {
        std::string bytes = "MThd" + BigEndian32(6) + BigEndian16(format);
        bytes += BigEndian16(trackCountOverride >= 0 ? static_cast<std::uint16_t>(trackCountOverride)
                                                     : static_cast<std::uint16_t>(tracks.size()));
        bytes += BigEndian16(division);
        for (const std::string& track : tracks) {
            bytes += "MTrk" + BigEndian32(static_cast<std::uint32_t>(track.size())) + track;
        }
        return bytes;
    }

    static std::string BigEndian16(std::uint16_t value) {
        return std::string{static_cast<char>(value >> 8), static_cast<char>(value)};
    }
    static std::string BigEndian32(std::uint32_t value) {
        return BigEndian16(static_cast<std::uint16_t>(value >> 16)) + BigEndian16(static_cast<std::uint16_t>(value));
    }

private:
    std::uint16_t format;
    std::uint16_t division;
    int trackCountOverride = -1;
    std::vector<std::string> tracks;
};

// Format 0, one track: a tempo, a 4/4 meter, one note held from tick 0 and released at endTick,
// then the end of the track.
inline std::string TinySmf(std::uint16_t division,
                           std::uint32_t endTick,
                           std::uint32_t microsecondsPerQuarter = 500000) {
    return SmfBuilder(0, division)
        .Track()
        .Tempo(0, microsecondsPerQuarter)
        .TimeSignature(0, 4, 2)
        .Event(0, {0x90, 0x3C, 0x40})
        .Event(endTick, {0x80, 0x3C, 0x40})
        .EndOfTrack()
        .Build();
}

// Format 0, division 480, one track: a copyright notice (when given), a title (when given), one
// short note and the end of the track, for the title lookup.
inline std::string TitledSmf(const std::string& title, const std::string& notice = std::string()) {
    SmfBuilder builder(0, 480);
    builder.Track();
    if (!notice.empty()) {
        builder.Notice(0, notice);
    }
    if (!title.empty()) {
        builder.Title(0, title);
    }
    return builder.Event(0, {0x90, 0x3C, 0x40}).Event(0x60, {0x80, 0x3C, 0x00}).EndOfTrack().Build();
}
