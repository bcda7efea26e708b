// The "演奏" page: seek speeds as scroll bars, the previous-song limit, closing the song on stop.
#pragma once

#include "settingsui/SettingsPage_win.h"

class PlaySettingsPage : public SettingsPage {
public:
    PlaySettingsPage() : SettingsPage(kPlayPageInfo) {}

protected:
    bool OnInitDialog() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Store() override;

private:
    void OnScroll(HWND bar, int code, int thumb);
    void OnBackLimitLeft();
    void RestoreDefaults();
    void SetSeekBar(int controlId, std::int32_t position) const;
    std::int32_t SeekBarPosition(int controlId) const;
};
