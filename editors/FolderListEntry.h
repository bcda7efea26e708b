// A folder list as a registered entry: "*" followed by its name, folder and wildcard joined as
// comma-separated fields; and the check the folder-list dialog makes before it accepts one.
#pragma once

#include <string>

struct FolderListFields {
    std::string name;      // at most 511 bytes
    std::string folder;    // at most 259 bytes
    std::string wildcard;  // ";"-separated patterns, at most 259 bytes
};

bool IsFolderListEntry(const char* entry);
std::string EncodeFolderList(const FolderListFields& fields);
// The fields of a folder list entry, each cut to its capacity; empty fields for anything else.
FolderListFields DecodeFolderList(const char* entry);

enum class FolderListProblem { kNone, kMissingName, kMissingFolder };
// An empty name, else an empty folder; the wildcard may be empty.
FolderListProblem CheckFolderList(const FolderListFields& fields);
