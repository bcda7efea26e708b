// Costs of opening MP3 files: the layout of a 10 MB variable-rate stream without a frame-count
// header (every frame header walked), and the ID3 version 2 title behind a 5 MB picture.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/containers/FileSystem.h"
#include "app/containers/MemoryFileSystem.h"
#include "devices/MpegDuration.h"
#include "devices/MpegFrameHeader.h"
#include "songfiles/Id3v2.h"

namespace {

// About 10 MB of MPEG-1 frames at 44.1 kHz whose rates step through 64 ... 320 kbit/s.
std::vector<std::uint8_t> VariableRateStream() {
    std::vector<std::uint8_t> file;
    for (std::uint32_t i = 0; file.size() < (10u << 20); ++i) {
        const std::uint32_t header = 0xFFFB0000u | (5 + i % 10) << 12;
        const std::size_t start = file.size();
        file.resize(start + MpegFrameBytes(header), 0);
        for (int b = 0; b < 4; ++b) {
            file[start + static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(header >> (24 - 8 * b));
        }
    }
    return file;
}

void BM_LayOutTenMegabyteVariableRateStream(benchmark::State& state) {
    const std::vector<std::uint8_t> file = VariableRateStream();
    for (auto _ : state) {
        MemoryByteSource source(file);
        Mp3Layout layout;
        benchmark::DoNotOptimize(ParseMp3(source, layout));
        benchmark::DoNotOptimize(layout.avgBytesPerSec);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_LayOutTenMegabyteVariableRateStream)->Unit(benchmark::kMillisecond);

void BM_Id3v2TitleBehindALargePicture(benchmark::State& state) {
    MemoryFileSystem files;
    FileSystem* previous = SetActiveFileSystem(&files);
    std::string tag = "ID3";
    tag += std::string("\x04\x00\x00", 3);
    const std::string picture(5u << 20, '\x11');
    const std::string title = std::string("\x03", 1) + "Title";
    auto syncsafe = [](std::uint32_t n) {
        return std::string{static_cast<char>(n >> 21 & 0x7F), static_cast<char>(n >> 14 & 0x7F),
                           static_cast<char>(n >> 7 & 0x7F), static_cast<char>(n & 0x7F)};
    };
    const std::string frames = "APIC" + syncsafe(static_cast<std::uint32_t>(picture.size())) + std::string(2, '\0') +
                               picture + "TIT2" + syncsafe(static_cast<std::uint32_t>(title.size())) +
                               std::string(2, '\0') + title;
    tag += syncsafe(static_cast<std::uint32_t>(frames.size())) + frames;
    files.AddFile("C:\\song.mp3", tag + std::string(4096, 'a'));
    for (auto _ : state) {
        Id3v2Text text;
        benchmark::DoNotOptimize(ReadId3v2(text, "C:\\song.mp3"));
    }
    SetActiveFileSystem(previous);
}
BENCHMARK(BM_Id3v2TitleBehindALargePicture)->Unit(benchmark::kMicrosecond);

}  // namespace
