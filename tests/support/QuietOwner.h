// An owner for play modes under test or measurement that answers every call and records nothing.
#pragma once

#include <cstdint>

#include "play/PlayMode.h"
#include "play/PlayOwner.h"

class QuietOwner : public PlayOwner {
public:
    OwnerWindow Window() override { return nullptr; }
    void UpdateButtons() override {}
    void UpdateTexts() override {}
    void UpdateTime(bool) override {}
    void RefreshAll() override {}
    std::uintptr_t SetTimer(PlayMode&, std::uint32_t) override { return 1; }
    void KillTimer(PlayMode&) override {}
    void BeginWait() override {}
    void EndWait() override {}
    std::uintptr_t StartSilence(PlayMode&, std::uint32_t) override { return 0; }
    void StopSilence(PlayMode&) override {}
    bool IsShiftDown() override { return false; }
    int ChooseSong(PlayMode&) override { return -1; }
    void ShowNotice(const char*) override {}
    void PostPassOver(PlayMode&) override {}
};
