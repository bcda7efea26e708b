// The display page: its values take effect with the next song.
#include "settingsui/DisplaySettingsPage_win.h"

#include "app/Settings.h"

bool DisplaySettingsPage::OnInitDialog() {
    const Settings::File& file = gSettings.file;
    Check(IDC_DISPLAY_TEXT_OPEN, file.TextOpen != 0);
    Check(IDC_DISPLAY_TEXT_CLOSE, file.TextClose != 0);
    Check(IDC_DISPLAY_WRD_VIEW, file.WrdView != 0);
    Check(IDC_DISPLAY_WRD_OPEN, file.WrdOpen != 0);
    EnableWrdOpen();
    return true;
}

INT_PTR DisplaySettingsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_DISPLAY_WRD_VIEW && HIWORD(wParam) == BN_CLICKED) {
        EnableWrdOpen();
        return TRUE;
    }
    return SettingsPage::HandleMessage(message, wParam, lParam);
}

void DisplaySettingsPage::EnableWrdOpen() const {
    EnableWindow(Item(IDC_DISPLAY_WRD_OPEN), Checked(IDC_DISPLAY_WRD_VIEW));
}

void DisplaySettingsPage::Store() {
    Settings::File& file = gSettings.file;
    file.TextOpen = Checked(IDC_DISPLAY_TEXT_OPEN) ? 1 : 0;
    file.TextClose = Checked(IDC_DISPLAY_TEXT_CLOSE) ? 1 : 0;
    file.WrdView = Checked(IDC_DISPLAY_WRD_VIEW) ? 1 : 0;
    file.WrdOpen = Checked(IDC_DISPLAY_WRD_OPEN) ? 1 : 0;
}
