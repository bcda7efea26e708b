// The WAVE page: its device and buffer count take effect with the next song.
#include "settingsui/WaveSettingsPage_win.h"

#include "app/Settings.h"
#include "settingsui/SystemDevices_win.h"

bool WaveSettingsPage::OnInitDialog() {
    const Settings::Wave& wave = gSettings.wave;
    Check(IDC_WAVE_SELF_PLAY, wave.SelfPlay != 0);
    const std::vector<DeviceChoice> choices = WaveDeviceChoices(WaveOutDeviceNames());
    FillChoices(IDC_WAVE_DEVICE, choices,
                ChoiceIndexOf(choices, static_cast<std::uint32_t>(wave.DeviceID), std::nullopt));
    SendItem(IDC_WAVE_BUFFER, EM_LIMITTEXT, kBufferSizeDigits);
    SetNumber(IDC_WAVE_BUFFER, wave.BufferSize);
    EnableSelfPlayControls();
    return true;
}

INT_PTR WaveSettingsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_WAVE_SELF_PLAY && HIWORD(wParam) == BN_CLICKED) {
        EnableSelfPlayControls();
        return TRUE;
    }
    return SettingsPage::HandleMessage(message, wParam, lParam);
}

void WaveSettingsPage::EnableSelfPlayControls() const {
    const bool selfPlay = Checked(IDC_WAVE_SELF_PLAY);
    EnableWindow(Item(IDC_WAVE_DEVICE), selfPlay);
    EnableWindow(Item(IDC_WAVE_BUFFER), selfPlay);
}

void WaveSettingsPage::Store() {
    Settings::Wave& wave = gSettings.wave;
    wave.SelfPlay = Checked(IDC_WAVE_SELF_PLAY) ? 1 : 0;
    if (const auto data = SelectedData(IDC_WAVE_DEVICE)) {
        wave.DeviceID = static_cast<std::int32_t>(*data);
    }
    wave.BufferSize = WaveBufferFromText(TextOf(IDC_WAVE_BUFFER).text);
}
