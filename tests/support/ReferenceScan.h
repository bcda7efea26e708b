// A plain tick-by-tick model of loading a MIDI file, written independently of MidiSequence to check
// its fast scan: the clock and the measure count advance one tick at a time, the tracks are merged
// by a linear search. Used by the unit tests and the loader's fuzz target.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "devices/MidiSequence.h"

struct ReferenceResult {
    static constexpr std::int32_t kSkipped = -1;  // more ticks than the caller allowed

    std::int32_t status = 2;
    std::uint16_t division = 0;
    std::uint32_t initialTempo = 500000;
    bool hasTitle = false;
    bool hasNotice = false;
    std::string title;
    std::string notice;
    std::uint64_t totalTime = 0;
    std::uint32_t totalTicks = 0;
    std::array<std::uint8_t, 4> timeSignature = {4, 2, 24, 8};
    std::vector<MeasureSegment> segments;
};

namespace reference_scan {

struct Track {
    const std::uint8_t* data = nullptr;
    std::uint64_t length = 0;
    std::uint64_t position = 0;
    std::uint64_t tick = 0;
    int running = 0;
};

// A variable-length quantity of at most 4 bytes, all inside the track.
inline bool VarLen(const Track& track, std::uint64_t& position, std::uint64_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (position >= track.length) {
            return false;
        }
        const std::uint8_t byte = track.data[position++];
        value = value * 128 + (byte & 0x7F);
        if (byte < 0x80) {
            return true;
        }
    }
    return false;
}

inline std::uint64_t Be(const std::uint8_t* p, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = value * 256 + p[i];
    }
    return value;
}

class Scanner {
public:
    Scanner(ReferenceResult& out, std::uint64_t maxTicks) : r(out), maxTicks(maxTicks) {}

    std::int32_t Load(const std::uint8_t* data, std::size_t size) {
        if (size < 14 || std::string(reinterpret_cast<const char*>(data), 4) != "MThd" || Be(data + 4, 4) <= 5) {
            return 2;
        }
        const std::uint64_t format = Be(data + 8, 2);
        const std::uint64_t count = Be(data + 10, 2);
        r.division = static_cast<std::uint16_t>(Be(data + 12, 2));
        if (!((format == 0 && count == 1) || format == 1) || r.division == 0) {
            return 2;
        }
        std::uint64_t at = 8 + Be(data + 4, 4);
        for (std::uint64_t i = 0; i < count; ++i) {
            if (at + 8 > size || std::string(reinterpret_cast<const char*>(data + at), 4) != "MTrk") {
                return 2;
            }
            Track track;
            track.length = Be(data + at + 4, 4);
            track.data = data + at + 8;
            if (at + 8 + track.length > size) {
                return 2;
            }
            at += 8 + track.length;
            tracks.push_back(track);
        }
        return Run();
    }

private:
    std::int32_t Run() {
        for (Track& track : tracks) {
            if (track.length != 0 && !VarLen(track, track.position, track.tick)) {
                return 2;
            }
        }
        tpm = r.division * 4u;
        for (;;) {
            int best = -1;
            for (std::size_t i = 0; i < tracks.size(); ++i) {
                if (tracks[i].position < tracks[i].length && (best < 0 || tracks[i].tick < tracks[best].tick)) {
                    best = static_cast<int>(i);
                }
            }
            if (best < 0) {
                break;
            }
            if (tracks[best].tick > maxTicks) {
                return ReferenceResult::kSkipped;
            }
            while (tick < tracks[best].tick) {
                time += tempo / r.division;
                ++pending;
                ++tick;
            }
            if (!Event(best)) {
                return 2;
            }
        }
        Close(true);
        r.totalTicks = static_cast<std::uint32_t>(tick + 1);
        r.totalTime = time + 1;
        return 0;
    }

    bool Event(int index) {
        Track& t = tracks[index];
        std::uint64_t p = t.position;
        const std::uint8_t status = t.data[p];
        std::uint64_t skip = 0;
        if (status >= 0x80 && status < 0xF0) {
            t.running = (status >= 0xC0 && status < 0xE0) ? 1 : 2;
            skip = 1 + t.running;
        } else if (status < 0x80) {
            if (t.running == 0) {
                return false;
            }
            skip = t.running;
        } else if (status == 0xF0 || status == 0xF7) {
            ++p;
            if (!VarLen(t, p, skip)) {
                return false;
            }
        } else if (status == 0xFF) {
            ++p;
            if (p >= t.length) {
                return false;
            }
            const std::uint8_t type = t.data[p++];
            if (!VarLen(t, p, skip) || p + skip > t.length) {
                return false;
            }
            if (!Meta(index, t, type, p, skip)) {
                return false;
            }
            if (type == 0x2F) {
                t.length = p;
                t.position = p;
                return true;
            }
        } else {
            return false;
        }
        if (p + skip > t.length) {
            return false;
        }
        p += skip;
        t.position = p;
        if (p == t.length) {
            return true;
        }
        std::uint64_t delta = 0;
        if (!VarLen(t, p, delta)) {
            return false;
        }
        t.position = p;
        t.tick += delta;
        return true;
    }

    bool Meta(int index, const Track& t, std::uint8_t type, std::uint64_t p, std::uint64_t n) {
        const std::uint8_t* body = t.data + p;
        if ((type == 2 && index == 0 && !r.hasNotice) || (type == 3 && index == 0 && !r.hasTitle)) {
            if (p + n >= t.length) {
                return false;
            }
            std::string text(reinterpret_cast<const char*>(body), n);
            text = text.c_str();
            (type == 2 ? r.notice : r.title) = text;
            (type == 2 ? r.hasNotice : r.hasTitle) = true;
        } else if (type == 0x2F) {
            return n == 0;
        } else if (type == 0x51) {
            if (n != 3) {
                return false;
            }
            tempo = static_cast<std::uint32_t>(Be(body, 3));
            if (tick == 0) {
                r.initialTempo = tempo;
            }
        } else if (type == 0x58) {
            if (n != 4) {
                return false;
            }
            const std::uint64_t ticks = body[1] >= 32 ? 0 : (body[0] * 4ull * r.division) >> body[1];
            if (ticks == 0) {
                return true;  // a meter without ticks is ignored
            }
            if (tick == 0) {
                r.timeSignature = {body[0], body[1], body[2], body[3]};
            } else if (!Close(false)) {
                return true;  // the map is full
            }
            tpm = static_cast<std::uint32_t>(ticks);
        }
        return true;
    }

    // Ends the running stretch; false when it should become a segment but the map is full.
    bool Close(bool last) {
        std::int64_t count = 0;
        while (count * static_cast<std::int64_t>(tpm) < pending) {
            ++count;  // the stretch rounded up to whole measures
        }
        if (last || count == 0) {
            if (last) {
                r.segments.push_back({tpm, static_cast<std::uint32_t>(count)});
            }
            return true;
        }
        if (r.segments.size() + 1 >= MidiSequence::kMaxSegments) {
            return false;
        }
        r.segments.push_back({tpm, static_cast<std::uint32_t>(count)});
        pending -= count * tpm;
        return true;
    }

    ReferenceResult& r;
    std::uint64_t maxTicks;
    std::vector<Track> tracks;
    std::uint64_t tick = 0;
    std::uint64_t time = 0;
    std::uint32_t tempo = 500000;
    std::int64_t pending = 0;
    std::uint32_t tpm = 0;
};

}  // namespace reference_scan

// Loads data tick by tick; status kSkipped when an event lies beyond maxTicks.
inline ReferenceResult ReferenceScan(const std::uint8_t* data, std::size_t size, std::uint64_t maxTicks) {
    ReferenceResult result;
    reference_scan::Scanner scanner(result, maxTicks);
    result.status = scanner.Load(data, size);
    return result;
}

// Empty when the sequence agrees with the reference in every derived value, else the first
// difference.
inline std::string DescribeDifference(const MidiSequence& sequence, const ReferenceResult& expected) {
    char line[160];
    auto differs = [&line](const char* what, std::uint64_t got, std::uint64_t want) {
        std::snprintf(line, sizeof line, "%s: %llu, reference %llu", what, static_cast<unsigned long long>(got),
                      static_cast<unsigned long long>(want));
        return std::string(line);
    };
    if (sequence.LoadStatus() != expected.status) {
        return differs("status", static_cast<std::uint64_t>(sequence.LoadStatus()), expected.status);
    }
    if (expected.status != 0) {
        return "";
    }
    std::vector<char> text(expected.title.size() + expected.notice.size() + 2);
    if (sequence.GetTitle(text.data(), text.size()) != (expected.hasTitle ? int(expected.title.size()) : -1) ||
        expected.title != text.data()) {
        return "title";
    }
    if (sequence.GetNotice(text.data(), text.size()) != (expected.hasNotice ? int(expected.notice.size()) : -1) ||
        expected.notice != text.data()) {
        return "notice";
    }
    if (sequence.InitialTempo() != expected.initialTempo) {
        return differs("initial tempo", sequence.InitialTempo(), expected.initialTempo);
    }
    if (sequence.TotalTicks() != expected.totalTicks) {
        return differs("total ticks", sequence.TotalTicks(), expected.totalTicks);
    }
    if (sequence.TotalTime() != expected.totalTime) {
        return differs("total time", sequence.TotalTime(), expected.totalTime);
    }
    if (sequence.TimeSignature() != expected.timeSignature) {
        return "time signature";
    }
    if (sequence.SegmentCount() != expected.segments.size()) {
        return differs("segments", sequence.SegmentCount(), expected.segments.size());
    }
    for (std::uint32_t i = 0; i < sequence.SegmentCount(); ++i) {
        if (sequence.Segment(i).ticksPerMeasure != expected.segments[i].ticksPerMeasure ||
            sequence.Segment(i).measureCount != expected.segments[i].measureCount) {
            return differs("segment", i, i);
        }
    }
    return "";
}
