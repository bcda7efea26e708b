// mxtool rcp2smf: a Recomposer song converted into a Standard MIDI File, as the player plays it.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/containers/FileSystem.h"
#include "songfiles/RcpConverter.h"
#include "tools/mxtool/Commands.h"

namespace {

// Reads the options after SONG OUT.mid; false (with a message) on anything unknown.
bool ParseOptions(int argc, char** argv, RcpConvertOptions& options) {
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--loops") == 0 && i + 1 < argc) {
            char* end = nullptr;
            const long loops = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || loops < 1 || loops > 99) {
                std::fprintf(stderr, "mxtool: --loops takes a number from 1 to 99\n");
                return false;
            }
            options.foreverLoops = static_cast<int>(loops);
        } else if (std::strcmp(argv[i], "--drop-port-b") == 0) {
            options.dropPortB = true;
        } else {
            std::fprintf(stderr, "mxtool: unknown option '%s'\n", argv[i]);
            return false;
        }
    }
    return true;
}

const char* ReasonOf(RcpReadResult result) {
    switch (result) {
        case RcpReadResult::kTruncatedHeader:
            return "the song's header is cut short";
        case RcpReadResult::kBadTimebase:
            return "the song's timebase is 0 or too large for a MIDI file";
        default:
            return "not a Recomposer song, or it cannot be read";
    }
}

}  // namespace

int RunRcp2Smf(int argc, char** argv) {
    RcpConvertOptions options;
    if (!ParseOptions(argc, argv, options)) {
        return 2;
    }
    RcpConversion conversion;
    const RcpReadResult result = ConvertRcpFile(argv[0], options, conversion);
    if (result != RcpReadResult::kOk) {
        std::fprintf(stderr, "mxtool: %s\n", ReasonOf(result));
        return 1;
    }
    if (!ActiveFileSystem().WriteFileReplacing(argv[1], conversion.smf.data(), conversion.smf.size())) {
        std::fprintf(stderr, "mxtool: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("timebase: %u\n", static_cast<unsigned>(conversion.timebase));
    std::printf("tracks: %zu\n", conversion.trackCount);
    std::printf("lead-in-ticks: %u\n", static_cast<unsigned>(conversion.leadInTicks));
    std::printf("cut: %d\n", conversion.cut ? 1 : 0);
    std::printf("bytes: %zu\n", conversion.smf.size());
    return 0;
}
