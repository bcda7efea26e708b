// Checks MidiSequence against an independent reader: the midicsv program's listing of the same
// generated files (division, tracks, texts, time signatures, last tick). Skipped without midicsv.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "devices/MidiSequence.h"
#include "tests/unit/devices/MidiTestHelpers.h"
#include "tests/unit/devices/RandomSong.h"

namespace {

struct CsvRecord {
    int track = 0;
    std::uint64_t tick = 0;
    std::string type;
    std::vector<std::string> fields;
};

bool HaveMidicsv() {
    return std::system("midicsv -u >/dev/null 2>&1 </dev/null; command -v midicsv >/dev/null 2>&1") == 0;
}

// Runs midicsv on the bytes and splits its listing into records.
std::vector<CsvRecord> ListWithMidicsv(const std::string& bytes) {
    char path[] = "/tmp/mx-midicsv-XXXXXX";
    const int fd = mkstemp(path);
    std::vector<CsvRecord> records;
    if (fd < 0) {
        return records;
    }
    close(fd);
    std::ofstream(path, std::ios::binary) << bytes;
    FILE* pipe = popen(("midicsv " + std::string(path)).c_str(), "r");
    char line[4096];
    while (pipe && std::fgets(line, sizeof line, pipe)) {
        std::istringstream in(line);
        CsvRecord record;
        std::string field;
        std::vector<std::string> fields;
        while (std::getline(in, field, ',')) {
            const std::size_t start = field.find_first_not_of(" ");
            const std::size_t end = field.find_last_not_of(" \r\n");
            fields.push_back(start == std::string::npos ? "" : field.substr(start, end - start + 1));
        }
        if (fields.size() >= 3) {
            record.track = std::atoi(fields[0].c_str());
            record.tick = std::strtoull(fields[1].c_str(), nullptr, 10);
            record.type = fields[2];
            record.fields.assign(fields.begin() + 3, fields.end());
            records.push_back(record);
        }
    }
    if (pipe) {
        pclose(pipe);
    }
    std::remove(path);
    return records;
}

std::string Unquote(const std::string& text) {
    return text.size() >= 2 ? text.substr(1, text.size() - 2) : text;
}

TEST(Midicsv, GeneratedSongsAgreeWithMidicsv) {
    if (!HaveMidicsv()) {
        GTEST_SKIP() << "midicsv is not installed";
    }
    int compared = 0;
    for (std::uint32_t seed = 1000; seed < 1060; ++seed) {
        RandomSongOptions options;
        options.maxTracks = 3;
        // midicsv closes a track without an end-of-track event with made-up note-offs.
        options.alwaysEndTracks = true;
        // Titles and notices go first so that both readers see them; the generated texts hold
        // neither commas nor quotes.
        std::string bytes = RandomSong(seed, options);
        MidiSequence sequence;
        if (LoadString(sequence, bytes) != 0) {
            continue;
        }
        const std::vector<CsvRecord> records = ListWithMidicsv(bytes);
        ASSERT_FALSE(records.empty()) << seed;
        ++compared;
        std::uint64_t lastTick = 0;
        std::string title, notice;
        bool haveTitle = false, haveNotice = false;
        // Meter changes as midicsv lists them, in time order across tracks (tracks are listed one
        // after another, so ties keep the lower track first as in the merged scan).
        std::vector<const CsvRecord*> meters;
        for (const CsvRecord& record : records) {
            if (record.type == "Header") {
                EXPECT_EQ(std::atoi(record.fields[1].c_str()), sequence.TrackCount()) << seed;
                // midicsv lists the division as a signed number (negative ones are SMPTE rates).
                EXPECT_EQ(static_cast<std::uint16_t>(std::atoi(record.fields[2].c_str())), sequence.GetDivision())
                    << seed;
                continue;
            }
            if (record.track == 1 && record.type == "Title_t" && !haveTitle) {
                title = Unquote(record.fields[0]);
                haveTitle = true;
            }
            if (record.track == 1 && record.type == "Copyright_t" && !haveNotice) {
                notice = Unquote(record.fields[0]);
                haveNotice = true;
            }
            if (record.type == "Time_signature") {
                meters.push_back(&record);
            }
            if (record.type != "End_of_file" && record.track > 0) {
                lastTick = std::max(lastTick, record.tick);
            }
        }
        char text[256];
        EXPECT_EQ(sequence.GetTitle(text, sizeof text) >= 0, haveTitle) << seed;
        EXPECT_EQ(std::string(text), title) << seed;
        EXPECT_EQ(sequence.GetNotice(text, sizeof text) >= 0, haveNotice) << seed;
        EXPECT_EQ(std::string(text), notice) << seed;
        EXPECT_EQ(sequence.TotalTicks(), lastTick + 1) << seed;

        // The meter at tick 0 and the number of bar lines in the map follow the listed changes.
        std::stable_sort(meters.begin(), meters.end(),
                         [](const CsvRecord* a, const CsvRecord* b) { return a->tick < b->tick; });
        std::uint8_t numerator = 4, power = 2;
        for (const CsvRecord* meter : meters) {
            const int n = std::atoi(meter->fields[0].c_str());
            const int p = std::atoi(meter->fields[1].c_str());
            const bool usable = p < 32 && ((static_cast<std::uint64_t>(n) * sequence.GetDivision() * 4) >> p) != 0;
            if (meter->tick == 0 && usable) {
                numerator = static_cast<std::uint8_t>(n);
                power = static_cast<std::uint8_t>(p);
            }
        }
        EXPECT_EQ(sequence.TimeSignature()[0], numerator) << seed;
        EXPECT_EQ(sequence.TimeSignature()[1], power) << seed;
        // The measure map rebuilt from midicsv's list of changes: each change closes the running
        // stretch rounded up to whole measures.
        std::vector<std::pair<std::uint32_t, std::uint32_t>> expected, actual;
        std::uint32_t ticksPerMeasure = sequence.GetDivision() * 4u;
        std::int64_t pending = 0;
        std::uint64_t previous = 0;
        auto covering = [&]() -> std::int64_t {
            return pending <= 0 ? 0 : (pending + ticksPerMeasure - 1) / ticksPerMeasure;
        };
        for (const CsvRecord* meter : meters) {
            const int n = std::atoi(meter->fields[0].c_str());
            const int p = std::atoi(meter->fields[1].c_str());
            const std::uint64_t ticks = p < 32 ? (static_cast<std::uint64_t>(n) * sequence.GetDivision() * 4) >> p : 0;
            if (ticks == 0) {
                continue;
            }
            pending += static_cast<std::int64_t>(meter->tick - previous);
            previous = meter->tick;
            const std::int64_t count = covering();
            if (count != 0) {
                if (expected.size() + 1 >= MidiSequence::kMaxSegments) {
                    continue;
                }
                expected.emplace_back(ticksPerMeasure, static_cast<std::uint32_t>(count));
                pending -= count * ticksPerMeasure;
            }
            ticksPerMeasure = static_cast<std::uint32_t>(ticks);
        }
        pending += static_cast<std::int64_t>(lastTick - previous);
        expected.emplace_back(ticksPerMeasure, static_cast<std::uint32_t>(covering()));
        for (std::uint32_t i = 0; i < sequence.SegmentCount(); ++i) {
            actual.emplace_back(sequence.Segment(i).ticksPerMeasure, sequence.Segment(i).measureCount);
        }
        EXPECT_EQ(actual, expected) << seed;
    }
    EXPECT_GT(compared, 30);
}

}  // namespace
