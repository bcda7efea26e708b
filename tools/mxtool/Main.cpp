// mxtool: a console tool that exposes the player's portable core for users, debugging and checks.
#include <cstdio>
#include <cstring>

#include "tools/mxtool/Commands.h"

const ToolCommand kToolCommands[] = {
    {"settings", "settings", "every setting as the player would load it (key\\value: value)", 0, RunSettings},
    {"tokenize", "tokenize TEXT", "the player's split of a command line into tokens", 1, RunTokenize},
    {"csv-split", "csv-split COUNT LINE", "the fields a list file line gives", 2, RunCsvSplit},
    {"unique-name", "unique-name DIRECTORY TITLE EXT", "the next free file name for a title", 3, RunUniqueName},
    {"song-title", "song-title FILE", "the title and second line a song is listed with", 1, RunSongTitle},
    {"rpl-dump", "rpl-dump FILE", "a play list file as the player reads it", 1, RunRplDump},
    {"export-m3u8", "export-m3u8 LIST.rpl OUT.m3u8", "a play list written for other players (UTF-8)", 2, RunExportM3u8},
    {"cdl-dump", "cdl-dump FILE [DISCID]", "a CD list file as the player reads it", 1, RunCdlDump},
    {"midi-info", "midi-info FILE", "a MIDI file's structure, texts, length and measure map", 1, RunMidiInfo},
    {"rcp2smf", "rcp2smf SONG OUT.mid [--loops N] [--drop-port-b]",
     "a Recomposer song (.rcp .r36 .g36 .g18) as a MIDI file; N plays of forever loops", 2, RunRcp2Smf},
    {"mag2bmp", "mag2bmp IN.mag OUT.bmp [X Y]", "a MAG image decoded onto a blank page, as a BMP", 2, RunMag2Bmp},
    {"wrd-run", "wrd-run SCRIPT.wrd --midi SONG.mid [--tick N] [--bmp OUT.bmp] [--text OUT.txt]",
     "a WRD script run up to a tick; the screen as BMP and text", 3, RunWrdRun},
    {nullptr, nullptr, nullptr, 0, nullptr},
};

namespace {

void PrintHelp(std::FILE* out) {
    std::fprintf(out, "usage: mxtool COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const ToolCommand* command = kToolCommands; command->name; ++command) {
        std::fprintf(out, "  %-34s %s\n", command->usage, command->summary);
    }
    std::fprintf(out, "  %-34s %s\n", "--help", "this text");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintHelp(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    for (const ToolCommand* command = kToolCommands; command->name; ++command) {
        if (std::strcmp(argv[1], command->name) != 0) {
            continue;
        }
        if (argc - 2 < command->minArguments) {
            std::fprintf(stderr, "usage: mxtool %s\n", command->usage);
            return 2;
        }
        return command->run(argc - 2, argv + 2);
    }
    std::fprintf(stderr, "mxtool: unknown command '%s' (see mxtool --help)\n", argv[1]);
    return 2;
}
