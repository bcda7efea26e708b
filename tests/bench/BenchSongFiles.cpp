// Costs of the song-file work the list editor does in bulk: titles of a folder of a thousand MIDI
// files (in memory and on disk), a thousand-song play list read and written, a folder listed by patterns;
// and the conversion of a 66 KB Recomposer song that precedes its play.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/containers/FileSystem.h"
#include "app/containers/MemoryFileSystem.h"
#include "songfiles/FileTypes.h"
#include "songfiles/FindFiles.h"
#include "songfiles/PlayListFile.h"
#include "songfiles/RcpConverter.h"
#include "tests/support/RcpSongBuilder.h"
#include "tests/support/SmfBuilder.h"

namespace {

constexpr int kSongs = 1000;

std::string SongName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "song%04d.mid", i);
    return name;
}

std::string SongBytes(int i) {
    return TitledSmf("Title of song " + std::to_string(i), "(C) Melodrix bench " + std::to_string(i));
}

void TitleEverySong(benchmark::State& state, const std::string& folder) {
    std::vector<std::string> paths;
    for (int i = 0; i < kSongs; ++i) {
        paths.push_back(folder + SongName(i));
    }
    char title[kListTextBytes];
    char comment[kListTextBytes];
    for (auto _ : state) {
        for (const std::string& path : paths) {
            GetSongTitle(path.c_str(), title, comment);
            benchmark::DoNotOptimize(title[0]);
        }
    }
    state.SetItemsProcessed(state.iterations() * kSongs);
}

void BM_GetSongTitleInMemory(benchmark::State& state) {
    MemoryFileSystem files;
    for (int i = 0; i < kSongs; ++i) {
        files.AddFile(("C:\\Music\\" + SongName(i)).c_str(), SongBytes(i));
    }
    FileSystem* previous = SetActiveFileSystem(&files);
    TitleEverySong(state, "C:\\Music\\");
    SetActiveFileSystem(previous);
}
BENCHMARK(BM_GetSongTitleInMemory)->Unit(benchmark::kMillisecond);

// The same through the host's file system, with the files in a fresh temporary folder.
void BM_GetSongTitleOnDisk(benchmark::State& state) {
    char folder[] = "/tmp/mx-bench-songs-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    for (int i = 0; i < kSongs; ++i) {
        std::ofstream(std::string(folder) + "/" + SongName(i), std::ios::binary) << SongBytes(i);
    }
    TitleEverySong(state, std::string(folder) + "\\");
    for (int i = 0; i < kSongs; ++i) {
        unlink((std::string(folder) + "/" + SongName(i)).c_str());
    }
    rmdir(folder);
}
BENCHMARK(BM_GetSongTitleOnDisk)->Unit(benchmark::kMillisecond);

void BM_PlayListSaveThenLoad(benchmark::State& state) {
    MemoryFileSystem files;
    files.AddDirectory("C:\\Lists");
    FileSystem* previous = SetActiveFileSystem(&files);
    PlayListFile list;
    for (int i = 0; i < kSongs; ++i) {
        PlayListEntry entry;
        std::snprintf(entry.path, sizeof entry.path, "C:\\Music\\%s", SongName(i).c_str());
        std::snprintf(entry.title, sizeof entry.title, "Title, with comma %d", i);
        std::snprintf(entry.comment, sizeof entry.comment, "(C) \"quoted\" %d", i);
        list.InsertEntry(-1, entry);
    }
    for (auto _ : state) {
        list.Save("C:\\Lists\\bench.rpl");
        PlayListFile back;
        back.Load("C:\\Lists\\bench.rpl");
        benchmark::DoNotOptimize(back.EntryCount());
    }
    state.SetItemsProcessed(state.iterations() * kSongs);
    SetActiveFileSystem(previous);
}
BENCHMARK(BM_PlayListSaveThenLoad)->Unit(benchmark::kMillisecond);

void BM_FindFilesByPattern(benchmark::State& state) {
    MemoryFileSystem files;
    for (int i = 0; i < kSongs; ++i) {
        files.AddFile(("C:\\Music\\" + SongName(i)).c_str());
        files.AddFile(("C:\\Music\\take" + std::to_string(i) + ".wav").c_str());
    }
    FileSystem* previous = SetActiveFileSystem(&files);
    StringList list;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindFilesByPattern(list, "C:\\Music", "*.mid;*.smf;*.rcp;song?1*.*"));
    }
    state.SetItemsProcessed(state.iterations() * kSongs * 2);
    SetActiveFileSystem(previous);
}
BENCHMARK(BM_FindFilesByPattern)->Unit(benchmark::kMillisecond);

// A song as Recomposer users write them: 18 tracks of measures of eighth notes with controller
// moves, every fourth measure a repeat of an earlier one, and the middle part looped twice.
std::string RecomposerBenchSong() {
    RcpSongBuilder song;
    song.timebase = 48;
    for (std::uint8_t t = 0; t < 18; ++t) {
        RcpSongBuilder::Track& track = song.AddTrack(t % 16);
        std::string& events = track.events;
        events += song.Event(0xEC, 0, t, 0) + song.Event(0xEB, 0, 7, 100);
        for (int measure = 0; measure < 114; ++measure) {
            if (measure == 40) {
                events += song.Event(0xF9, 1, 0, 0);
            }
            if (measure % 4 == 3) {
                events += song.RepeatMeasure(2);
            } else {
                for (int n = 0; n < 8; ++n) {
                    events += song.Note(static_cast<std::uint8_t>(48 + (measure + n * 5) % 24), 24, 20, 100);
                }
                events += song.Event(0xEB, 0, 11, static_cast<std::uint8_t>(64 + measure % 32));
            }
            if (measure == 60) {
                events += song.Event(0xF8, 2, 0, 0);
            }
            events += song.Event(0xFD, 0, 0, 0);
        }
        events += song.End();
    }
    return song.Build();
}

void BM_RcpConvert66KB(benchmark::State& state) {
    const std::string song = RecomposerBenchSong();
    const auto* data = reinterpret_cast<const std::uint8_t*>(song.data());
    RcpConversion conversion;
    for (auto _ : state) {
        ConvertRcpToSmf(data, song.size(), RcpConvertOptions(), nullptr, conversion);
        benchmark::DoNotOptimize(conversion.smf.data());
    }
    state.counters["song_bytes"] = static_cast<double>(song.size());
    state.counters["smf_bytes"] = static_cast<double>(conversion.smf.size());
}
BENCHMARK(BM_RcpConvert66KB)->Unit(benchmark::kMillisecond);

}  // namespace
