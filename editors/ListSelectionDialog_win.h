// The play list selection dialog: the registered play lists and folder lists, from which the
// user makes, registers, edits, orders and deletes lists and chooses the ones to play.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/containers/StringList.h"
#include "editors/EditorControls_win.h"
#include "editors/RegisteredLists.h"

class FolderListDialog;

class ListSelectionDialog : public EditorDialog {
public:
    // On OK chosen receives the selected entries in row order.
    explicit ListSelectionDialog(StringList& chosen) : chosen(chosen) {}

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The nested dialogs, each owned by this one; tests answer them.
    // The play list editor on path (kMaxPathBytes, "" for a new list); 1 when saved.
    virtual int EditPlayListFile(char* path);
    // The folder-list dialog with its texts preset; 1 on OK.
    virtual int EditFolder(FolderListDialog& dialog);
    // The open dialog for list files; true with buffer holding a path, or a folder and names,
    // each NUL-terminated.
    virtual bool ChooseListFiles(std::vector<char>& buffer);

private:
    void OnInitDialog();
    void OnDestroy();
    void RebuildRows(std::int32_t select);
    std::int32_t CaretRow() const;
    void OnOk();
    void OnNewList();
    void OnAddFiles();
    void OnNewFolderList();
    void OnEdit();
    void OnMove(int step);
    void OnDelete();

    StringList& chosen;
    RegisteredLists lists;
};

// Runs the dialog modal to owner. 1 when the user chose entries (chosen then holds them in row
// order), 0 when cancelled (chosen unchanged).
int SelectPlayLists(HWND owner, StringList& chosen);
