// Rows of the file browser's folder tree.
#include "editors/FolderTree.h"

#include <algorithm>
#include <cstring>

#include "app/containers/FileSystem.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"

namespace {

// Offset just after the root of folder ("C:\" or "\\server\share\"), or 0 when it has none.
std::size_t RootLength(const std::string& folder) {
    if (folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\') {
        return 3;
    }
    if (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\') {
        // "\\server\share\": the root ends after the fourth backslash (or with the text).
        int separators = 0;
        for (std::size_t position = 0; position < folder.size();) {
            const std::size_t step = ShiftJisCharLength(folder.c_str() + position);
            if (step == 1 && folder[position] == '\\' && ++separators == 4) {
                return position + 1;
            }
            position += step;
        }
        return separators == 3 ? folder.size() : 0;
    }
    return 0;
}

}  // namespace

bool FolderTreeItemLess(const FolderTreeItem& first, const FolderTreeItem& second) {
    if (first.level != second.level) {
        return first.level < second.level;
    }
    return std::strcmp(first.name.c_str(), second.name.c_str()) < 0;
}

std::vector<FolderTreeItem> FolderLevels(const char* folder) {
    std::vector<FolderTreeItem> levels;
    const std::string text = folder != nullptr ? folder : "";
    const std::size_t root = RootLength(text);
    if (root == 0 || text.size() >= kMaxPathBytes) {
        return levels;
    }
    levels.push_back({text.substr(0, root), text.substr(0, root), 0});
    std::size_t start = root;
    for (std::size_t position = root; position <= text.size();) {
        const bool atEnd = position == text.size();
        const std::size_t step = atEnd ? 1 : ShiftJisCharLength(text.c_str() + position);
        if (atEnd || (step == 1 && text[position] == '\\')) {
            if (position > start) {
                levels.push_back({text.substr(0, position), text.substr(start, position - start),
                                  static_cast<std::int32_t>(levels.size())});
            }
            start = position + 1;
        }
        position += step;
    }
    return levels;
}

FolderTree BuildFolderTree(const char* folder) {
    FolderTree tree;
    tree.items = FolderLevels(folder);
    if (tree.items.empty()) {
        return tree;
    }
    tree.currentLevel = tree.items.back().level;
    char base[kMaxPathBytes];
    CopyShiftJis(base, sizeof base, folder);
    AppendBackslash(base);
    const std::size_t baseLength = std::strlen(base);
    const std::int32_t childLevel = tree.currentLevel + 1;
    ActiveFileSystem().ListDirectory(folder, [&](const DirectoryEntry& entry) {
        if (!entry.isDirectory || entry.name == "." || entry.name == ".." ||
            baseLength + entry.name.size() >= kMaxPathBytes) {
            return;
        }
        tree.items.push_back({base + entry.name, entry.name, childLevel});
    });
    std::stable_sort(tree.items.begin(), tree.items.end(), FolderTreeItemLess);
    tree.currentRow = tree.currentLevel;
    return tree;
}
