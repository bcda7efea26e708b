// Ids of the settings sheet's display page.
#pragma once

#define IDD_SETTINGS_DISPLAY 14
#define IDC_DISPLAY_TEXT_OPEN 102
#define IDC_DISPLAY_TEXT_CLOSE 103
#define IDC_DISPLAY_WRD_VIEW 105
#define IDC_DISPLAY_WRD_OPEN 106
