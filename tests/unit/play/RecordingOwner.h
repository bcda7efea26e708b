// An owner window for the play mode tests that records the panel's refreshes, timer calls, waits
// and song choices as lines of a log, and keeps the notices it was asked to show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "play/PlayMode.h"
#include "play/PlayOwner.h"

class RecordingOwner : public PlayOwner {
public:
    OwnerWindow Window() override { return reinterpret_cast<OwnerWindow>(0x1234); }
    void UpdateButtons() override { log.push_back("buttons"); }
    void UpdateTexts() override { log.push_back("texts"); }
    void UpdateTime(bool forceTitle) override { log.push_back(forceTitle ? "time title" : "time"); }
    void RefreshAll() override { log.push_back("refresh"); }
    std::uintptr_t SetTimer(PlayMode& /*mode*/, std::uint32_t intervalMs) override {
        log.push_back("timer " + std::to_string(intervalMs));
        ++timers;
        return 77;
    }
    void KillTimer(PlayMode& /*mode*/) override {
        log.push_back("kill timer");
        --timers;
    }
    void BeginWait() override { log.push_back("wait"); }
    void EndWait() override { log.push_back("end wait"); }
    std::uintptr_t StartSilence(PlayMode& /*mode*/, std::uint32_t milliseconds) override {
        log.push_back("silence " + std::to_string(milliseconds));
        return silenceTimerId;
    }
    void StopSilence(PlayMode& /*mode*/) override { log.push_back("silence over"); }
    bool IsShiftDown() override { return shiftDown; }
    int ChooseSong(PlayMode& /*mode*/) override {
        log.push_back("choose");
        return chosen;
    }
    void ShowNotice(const char* text) override { notices.emplace_back(text); }
    void PostPassOver(PlayMode& /*mode*/) override { ++passOverPosts; }

    int Count(const std::string& entry) const {
        int count = 0;
        for (const std::string& line : log) {
            count += line == entry;
        }
        return count;
    }

    std::vector<std::string> log;
    std::vector<std::string> notices;
    int passOverPosts = 0;
    std::uintptr_t silenceTimerId = 99;  // what StartSilence answers; 0 makes songs start at once
    bool shiftDown = false;
    int chosen = -1;
    int timers = 0;
};
