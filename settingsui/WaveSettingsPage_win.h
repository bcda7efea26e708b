// The "WAVE" page: whether the player streams WAVE songs itself, on which device, with how many
// buffers.
#pragma once

#include "settingsui/SettingsPage_win.h"

class WaveSettingsPage : public SettingsPage {
public:
    WaveSettingsPage() : SettingsPage(kWavePageInfo) {}

protected:
    bool OnInitDialog() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Store() override;

private:
    // The device and the buffers only matter when the player streams WAVE songs itself.
    void EnableSelfPlayControls() const;
};
