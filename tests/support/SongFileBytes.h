// Builds the bytes of the song files other than MIDI that tests read: a Recomposer header and an
// ID3 version 1 tag. Fields are cut or padded to their widths; nothing else is checked.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

// A text cut or padded to a field's width.
inline std::string PaddedField(const std::string& text, std::size_t width, char fill) {
    return (text + std::string(width, fill)).substr(0, width);
}

// A Recomposer file of `size` bytes. Shorter than the 518-byte header, it holds only what fits of
// the identification; otherwise the title (64 bytes) and memo (336 bytes) are padded with spaces,
// and the timebase and meter sit at their offsets. The rest is zeros.
struct RcpFileBytes {
    std::string title;
    std::string memo;
    std::uint16_t timebase = 0;
    std::uint8_t numerator = 0;
    std::uint8_t denominator = 0;
    std::size_t size = 518;

    std::string Build() const {
        std::string bytes(size, '\0');
        const std::string id = std::string("RCM-PC98V2.0(C)COME ON MUSIC\r\n", 30) + std::string(2, '\0');
        bytes.replace(0, std::min<std::size_t>(32, size), id.substr(0, std::min<std::size_t>(32, size)));
        if (size >= 518) {
            bytes.replace(32, 64, PaddedField(title, 64, ' '));
            bytes.replace(96, 336, PaddedField(memo, 336, ' '));
            bytes[448] = static_cast<char>(timebase & 0xFF);
            bytes[487] = static_cast<char>(timebase >> 8);
            bytes[450] = static_cast<char>(numerator);
            bytes[451] = static_cast<char>(denominator);
        }
        return bytes;
    }
};

// The 128-byte tag: "TAG", the title and the artist cut or padded to 30 bytes with the given
// fillers (files in the wild use zeros or spaces), then zeros.
inline std::string Id3v1TagBytes(const std::string& title,
                                 const std::string& artist,
                                 char titleFill = '\0',
                                 char artistFill = '\0') {
    std::string tag = "TAG" + PaddedField(title, 30, titleFill) + PaddedField(artist, 30, artistFill);
    tag.resize(128, '\0');
    return tag;
}
