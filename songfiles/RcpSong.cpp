// Reads both Recomposer layouts into the song model.
#include "songfiles/RcpSong.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kV2Identification[] = "RCM-PC98V2.0(C)COME ON MUSIC\r\n\0";
constexpr char kV3Identification[] = "COME ON MUSIC RECOMPOSER RCP3.0";
constexpr std::size_t kIdentificationBytes = 32;
static_assert(sizeof kV2Identification == kIdentificationBytes, "2.0 identification is 32 bytes");
static_assert(sizeof kV3Identification == kIdentificationBytes, "3.0 identification is 32 bytes");

// Where the fields of each layout's header lie.
struct HeaderLayout {
    std::size_t titleOffset, titleBytes;
    std::size_t memoOffset, memoLineBytes;
    std::size_t cm6Offset, gsdOffset, gsdBOffset;  // gsdBOffset 0: none
    std::size_t userExclusiveOffset;
    std::size_t trackDataOffset;
    std::size_t eventBytes;
};

constexpr HeaderLayout kV2Header = {0x20, 0x40, 0x60, 0x1C, 0x1C6, 0x1D6, 0, 0x406, 0x586, 4};
constexpr HeaderLayout kV3Header = {0x20, 0x80, 0xA0, 0x1E, 0x2B8, 0x298, 0x2A8, 0xB18, 0xC98, 6};
constexpr std::size_t kMemoLines = 12;
constexpr std::size_t kControlNameBytes = 16;
constexpr std::size_t kMaxTracks = 36;

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// A fixed text field up to its first zero, trailing blanks and tabs cut.
std::string TextField(const std::uint8_t* field, std::size_t bytes) {
    const std::uint8_t* end = std::find(field, field + bytes, 0);
    std::string text(field, end);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.pop_back();
    }
    return text;
}

void ReadHeaderTexts(const std::uint8_t* data, const HeaderLayout& header, RcpSong& song) {
    song.title = TextField(data + header.titleOffset, header.titleBytes);
    for (std::size_t line = 0; line < kMemoLines; ++line) {
        song.memoLines.push_back(
            TextField(data + header.memoOffset + line * header.memoLineBytes, header.memoLineBytes));
    }
    while (!song.memoLines.empty() && song.memoLines.back().empty()) {
        song.memoLines.pop_back();
    }
    song.cm6Name = TextField(data + header.cm6Offset, kControlNameBytes);
    song.gsdName = TextField(data + header.gsdOffset, kControlNameBytes);
    if (header.gsdBOffset != 0) {
        song.gsdNameB = TextField(data + header.gsdBOffset, kControlNameBytes);
    }
    for (std::size_t i = 0; i < song.userExclusive.size(); ++i) {
        // 24 bytes of name, then 24 bytes of data padded with F7.
        const std::uint8_t* message = data + header.userExclusiveOffset + i * 0x30 + 0x18;
        const std::uint8_t* end = std::find(message, message + 0x18, 0xF7);
        song.userExclusive[i].assign(message, end);
    }
}

RcpEvent DecodeEvent(const std::uint8_t* p, RcpLayout layout) {
    RcpEvent event;
    event.command = p[0];
    if (layout == RcpLayout::kV2) {
        event.p0 = p[1];
        event.p1 = p[2];
        event.p2 = p[3];
        event.rawCount = 3;
    } else {
        event.p2 = p[1];
        event.p0 = Le16(p + 2);
        event.p1 = Le16(p + 4);
        event.rawCount = 5;
    }
    std::copy(p + 1, p + 1 + event.rawCount, event.raw.begin());
    return event;
}

// Reads the tracks that follow the header; a track cut by the end of the file keeps what it holds
// and ends the list.
void ReadTracks(const std::uint8_t* data,
                std::size_t size,
                const HeaderLayout& header,
                std::size_t trackCount,
                RcpSong& song) {
    const std::size_t headerBytes = song.TrackHeaderBytes();
    std::size_t position = header.trackDataOffset;
    for (std::size_t t = 0; t < trackCount && size - position >= headerBytes; ++t) {
        const std::uint8_t* p = data + position;
        const std::size_t stated = song.layout == RcpLayout::kV2 ? Le16(p) : Le32(p);
        const std::size_t lengthField = song.layout == RcpLayout::kV2 ? 2 : 4;
        if (stated < headerBytes) {
            break;  // no room for the header it must hold: nothing after it can be trusted
        }
        const std::size_t length = std::min(stated, size - position);
        RcpTrack track;
        track.rhythm = p[lengthField + 1];
        track.channel = p[lengthField + 2];
        track.key = p[lengthField + 3];
        track.stepOffset = static_cast<std::int8_t>(p[lengthField + 4]);
        track.mute = p[lengthField + 5] == 1;
        track.name = TextField(p + lengthField + 6, 0x24);
        const std::size_t eventCount = (length - headerBytes) / header.eventBytes;
        track.events.reserve(eventCount);
        for (std::size_t e = 0; e < eventCount; ++e) {
            track.events.push_back(DecodeEvent(p + headerBytes + e * header.eventBytes, song.layout));
        }
        song.tracks.push_back(std::move(track));
        if (length < stated) {
            break;
        }
        position += length;
    }
}

}  // namespace

bool DetectRcpLayout(const std::uint8_t* data, std::size_t size, RcpLayout& layout) {
    if (size < kIdentificationBytes) {
        return false;
    }
    if (std::memcmp(data, kV2Identification, kIdentificationBytes) == 0) {
        layout = RcpLayout::kV2;
        return true;
    }
    if (std::memcmp(data, kV3Identification, kIdentificationBytes) == 0) {
        layout = RcpLayout::kV3;
        return true;
    }
    return false;
}

RcpReadResult ReadRcpSong(const std::uint8_t* data, std::size_t size, RcpSong& song) {
    song = RcpSong();
    if (!DetectRcpLayout(data, size, song.layout)) {
        return RcpReadResult::kNotRecomposer;
    }
    const HeaderLayout& header = song.layout == RcpLayout::kV2 ? kV2Header : kV3Header;
    if (size < header.trackDataOffset) {
        return RcpReadResult::kTruncatedHeader;
    }
    std::size_t trackCount = 0;
    if (song.layout == RcpLayout::kV2) {
        song.timebase = static_cast<std::uint16_t>(data[0x1C0] | (data[0x1E7] << 8));
        song.tempo = data[0x1C1];
        song.numerator = data[0x1C2];
        song.denominator = data[0x1C3];
        song.keySignature = data[0x1C4];
        // The oldest files leave the count 0 and always hold 18 tracks.
        trackCount = data[0x1E6] == 0 ? 18 : data[0x1E6];
    } else {
        trackCount = Le16(data + 0x208);
        song.timebase = Le16(data + 0x20A);
        song.tempo = Le16(data + 0x20C);
        song.numerator = data[0x20E];
        song.denominator = data[0x20F];
        song.keySignature = data[0x210];
    }
    // A MIDI file's division keeps its top bit for time-code divisions.
    if (song.timebase == 0 || song.timebase > 0x7FFF) {
        return RcpReadResult::kBadTimebase;
    }
    // Zero meter bytes stand for the common 4.
    song.numerator = song.numerator != 0 ? song.numerator : 4;
    song.denominator = song.denominator != 0 ? song.denominator : 4;
    ReadHeaderTexts(data, header, song);
    ReadTracks(data, size, header, std::min(trackCount, kMaxTracks), song);
    return RcpReadResult::kOk;
}
