// Ids of the play list selection dialog's template.
#pragma once

#define IDD_LIST_SELECTION 6
#define IDC_LSD_FOLDER_LIST 101
#define IDC_LSD_DOWN 105
#define IDC_LSD_UP 108
#define IDC_LSD_NEW_LIST 111
#define IDC_LSD_EDIT 113
#define IDC_LSD_DELETE 115
#define IDC_LSD_ADD_FILES 119
#define IDC_LSD_LISTS 137
