// Costs of the song queue on a long list: stepping through 10,000 songs in random order (each
// step closes the song, opens the next and applies its volume), passing over 10,000 songs that
// cannot be opened, shuffling 10,000 songs and filtering 10,000 titles.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "play/PlayMode.h"
#include "play/SongFilter.h"
#include "tests/support/QuietOwner.h"

namespace {

constexpr int kSongs = 10000;

// A device that opens anything at once.
class InstantDevice : public MediaDevice {
public:
    InstantDevice() : MediaDevice(nullptr) {}
    ~InstantDevice() = default;
    int Open(const char*) override {
        if (refuse) {
            return 0;
        }
        isOpen = 1;
        lengthMs = 180000;
        deviceType = kDeviceTypeSequencer;
        mode = kModeStop;
        return 1;
    }
    void Close() override { isOpen = 0; }
    int Play() override { return (mode = kModePlay), 1; }
    int Stop() override { return (mode = kModeStop), 1; }
    int Pause() override { return (mode = kModePause), 1; }
    int Seek(std::uint32_t ms) override { return static_cast<int>(ms); }
    int GetPosition() override { return 0; }
    int GetMode() override { return isOpen ? mode : kModeNotReady; }
    int mode = kModeNotReady;
    bool refuse = false;
};

// One MIDI output that takes every volume.
class OneDevicePort : public VolumePort {
public:
    std::uint32_t DeviceCount(VolumeDeviceKind kind) override { return kind == VolumeDeviceKind::kMidiOut; }
    std::optional<VolumeCaps> GetCaps(VolumeDeviceKind, std::uint32_t) override { return VolumeCaps{0, true}; }
    std::optional<std::uint32_t> GetVolume(VolumeDeviceKind, std::uint32_t) override { return word; }
    bool SetVolume(VolumeDeviceKind, std::uint32_t, std::uint32_t volume) override { return (word = volume), true; }
    std::uint32_t word = 0xFFFFFFFF;
};

class BenchMode : public PlayMode {
public:
    explicit BenchMode(PlayOwner& owner) : PlayMode(owner) {}
    int BuildQueue() override { return 1; }
    void FreeQueue() override {}
    int GetSongCount() override { return kSongs; }
    void GetSong(SongEntry& entry, int index) override {
        std::snprintf(entry.path, sizeof entry.path, "C:\\Songs\\song%05d.mid", index);
        std::snprintf(entry.title, sizeof entry.title, "Song %d", index);
        entry.queueIndex = index;
        entry.volume = 80;
    }
    void GetQueueTitle(char*, std::size_t, int) override {}
    MediaDevice* OpenDevice(const SongEntry& entry) override { return device.Open(entry.path) ? &device : nullptr; }
    void CloseDevice() override { device.Close(); }
    void OnTick() override {}
    int EditList() override { return 0; }
    int OpenSource() override { return 0; }
    InstantDevice device;
};

void BM_NextThroughRandomQueue(benchmark::State& state) {
    QuietOwner owner;
    OneDevicePort port;
    BenchMode mode(owner);
    mode.volumePort = &port;
    mode.SetPlayMode(kPlayRandomRepeat);
    mode.Reload();
    mode.Play();
    for (auto _ : state) {
        for (int i = 0; i < kSongs; ++i) {
            mode.Next();
        }
        benchmark::DoNotOptimize(mode.GetCurrentPosition());
    }
    state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK(BM_NextThroughRandomQueue)->Unit(benchmark::kMillisecond);

void BM_SelectEveryPositionRandom(benchmark::State& state) {
    QuietOwner owner;
    OneDevicePort port;
    BenchMode mode(owner);
    mode.volumePort = &port;
    mode.SetPlayMode(kPlayRandom);
    mode.Reload();
    for (auto _ : state) {
        for (int p = 0; p < kSongs; ++p) {
            mode.Select(p);
        }
        benchmark::DoNotOptimize(mode.GetCurrentPosition());
    }
    state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK(BM_SelectEveryPositionRandom)->Unit(benchmark::kMillisecond);

// An owner that counts the pass-over steps it is asked to post, as the main window's queue would
// hold them.
class PostingOwner : public QuietOwner {
public:
    void PostPassOver(PlayMode&) override { ++posted; }
    int posted = 0;
};

// Play on a queue of 10,000 songs none of which opens: every step of the pass, delivered as the
// window would, until the one "nothing playable" notice.
void BM_PassOverTenThousandUnplayable(benchmark::State& state) {
    PostingOwner owner;
    BenchMode mode(owner);
    mode.device.refuse = true;
    mode.SetPlayMode(kPlayRepeat);
    mode.Reload();
    int steps = 0;
    for (auto _ : state) {
        mode.Play();
        steps = 0;
        while (owner.posted > 0) {
            --owner.posted;
            ++steps;
            mode.HandleTimerMessage(kPassOverMessage, 0, 0);
        }
    }
    state.counters["steps"] = steps;
    state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK(BM_PassOverTenThousandUnplayable)->Unit(benchmark::kMillisecond);

void BM_ShuffleAll(benchmark::State& state) {
    QuietOwner owner;
    BenchMode mode(owner);
    mode.SetPlayMode(kPlayRandom);
    for (auto _ : state) {
        mode.Shuffle(0);
        benchmark::DoNotOptimize(mode.GetPlayMode());
    }
    state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK(BM_ShuffleAll)->Unit(benchmark::kMicrosecond);

// One keystroke in the song jump dialog's search: filter 10,000 mixed titles.
void BM_FilterTenThousandTitles(benchmark::State& state) {
    std::vector<std::string> titles;
    for (int i = 0; i < kSongs; ++i) {
        char title[96];
        std::snprintf(title, sizeof title, "夜明けのメロディ Part %d ソフトな曲 - Artist %d", i, i % 97);
        titles.push_back(title);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(FilterSongPositions(titles, "artist 42"));
    }
    state.SetItemsProcessed(state.iterations() * kSongs);
}
BENCHMARK(BM_FilterTenThousandTitles)->Unit(benchmark::kMillisecond);

}  // namespace
