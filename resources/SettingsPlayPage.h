// Ids of the settings sheet's play page.
#pragma once

#define IDD_SETTINGS_PLAY 9
#define IDC_PLAY_DEFAULTS 101
#define IDC_PLAY_STOP_CLOSE 102
#define IDC_PLAY_SEEK_STEP 131
#define IDC_PLAY_SEEK_FAST_STEP 134
#define IDC_PLAY_BACK_LIMIT 136
