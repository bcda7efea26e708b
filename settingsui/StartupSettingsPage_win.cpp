// The start-up page: its values take effect at the player's next start.
#include "settingsui/StartupSettingsPage_win.h"

#include "app/Settings.h"

namespace {

int RadioOf(BootModeChoice choice) {
    switch (choice) {
        case BootModeChoice::kLastMode:
            return IDC_STARTUP_LAST_MODE;
        case BootModeChoice::kCdMode:
            return IDC_STARTUP_CD_MODE;
        case BootModeChoice::kFileMode:
            break;
    }
    return IDC_STARTUP_FILE_MODE;
}

}  // namespace

bool StartupSettingsPage::OnInitDialog() {
    const Settings::Player& player = gSettings.player;
    CheckRadioButton(hwnd, IDC_STARTUP_LAST_MODE, IDC_STARTUP_CD_MODE, RadioOf(BootModeChoiceOf(player.BootMode)));
    Check(IDC_STARTUP_PLAY, player.BootPlay != 0);
    Check(IDC_STARTUP_SAVE_SONG, gSettings.file.SaveSong != 0);
    Check(IDC_STARTUP_SINGLE, player.BootSingle != 0);
    Check(IDC_STARTUP_MEDIA_KEYS, player.MediaKeys != 0);
    return true;
}

void StartupSettingsPage::Store() {
    Settings::Player& player = gSettings.player;
    player.BootPlay = Checked(IDC_STARTUP_PLAY) ? 1 : 0;
    gSettings.file.SaveSong = Checked(IDC_STARTUP_SAVE_SONG) ? 1 : 0;
    player.BootSingle = Checked(IDC_STARTUP_SINGLE) ? 1 : 0;
    player.MediaKeys = Checked(IDC_STARTUP_MEDIA_KEYS) ? 1 : 0;
    if (Checked(IDC_STARTUP_LAST_MODE)) {
        player.BootMode = static_cast<std::int32_t>(BootModeChoice::kLastMode);
    } else if (Checked(IDC_STARTUP_CD_MODE)) {
        player.BootMode = static_cast<std::int32_t>(BootModeChoice::kCdMode);
    } else {
        player.BootMode = static_cast<std::int32_t>(BootModeChoice::kFileMode);
    }
}
