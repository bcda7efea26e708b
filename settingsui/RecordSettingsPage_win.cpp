// The recording page: "WAVE_MAPPER" and every wave input device; the stored one is selected,
// else the mapper.
#include "settingsui/RecordSettingsPage_win.h"

#include "app/Settings.h"
#include "settingsui/SystemDevices_win.h"

namespace {

constexpr std::size_t kMapperIndex = 0;

}  // namespace

bool RecordSettingsPage::OnInitDialog() {
    const Settings::Record& record = gSettings.record;
    const std::vector<DeviceChoice> choices = WaveDeviceChoices(WaveInDeviceNames());
    FillChoices(IDC_RECORD_SETTINGS_DEVICE, choices,
                ChoiceIndexOf(choices, static_cast<std::uint32_t>(record.DeviceID), kMapperIndex));
    SendItem(IDC_RECORD_SETTINGS_BUFFER, EM_LIMITTEXT, kBufferSizeDigits);
    SetNumber(IDC_RECORD_SETTINGS_BUFFER, record.BufferSize);
    return true;
}

void RecordSettingsPage::Store() {
    Settings::Record& record = gSettings.record;
    record.BufferSize = RecordBufferFromText(TextOf(IDC_RECORD_SETTINGS_BUFFER).text);
    if (const auto data = SelectedData(IDC_RECORD_SETTINGS_DEVICE)) {
        record.DeviceID = static_cast<std::int32_t>(*data);
    }
}
