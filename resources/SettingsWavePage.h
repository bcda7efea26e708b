// Ids of the settings sheet's WAVE page.
#pragma once

#define IDD_SETTINGS_WAVE 4
#define IDC_WAVE_SELF_PLAY 101
#define IDC_WAVE_DEVICE 102
#define IDC_WAVE_BUFFER 103
