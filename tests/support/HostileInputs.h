// Damaged and unusual files of every kind the player opens, for the hostile-input checks: the
// portable readers must refuse or read each cleanly, and the real player must pass over each
// while its window keeps answering. Every case found later gets a line here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/MagEncoder.h"
#include "tests/support/SmfBuilder.h"
#include "tests/support/SongFileBytes.h"
#include "tests/support/WaveBytes.h"

struct HostileInput {
    std::string name;   // the extension tells the player how to open it
    std::string bytes;
    bool mayPlay;  // true for the few that a player may legitimately play
};

namespace hostile {

inline std::string Text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A WAVE file with the given "fmt " fields and byte rate, and a little data.
inline std::string Wave(std::uint16_t tag,
                        std::uint16_t channels,
                        std::uint32_t rate,
                        std::uint32_t byteRate,
                        std::uint16_t blockAlign,
                        std::uint16_t bits) {
    std::vector<std::uint8_t> body;
    WaveBytes::Append16(body, tag);
    WaveBytes::Append16(body, channels);
    WaveBytes::Append32(body, rate);
    WaveBytes::Append32(body, byteRate);
    WaveBytes::Append16(body, blockAlign);
    WaveBytes::Append16(body, bits);
    return Text(WaveBytes().Chunk("fmt ", body).Data(4096).Build());
}

inline std::string BigEndian32Bytes(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8),
            static_cast<char>(value)};
}

// An MPEG-1 Layer III frame header (128 kbit/s, 44.1 kHz) followed by filler bytes.
inline std::string Mp3Frames(int frames, std::uint8_t bitrateIndex = 9, std::uint8_t rateIndex = 0) {
    std::string bytes;
    for (int i = 0; i < frames; ++i) {
        bytes += {'\xFF', '\xFB', static_cast<char>((bitrateIndex << 4) | (rateIndex << 2)), '\x00'};
        bytes += std::string(413, '\x55');
    }
    return bytes;
}

}  // namespace hostile

// Songs for one play list: each must be passed over (or, where well formed, played) without
// crashing or freezing the player.
inline std::vector<HostileInput> MakeHostileSongs() {
    using namespace hostile;
    std::vector<HostileInput> songs = {
        // WAVE formats no output can honestly take, and broken chunk layouts.
        {"zero_channels.wav", Wave(1, 0, 44100, 0, 0, 16), false},
        {"nine_channels.wav", Wave(1, 9, 44100, 44100 * 18, 18, 16), false},
        {"four_gigahertz.wav", Wave(1, 2, 4000000000u, 4000000000u, 4, 16), false},
        {"slow_rate.wav", Wave(1, 1, 999, 1998, 2, 16), false},
        {"twelve_bits.wav", Wave(1, 1, 22050, 44100, 2, 12), false},
        {"wrong_align.wav", Wave(1, 2, 44100, 176400, 3, 16), false},
        {"wrong_byte_rate.wav", Wave(1, 2, 44100, 1000, 4, 16), false},
        {"adpcm_zero_align.wav", Wave(2, 1, 22050, 11100, 0, 4), false},
        {"fmt_cut_short.wav", Text(WaveBytes().Format(1, 1, 22050, 2, 16, 10).Data(64).Build()), false},
        {"data_past_end.wav", Text(WaveBytes().Pcm16Stereo44k().Data(64).Build(100000)).substr(0, 60), false},
        {"no_format.wav", Text(WaveBytes().Data(4096).Build()), false},
        {"riff_only.wav", "RIFF", false},
        {"empty.wav", "", false},
        // MPEG audio: garbage, reserved header fields, a tag that lies about its size.
        {"garbage.mp3", std::string(8192, '\xA5'), false},
        {"reserved_bitrate.mp3", Mp3Frames(20, 15), false},
        {"reserved_rate.mp3", Mp3Frames(20, 9, 3), false},
        {"lying_tag.mp3", Id3v2TagBytes{3, false, false, 5000000, {}}.Build() + Mp3Frames(2), true},  // frames follow
        {"tag_only.mp3", Id3v2TagBytes{4, false, false, 0, {}}.Build(), false},
        {"one_frame_cut.mp3", Mp3Frames(1).substr(0, 100), true},  // a cut last frame is common
        // Standard MIDI files whose lengths and counts lie.
        {"many_tracks.mid", SmfBuilder(1, 480).HeaderTrackCount(1000).Track().EndOfTrack().Build(), false},
        {"track_past_end.mid", "MThd" + BigEndian32Bytes(6) + std::string("\0\0\0\1\1\xE0", 6) + "MTrk" +
                                   BigEndian32Bytes(0xFFFFFFFFu) + std::string("\0\x90\x3C\x40", 4), false},
        {"no_status.mid", SmfBuilder(0, 480).Track().Raw(std::string("\0\x3C\x40", 3)).EndOfTrack().Build(), false},
        {"zero_division.mid", TinySmf(0, 480), false},
        {"header_only.mid", "MThd" + BigEndian32Bytes(0xFFFFFFF0u), false},
        // Recomposer songs cut off or with impossible fields.
        {"cut_header.rcp", RcpFileBytes{"cut", "", 48, 4, 4, 100}.Build(), false},
        {"zero_timebase.rcp", RcpFileBytes{"zero", "", 0, 4, 4, 518}.Build(), false},
        // Not songs at all.
        {"text_as_song.mid", "This is not a song.\r\n", false},
        {"missing_song.wav", "", false},  // removed again by the writer: a list entry without its file
    };
    return songs;
}

// A short, well-formed song whose companions (the WRD script and its MAG picture) are damaged:
// the song plays; the script and picture must not take the player down.
inline std::vector<HostileInput> MakeHostileCompanions() {
    using namespace hostile;
    MagImage image;
    image.xStart = 600;
    image.xEnd = 8;  // end before start
    image.yEnd = 399;
    image.rows.assign(1, std::vector<std::uint8_t>(8, 3));
    std::vector<std::uint8_t> mag = EncodeMag(image);
    if (mag.size() > 40) {
        mag.resize(mag.size() - 20);  // pixels cut off
    }
    std::string script =
        "@COLOR(999)\r\n@LOCATE(-5,100000)\r\n@PAL(99,ZZZ)\r\n@WAIT(-1)\r\n@LOOP(2147483647)\r\n"
        "@FADE(0,0,99999999)\r\n@PLOAD(withwrd.mag)\r\n@MESSAGE(";
    script += std::string(5000, 'x');  // an unterminated, over-long line
    script += "\r\n\x1B[999;999H\x1B[38;5;999m\x1B[";
    return {
        {"withwrd.mid", TinySmf(480, 480), true},
        {"withwrd.wrd", script, false},
        {"withwrd.mag", Text(mag), false},
    };
}

// Play lists saved in ways a player meets in the wild; each names the given song file.
inline std::vector<HostileInput> MakeHostileLists(const std::string& songPath) {
    const std::string header = "Melodrix2.0 PlayList,hostile,100,";
    const std::string entry = songPath + ",song,,100,-300,0";
    std::string utf16 = "\xFF\xFE";
    for (char c : header + "\r\n" + entry + "\r\n") {
        utf16 += {c, '\0'};
    }
    return {
        {"bom_utf16.rpl", utf16, true},
        {"bom_utf8.rpl", "\xEF\xBB\xBF" + header + "\r\n" + entry + "\r\n", true},
        {"cr_only.rpl", header + "\r" + entry + "\r" + entry + "\r", true},
        {"overlong_line.rpl", header + "\r\n" + std::string(70000, 'a') + "\r\n" + entry + "\r\n", true},
        {"long_silence.rpl", header + "\r\n" + songPath + ",song,,100,-300,2147483647\r\n", true},
        {"binary.rpl", std::string("\0\xFF\x00\x81\r\n\0", 7), false},
    };
}
