// A Recomposer song read into memory: the header fields the converter needs and every track's
// events, from either layout (2.0: 4-byte events; 3.0: 6-byte events).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class RcpLayout { kV2, kV3 };

// One event as stored; the fields are named as the format names them.
struct RcpEvent {
    std::uint8_t command = 0;  // 00-7F a note, 80-FF a command
    std::uint8_t p2 = 0;       // velocity or second parameter
    std::uint16_t p0 = 0;      // delay to the next event (commands F0-FF use it as a value)
    std::uint16_t p1 = 0;      // gate time or first parameter
    // The parameter bytes in file order (3 in the 2.0 layout, 5 in the 3.0 layout): comment and
    // exclusive continuations carry data in all of them.
    std::array<std::uint8_t, 5> raw{};
    std::uint8_t rawCount = 0;
};

struct RcpTrack {
    std::uint8_t rhythm = 0;     // 0x80: a rhythm track, never transposed
    std::uint8_t channel = 0;    // 0xFF none; 0x00-0x0F port A; 0x10-0x1F port B
    std::uint8_t key = 0;        // transposition in 7-bit two's complement; bit 7 set: none
    std::int8_t stepOffset = 0;  // ticks added to every event of the track
    bool mute = false;
    std::string name;
    std::vector<RcpEvent> events;
};

struct RcpSong {
    RcpLayout layout = RcpLayout::kV2;
    std::string title;
    // The memo's lines, trailing blanks cut, empty lines kept.
    std::vector<std::string> memoLines;
    std::uint16_t timebase = 0;
    std::uint16_t tempo = 0;  // beats per minute
    std::uint8_t numerator = 4;
    std::uint8_t denominator = 4;
    std::uint8_t keySignature = 0;
    std::string cm6Name;
    std::string gsdName;   // port A
    std::string gsdNameB;  // port B (3.0 layout only)
    // The eight user exclusive messages without their leading F0, up to their F7.
    std::array<std::vector<std::uint8_t>, 8> userExclusive;
    std::vector<RcpTrack> tracks;

    // Size of a track's header in bytes; repeat-measure offsets of the 2.0 layout count from it.
    std::size_t TrackHeaderBytes() const { return layout == RcpLayout::kV2 ? 0x2C : 0x2E; }
};

enum class RcpReadResult { kOk, kNotRecomposer, kTruncatedHeader, kBadTimebase };

// Reads a song from the file's bytes. Tracks that run past the end of the file are cut to what it
// holds; a file that ends inside the header, or has timebase 0 (or one a MIDI file cannot hold), is refused.
RcpReadResult ReadRcpSong(const std::uint8_t* data, std::size_t size, RcpSong& song);

// Which layout the bytes start with, if either.
bool DetectRcpLayout(const std::uint8_t* data, std::size_t size, RcpLayout& layout);
