// Command-line option parser.
#include "app/CommandLineParser.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/ArgumentTable.h"
#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/StartupTexts.h"
#include "app/StartupUi.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"

namespace {

bool IsOption(const char* token) {
    return token[0] == '/' || token[0] == '-';
}

// Options are compared without regard to case; only ASCII letters fold, so Shift-JIS bytes
// never match an option by accident.
bool EqualsIgnoringAsciiCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a);
        unsigned char y = static_cast<unsigned char>(*b);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
        if (x == 0)
            return true;
    }
}

bool ApplyOption(const char* name, StartOptions& options) {
    struct Entry {
        const char* name;
        int32_t StartOptions::*field;
        int32_t value;
    };
    static const Entry kOptions[] = {
        {"play", &StartOptions::playAtStart, 1},      {"stop", &StartOptions::playAtStart, 0},
        {"file", &StartOptions::startMode, 1},        {"cd", &StartOptions::startMode, 2},
        {"kill", &StartOptions::killOthers, 1},       {"add", &StartOptions::addSongs, 1},
        {"single", &StartOptions::singleInstance, 1}, {"multi", &StartOptions::singleInstance, 0},
    };
    for (const Entry& option : kOptions) {
        if (EqualsIgnoringAsciiCase(name, option.name)) {
            options.*option.field = option.value;
            return true;
        }
    }
    return false;
}

// The start of text within limit bytes, never cut inside a double-byte character.
std::string CutAtCharacter(const std::string& text, std::size_t limit) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t next = end + (IsShiftJisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
        if (next > limit || next > text.size()) {
            break;
        }
        end = next;
    }
    return text.substr(0, end);
}

}  // namespace

bool IsDriveToken(const char* token) {
    if (token[0] == '\0' || token[1] != ':') {
        return false;
    }
    return token[2] == '\0' || (token[2] == '\\' && token[3] == '\0');
}

std::string InvalidCommandsText(const std::vector<std::string>& tokens) {
    if (tokens.size() == 1) {
        return std::string(kInvalidCommandText) + "\n" + tokens[0];
    }
    char heading[128];
    std::snprintf(heading, sizeof heading, kInvalidCommandsFormat, static_cast<int>(tokens.size()));
    std::string text = heading;
    for (std::size_t i = 0; i < tokens.size() && i < kInvalidCommandsShown; ++i) {
        // A token may be as long as the whole command line; the box shows its start.
        text += "\n" + CutAtCharacter(tokens[i], kShownTokenBytes);
    }
    if (tokens.size() > kInvalidCommandsShown) {
        text += "\n...";
    }
    return text;
}

std::string DroppedNamesText(int dropped) {
    char text[160];
    std::snprintf(text, sizeof text, kDroppedNamesFormat, dropped);
    return text;
}

void ApplyCommandLine(const ArgumentTable& arguments, StartOptions& options, StartupUi& ui) {
    const int count = arguments.Count();
    std::vector<std::string> invalid;
    for (int i = 1; i < count; ++i) {
        const char* token = arguments[i];
        if (IsOption(token) && !ApplyOption(token + 1, options)) {
            invalid.emplace_back(token);
        }
    }

    bool firstSong = true;
    for (int i = 1; i < count; ++i) {
        const char* token = arguments[i];
        if (IsOption(token)) {
            continue;
        }
        if (IsDriveToken(token)) {
            std::memcpy(gSettings.cd.LastDrive, token, 2);
            gSettings.cd.LastDrive[2] = '\0';
            continue;
        }
        // An empty quoted token names nothing; a name longer than a path can be would be stored
        // in the history and then fail to load, so it is refused like an invalid command.
        if (token[0] == '\0') {
            continue;
        }
        if (std::strlen(token) >= kMaxPathBytes) {
            invalid.emplace_back(token);
            continue;
        }
        if (firstSong) {
            firstSong = false;
            if (options.addSongs) {
                gSettings.file.LastSong = FileHistory.Count();
            } else {
                FileHistory.Clear();
                gSettings.file.LastSong = 0;
            }
        }
        FileHistory.InsertString(-1, token);
    }
    // One box for every refused token together, one for the names the table had no room for.
    if (!invalid.empty()) {
        ui.ShowCommandLineWarning(InvalidCommandsText(invalid));
    }
    if (arguments.DroppedTokens() > 0) {
        ui.ShowCommandLineWarning(DroppedNamesText(arguments.DroppedTokens()));
    }
}
