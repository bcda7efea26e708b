// The start options of one run: taken from the settings, then changed by the command line.
#pragma once

#include <cstdint>

struct StartOptions {
    int32_t playAtStart = 0;     // start playing as soon as the main window exists
    int32_t startMode = 1;       // 0 resume the last mode, 1 file play mode, 2 CD play mode
    int32_t lastMode = 1;        // the mode used when startMode is 0
    int32_t singleInstance = 0;  // refuse to run beside another player
    int32_t killOthers = 0;      // close running players and take their place
    int32_t addSongs = 0;        // command-line songs are appended to the history (never saved)
};

// The options of this process, read by the main window when it creates the play modes.
extern StartOptions gStartOptions;

// Copies BootPlay, BootMode, LastMode and BootSingle from the settings; clears the others.
void CopyStartOptionsFromSettings(StartOptions& options);

// The play mode the main window opens with: startMode, or lastMode when startMode is 0.
int32_t ResolveStartMode(const StartOptions& options);
