// Reading the file-open dialog's multiple-selection result.
#include "play/FileModeParts.h"

#include <cstring>

#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"

namespace {

// The NUL-terminated strings of the buffer up to the first empty one; a buffer without a final
// terminator ends its last string at the buffer's end.
std::vector<std::string> SplitStrings(const std::vector<char>& buffer) {
    std::vector<std::string> strings;
    std::size_t at = 0;
    while (at < buffer.size() && buffer[at] != '\0') {
        std::size_t end = at;
        while (end < buffer.size() && buffer[end] != '\0') {
            ++end;
        }
        strings.emplace_back(buffer.data() + at, end - at);
        at = end + 1;
    }
    return strings;
}

bool AppendPath(StringList& paths, const std::string& path) {
    return path.size() < kMaxPathBytes && paths.InsertString(-1, path.c_str());
}

}  // namespace

std::int32_t SplitOpenDialogResult(const std::vector<char>& buffer, StringList& paths) {
    const std::vector<std::string> strings = SplitStrings(buffer);
    std::int32_t added = 0;
    if (strings.size() == 1) {
        return AppendPath(paths, strings[0]) ? 1 : 0;
    }
    if (strings.empty()) {
        return 0;
    }
    char folder[kMaxPathBytes];
    if (!CopyShiftJis(folder, sizeof folder, strings[0].c_str())) {
        return 0;
    }
    AppendBackslash(folder, sizeof folder);
    for (std::size_t i = 1; i < strings.size(); ++i) {
        if (AppendPath(paths, folder + strings[i])) {
            ++added;
        }
    }
    return added;
}
