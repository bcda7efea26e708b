// Making and reading the uninstaller's hand-over command line.
#include "installer/HandOverCommand.h"

#include <cstring>

namespace {

const char* SkipBlanks(const char* p) {
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    return p;
}

// Steps over one word, or over a quoted text with its quotes. A Shift-JIS trail byte is never a
// quote or a blank, so bytes can be scanned one at a time.
const char* SkipWord(const char* p) {
    if (*p == '"') {
        const char* close = std::strchr(p + 1, '"');
        return close ? close + 1 : p + std::strlen(p);
    }
    while (*p != '\0' && *p != ' ' && *p != '\t') {
        ++p;
    }
    return p;
}

}  // namespace

std::string HandOverCommandLine(const std::string& copy, std::uint32_t processId, const std::string& folder) {
    return "\"" + copy + "\" " + kHandOverSwitch + " " + std::to_string(processId) + " \"" + folder + "\"";
}

bool ParseHandOverCommandLine(const char* commandLine, HandOverArguments& handOver) {
    if (commandLine == nullptr) {
        return false;
    }
    const char* p = SkipBlanks(SkipWord(SkipBlanks(commandLine)));
    const std::size_t switchLength = sizeof kHandOverSwitch - 1;
    if (std::strncmp(p, kHandOverSwitch, switchLength) != 0 || (p[switchLength] != ' ' && p[switchLength] != '\t')) {
        return false;
    }
    p = SkipBlanks(p + switchLength);
    std::uint64_t id = 0;
    const char* digits = p;
    while (*p >= '0' && *p <= '9' && id <= 0xFFFFFFFFu) {
        id = id * 10 + static_cast<std::uint64_t>(*p - '0');
        ++p;
    }
    if (p == digits || id > 0xFFFFFFFFu || (*p != ' ' && *p != '\t')) {
        return false;
    }
    p = SkipBlanks(p);
    // The folder is everything up to the last quote: it may hold blanks and end in a backslash.
    const char* close = std::strrchr(p, '"');
    if (*p != '"' || close == p) {
        return false;
    }
    handOver.processId = static_cast<std::uint32_t>(id);
    handOver.folder.assign(p + 1, close);
    return true;
}
