// Folder checks and the component-by-component creation walk.
#include "installer/FolderPath.h"

#include <cstdint>

#include "app/containers/ShiftJis.h"

namespace {

bool IsDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Offset of the last character of text, stepping over double-byte characters; npos when empty.
std::size_t LastCharOffset(const std::string& text) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size(); i += ShiftJisCharLength(text.c_str() + i)) {
        last = i;
    }
    return last;
}

bool EndsInBackslash(const std::string& text) {
    const std::size_t last = LastCharOffset(text);
    return last != std::string::npos && last + 1 == text.size() && text[last] == '\\';
}

}  // namespace

FolderResult QualifyFolder(const std::string& folder) {
    if (folder.size() <= 2 || !IsDriveLetter(folder[0]) || folder[1] != ':' || folder[2] != '\\') {
        return FolderResult::kNotOnDrive;
    }
    if (folder.size() > kMaxFolderBytes || folder.find('\0') != std::string::npos) {
        return FolderResult::kTooLong;
    }
    return FolderResult::kOk;
}

std::string TidyFolder(const std::string& folder) {
    std::string tidy = folder;
    while (!tidy.empty() && (tidy.back() == ' ' || tidy.back() == '\t')) {
        // A blank is never the trail byte of a double-byte character.
        tidy.pop_back();
    }
    while (tidy.size() > 3 && EndsInBackslash(tidy)) {
        tidy.pop_back();
    }
    return tidy;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || EndsInBackslash(folder)) {
        return folder + name;
    }
    return folder + "\\" + name;
}

FolderWalk WalkFolder(InstallTarget& target, const std::string& folder, bool testOnly) {
    FolderWalk walk;
    walk.result = QualifyFolder(folder);
    if (walk.result != FolderResult::kOk) {
        return walk;
    }
    if (!target.IsFolder(folder.substr(0, 3).c_str())) {
        walk.result = FolderResult::kNoDrive;
        return walk;
    }
    // Every prefix that ends before a single-byte backslash, then the whole path. The scan steps
    // over double-byte characters, whose trail byte may be 0x5C.
    std::size_t i = 3;
    while (true) {
        const bool atEnd = i >= folder.size();
        if (atEnd || folder[i] == '\\') {
            const std::string prefix = folder.substr(0, i);
            if (prefix.size() > 3 && !EndsInBackslash(prefix) && !target.IsFolder(prefix.c_str())) {
                if (!target.MakeFolder(prefix.c_str())) {
                    walk.result = FolderResult::kCreateFailed;
                    break;
                }
                walk.created.push_back(prefix);
            }
            if (atEnd) {
                break;
            }
            ++i;
        } else {
            i += ShiftJisCharLength(folder.c_str() + i);
        }
    }
    if (testOnly) {
        for (auto it = walk.created.rbegin(); it != walk.created.rend(); ++it) {
            target.RemoveFolder(it->c_str());
        }
    }
    return walk;
}
