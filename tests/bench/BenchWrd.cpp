// The WRD display's heavy paths: decoding a full 640 x 400 MAG image, and a dense 10-minute script
// (a text line per beat, a MAG image and palette changes every four measures) jumped from tick 0
// to its end, which must be spread over calls of at most about 100 ms each.
#include <benchmark/benchmark.h>

// GCC 12 at -O2 reports a false out-of-bounds copy inside the test encoder's vector inserts; the
// warning is raised where the library code is inlined, so it is silenced for the whole file.
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "devices/SequenceDevice.h"
#include "tests/support/MagEncoder.h"
#include "tests/support/SmfBuilder.h"
#include "wrd/MagDecoder.h"
#include "wrd/WrdPlayer.h"

namespace {

// A full-page picture with smooth bands, repeats and noise, so fresh units and copies both occur.
const std::vector<std::uint8_t>& FullPageMag() {
    static const std::vector<std::uint8_t> bytes = [] {
        MagImage image;
        image.xEnd = kPageWidth - 1;
        image.yEnd = kPageHeight - 1;
        std::uint32_t seed = 7;
        for (int y = 0; y < kPageHeight; ++y) {
            std::vector<std::uint8_t> row(kPageWidth);
            for (int x = 0; x < kPageWidth; ++x) {
                seed = seed * 1103515245 + 12345;
                row[x] = static_cast<std::uint8_t>((seed >> 16) % 8 == 0 ? (seed >> 20) % 16 : (x / 24 + y / 16) % 16);
            }
            image.rows.push_back(row);
        }
        for (int i = 0; i < 16; ++i) {
            image.rgb[i] = {static_cast<std::uint8_t>(i * 17), static_cast<std::uint8_t>(255 - i * 17), 128};
        }
        return EncodeMag(image);
    }();
    return bytes;
}

void BM_MagDecodeFullPage(benchmark::State& state) {
    const std::vector<std::uint8_t>& file = FullPageMag();
    ScreenModel screen;
    for (auto _ : state) {
        const MagInfo info = DecodeMag(file.data(), file.size(), screen, -1, -1, kMagUseImagePalette);
        benchmark::DoNotOptimize(info);
    }
    state.counters["file_bytes"] = static_cast<double>(file.size());
    state.counters["megapixels_per_s"] =
        benchmark::Counter(kPageWidth * kPageHeight / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_MagDecodeFullPage)->Unit(benchmark::kMicrosecond);

constexpr std::uint16_t kDivision = 480;
constexpr std::uint32_t kMeasures = 300;  // 10 minutes of 4/4 at 120 quarter notes a minute
constexpr std::uint32_t kSongTicks = kMeasures * 4 * kDivision;

std::string TenMinuteSong() {
    SmfBuilder builder(0, kDivision);
    builder.Track().TimeSignature(0, 4, 2).Tempo(0, 500000).NoteOn(0, 60).EndOfTrack(kSongTicks);
    return builder.Build();
}

std::string DenseScript() {
    std::string script = "@WMODE(23)\n";  // one step per quarter note
    for (std::uint32_t beat = 0; beat < kMeasures * 4; ++beat) {
        if (beat % 16 == 0) {
            const std::string slot = std::to_string(2 + beat / 16 % 10);
            script +=
                "@MAG(bench.mag)@PAL(#" + slot + ",000,F00,0F0,00F,FF0,0FF,F0F,FFF,888,800,080,008,880,088,808,CCC)";
            script += "@FADE(0," + slot + ");\n";
        }
        script += "@COLOR(3" + std::to_string(beat % 8) + ");\n";
        script += "Beat " + std::to_string(beat) + ": \x89\xb9\x8a\x79\x82\xcc\x8d\x73 text for the line\n";
    }
    return script;
}

void BM_WrdJumpToEnd(benchmark::State& state) {
    MemoryFileSystem files;
    const std::vector<std::uint8_t>& image = FullPageMag();
    files.AddFile("C:\\bench\\bench.mag", std::string(image.begin(), image.end()));
    files.AddFile("C:\\bench\\bench.wrd", DenseScript());
    FileSystem* previous = SetActiveFileSystem(&files);
    const std::string song = TenMinuteSong();
    SequenceDevice device;
    device.OpenBytes(reinterpret_cast<const std::uint8_t*>(song.data()), song.size());
    int calls = 0;
    double maxCallMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        WrdPlayer player(nullptr, "C:\\bench\\bench.wrd", device, device.timebase);
        player.Advance(0);
        calls = 0;
        maxCallMs = 0;
        state.ResumeTiming();
        while (!player.Ended() && player.NextTick() <= kSongTicks) {
            const auto start = std::chrono::steady_clock::now();
            player.Advance(kSongTicks);
            const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
            maxCallMs = std::max(maxCallMs, spent.count());
            ++calls;
        }
    }
    SetActiveFileSystem(previous);
    state.counters["advance_calls"] = calls;
    state.counters["max_call_ms"] = maxCallMs;
}
BENCHMARK(BM_WrdJumpToEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
