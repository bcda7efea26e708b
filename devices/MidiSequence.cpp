// Loading and checking a Standard MIDI File, the merged scan of its tracks, and the measure map.
#include "devices/MidiSequence.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>
#include <queue>
#include <utility>

#include "app/containers/FileSystem.h"
#include "devices/SmfReader.h"
#include "devices/SongText.h"

namespace {

constexpr std::size_t kHeaderBytes = 14;
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::uint32_t kDefaultTempo = 500000;
// totalTicks (last tick + 1) must still fit in 32 bits.
constexpr std::uint64_t kLastUsableTick = 0xFFFFFFFEu;

constexpr std::uint8_t kMetaNotice = 0x02;
constexpr std::uint8_t kMetaTitle = 0x03;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
constexpr std::uint8_t kMetaTempo = 0x51;
constexpr std::uint8_t kMetaTimeSignature = 0x58;

// Ticks per measure of a meter: numerator quarter notes scaled by the denominator's power of two.
// 0 when the meter is unusable (numerator 0, or a power that shifts every tick away).
std::uint32_t MeterTicks(std::uint8_t numerator, std::uint8_t power, std::uint16_t division) {
    if (power >= 32) {
        return 0;
    }
    return static_cast<std::uint32_t>((std::uint64_t{numerator} * division * 4) >> power);
}

// Whole measures needed to cover pending ticks; a stretch shorter than the measure already rounded
// up before it (pending at or below 0) adds none.
std::uint32_t MeasuresCovering(std::int64_t pending, std::uint32_t ticksPerMeasure) {
    if (pending <= 0) {
        return 0;
    }
    return static_cast<std::uint32_t>((pending + ticksPerMeasure - 1) / ticksPerMeasure);
}

}  // namespace

MidiSequence::MidiSequence(const char* path) {
    LoadFile(path);
}

std::int32_t MidiSequence::LoadFile(const char* path) {
    Clear();
    std::vector<std::uint8_t> bytes;
    try {
        if (!ActiveFileSystem().ReadFile(path, bytes, kMaxFileBytes)) {
            loadStatus = kCannotOpen;
            return loadStatus;
        }
    } catch (const std::bad_alloc&) {
        loadStatus = kOutOfMemory;
        return loadStatus;
    }
    return LoadBytes(bytes.data(), bytes.size());
}

std::int32_t MidiSequence::LoadBytes(const std::uint8_t* data, std::size_t size) {
    Clear();
    std::int32_t status = kOutOfMemory;
    try {
        status = Parse(data, size);
    } catch (const std::bad_alloc&) {
        status = kOutOfMemory;
    }
    if (status != kLoaded) {
        Clear();
    }
    loadStatus = status;
    isLoaded = status == kLoaded;
    return loadStatus;
}

void MidiSequence::Clear() {
    isLoaded = false;
    loadStatus = kCannotOpen;
    format = 0;
    trackCount = 0;
    division = 0;
    std::vector<SmfTrack>().swap(tracks);
    initialTempo = tempo = kDefaultTempo;
    hasTitle = hasNotice = false;
    std::string().swap(title);
    std::string().swap(noticeText);
    totalTime = 0;
    totalTicks = 0;
    measureMap = {};
    segmentCount = 0;
    timeSignature = {4, 2, 24, 8};
    currentTick = currentTime = 0;
    pending = 0;
    ticksPerMeasure = 0;
    segmentIndex = 0;
}

std::int32_t MidiSequence::Parse(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderBytes || !IsChunkType(data, "MThd")) {
        return kNotUsable;
    }
    const std::uint32_t headerLength = ReadBigEndian32(data + 4);
    format = ReadBigEndian16(data + 8);
    trackCount = ReadBigEndian16(data + 10);
    division = ReadBigEndian16(data + 12);
    const bool usableFormat = (format == 0 && trackCount == 1) || format == 1;
    // Division 0 would make every tick last forever (and divide by zero).
    if (headerLength <= 5 || !usableFormat || division == 0) {
        return kNotUsable;
    }
    tracks.resize(trackCount);

    std::uint64_t offset = std::uint64_t{8} + headerLength;
    for (SmfTrack& track : tracks) {
        if (offset + kChunkHeaderBytes > size || !IsChunkType(data + offset, "MTrk")) {
            return kNotUsable;
        }
        const std::uint32_t length = ReadBigEndian32(data + offset + 4);
        offset += kChunkHeaderBytes;
        // A chunk length that runs past the file is a short read: the file is cut or lies.
        if (length > size - offset) {
            return kNotUsable;
        }
        track.data.assign(data + offset, data + offset + length);
        track.length = length;
        offset += length;
    }
    return Scan() ? kLoaded : kNotUsable;
}

bool MidiSequence::ResetTracks() {
    for (SmfTrack& track : tracks) {
        track.readOffset = 0;
        track.nextEventTick = 0;
        track.runningDataLength = 0;
        std::uint32_t delta = 0;
        // An empty chunk is a track without events; any other must start with a delta time.
        if (track.length != 0 && !ReadVarLen(track.data.data(), track.length, track.readOffset, delta)) {
            return false;
        }
        track.nextEventTick = delta;
    }
    return true;
}

bool MidiSequence::Scan() {
    initialTempo = tempo = kDefaultTempo;
    timeSignature = {4, 2, 24, 8};
    ticksPerMeasure = std::uint32_t{division} * 4;
    pending = 0;
    segmentIndex = 0;
    currentTick = currentTime = 0;
    if (!ResetTracks()) {
        return false;
    }

    // Unfinished tracks by (next event tick, track number): the earliest event first, and on equal
    // ticks the lowest track, as a player merges them.
    using Entry = std::pair<std::uint64_t, std::uint16_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
    for (std::uint16_t i = 0; i < trackCount; ++i) {
        if (tracks[i].readOffset < tracks[i].length) {
            queue.emplace(tracks[i].nextEventTick, i);
        }
    }
    while (!queue.empty()) {
        const std::uint16_t index = queue.top().second;
        queue.pop();
        SmfTrack& track = tracks[index];
        // A track keeps the lead as long as its next event comes before every other track's.
        for (;;) {
            const std::uint64_t eventTick = track.nextEventTick;
            if (eventTick > kLastUsableTick) {
                return false;
            }
            // Between two events each tick adds the same whole microseconds (the remainder of
            // tempo / division is dropped per tick), so a stretch costs one multiplication.
            const std::uint64_t ticks = eventTick - currentTick;
            currentTime += ticks * (tempo / division);
            pending += static_cast<std::int64_t>(ticks);
            currentTick = eventTick;
            do {
                if (!ProcessEvent(index)) {
                    return false;
                }
            } while (track.readOffset < track.length && track.nextEventTick == currentTick);
            if (track.readOffset >= track.length) {
                break;
            }
            if (!queue.empty() && Entry(track.nextEventTick, index) > queue.top()) {
                queue.emplace(track.nextEventTick, index);
                break;
            }
        }
    }

    CloseSegment();
    segmentCount = segmentIndex + 1;
    totalTicks = static_cast<std::uint32_t>(currentTick + 1);
    totalTime = currentTime + 1;
    return ResetTracks();
}

bool MidiSequence::ProcessEvent(std::uint16_t trackIndex) {
    SmfTrack& track = tracks[trackIndex];
    const std::uint8_t* data = track.data.data();
    std::uint32_t offset = track.readOffset;
    const std::uint8_t status = data[offset];
    std::uint32_t messageBytes = 0;
    if ((status >= 0x80 && status <= 0xBF) || (status >= 0xE0 && status <= 0xEF)) {
        track.runningDataLength = 2;
        messageBytes = 3;
    } else if (status >= 0xC0 && status <= 0xDF) {
        track.runningDataLength = 1;
        messageBytes = 2;
    } else if (status < 0x80) {
        if (track.runningDataLength == 0) {
            return false;  // running status before any channel message
        }
        messageBytes = track.runningDataLength;
    } else if (status == 0xF0 || status == 0xF7) {
        ++offset;
        std::uint32_t length = 0;
        if (!ReadVarLen(data, track.length, offset, length)) {
            return false;
        }
        messageBytes = length;
        track.readOffset = offset;
    } else if (status == 0xFF) {
        if (!ProcessMeta(track, trackIndex)) {
            return false;
        }
        if (track.readOffset >= track.length) {
            return true;  // end of track
        }
        offset = track.readOffset;
    } else {
        return false;
    }
    if (messageBytes > track.length - offset) {
        return false;
    }
    offset += messageBytes;
    track.readOffset = offset;
    if (offset == track.length) {
        return true;
    }
    std::uint32_t delta = 0;
    if (!ReadVarLen(data, track.length, offset, delta)) {
        return false;
    }
    track.readOffset = offset;
    track.nextEventTick += delta;
    return true;
}

// Reads a meta event at readOffset and leaves readOffset after it (at length when the track ended).
bool MidiSequence::ProcessMeta(SmfTrack& track, std::uint16_t trackIndex) {
    const std::uint8_t* data = track.data.data();
    std::uint32_t offset = track.readOffset + 1;
    if (offset >= track.length) {
        return false;
    }
    const std::uint8_t type = data[offset++];
    std::uint32_t length = 0;
    if (!ReadVarLen(data, track.length, offset, length) || length > track.length - offset) {
        return false;
    }
    const std::uint8_t* body = data + offset;
    const bool storesNotice = type == kMetaNotice && trackIndex == 0 && !hasNotice;
    const bool storesTitle = type == kMetaTitle && trackIndex == 0 && !hasTitle;
    if (storesNotice || storesTitle) {
        // A text that is kept must leave at least one byte of the track after it.
        if (length == track.length - offset) {
            return false;
        }
        const void* end = std::memchr(body, 0, length);
        const std::size_t textBytes =
            end ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - body) : length;
        (storesTitle ? title : noticeText).assign(reinterpret_cast<const char*>(body), textBytes);
        (storesTitle ? hasTitle : hasNotice) = true;
    } else if (type == kMetaEndOfTrack) {
        if (length != 0) {
            return false;
        }
        // Bytes after the end of the track are not part of it.
        track.length = offset;
    } else if (type == kMetaTempo) {
        if (length != 3) {
            return false;
        }
        tempo = (std::uint32_t{body[0]} << 16) | (std::uint32_t{body[1]} << 8) | body[2];
        if (currentTick == 0) {
            initialTempo = tempo;
        }
    } else if (type == kMetaTimeSignature) {
        if (length != 4) {
            return false;
        }
        ApplyTimeSignature(body);
    }
    track.readOffset = offset + length;
    return true;
}

void MidiSequence::ApplyTimeSignature(const std::uint8_t* bytes) {
    const std::uint32_t newTicks = MeterTicks(bytes[0], bytes[1], division);
    // A meter without ticks would divide by zero later; it leaves the running meter in force.
    if (newTicks == 0) {
        return;
    }
    if (currentTick == 0) {
        std::copy(bytes, bytes + 4, timeSignature.begin());
    } else {
        const std::uint32_t count = MeasuresCovering(pending, ticksPerMeasure);
        if (count != 0) {
            // With the map full, the last segment runs on at its meter to the end of the song.
            if (segmentIndex + 1 >= kMaxSegments) {
                return;
            }
            measureMap[segmentIndex] = {ticksPerMeasure, count};
            pending -= static_cast<std::int64_t>(count) * ticksPerMeasure;
            ++segmentIndex;
        }
    }
    ticksPerMeasure = newTicks;
}

void MidiSequence::CloseSegment() {
    measureMap[segmentIndex] = {ticksPerMeasure, MeasuresCovering(pending, ticksPerMeasure)};
}

int MidiSequence::GetTitle(char* text, std::size_t capacity) const {
    return CopySongText(text, capacity, isLoaded && hasTitle, title);
}

int MidiSequence::GetNotice(char* text, std::size_t capacity) const {
    return CopySongText(text, capacity, isLoaded && hasNotice, noticeText);
}

std::uint32_t MidiSequence::MeasureToTick(std::uint32_t measure) const {
    if (!isLoaded) {
        return 0;
    }
    std::uint64_t remaining = measure;
    std::uint64_t sum = 0;
    for (std::uint32_t i = 0; i < segmentCount; ++i) {
        const MeasureSegment& segment = measureMap[i];
        if (segment.measureCount >= remaining) {
            sum += remaining * segment.ticksPerMeasure;
            break;
        }
        remaining -= segment.measureCount;
        sum += std::uint64_t{segment.measureCount} * segment.ticksPerMeasure;
    }
    // The last measure may be rounded past 2^32 ticks.
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, 0xFFFFFFFFu));
}

MeasureAtTick MidiSequence::TickToMeasure(std::uint32_t tick) const {
    MeasureAtTick result;
    if (!isLoaded) {
        return result;
    }
    std::uint64_t remaining = std::min(tick, totalTicks);
    for (std::uint32_t i = 0; i < segmentCount; ++i) {
        const MeasureSegment& segment = measureMap[i];
        const std::uint64_t span = std::uint64_t{segment.measureCount} * segment.ticksPerMeasure;
        // The first tick after a stretch starts the next stretch's first measure, so it takes
        // that stretch's length; only the last stretch keeps its own end.
        const bool last = i + 1 == segmentCount;
        if (span > remaining || (last && span == remaining)) {
            result.measure += static_cast<std::uint32_t>(remaining / segment.ticksPerMeasure);
            result.tickInMeasure = static_cast<std::uint32_t>(remaining % segment.ticksPerMeasure);
            result.ticksPerMeasure = segment.ticksPerMeasure;
            return result;
        }
        remaining -= span;
        result.measure += segment.measureCount;
    }
    return result;
}
