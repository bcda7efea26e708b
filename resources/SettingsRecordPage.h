// Ids of the settings sheet's recording page.
#pragma once

#define IDD_SETTINGS_RECORD 17
#define IDC_RECORD_SETTINGS_DEVICE 101
#define IDC_RECORD_SETTINGS_BUFFER 102
