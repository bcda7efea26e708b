// ID3 version 2 tags: the frame walk and the text frames' encodings.
#include "songfiles/Id3v2.h"

#include <algorithm>
#include <vector>

#include "app/containers/FileSystem.h"
#include "app/containers/ShiftJis.h"
#include "app/containers/TextEncoding.h"
#include "devices/Id3v2Header.h"

namespace {

// A tag larger than this is read frame by frame only (a picture may make a tag of megabytes).
constexpr std::size_t kWholeTagLimit = 1u << 20;
constexpr std::size_t kMaxTextFrameBytes = 64 * 1024;

struct FrameLayout {
    std::size_t headerBytes;
    std::size_t idBytes;
};

FrameLayout LayoutFor(int version) {
    return version == 2 ? FrameLayout{6, 3} : FrameLayout{10, 4};
}

std::uint32_t BigEndian(const std::uint8_t* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

// Undoes unsynchronisation: every 0xFF 0x00 pair stands for 0xFF.
std::vector<std::uint8_t> Resynchronise(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> out;
    out.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        out.push_back(data[i]);
        if (data[i] == 0xFF && i + 1 < size && data[i + 1] == 0x00) {
            ++i;
        }
    }
    return out;
}

// Bytes that read as Shift-JIS with at least one double-byte character: what Japanese taggers
// wrote as "ISO-8859-1" for years.
bool LooksLikeShiftJis(const std::uint8_t* bytes, std::size_t size) {
    bool doubleByte = false;
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] < 0x80 || (bytes[i] >= 0xA1 && bytes[i] <= 0xDF)) {
            continue;
        }
        if (!IsShiftJisLeadByte(bytes[i]) || i + 1 >= size || bytes[i + 1] < 0x40 || bytes[i + 1] == 0x7F ||
            bytes[i + 1] > 0xFC) {
            return false;
        }
        doubleByte = true;
        ++i;
    }
    return doubleByte;
}

// The length of the first string: up to its terminator (two zero bytes on a unit boundary for
// UTF-16).
std::size_t FirstStringBytes(const std::uint8_t* bytes, std::size_t size, bool wide) {
    if (!wide) {
        return static_cast<std::size_t>(std::find(bytes, bytes + size, 0) - bytes);
    }
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        if (bytes[i] == 0 && bytes[i + 1] == 0) {
            return i;
        }
    }
    return size;
}

// Where a tag's frames are: the version, the flags and the walk's bounds.
struct TagFrames {
    int version = 0;
    bool unsynchronised = false;  // the whole tag (versions 2.2 and 2.3)
    std::size_t first = 0;        // offset of the first frame header from the tag's start
    std::size_t end = 0;          // offset where the frames end
};

bool LocateFrames(const std::uint8_t* header,
                  std::uint64_t tagBytes,
                  const std::vector<std::uint8_t>& extended,
                  TagFrames& frames) {
    frames.version = header[3];
    const std::uint8_t flags = header[5];
    frames.unsynchronised = frames.version < 4 && (flags & 0x80) != 0;
    frames.first = kId3v2HeaderBytes;
    frames.end =
        static_cast<std::size_t>(std::min<std::uint64_t>(tagBytes, kId3v2HeaderBytes + SyncsafeNumber(header + 6)));
    if (frames.version == 2 && (flags & 0x40) != 0) {
        return false;  // a compressed version 2.2 tag: nothing defined to read
    }
    if (frames.version >= 3 && (flags & 0x40) != 0 && extended.size() >= 4) {
        // The extended header: its size excludes itself in 2.3 and includes itself (syncsafe) in 2.4.
        const std::uint64_t length =
            frames.version == 3 ? std::uint64_t{BigEndian(extended.data(), 4)} + 4 : SyncsafeNumber(extended.data());
        frames.first += static_cast<std::size_t>(std::min<std::uint64_t>(length, frames.end));
    }
    return frames.first < frames.end;
}

// Reads one text frame's body and keeps it when it is the title or artist.
void TakeFrame(Id3v2Text& text, const char* id, const std::uint8_t* body, std::size_t size, bool& found) {
    const std::string name(id);
    const bool title = name == "TIT2" || name == "TT2";
    const bool artist = name == "TPE1" || name == "TP1";
    if (!title && !artist) {
        return;
    }
    std::string decoded = DecodeId3v2Text(body, size);
    if (decoded.empty()) {
        return;
    }
    (title ? text.title : text.artist) = std::move(decoded);
    found = true;
}

// A frame of version 2.4 may be unsynchronised on its own and may carry a data-length field.
std::vector<std::uint8_t> FrameBody(const TagFrames& frames,
                                    std::uint16_t flags,
                                    const std::uint8_t* body,
                                    std::size_t size) {
    if (frames.version == 4) {
        if (flags & 0x0C) {
            return {};  // compressed or encrypted: not a text we can read
        }
        // A group byte, then a data-length field, come before the text.
        const std::size_t skip = ((flags & 0x40) ? 1 : 0) + ((flags & 0x01) ? 4 : 0);
        if (skip > size) {
            return {};
        }
        return (flags & 0x02) ? Resynchronise(body + skip, size - skip)
                              : std::vector<std::uint8_t>(body + skip, body + size);
    }
    if (frames.version == 3 && (flags & 0x00C0)) {
        return {};  // compressed or encrypted
    }
    const std::size_t skip = frames.version == 3 && (flags & 0x0020) ? 1 : 0;  // a group byte
    return skip <= size ? std::vector<std::uint8_t>(body + skip, body + size) : std::vector<std::uint8_t>{};
}

// Walks frames through read(offset, count, out) over the tag's bytes.
template <typename Reader>
bool WalkFrames(Id3v2Text& text, const TagFrames& frames, Reader&& read) {
    const FrameLayout layout = LayoutFor(frames.version);
    bool found = false;
    std::size_t offset = frames.first;
    std::vector<std::uint8_t> header;
    while (offset + layout.headerBytes <= frames.end) {
        if (!read(offset, layout.headerBytes, header) || header.size() != layout.headerBytes || header[0] == 0) {
            break;  // padding, or the end of what can be read
        }
        char id[5] = {};
        std::copy(header.begin(), header.begin() + static_cast<std::ptrdiff_t>(layout.idBytes), id);
        const std::uint32_t bodySize = frames.version == 2   ? BigEndian(header.data() + 3, 3)
                                       : frames.version == 4 ? SyncsafeNumber(header.data() + 4)
                                                             : BigEndian(header.data() + 4, 4);
        const std::uint16_t flags =
            frames.version == 2 ? 0 : static_cast<std::uint16_t>(BigEndian(header.data() + 8, 2));
        offset += layout.headerBytes;
        if (bodySize > frames.end - offset) {
            break;  // a frame that claims more than the tag holds ends the walk
        }
        if (id[0] == 'T' && bodySize <= kMaxTextFrameBytes) {
            std::vector<std::uint8_t> body;
            if (read(offset, bodySize, body) && body.size() == bodySize) {
                const std::vector<std::uint8_t> usable = FrameBody(frames, flags, body.data(), body.size());
                TakeFrame(text, id, usable.data(), usable.size(), found);
            }
        }
        offset += bodySize;
    }
    return found;
}

}  // namespace

std::string DecodeId3v2Text(const std::uint8_t* body, std::size_t size) {
    if (size < 1) {
        return {};
    }
    const std::uint8_t encoding = body[0];
    const std::uint8_t* text = body + 1;
    std::size_t length = size - 1;
    const bool wide = encoding == 1 || encoding == 2;
    length = FirstStringBytes(text, length, wide);
    std::u16string unicode;
    switch (encoding) {
        case 0:
            if (LooksLikeShiftJis(text, length)) {
                return std::string(reinterpret_cast<const char*>(text), length);
            }
            unicode.assign(text, text + length);  // ISO-8859-1 is the first 256 code points
            break;
        case 1: {
            std::size_t markBytes = 0;
            const ByteOrderMark mark = DetectByteOrderMark(text, length, markBytes);
            unicode = DecodeUtf16(text + markBytes, length - markBytes, mark == ByteOrderMark::kUtf16Be);
            break;
        }
        case 2:
            unicode = DecodeUtf16(text, length, true);
            break;
        case 3:
            unicode = DecodeUtf8(text, length);
            break;
        default:
            return {};
    }
    std::string out;
    EncodeCp932(unicode, out);
    return out;
}

bool ParseId3v2(Id3v2Text& text, const std::uint8_t* data, std::size_t size) {
    const std::uint64_t tagBytes = Id3v2TagBytes(data, size);
    if (tagBytes == 0) {
        return false;
    }
    const std::size_t available = static_cast<std::size_t>(std::min<std::uint64_t>(tagBytes, size));
    std::vector<std::uint8_t> tag(data, data + available);
    if (data[3] < 4 && (data[5] & 0x80) != 0) {
        std::vector<std::uint8_t> body = Resynchronise(tag.data() + kId3v2HeaderBytes, tag.size() - kId3v2HeaderBytes);
        tag.resize(kId3v2HeaderBytes);
        tag.insert(tag.end(), body.begin(), body.end());
    }
    const std::vector<std::uint8_t> extended(
        tag.begin() + static_cast<std::ptrdiff_t>(std::min(tag.size(), kId3v2HeaderBytes)),
        tag.begin() + static_cast<std::ptrdiff_t>(std::min(tag.size(), kId3v2HeaderBytes + 4)));
    TagFrames frames;
    if (!LocateFrames(tag.data(), tag.size(), extended, frames)) {
        return false;
    }
    Id3v2Text found;
    const bool any =
        WalkFrames(found, frames, [&tag](std::size_t offset, std::size_t count, std::vector<std::uint8_t>& out) {
            if (offset > tag.size()) {
                return false;
            }
            const std::size_t taken = std::min(count, tag.size() - offset);
            out.assign(tag.begin() + static_cast<std::ptrdiff_t>(offset),
                       tag.begin() + static_cast<std::ptrdiff_t>(offset + taken));
            return true;
        });
    if (any) {
        text = std::move(found);
    }
    return any;
}

bool ReadId3v2(Id3v2Text& text, const char* path) {
    FileSystem& files = ActiveFileSystem();
    std::vector<std::uint8_t> header;
    if (!files.ReadFileRange(path, 0, kId3v2HeaderBytes + 4, header)) {
        return false;
    }
    const std::uint64_t tagBytes = Id3v2TagBytes(header.data(), header.size());
    if (tagBytes == 0) {
        return false;
    }
    const bool unsynchronised = header[3] < 4 && (header[5] & 0x80) != 0;
    if (unsynchronised || tagBytes <= kWholeTagLimit) {
        // Small tags, and tags whose frames only show after resynchronising, are read whole
        // (bounded: an unsynchronised tag of many megabytes gives up its texts past the bound).
        std::vector<std::uint8_t> tag;
        if (!files.ReadFileRange(path, 0, static_cast<std::size_t>(std::min<std::uint64_t>(tagBytes, 16u << 20)),
                                 tag)) {
            return false;
        }
        return ParseId3v2(text, tag.data(), tag.size());
    }
    const std::vector<std::uint8_t> extended(header.begin() + kId3v2HeaderBytes, header.end());
    TagFrames frames;
    if (!LocateFrames(header.data(), tagBytes, extended, frames)) {
        return false;
    }
    Id3v2Text found;
    const bool any = WalkFrames(found, frames,
                                [&files, path](std::size_t offset, std::size_t count, std::vector<std::uint8_t>& out) {
                                    return files.ReadFileRange(path, offset, count, out);
                                });
    if (any) {
        text = std::move(found);
    }
    return any;
}
