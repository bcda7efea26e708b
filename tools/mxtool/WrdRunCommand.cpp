// mxtool wrd-run: runs a WRD script against a MIDI file's measure map up to a tick, as the player
// would while the song stands there, and writes the displayed page and the text plane.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/containers/FileSystem.h"
#include "app/containers/PathHelpers.h"
#include "devices/SequenceDevice.h"
#include "tools/mxtool/Commands.h"
#include "wrd/PageBitmap.h"
#include "wrd/WrdPlayer.h"

namespace {

struct WrdRunOptions {
    const char* script = nullptr;
    const char* midi = nullptr;
    const char* bmp = nullptr;
    const char* text = nullptr;
    std::uint32_t tick = 0;
};

bool ParseTick(const char* text, std::uint32_t& tick) {
    if (text[0] < '0' || text[0] > '9') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > 0xFFFFFFFFull) {
        return false;
    }
    tick = static_cast<std::uint32_t>(value);
    return true;
}

bool ParseOptions(int argc, char** argv, WrdRunOptions& options) {
    options.script = argv[0];
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--midi") == 0 && hasValue) {
            options.midi = argv[++i];
        } else if (std::strcmp(argv[i], "--bmp") == 0 && hasValue) {
            options.bmp = argv[++i];
        } else if (std::strcmp(argv[i], "--text") == 0 && hasValue) {
            options.text = argv[++i];
        } else if (std::strcmp(argv[i], "--tick") == 0 && hasValue) {
            if (!ParseTick(argv[++i], options.tick)) {
                std::fprintf(stderr, "mxtool: --tick needs a tick count from 0 to 4294967295, not '%s'\n", argv[i]);
                return false;
            }
        } else {
            std::fprintf(stderr, "mxtool: unexpected argument '%s'\n", argv[i]);
            return false;
        }
    }
    if (!options.midi) {
        std::fprintf(stderr, "mxtool: --midi SONG.mid is required (it gives the measure map)\n");
        return false;
    }
    return true;
}

// 25 lines of 80 character bytes (control bytes shown as blanks), an empty line, then 25 lines of
// 80 attributes as two hex digits each.
std::string TextPlaneDump(const TextPlane& text) {
    std::string out;
    for (int row = 0; row < kTextRows; ++row) {
        for (int column = 0; column < kTextColumns; ++column) {
            const std::uint8_t byte = text.cellChars[row * kTextColumns + column];
            out += static_cast<char>(byte < 0x20 || byte == 0x7F ? ' ' : byte);
        }
        out += '\n';
    }
    out += '\n';
    for (int row = 0; row < kTextRows; ++row) {
        for (int column = 0; column < kTextColumns; ++column) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02X", text.cellAttrs[row * kTextColumns + column]);
            out += hex;
        }
        out += '\n';
    }
    return out;
}

}  // namespace

int RunWrdRun(int argc, char** argv) {
    WrdRunOptions options;
    if (!ParseOptions(argc, argv, options)) {
        return 2;
    }
    if (!FileExists(options.script)) {
        std::fprintf(stderr, "mxtool: cannot find the script %s\n", options.script);
        return 1;
    }
    SequenceDevice device;
    if (!device.Open(options.midi)) {
        std::fprintf(stderr, "mxtool: %s is not a usable MIDI file\n", options.midi);
        return 1;
    }
    device.SetTickPosition(static_cast<std::int32_t>(options.tick > 0x7FFFFFFFu ? 0x7FFFFFFFu : options.tick));
    WrdPlayer player(nullptr, options.script, device, device.timebase);
    if (!player.ScriptRead()) {
        std::fprintf(stderr, "mxtool: cannot read the script %s\n", options.script);
        return 1;
    }
    // The player's timer keeps calling while the song stands at the tick, until the script waits.
    int calls = 0;
    do {
        player.Advance(options.tick);
        ++calls;
    } while (!player.Ended() && player.NextTick() <= options.tick);
    const ScreenModel& screen = player.Screen();
    std::printf("advance-calls: %d\n", calls);
    std::printf("next-tick: %s\n", player.Ended() ? "end" : std::to_string(player.NextTick()).c_str());
    std::printf("cursor: %d\n", static_cast<int>(screen.Text().cursorPos));
    std::printf("pages: %d %d\n", screen.ActivePage(), screen.DisplayPage());
    if (options.bmp && !WritePageBitmap(options.bmp, screen, screen.DisplayPage())) {
        std::fprintf(stderr, "mxtool: cannot write %s\n", options.bmp);
        return 1;
    }
    if (options.text) {
        const std::string dump = TextPlaneDump(screen.Text());
        if (!ActiveFileSystem().WriteFileReplacing(options.text, dump.data(), dump.size())) {
            std::fprintf(stderr, "mxtool: cannot write %s\n", options.text);
            return 1;
        }
    }
    return 0;
}
