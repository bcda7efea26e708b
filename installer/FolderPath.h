// Folder paths the installer accepts and creates. A folder must be an absolute path on a drive
// ("X:\..."), no longer than leaves room for a backslash and an 8.3 file name in a 260-byte path;
// anything else (UNC, relative, overlong) is refused whole, never cut into another folder.
#pragma once

#include <string>
#include <vector>

#include "installer/InstallTarget.h"

// Longest folder accepted: the folder, a backslash and a 12-byte name fill a 260-byte path.
constexpr std::size_t kMaxFolderBytes = 246;

enum class FolderResult {
    kOk,
    kNotOnDrive,    // empty, relative, UNC or anything else not "X:\..."
    kTooLong,       // longer than kMaxFolderBytes
    kNoDrive,       // the drive's root is not there
    kCreateFailed,  // a directory on the way could not be made
};

// Whether folder has the form and length of a folder the installer may use.
FolderResult QualifyFolder(const std::string& folder);

// folder with trailing blanks and single-byte backslashes removed, keeping the root's "X:\".
std::string TidyFolder(const std::string& folder);

// folder, a backslash unless it already ends in one (a double-byte trail byte 0x5C does not
// count), and name.
std::string JoinPath(const std::string& folder, const std::string& name);

// What a walk over a folder did.
struct FolderWalk {
    FolderResult result = FolderResult::kOk;
    // Directories made on the way, outermost first.
    std::vector<std::string> created;
};

// Walks folder one component at a time and makes each directory that is not there. In test mode
// the directories it made are removed again, deepest first, whether the walk succeeded or not,
// so the test leaves nothing behind.
FolderWalk WalkFolder(InstallTarget& target, const std::string& folder, bool testOnly);

inline FolderResult TestFolder(InstallTarget& target, const std::string& folder) {
    return WalkFolder(target, folder, true).result;
}
inline FolderResult CreateFolder(InstallTarget& target, const std::string& folder) {
    return WalkFolder(target, folder, false).result;
}
