// The subcommands of mxtool. Each prints stable "key: value" lines and answers the exit code.
#pragma once

#include <cstdio>

struct ToolCommand {
    const char* name;
    const char* usage;
    const char* summary;
    int minArguments;
    int (*run)(int argc, char** argv);  // argv[0] is the subcommand's first argument
};

// Every subcommand, in the order --help lists them; ends with a null name.
extern const ToolCommand kToolCommands[];

int RunSettings(int argc, char** argv);
int RunTokenize(int argc, char** argv);
int RunCsvSplit(int argc, char** argv);
int RunUniqueName(int argc, char** argv);
int RunSongTitle(int argc, char** argv);
int RunRplDump(int argc, char** argv);
int RunExportM3u8(int argc, char** argv);
int RunCdlDump(int argc, char** argv);
int RunMidiInfo(int argc, char** argv);
int RunRcp2Smf(int argc, char** argv);
int RunMag2Bmp(int argc, char** argv);
int RunWrdRun(int argc, char** argv);
