// Start options taken from the settings.
#include "app/StartOptions.h"

#include "app/Settings.h"

StartOptions gStartOptions;

void CopyStartOptionsFromSettings(StartOptions& options) {
    options.playAtStart = gSettings.player.BootPlay;
    options.startMode = gSettings.player.BootMode;
    options.lastMode = gSettings.player.LastMode;
    options.singleInstance = gSettings.player.BootSingle;
    options.killOthers = 0;
    options.addSongs = 0;
}

int32_t ResolveStartMode(const StartOptions& options) {
    const int32_t mode = options.startMode == 0 ? options.lastMode : options.startMode;
    // A stored mode outside 1 and 2 would leave the player without a mode: use the file mode.
    return mode == 2 ? 2 : 1;
}
