// The play list editor's file browser: wildcard combo, current folder, owner-drawn folder tree,
// owner-drawn drive list and the file list from which songs are added. Its folder and wildcard
// outlive the dialog in the settings.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/containers/PathHelpers.h"
#include "app/containers/StringList.h"
#include "app/containers/UniqueHandle_win.h"
#include "editors/FolderTree.h"

// Icons the shell hands out, destroyed by their owner.
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { DestroyIcon(handle); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

class FileBrowser {
public:
    // Loads the folder icons and takes the last folder and wildcard from the settings.
    FileBrowser();
    // Writes the folder and wildcard back into the settings.
    ~FileBrowser();
    FileBrowser(const FileBrowser&) = delete;
    FileBrowser& operator=(const FileBrowser&) = delete;

    // Fills the controls of dialog: wildcards, item heights, drives, and the browsed folder.
    void Attach(HWND dialog);
    // Makes the folder current (a folder that cannot be entered leaves the current one), then
    // shows it, its files and its tree, and selects its drive.
    void Refresh();

    // The browser's commands; true when the control was one of the browser's.
    bool OnCommand(int controlId, int code);
    // Enter with the focus on focus: the folder tree opens the selected folder, the wildcard's edit
    // takes the typed wildcard. True when the focus was in one of them.
    bool OnEnter(HWND focus);
    // Owner-drawn tree and drive rows.
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    // The tree's order: lower level first, equal levels by name.
    int CompareTreeItems(ULONG_PTR first, ULONG_PTR second) const;

    const char* Folder() const { return browseFolder; }
    // The tree's items; a row's item data is its index here.
    const FolderTree& Tree() const { return tree; }
    // Names of the selected files, top to bottom.
    std::vector<std::string> SelectedFileNames() const;

private:
    struct DriveItem {
        int number = 0;  // 0 = A
        UniqueIcon icon;
        std::string name;
    };

    void FillDrives();
    void FillTree();
    void SelectDrive();
    void OpenSelectedFolder();
    void DrawTreeItem(const DRAWITEMSTRUCT& item) const;
    void DrawDriveItem(const DRAWITEMSTRUCT& item) const;

    HWND dialog = nullptr;
    char browseFolder[kMaxPathBytes] = {};
    char wildcard[kMaxPathBytes] = {};
    StringList fileNames;
    FolderTree tree;
    std::vector<DriveItem> drives;
    UniqueGdiObject folderIcons;
};
