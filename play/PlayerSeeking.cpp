// Seeking within the current song (skips, held seek buttons, the position slider) and the
// position timer with the messages the main window hands on.
#include "play/PlayMode.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/Settings.h"

namespace {

constexpr std::uint32_t kMaxTimerInterval = 200;
// Skip jumps this many seek steps.
constexpr std::int64_t kSkipSteps = 5;
// The timer's period for which one seek step per tick is the nominal speed.
constexpr std::int64_t kNominalTickMs = 50;
// The position blinks the buttons in steps of this many milliseconds.
constexpr std::int32_t kBlinkStepMs = 200;

std::int32_t ClampPosition(std::int64_t position, std::int32_t lengthMs) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, 0, std::max(lengthMs, 0)));
}

int Sign(int direction) {
    return direction > 0 ? 1 : direction < 0 ? -1 : 0;
}

}  // namespace

void PlayMode::Skip(int direction) {
    if (!active || seekHeld || !EnsureDeviceOpen()) {
        return;
    }
    positionMs = device->GetPosition();
    const int remembered = state;
    state = kModeSeek;
    device->Pause();
    const std::int64_t step = static_cast<std::int64_t>(gSettings.play.SeekStep) * kSkipSteps * Sign(direction);
    const std::int32_t target = ClampPosition(static_cast<std::int64_t>(positionMs) + step, lengthMs);
    const int reached = device->Seek(static_cast<std::uint32_t>(target));
    positionMs = reached >= 0 ? reached : target;
    EndSeek(remembered);
}

void PlayMode::Scan(int direction) {
    if (!active || !EnsureDeviceOpen()) {
        return;
    }
    direction = Sign(direction);
    if (direction == seekDirection) {
        return;
    }
    seekDirection = direction;
    if (direction != 0) {
        // Turning round without letting go keeps the state from before the first press.
        if (!seekHeld) {
            positionMs = device->GetPosition();
            stateBeforeSeek = state;
        }
        state = kModeSeek;
        seekHeld = 1;
        // The first tick wraps this to 0 and moves at once.
        seekTickCount = std::numeric_limits<std::uint32_t>::max();
        device->Pause();
    } else {
        seekHeld = 0;
        const int reached = device->Seek(static_cast<std::uint32_t>(std::max(positionMs, 0)));
        if (reached >= 0) {
            positionMs = reached;
        }
        EndSeek(stateBeforeSeek);
        return;
    }
    owner.UpdateButtons();
    owner.UpdateTime(false);
}

void PlayMode::SeekTick() {
    if (!seekHeld || !deviceOpen) {
        return;
    }
    const std::uint32_t interval = static_cast<std::uint32_t>(std::max(gSettings.play.SeekInterval, 1));
    seekTickCount = (seekTickCount + 1) % interval;
    if (seekTickCount != 0) {
        return;
    }
    const std::int64_t step = owner.IsShiftDown() ? gSettings.play.SeekFastStep : gSettings.play.SeekStep;
    const std::int64_t delta = seekDirection * step * gSettings.play.TimerInterval / kNominalTickMs;
    // The device is left alone until the button is released; the panel shows positionMs.
    positionMs = ClampPosition(static_cast<std::int64_t>(positionMs) + delta, lengthMs);
}

void PlayMode::SeekTo(int milliseconds) {
    if (!HasSongs() || orderCount <= 0 || !EnsureDeviceOpen()) {
        return;
    }
    const int remembered = state;
    device->Seek(static_cast<std::uint32_t>(std::max(milliseconds, 0)));
    EndSeek(remembered);
}

void PlayMode::EndSeek(int stateBefore) {
    // A song that was playing plays on from the new place; any other stays paused there.
    if (stateBefore == kModePlay) {
        device->Play();
    } else {
        device->Pause();
    }
    state = device->GetMode();
    owner.UpdateButtons();
    owner.UpdateTime(false);
}

void PlayMode::StartTimer() {
    if (timerId != 0) {
        return;
    }
    // Compared unsigned, so a negative interval counts as too long.
    std::int32_t& interval = gSettings.play.TimerInterval;
    if (interval == 0) {
        interval = 1;
    } else if (static_cast<std::uint32_t>(interval) > kMaxTimerInterval) {
        interval = static_cast<std::int32_t>(kMaxTimerInterval);
    }
    timerId = owner.SetTimer(*this, static_cast<std::uint32_t>(interval)) != 0 ? 1 : 0;
}

void PlayMode::StopTimer() {
    if (timerId != 0) {
        owner.KillTimer(*this);
        timerId = 0;
    }
}

void PlayMode::HandleTimerMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t /*lParam*/) {
    switch (message) {
        case kTimerMessage:
            if (silenceTimer != 0 && wParam == silenceTimer) {
                EndSilence();
                return;
            }
            if (active) {
                if (seekHeld) {
                    SeekTick();
                }
                if ((tickToggle == 0 || seekHeld) && (state == kModePlay || state == kModeSeek)) {
                    GetSongPosition();
                    owner.UpdateTime(false);
                    if ((lastBlinkPosition / kBlinkStepMs) % 4 != (positionMs / kBlinkStepMs) % 4) {
                        owner.UpdateButtons();
                        lastBlinkPosition = positionMs;
                    }
                }
            }
            tickToggle ^= 1;
            // Also while inactive: the CD mode watches for a disc through it.
            OnTick();
            return;
        case kMciNotifyMessage:
            // Other notifications report a play that was aborted or superseded.
            if (wParam == kNotifySuccessful && active) {
                state = kModePlay;
                Select(kSelectNext);
            }
            return;
        case WM_TEXTVIEWER_CLOSED:
        case WM_WRDSCREEN_CLOSED:
            owner.UpdateButtons();
            return;
        case kPassOverMessage:
            if (active && passOverLeft > 0) {
                ContinuePassOver();
            }
            return;
    }
}
