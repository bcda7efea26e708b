// Open-to-play time of a Recomposer song converted on the way against the MIDI file of the same
// notes, through the real MCI file device (scripts/bench.sh rcp). Prints one line per kind with
// the median of the runs in milliseconds, and their difference.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "devices/MciFileDevice.h"
#include "songfiles/RcpConverter.h"
#include "tests/support/RcpSongBuilder.h"

namespace {

// Eighteen tracks of eighth notes, about 66 KB.
std::string BenchSong() {
    RcpSongBuilder song;
    for (std::uint8_t t = 0; t < 18; ++t) {
        std::string& events = song.AddTrack(t % 16).events;
        for (int i = 0; i < 900; ++i) {
            events += song.Note(static_cast<std::uint8_t>(48 + (t + i * 5) % 24), 24, 20, 100);
        }
        events += song.End();
    }
    return song.Build();
}

bool WriteWhole(const std::string& path, const void* data, std::size_t size) {
    FILE* out = std::fopen(path.c_str(), "wb");
    const bool written = out && std::fwrite(data, 1, size, out) == size;
    return out && std::fclose(out) == 0 && written;
}

double MedianOpenToPlayMs(const std::string& path, int runs) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        MciFileDevice device(nullptr);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const bool played = device.Open(path.c_str()) == 1 && device.Play() != 0;
        QueryPerformanceCounter(&end);
        device.Close();
        if (!played) {
            return -1;
        }
        times.push_back(1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "mxbench" + std::to_string(GetCurrentProcessId());
    const std::string song = BenchSong();
    RcpConversion conversion;
    if (ConvertRcpToSmf(reinterpret_cast<const std::uint8_t*>(song.data()), song.size(), RcpConvertOptions(), nullptr,
                        conversion) != RcpReadResult::kOk ||
        !WriteWhole(base + ".rcp", song.data(), song.size()) ||
        !WriteWhole(base + ".mid", conversion.smf.data(), conversion.smf.size())) {
        std::fprintf(stderr, "cannot write the songs\n");
        return 1;
    }
    const double rcp = MedianOpenToPlayMs(base + ".rcp", runs);
    const double mid = MedianOpenToPlayMs(base + ".mid", runs);
    DeleteFileA((base + ".rcp").c_str());
    DeleteFileA((base + ".mid").c_str());
    std::printf("song-bytes: %zu\n", song.size());
    std::printf("rcp-open-to-play-ms: %.2f\n", rcp);
    std::printf("mid-open-to-play-ms: %.2f\n", mid);
    std::printf("difference-ms: %.2f\n", rcp - mid);
    return rcp < 0 || mid < 0 ? 1 : 0;
}
