// Command-line option parser.
#include "app/CommandLineParser.h"

#include <cstdint>
#include <cstring>

#include "app/ArgumentTable.h"
#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/StartupUi.h"
#include "app/containers/PathHelpers.h"

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
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
        if (x == 0) return true;
    }
}

bool ApplyOption(const char* name, StartOptions& options) {
    struct Entry {
        const char* name;
        int32_t StartOptions::*field;
        int32_t value;
    };
    static const Entry kOptions[] = {
        {"play", &StartOptions::playAtStart, 1}, {"stop", &StartOptions::playAtStart, 0},
        {"file", &StartOptions::startMode, 1},   {"cd", &StartOptions::startMode, 2},
        {"kill", &StartOptions::killOthers, 1},  {"add", &StartOptions::addSongs, 1},
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

}  // namespace

bool IsDriveToken(const char* token) {
    if (token[0] == '\0' || token[1] != ':') {
        return false;
    }
    return token[2] == '\0' || (token[2] == '\\' && token[3] == '\0');
}

void ApplyCommandLine(const ArgumentTable& arguments, StartOptions& options, StartupUi& ui) {
    const int count = arguments.Count();
    for (int i = 1; i < count; ++i) {
        const char* token = arguments[i];
        if (IsOption(token) && !ApplyOption(token + 1, options)) {
            ui.ShowInvalidCommand(token);
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
            ui.ShowInvalidCommand(token);
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
}
