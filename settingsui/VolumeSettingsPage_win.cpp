// The volume page: each box lists the volume controls the system reports for its kind of song
// and selects the stored one ("自動検出" when it is gone).
#include "settingsui/VolumeSettingsPage_win.h"

#include "app/Settings.h"
#include "settingsui/SystemDevices_win.h"

namespace {

// "自動検出" is the second item of every box.
constexpr std::size_t kAutomaticIndex = 1;

struct VolumeBoxSetting {
    int controlId;
    VolumeBox box;
    std::uint32_t Settings::Volume::*setting;
};

constexpr VolumeBoxSetting kVolumeBoxes[] = {
    {IDC_VOLUME_MIDI, VolumeBox::kMidi, &Settings::Volume::MIDI_Volume_ID},
    {IDC_VOLUME_WAVE, VolumeBox::kWave, &Settings::Volume::Wave_Volume_ID},
    {IDC_VOLUME_CD, VolumeBox::kCd, &Settings::Volume::CD_Volume_ID},
};

}  // namespace

bool VolumeSettingsPage::OnInitDialog() {
    const VolumeDevices devices = ListVolumeDevices();
    for (const VolumeBoxSetting& box : kVolumeBoxes) {
        const std::vector<DeviceChoice> choices = VolumeChoices(box.box, devices);
        FillChoices(box.controlId, choices, ChoiceIndexOf(choices, gSettings.volume.*box.setting, kAutomaticIndex));
    }
    return true;
}

void VolumeSettingsPage::Store() {
    for (const VolumeBoxSetting& box : kVolumeBoxes) {
        if (const auto data = SelectedData(box.controlId)) {
            gSettings.volume.*box.setting = *data;
        }
    }
}
