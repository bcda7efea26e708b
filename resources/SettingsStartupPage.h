// Ids of the settings sheet's start-up page.
#pragma once

#define IDD_SETTINGS_STARTUP 15
#define IDC_STARTUP_LAST_MODE 102
#define IDC_STARTUP_FILE_MODE 103
#define IDC_STARTUP_CD_MODE 104
#define IDC_STARTUP_SAVE_SONG 105
#define IDC_STARTUP_PLAY 106
#define IDC_STARTUP_SINGLE 107
