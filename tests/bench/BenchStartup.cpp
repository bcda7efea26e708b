// Start-up costs: tokenizing a 32 KB command line and applying it to options and song history.
#include <benchmark/benchmark.h>

#include <string>

#include "app/ArgumentTable.h"
#include "app/CommandLineParser.h"
#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/StartupUi.h"

namespace {

class SilentUi : public StartupUi {
public:
    void ShowCommandLineWarning(const std::string&) override {}
    KillFailureChoice AskKillFailed() override { return KillFailureChoice::kAbort; }
};

// About 32 KB: quoted paths with blanks and Shift-JIS names, plain names and options.
std::string LongCommandLine() {
    std::string line = "/add /play ";
    for (int i = 0; line.size() < 32 * 1024; ++i) {
        line += (i % 3 == 0) ? "\"C:\\My Music\\曲 " + std::to_string(i) + ".mid\" " : "D:\\songs\\s" + std::to_string(i) + ".wav ";
    }
    line.resize(32 * 1024);
    return line;
}

void BM_Tokenize32KB(benchmark::State& state) {
    const std::string line = LongCommandLine();
    for (auto _ : state) {
        ArgumentTable table("C:\\Melodrix\\Melodrix.exe", line.c_str());
        benchmark::DoNotOptimize(table.Count());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(line.size()));
}
BENCHMARK(BM_Tokenize32KB)->Unit(benchmark::kMicrosecond);

void BM_TokenizeAndApply32KB(benchmark::State& state) {
    const std::string line = LongCommandLine();
    SilentUi ui;
    for (auto _ : state) {
        FileHistory.Clear();
        ArgumentTable table("C:\\Melodrix\\Melodrix.exe", line.c_str());
        StartOptions options;
        ApplyCommandLine(table, options, ui);
        benchmark::DoNotOptimize(FileHistory.Count());
    }
}
BENCHMARK(BM_TokenizeAndApply32KB)->Unit(benchmark::kMicrosecond);

}  // namespace
