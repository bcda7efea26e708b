// Folder list entries of the registered lists.
#include "editors/FolderListEntry.h"

#include <vector>

#include "app/containers/CsvFields.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "songfiles/PlayListFile.h"

namespace {

std::string Bounded(const std::string& text, std::size_t capacity) {
    return text.substr(0, ShiftJisFitLength(text.c_str(), text.size(), capacity - 1));
}

}  // namespace

bool IsFolderListEntry(const char* entry) {
    return entry != nullptr && entry[0] == '*';
}

std::string EncodeFolderList(const FolderListFields& fields) {
    return "*" + JoinCsvFields({fields.name, fields.folder, fields.wildcard});
}

FolderListFields DecodeFolderList(const char* entry) {
    FolderListFields fields;
    if (!IsFolderListEntry(entry)) {
        return fields;
    }
    std::vector<std::string> parts;
    SplitCsvFields(parts, 3, entry + 1);
    fields.name = Bounded(parts[0], kListTextBytes);
    fields.folder = Bounded(parts[1], kMaxPathBytes);
    fields.wildcard = Bounded(parts[2], kMaxPathBytes);
    return fields;
}

FolderListProblem CheckFolderList(const FolderListFields& fields) {
    if (fields.name.empty()) {
        return FolderListProblem::kMissingName;
    }
    if (fields.folder.empty()) {
        return FolderListProblem::kMissingFolder;
    }
    return FolderListProblem::kNone;
}
