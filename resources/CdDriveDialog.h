// Ids of the CD drive dialog's template.
#pragma once

#define IDD_CD_DRIVE 2
#define IDC_CD_DRIVE_LIST 101
