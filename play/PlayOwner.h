// What a play mode needs of the window that owns it: the panel's refresh calls, the position
// timer, the wait cursor, the pause before a song and the song jump dialog. The main window
// implements it; tests use a recording fake.
#pragma once

#include <cstdint>

#include "devices/MediaDevice.h"

class PlayMode;

class PlayOwner {
public:
    virtual ~PlayOwner() = default;

    // The main window, as devices and dialogs take it.
    virtual OwnerWindow Window() = 0;

    // The panel's refresh operations.
    virtual void UpdateButtons() = 0;
    virtual void UpdateTexts() = 0;
    virtual void UpdateTime(bool forceTitle) = 0;
    virtual void RefreshAll() = 0;

    // A window timer on the main window identified by the mode; its ticks come back through
    // the mode's HandleTimerMessage. Answers nonzero when the timer runs.
    virtual std::uintptr_t SetTimer(PlayMode& mode, std::uint32_t intervalMs) = 0;
    virtual void KillTimer(PlayMode& mode) = 0;

    // The wait cursor, shown between the two calls.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // The silence before a song: a one-shot window timer whose tick comes back through the
    // mode's HandleTimerMessage with the id answered here (0: no timer). The window answers
    // meanwhile.
    virtual std::uintptr_t StartSilence(PlayMode& mode, std::uint32_t milliseconds) = 0;
    virtual void StopSilence(PlayMode& mode) = 0;
    virtual bool IsShiftDown() = 0;

    // The song jump dialog for the mode; answers the chosen play-order position or -1.
    virtual int ChooseSong(PlayMode& mode) = 0;

    // A short note on the panel that goes away by itself after a few seconds (no box: what the
    // player is doing goes on).
    virtual void ShowNotice(const char* text) = 0;
    // Posts kPassOverMessage for the mode; it comes back through HandleTimerMessage once the
    // messages waiting before it have been handled.
    virtual void PostPassOver(PlayMode& mode) = 0;
};
