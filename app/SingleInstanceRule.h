// The single-instance rule: refuse to run beside another player, or close it and take over.
#pragma once

class InstanceSystem;
class StartupUi;

enum class InstanceOutcome {
    kGoOn,      // start normally
    kEnd,       // end the program now
    kTookOver,  // the running player was closed: reload its saved settings before going on
};

struct InstanceRuleLimits {
    int pollCount = 50;          // checks for the closed player's mutex
    int pollIntervalMs = 100;    // wait before each check
};

InstanceOutcome ApplySingleInstanceRule(InstanceSystem& system, StartupUi& ui, bool singleInstance,
                                        bool killOthers, const InstanceRuleLimits& limits = {});
