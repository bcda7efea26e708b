// Loading MIDI files: a 1 MB file of about 300,000 events, and a sparse 20-minute song at division
// 30,000 (about 72 million ticks) whose cost must follow its events, not its ticks. With
// MX_BENCH_MIDI_DIR set, the generated files are also written there for tests/bench/midicsv_compare.sh.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "devices/MidiSequence.h"
#include "songfiles/SmfSongInfo.h"
#include "tests/support/SmfBuilder.h"

namespace {

// Sixteen tracks of notes in running status with program changes, about 300,000 events in 1 MB.
const std::string& LargeSong() {
    static const std::string bytes = [] {
        SmfBuilder builder(1, 480);
        builder.Track().Title(0, "Large").Tempo(0, 500000).TimeSignature(0, 4, 2).EndOfTrack(0);
        std::uint32_t seed = 1;
        for (int track = 0; track < 16; ++track) {
            builder.Track().Event(0, {static_cast<std::uint8_t>(0xC0 | track), 1});
            builder.Event(0, {static_cast<std::uint8_t>(0x90 | track), 60, 100});
            for (int i = 0; i < 18700; ++i) {
                seed = seed * 1103515245 + 12345;
                builder.Event((seed >> 16) % 200, {static_cast<std::uint8_t>((seed >> 8) & 0x7F),
                                                   static_cast<std::uint8_t>(i % 2 ? 0 : 90)});
            }
            builder.EndOfTrack();
        }
        return builder.Build();
    }();
    return bytes;
}

// 20 minutes at 120 quarters a minute and division 30,000: a note every quarter on one track.
const std::string& LongSparseSong() {
    static const std::string bytes = [] {
        SmfBuilder builder(1, 30000);
        builder.Track().Title(0, "Long").TimeSignature(0, 3, 2);
        for (int i = 1; i <= 40; ++i) {
            builder.Tempo(60 * 30000, 500000 + static_cast<std::uint32_t>(i % 3) * 1000);
        }
        builder.EndOfTrack().Track();
        for (int i = 0; i < 2400; ++i) {
            builder.NoteOn(i == 0 ? 0 : 29000, 60).Event(1000, {0x80, 60, 0});
        }
        builder.EndOfTrack();
        return builder.Build();
    }();
    return bytes;
}

// Writes the generated files where the comparison script asks for them.
const bool kFilesWritten = [] {
    if (const char* dir = std::getenv("MX_BENCH_MIDI_DIR")) {
        std::ofstream(std::string(dir) + "/large.mid", std::ios::binary) << LargeSong();
        std::ofstream(std::string(dir) + "/long.mid", std::ios::binary) << LongSparseSong();
    }
    return true;
}();

void LoadFromBytes(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        MidiSequence sequence;
        sequence.LoadBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        if (!sequence.IsLoaded()) {
            state.SkipWithError("song did not load");
            break;
        }
        benchmark::DoNotOptimize(sequence.TotalTime());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_LoadLargeSmf(benchmark::State& state) {
    LoadFromBytes(state, LargeSong());
}
BENCHMARK(BM_LoadLargeSmf)->Unit(benchmark::kMillisecond);

void BM_LoadLargeSmfThroughFileSystem(benchmark::State& state) {
    MemoryFileSystem files;
    files.AddFile("C:\\large.mid", LargeSong());
    FileSystem* previous = SetActiveFileSystem(&files);
    for (auto _ : state) {
        const MidiSequence sequence("C:\\large.mid");
        benchmark::DoNotOptimize(sequence.TotalTicks());
    }
    SetActiveFileSystem(previous);
}
BENCHMARK(BM_LoadLargeSmfThroughFileSystem)->Unit(benchmark::kMillisecond);

void BM_LoadLongSparseSmf(benchmark::State& state) {
    LoadFromBytes(state, LongSparseSong());
    MidiSequence sequence;
    sequence.LoadBytes(reinterpret_cast<const std::uint8_t*>(LongSparseSong().data()), LongSparseSong().size());
    state.counters["ticks"] = sequence.TotalTicks();
}
BENCHMARK(BM_LoadLongSparseSmf)->Unit(benchmark::kMillisecond);

void BM_SmfSongInfoLargeSmf(benchmark::State& state) {
    const std::string& bytes = LargeSong();
    for (auto _ : state) {
        const SmfSongInfo info(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        benchmark::DoNotOptimize(info.IsLoaded());
    }
}
BENCHMARK(BM_SmfSongInfoLargeSmf)->Unit(benchmark::kMicrosecond);

}  // namespace
