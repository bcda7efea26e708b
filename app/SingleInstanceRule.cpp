// The single-instance rule over the named mutex.
#include "app/SingleInstanceRule.h"

#include "app/InstanceSystem.h"
#include "app/StartupUi.h"

namespace {

// Polls until the mutex is gone: each round closes the handle held, waits, and opens again.
bool WaitForMutexToVanish(InstanceSystem& system, const InstanceRuleLimits& limits) {
    for (int poll = 0; poll < limits.pollCount; ++poll) {
        system.CloseBootMutex();
        system.Sleep(limits.pollIntervalMs);
        if (!system.OpenBootMutex()) {
            return true;
        }
    }
    return false;
}

InstanceOutcome TakeOver(InstanceSystem& system, StartupUi& ui, const InstanceRuleLimits& limits) {
    for (;;) {
        system.PostCloseToRunningPlayers();
        if (WaitForMutexToVanish(system, limits) && system.CreateBootMutex()) {
            return InstanceOutcome::kTookOver;
        }
        switch (ui.AskKillFailed()) {
            case KillFailureChoice::kRetry:
                continue;
            case KillFailureChoice::kIgnore:
                // Holding the other player's mutex would keep it alive after that player ends.
                system.CloseBootMutex();
                return InstanceOutcome::kGoOn;
            case KillFailureChoice::kAbort:
                system.CloseBootMutex();
                return InstanceOutcome::kEnd;
        }
    }
}

}  // namespace

InstanceOutcome ApplySingleInstanceRule(InstanceSystem& system, StartupUi& ui, bool singleInstance,
                                        bool killOthers, const InstanceRuleLimits& limits) {
    const bool otherRunning = system.OpenBootMutex();
    if (!otherRunning) {
        return system.CreateBootMutex() ? InstanceOutcome::kGoOn : InstanceOutcome::kEnd;
    }
    if (killOthers) {
        return TakeOver(system, ui, limits);
    }
    if (singleInstance) {
        system.ActivateRunningPlayer();
        system.CloseBootMutex();
        return InstanceOutcome::kEnd;
    }
    return InstanceOutcome::kGoOn;
}
