// The folder-list dialog.
#include "editors/FolderListDialog_win.h"

#include "app/containers/ShiftJis.h"
#include "editors/FolderListEntry.h"
#include "resources/FolderListDialog.h"
#include "support/MxLib.h"
#include "ui/HelpKeywords.h"
#include "ui/HelpViewer_win.h"

INT_PTR FolderListDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message == WM_INITDIALOG) {
        OnInitDialog();
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
        case IDOK:
            OnOk();
            return TRUE;
        case IDCANCEL:
            End(0);
            return TRUE;
        case IDHELP:
            ShowHelpKeyword(hwnd, kHelpFolderDialog);
            return TRUE;
        case IDC_FLD_BROWSE:
            OnBrowse();
            return TRUE;
        default:
            return FALSE;
    }
}

void FolderListDialog::OnInitDialog() {
    for (const char* pattern : kFolderListWildcards) {
        SendItem(IDC_FLD_WILDCARD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pattern));
    }
    SendItem(IDC_FLD_NAME, EM_LIMITTEXT, sizeof listName - 1);
    SendItem(IDC_FLD_FOLDER, EM_LIMITTEXT, sizeof folder - 1);
    SendItem(IDC_FLD_WILDCARD, CB_LIMITTEXT, sizeof wildcard - 1);
    SetDlgItemTextA(hwnd, IDC_FLD_NAME, listName);
    SetDlgItemTextA(hwnd, IDC_FLD_FOLDER, folder);
    SetDlgItemTextA(hwnd, IDC_FLD_WILDCARD, wildcard);
}

void FolderListDialog::OnOk() {
    FolderListFields fields;
    fields.name = ItemText(hwnd, IDC_FLD_NAME, sizeof listName);
    fields.folder = ItemText(hwnd, IDC_FLD_FOLDER, sizeof folder);
    fields.wildcard = ItemText(hwnd, IDC_FLD_WILDCARD, sizeof wildcard);
    CopyShiftJis(listName, sizeof listName, fields.name.c_str());
    CopyShiftJis(folder, sizeof folder, fields.folder.c_str());
    CopyShiftJis(wildcard, sizeof wildcard, fields.wildcard.c_str());
    switch (CheckFolderList(fields)) {
        case FolderListProblem::kMissingName:
            Ask(kMissingListNameText, kMissingFieldCaption, MB_OK);
            return;
        case FolderListProblem::kMissingFolder:
            Ask(kMissingFolderText, kMissingFieldCaption, MB_OK);
            return;
        case FolderListProblem::kNone:
            End(1);
            return;
    }
}

void FolderListDialog::OnBrowse() {
    char path[kMaxPathBytes];
    CopyShiftJis(path, sizeof path, ItemText(hwnd, IDC_FLD_FOLDER, sizeof path).c_str());
    if (PickFolder(path)) {
        CopyShiftJis(folder, sizeof folder, path);
        SetDlgItemTextA(hwnd, IDC_FLD_FOLDER, folder);
    }
}

int FolderListDialog::PickFolder(char* path) {
    CPathDlg picker;
    return picker.GetDir(hwnd, path);
}

int EditFolderList(HWND owner, FolderListDialog& dialog) {
    return RunModal(dialog, owner, IDD_FOLDER_LIST) == 1 ? 1 : 0;
}
