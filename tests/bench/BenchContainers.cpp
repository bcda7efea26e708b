// Costs of the shared containers and helpers at the sizes the player meets: long song lists,
// list files of a thousand lines, and recording names in a crowded folder.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/containers/CsvFields.h"
#include "app/containers/FileSystem.h"
#include "app/containers/MemoryFileSystem.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/PtrArray.h"
#include "app/containers/StringList.h"
#include "app/containers/UniqueFileName.h"

namespace {

constexpr int kItems = 100000;

void BM_PtrArrayAppendThenRemoveLast(benchmark::State& state) {
    for (auto _ : state) {
        PtrArray array;
        for (intptr_t i = 0; i < kItems; ++i) {
            array.Insert(-1, reinterpret_cast<void*>(i));
        }
        while (array.Count() > 0) {
            array.Remove(array.Count() - 1);
        }
        benchmark::DoNotOptimize(array.Capacity());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_PtrArrayAppendThenRemoveLast)->Unit(benchmark::kMillisecond);

// Inserting at the front moves every item: the worst case of a list editor's "insert at top".
void BM_PtrArrayInsertFrontThenRemoveFront(benchmark::State& state) {
    const int items = static_cast<int>(state.range(0));
    for (auto _ : state) {
        PtrArray array;
        for (intptr_t i = 0; i < items; ++i) {
            array.Insert(0, reinterpret_cast<void*>(i));
        }
        while (array.Count() > 0) {
            array.Remove(0);
        }
        benchmark::DoNotOptimize(array.Capacity());
    }
    state.SetItemsProcessed(state.iterations() * items);
}
BENCHMARK(BM_PtrArrayInsertFrontThenRemoveFront)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_StringListAppendThenClear(benchmark::State& state) {
    const char* path = "C:\\Music\\MIDI\\Collection\\Song number 0001.mid";
    for (auto _ : state) {
        StringList list;
        for (int i = 0; i < kItems; ++i) {
            list.InsertString(-1, path);
        }
        list.Clear();
        benchmark::DoNotOptimize(list.Count());
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_StringListAppendThenClear)->Unit(benchmark::kMillisecond);

std::vector<std::string> MakeListFile(int lines) {
    std::vector<std::string> file;
    for (int i = 0; i < lines; ++i) {
        file.push_back("C:\\Music\\MIDI\\song" + std::to_string(i) + ".mid,\"Title, part " + std::to_string(i) +
                       "\",\"a \"\"quoted\"\" comment\",100,0,0,ＭＳ ゴシック");
    }
    return file;
}

void BM_SplitCsvFieldsListFile(benchmark::State& state) {
    const std::vector<std::string> file = MakeListFile(1000);
    std::vector<std::vector<char>> storage(7, std::vector<char>(512));
    std::vector<char*> fields;
    for (auto& field : storage) {
        fields.push_back(field.data());
    }
    for (auto _ : state) {
        for (const std::string& line : file) {
            benchmark::DoNotOptimize(SplitCsvFields(fields.data(), 7, 512, line.c_str()));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_SplitCsvFieldsListFile)->Unit(benchmark::kMicrosecond);

void BM_MakeUniqueFileNameCrowdedFolder(benchmark::State& state) {
    MemoryFileSystem files;
    files.AddFile("C:\\Record\\Live take.wav");
    for (int n = 0; n < 99; ++n) {
        files.AddFile(("C:\\Record\\Live take_" + std::to_string(n) + ".wav").c_str());
    }
    FileSystem* previous = SetActiveFileSystem(&files);
    char out[kMaxPathBytes];
    for (auto _ : state) {
        benchmark::DoNotOptimize(MakeUniqueFileName(out, "C:\\Record", "Live take", ".wav"));
    }
    SetActiveFileSystem(previous);
}
BENCHMARK(BM_MakeUniqueFileNameCrowdedFolder)->Unit(benchmark::kMicrosecond);

}  // namespace
