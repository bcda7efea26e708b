// Cost of loading and saving every setting with a 20-name history, against the in-memory registry.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/MemoryRegistry.h"
#include "app/Settings.h"

namespace {

void FillHistory() {
    FileHistory.Clear();
    for (int i = 0; i < 20; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "C:\\Music\\Album %02d\\Song %02d.mid", i / 4, i);
        FileHistory.InsertString(-1, name);
    }
}

void BM_SaveSettings(benchmark::State& state) {
    MemoryRegistry registry;
    SetActiveRegistry(&registry);
    ResetSettingsToDefaults();
    FillHistory();
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveSettings());
    }
    SetActiveRegistry(nullptr);
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMicrosecond);

void BM_LoadSettings(benchmark::State& state) {
    MemoryRegistry registry;
    SetActiveRegistry(&registry);
    ResetSettingsToDefaults();
    FillHistory();
    SaveSettings();
    for (auto _ : state) {
        // Loading appends to the history, so each round starts from an empty one as at start-up.
        FileHistory.Clear();
        benchmark::DoNotOptimize(LoadSettings());
    }
    SetActiveRegistry(nullptr);
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

void BM_LoadThenSaveSettings(benchmark::State& state) {
    MemoryRegistry registry;
    SetActiveRegistry(&registry);
    ResetSettingsToDefaults();
    FillHistory();
    SaveSettings();
    for (auto _ : state) {
        FileHistory.Clear();
        benchmark::DoNotOptimize(LoadSettings());
        benchmark::DoNotOptimize(SaveSettings());
    }
    SetActiveRegistry(nullptr);
}
BENCHMARK(BM_LoadThenSaveSettings)->Unit(benchmark::kMicrosecond);

}  // namespace
