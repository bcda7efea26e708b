// Ids of the folder-list dialog's template.
#pragma once

#define IDD_FOLDER_LIST 8
#define IDC_FLD_FOLDER 101
#define IDC_FLD_FOLDER_LABEL 102
#define IDC_FLD_BROWSE 103
#define IDC_FLD_WILDCARD_LABEL 104
#define IDC_FLD_NAME 105
#define IDC_FLD_WILDCARD 123
