// Costs of building the file play mode's queue: a 10,000-song play list whose entries carry
// their titles (no song file is read), a folder entry of 1,000 MIDI files whose titles are read,
// and the memory the 10,000 queued songs take.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/containers/FileSystem.h"
#include "app/containers/MemoryFileSystem.h"
#include "app/containers/StringList.h"
#include "play/FileQueueBuilder.h"
#include "tests/support/SmfBuilder.h"

namespace {

constexpr int kListSongs = 10000;
constexpr int kFolderSongs = 1000;

std::string ListText() {
    std::string text = "Melodrix2.0 PlayList,A long evening,90,\r\n";
    char line[256];
    for (int i = 0; i < kListSongs; ++i) {
        std::snprintf(line, sizeof line,
                      "C:\\Music\\Album %03d\\Track %05d.mid,Title of track %05d,Composer %03d,%d,-300,%d\r\n", i / 20,
                      i, i, i % 97, 50 + i % 100, (i % 4) * 250);
        text += line;
    }
    return text;
}

class ActiveFiles {
public:
    explicit ActiveFiles(FileSystem& files) : previous(SetActiveFileSystem(&files)) {}
    ~ActiveFiles() { SetActiveFileSystem(previous); }

private:
    FileSystem* previous;
};

std::size_t QueueBytes(const std::vector<QueuedSong>& songs) {
    std::size_t bytes = (songs.capacity() - songs.size()) * sizeof(QueuedSong);
    for (const QueuedSong& song : songs) {
        bytes += song.Bytes();
    }
    return bytes;
}

void BuildQueue(const StringList& names, std::vector<QueuedSong>& songs) {
    ExpandNames(names, songs, nullptr);
    CompleteSongs(songs);
}

void BM_PlayListOf10000TitledSongs(benchmark::State& state) {
    MemoryFileSystem files;
    files.AddFile("C:\\Lists\\long.rpl", ListText());
    ActiveFiles scope(files);
    StringList names;
    names.InsertString(-1, "C:\\Lists\\long.rpl");
    std::vector<QueuedSong> songs;
    for (auto _ : state) {
        BuildQueue(names, songs);
        benchmark::DoNotOptimize(songs.data());
    }
    if (songs.size() != kListSongs) {
        state.SkipWithError("wrong song count");
        return;
    }
    state.counters["songs"] = static_cast<double>(songs.size());
    state.counters["queue_bytes"] = static_cast<double>(QueueBytes(songs));
    state.counters["bytes_per_song"] = static_cast<double>(QueueBytes(songs)) / kListSongs;
}
BENCHMARK(BM_PlayListOf10000TitledSongs)->Unit(benchmark::kMillisecond);

void BM_FolderOf1000MidiFilesWithTitles(benchmark::State& state) {
    MemoryFileSystem files;
    char name[64];
    for (int i = 0; i < kFolderSongs; ++i) {
        std::snprintf(name, sizeof name, "C:\\Songs\\song%04d.mid", i);
        files.AddFile(name, TitledSmf("Title of song " + std::to_string(i), "(C) bench " + std::to_string(i)));
    }
    files.AddFile("C:\\Songs\\cover.bmp", std::string("BM"));
    ActiveFiles scope(files);
    StringList names;
    names.InsertString(-1, "*Songs,C:\\Songs,*.mid;*.rcp");
    std::vector<QueuedSong> songs;
    for (auto _ : state) {
        BuildQueue(names, songs);
        benchmark::DoNotOptimize(songs.data());
    }
    if (songs.size() != kFolderSongs || std::string(songs[7].Title()) != "Title of song 7") {
        state.SkipWithError("titles were not read");
        return;
    }
    state.counters["songs"] = static_cast<double>(songs.size());
}
BENCHMARK(BM_FolderOf1000MidiFilesWithTitles)->Unit(benchmark::kMillisecond);

}  // namespace
