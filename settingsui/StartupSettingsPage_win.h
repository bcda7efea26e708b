// The "起動" page: the mode at start, playing at once, the saved song, a single player.
#pragma once

#include "settingsui/SettingsPage_win.h"

class StartupSettingsPage : public SettingsPage {
public:
    StartupSettingsPage() : SettingsPage(kStartupPageInfo) {}

protected:
    bool OnInitDialog() override;
    void Store() override;
};
