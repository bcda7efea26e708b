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

// An ID3 version 2 tag: frames of a version (2, 3 or 4) with their ids and bodies, optionally
// unsynchronised as a whole (versions 2 and 3) or with an extended header, and a size field that
// may lie. Frame sizes are written as the version writes them.
struct Id3v2TagBytes {
    int version = 3;
    bool unsynchronise = false;
    bool extendedHeader = false;
    std::int64_t sizeAdjust = 0;
    std::string frames;

    Id3v2TagBytes& Frame(const std::string& id, const std::string& body, std::uint16_t flags = 0) {
        const std::size_t n = body.size();
        frames += id;
        if (version == 2) {
            frames += {static_cast<char>(n >> 16), static_cast<char>(n >> 8), static_cast<char>(n)};
        } else {
            frames +=
                version == 4 ? Syncsafe(static_cast<std::uint32_t>(n)) : BigEndian32(static_cast<std::uint32_t>(n));
            frames += {static_cast<char>(flags >> 8), static_cast<char>(flags)};
        }
        frames += body;
        return *this;
    }
    // A text frame: the encoding byte, then the text as given.
    Id3v2TagBytes& Text(const std::string& id, char encoding, const std::string& text) {
        return Frame(id, std::string(1, encoding) + text);
    }

    std::string Build() const {
        std::string body;
        if (extendedHeader) {
            body += version == 4 ? Syncsafe(6) + std::string("\x01\x00", 2) : BigEndian32(6) + std::string(6, '\0');
        }
        body += frames + std::string(16, '\0');  // padding
        if (unsynchronise) {
            std::string out;
            for (std::size_t i = 0; i < body.size(); ++i) {
                out += body[i];
                if (static_cast<unsigned char>(body[i]) == 0xFF) {
                    out += '\0';
                }
            }
            body = out;
        }
        std::string tag = "ID3";
        tag += {static_cast<char>(version), 0,
                static_cast<char>((unsynchronise ? 0x80 : 0) | (extendedHeader ? 0x40 : 0))};
        tag += Syncsafe(static_cast<std::uint32_t>(static_cast<std::int64_t>(body.size()) + sizeAdjust));
        return tag + body;
    }

    static std::string Syncsafe(std::uint32_t n) {
        return {static_cast<char>(n >> 21 & 0x7F), static_cast<char>(n >> 14 & 0x7F), static_cast<char>(n >> 7 & 0x7F),
                static_cast<char>(n & 0x7F)};
    }
    static std::string BigEndian32(std::uint32_t n) {
        return {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8),
                static_cast<char>(n)};
    }
};
