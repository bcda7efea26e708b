// Ids of the installer's four wizard pages and their controls.
#pragma once

// Page 1: the installation folder.
#define IDD_WIZARD_FOLDER 5
#define IDC_FOLDER_EDIT 102
#define IDC_FOLDER_BROWSE 103
#define IDC_FOLDER_WELCOME 104

// Page 2: the list and CD folders.
#define IDD_WIZARD_DIRECTORIES 1
#define IDC_DIRECTORIES_LIST 102
#define IDC_DIRECTORIES_CD 103
#define IDC_DIRECTORIES_LIST_BROWSE 104
#define IDC_DIRECTORIES_CD_BROWSE 105

// Page 3: the Start menu and the desktop.
#define IDD_WIZARD_STARTMENU 2
#define IDC_STARTMENU_PROGRAMS 101
#define IDC_STARTMENU_DESKTOP 102

// Page 4: the result.
#define IDD_WIZARD_FINISH 6
#define IDC_FINISH_TEXT 101
