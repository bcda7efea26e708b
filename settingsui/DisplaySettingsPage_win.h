// The "表示" page: when the text viewer and the WRD screen open and close.
#pragma once

#include "settingsui/SettingsPage_win.h"

class DisplaySettingsPage : public SettingsPage {
public:
    DisplaySettingsPage() : SettingsPage(kDisplayPageInfo) {}

protected:
    bool OnInitDialog() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Store() override;

private:
    // Opening the WRD screen with the song only makes sense while scripts run.
    void EnableWrdOpen() const;
};
