// Ids of the about box's template.
#pragma once

#define IDD_ABOUT 11
#define IDC_ABOUT_ICON 1001
#define IDC_ABOUT_NAME 1002
#define IDC_ABOUT_NOTE 1003
