// The installation proper, run once when Next is pressed on the Start-menu page: folders, files,
// registry entries, the version-1 play lists and the shortcuts, in this order. Every step that
// fails is recorded; none stops the steps after it.
#pragma once

#include <cstdint>

#include "installer/InstallReport.h"
#include "installer/InstallState.h"
#include "installer/InstallTarget.h"

class ProfileReader;

class Installation {
public:
    Installation(InstallTarget& target, ProfileReader& profiles, const InstallState& state)
        : target(target), profiles(profiles), state(state) {}

    // Runs every step; the report says what failed.
    const InstallReport& Run();
    const InstallReport& Report() const { return report; }

private:
    void MakeFolders();
    void CopyFiles();
    void WriteMachineKeys();
    void WriteFolderValues();
    void ConvertVersion1Lists();
    void MakeShortcuts();

    InstallTarget& target;
    ProfileReader& profiles;
    const InstallState& state;
    InstallReport report;
    std::uint64_t installedBytes = 0;
};
