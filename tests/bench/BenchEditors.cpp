// Costs of what the play list editor does before it is shown, on 5,000 songs: loading the list
// and making its rows, adding a folder's files, listing the folder and building its tree.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/containers/FileSystem.h"
#include "app/containers/MemoryFileSystem.h"
#include "editors/FolderTree.h"
#include "editors/PlayListEditModel.h"
#include "songfiles/FindFiles.h"

namespace {

constexpr int kCount = 5000;

std::string Name(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "song%04d.mid", i);
    return name;
}

// A folder of kCount files and kCount subfolders, and a list of kCount songs, in memory.
struct BigFolder {
    BigFolder() {
        std::string list = "Melodrix2.0 PlayList,Big,100,\r\n";
        for (int i = 0; i < kCount; ++i) {
            files.AddFile(("C:\\Many\\" + Name(i)).c_str(), std::string());
            files.AddDirectory(("C:\\Many\\folder" + std::to_string(i)).c_str());
            list += "C:\\Many\\" + Name(i) + ",Song " + std::to_string(i) + ",,100,-300,0\r\n";
            names.push_back(Name(i));
        }
        files.AddFile("C:\\Lists\\big.rpl", list);
        previous = SetActiveFileSystem(&files);
    }
    ~BigFolder() { SetActiveFileSystem(previous); }

    MemoryFileSystem files;
    std::vector<std::string> names;
    FileSystem* previous = nullptr;
};

void OpenListAndMakeRows(benchmark::State& state) {
    BigFolder folder;
    for (auto _ : state) {
        PlayListEditModel model;
        model.Open("C:\\Lists\\big.rpl");
        PlayListEntry entry;
        std::size_t bytes = 0;
        for (std::int32_t row = 0; row < model.SongCount(); ++row) {
            model.List().GetEntry(row, entry);
            bytes += std::string(entry.path).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(OpenListAndMakeRows)->Unit(benchmark::kMillisecond);

void AddEveryFileOfTheFolder(benchmark::State& state) {
    BigFolder folder;
    for (auto _ : state) {
        PlayListEditModel model;
        model.Open("");
        benchmark::DoNotOptimize(model.AddFiles(0, "C:\\Many", folder.names));
    }
}
BENCHMARK(AddEveryFileOfTheFolder)->Unit(benchmark::kMillisecond);

void ListTheFolderAndBuildItsTree(benchmark::State& state) {
    BigFolder folder;
    for (auto _ : state) {
        StringList found;
        FindFilesByPattern(found, "C:\\Many", "*.*");
        const FolderTree tree = BuildFolderTree("C:\\Many");
        benchmark::DoNotOptimize(tree.items.size() + static_cast<std::size_t>(found.Count()));
    }
}
BENCHMARK(ListTheFolderAndBuildItsTree)->Unit(benchmark::kMillisecond);

}  // namespace
