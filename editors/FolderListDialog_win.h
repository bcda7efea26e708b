// The folder-list dialog: a folder list's name, folder and wildcard, with a folder picker.
#pragma once

#include <windows.h>

#include "app/containers/PathHelpers.h"
#include "editors/EditorControls_win.h"
#include "editors/EditorTexts.h"
#include "songfiles/PlayListFile.h"

class FolderListDialog : public EditorDialog {
public:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Preset by the caller (a new folder list: empty name and folder, "*.wav"); read back after OK.
    char listName[kListTextBytes] = {};
    char folder[kMaxPathBytes] = {};
    char wildcard[kMaxPathBytes] = "*.wav";

protected:
    // The folder picker; answers nonzero with path (kMaxPathBytes) holding the chosen folder.
    virtual int PickFolder(char* path);

private:
    void OnInitDialog();
    void OnOk();
    void OnBrowse();
};

// Runs the dialog modal to owner with the texts preset in dialog. 1 on OK with the texts updated,
// 0 on cancel.
int EditFolderList(HWND owner, FolderListDialog& dialog);
