// Ids of the settings sheet's volume page.
#pragma once

#define IDD_SETTINGS_VOLUME 5
#define IDC_VOLUME_WAVE 102
#define IDC_VOLUME_MIDI 129
#define IDC_VOLUME_CD 135
