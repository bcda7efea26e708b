// The "ﾎﾞﾘｭｰﾑ" page: the volume control linked to MIDI, WAVE and CD songs.
#pragma once

#include "settingsui/SettingsPage_win.h"

class VolumeSettingsPage : public SettingsPage {
public:
    VolumeSettingsPage() : SettingsPage(kVolumePageInfo) {}

protected:
    bool OnInitDialog() override;
    void Store() override;
};
