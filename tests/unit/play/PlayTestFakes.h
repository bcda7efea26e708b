// Fakes for the queue, controller and CD mode tests: the recording owner window, a device with a
// scriptable mode, position and length, and a play mode over a list of made-up songs.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "play/PlayMode.h"
#include "tests/unit/play/RecordingOwner.h"

// A device whose mode, position and length the test sets; it behaves like an MCI device: Stop
// rewinds, Seek stops, Pause from stopped primes and pauses.
class ScriptedDevice : public MediaDevice {
public:
    explicit ScriptedDevice(std::int32_t type = kDeviceTypeSequencer) : MediaDevice(nullptr), type(type) {}
    ~ScriptedDevice() = default;

    int Open(const char* fileName) override {
        opened.push_back(fileName);
        if (refuseOpen || unplayable.count(fileName) != 0) {
            return 0;
        }
        isOpen = 1;
        lengthMs = songLengthMs;
        deviceType = type;
        mode = kModeStop;
        position = 0;
        return 1;
    }
    void Close() override {
        closes += isOpen;
        isOpen = 0;
    }
    int Play() override {
        ++plays;
        mode = kModePlay;
        return isOpen;
    }
    int Stop() override {
        mode = kModeStop;
        position = 0;
        return isOpen;
    }
    int Pause() override {
        mode = kModePause;
        return isOpen;
    }
    int Seek(std::uint32_t milliseconds) override {
        seeks.push_back(milliseconds);
        mode = kModeStop;
        position = static_cast<int>(std::min<std::uint32_t>(milliseconds, static_cast<std::uint32_t>(lengthMs)));
        return position;
    }
    // onPosition runs inside the query, as a device that reports the end of a song from it does.
    int GetPosition() override {
        const int answer = isOpen ? position : 0;
        if (onPosition) {
            onPosition();
        }
        return answer;
    }
    int GetMode() override { return isOpen ? mode : kModeNotReady; }

    std::int32_t type;
    std::int32_t songLengthMs = 180000;
    bool refuseOpen = false;
    std::set<std::string> unplayable;  // names whose open fails
    int mode = kModeNotReady;
    int position = 0;
    int plays = 0;
    int closes = 0;
    std::vector<std::string> opened;
    std::vector<std::uint32_t> seeks;
    std::function<void()> onPosition;
};

struct TestSong {
    std::int32_t volume = 100;
    std::int32_t balance = kBalanceUnchanged;
    std::int32_t silenceMs = 0;
};

// A play mode over `source`: BuildQueue takes it, songs are named "song<i>" and titled "Title <i>",
// and every song opens on the one scripted device.
class TestMode : public PlayMode {
public:
    TestMode(PlayOwner& owner, int songs) : PlayMode(owner), source(static_cast<std::size_t>(songs)) {}

    int BuildQueue() override {
        queue = source;
        return queue.empty() ? 0 : 1;
    }
    void FreeQueue() override { queue.clear(); }
    int GetSongCount() override { return static_cast<int>(queue.size()); }
    void GetSong(SongEntry& entry, int index) override {
        if (index < 0 || index >= GetSongCount()) {
            return;
        }
        std::snprintf(entry.path, sizeof entry.path, "song%d", index);
        std::snprintf(entry.title, sizeof entry.title, "Title %d", index);
        SetSongField(entry.listTitle, "List");
        const TestSong& song = queue[static_cast<std::size_t>(index)];
        entry.volume = song.volume;
        entry.balance = song.balance;
        entry.silenceMs = song.silenceMs;
        entry.origin = kOriginFile;
        entry.queueIndex = index;
    }
    void GetQueueTitle(char* text, std::size_t capacity, int position) override {
        SongEntry entry;
        GetSongAt(entry, position);
        CopyShiftJis(text, capacity, entry.title);
    }
    MediaDevice* OpenDevice(const SongEntry& entry) override { return device.Open(entry.path) ? &device : nullptr; }
    void CloseDevice() override { device.Close(); }
    void OnTick() override { ++ticks; }
    int EditList() override { return 0; }
    int OpenSource() override { return 0; }

    // The song at a play-order position, by its queue index; -1 for none.
    int SongAt(int position) {
        SongEntry entry;
        entry.queueIndex = -1;
        GetSongAt(entry, position);
        return entry.queueIndex;
    }
    int CurrentSong() const { return current.queueIndex; }
    std::string CurrentPath() const { return current.path; }
    const DeviceVolume* Volume() const { return songVolume.get(); }
    void SetCompanions(bool text, bool wrd) {
        hasText = text;
        hasWrd = wrd;
    }
    using PlayMode::positionMs;
    using PlayMode::StartTimer;
    using PlayMode::StopTimer;

    std::vector<TestSong> source;
    std::vector<TestSong> queue;
    ScriptedDevice device;
    int ticks = 0;
};

// Draws from a fixed cycle, so that orders are the same on every run and every system.
class CycleRandom {
public:
    explicit CycleRandom(std::vector<int> values) : values(std::move(values)) {}
    int operator()() {
        ++draws;
        return values[(draws - 1) % values.size()];
    }
    std::vector<int> values;
    std::size_t draws = 0;
};
