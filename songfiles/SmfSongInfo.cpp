// Title and copyright notice of a Standard MIDI File from a quick scan of its first track.
#include "songfiles/SmfSongInfo.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "app/containers/FileSystem.h"
#include "devices/MidiSequence.h"
#include "devices/SmfReader.h"

namespace {

constexpr std::uint8_t kMetaNotice = 0x02;
constexpr std::uint8_t kMetaTitle = 0x03;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;

// The text of a meta event: its bytes up to the first zero byte, if any.
std::string MetaText(const std::uint8_t* body, std::uint32_t length) {
    const void* end = std::memchr(body, 0, length);
    const std::size_t count = end ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - body) : length;
    return std::string(reinterpret_cast<const char*>(body), count);
}

}  // namespace

SmfSongInfo::SmfSongInfo(const char* path) {
    std::vector<std::uint8_t> bytes;
    try {
        if (ActiveFileSystem().ReadFile(path, bytes, MidiSequence::kMaxFileBytes)) {
            Parse(bytes.data(), bytes.size());
        }
    } catch (const std::bad_alloc&) {
        loaded = hasTitle = hasNotice = false;
    }
}

SmfSongInfo::SmfSongInfo(const std::uint8_t* data, std::size_t size) {
    try {
        Parse(data, size);
    } catch (const std::bad_alloc&) {
        loaded = hasTitle = hasNotice = false;
    }
}

void SmfSongInfo::Parse(const std::uint8_t* data, std::size_t size) {
    if (size < 8 || !IsChunkType(data, "MThd")) {
        return;
    }
    const std::uint64_t trackHeader = std::uint64_t{8} + ReadBigEndian32(data + 4);
    if (trackHeader + 8 > size || !IsChunkType(data + trackHeader, "MTrk")) {
        return;
    }
    const std::size_t trackStart = static_cast<std::size_t>(trackHeader) + 8;
    // Only titles are wanted here: a first track cut short still gives the texts it holds.
    const std::size_t length = std::min<std::size_t>(ReadBigEndian32(data + trackHeader + 4), size - trackStart);
    loaded = true;
    ScanFirstTrack(data + trackStart, static_cast<std::uint32_t>(length));
}

// Walks the events up to the end of the track, the end-of-track event, or both texts found. Data
// that cannot be an event ends the walk with the texts found so far.
void SmfSongInfo::ScanFirstTrack(const std::uint8_t* track, std::uint32_t length) {
    std::uint32_t offset = 0;
    std::uint32_t runningLength = 0;
    while (offset < length) {
        std::uint32_t delta = 0;
        if (!ReadVarLen(track, length, offset, delta) || offset >= length) {
            return;
        }
        const std::uint8_t status = track[offset];
        if (status == 0xFF) {
            ++offset;
            if (offset >= length) {
                return;
            }
            const std::uint8_t type = track[offset++];
            std::uint32_t size = 0;
            if (!ReadVarLen(track, length, offset, size) || size > length - offset) {
                return;
            }
            if (type == kMetaTitle && !hasTitle) {
                title = MetaText(track + offset, size);
                hasTitle = true;
            } else if (type == kMetaNotice && !hasNotice) {
                noticeText = MetaText(track + offset, size);
                hasNotice = true;
            }
            if (type == kMetaEndOfTrack || (hasTitle && hasNotice)) {
                return;
            }
            offset += size;
        } else if (status == 0xF0 || status == 0xF7) {
            ++offset;
            std::uint32_t size = 0;
            if (!ReadVarLen(track, length, offset, size) || size > length - offset) {
                return;
            }
            offset += size;
        } else if ((status >= 0x80 && status <= 0xBF) || (status >= 0xE0 && status <= 0xEF)) {
            runningLength = 2;
            offset += std::min<std::uint32_t>(3, length - offset);
        } else if (status >= 0xC0 && status <= 0xDF) {
            runningLength = 1;
            offset += std::min<std::uint32_t>(2, length - offset);
        } else {
            if (runningLength == 0) {
                return;  // data before any channel message: not an event stream
            }
            offset += std::min(runningLength, length - offset);
        }
    }
}

int SmfSongInfo::GetTitle(char* text, std::size_t capacity) const {
    return CopySongText(text, capacity, hasTitle, title);
}

int SmfSongInfo::GetComment(char* text, std::size_t capacity) const {
    return CopySongText(text, capacity, hasNotice, noticeText);
}
