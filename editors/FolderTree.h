// The folder tree of the play list editor's file browser: the browsed folder's root and every
// folder on the way down to it, then its subfolders one level deeper, sorted.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FolderTreeItem {
    std::string path;  // the folder, at most 259 bytes; a drive root keeps its backslash
    std::string name;  // what the row shows: the path's last component ("C:\" for the root)
    std::int32_t level = 0;
};

struct FolderTree {
    std::vector<FolderTreeItem> items;  // sorted as the list box keeps them
    std::int32_t currentLevel = -1;     // depth of the browsed folder; -1 for a path without a root
    std::int32_t currentRow = -1;       // its row among items
};

// The order of the rows: lower level first, equal levels by their names' bytes.
bool FolderTreeItemLess(const FolderTreeItem& first, const FolderTreeItem& second);

// The levels of folder ("C:\A\B": "C:\" at 0, "A" at 1, "B" at 2; a UNC path's "\\server\share\" is
// its root), without subfolders. Empty for a path with no root or one too long for a path.
std::vector<FolderTreeItem> FolderLevels(const char* folder);

// The levels of folder and its subfolders (found through the active file system; hidden ones
// too, "." and ".." never), sorted. Subfolders whose path would not fit in a path are left out.
FolderTree BuildFolderTree(const char* folder);
