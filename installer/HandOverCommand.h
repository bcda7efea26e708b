// The command line the uninstaller gives its copy in the temporary folder: the copy's path, the
// switch, the waiting process's id and the original's folder. The folder is read back from the raw
// command line, not through the C runtime's argument rules, because those take the backslash that
// ends a folder ("C:\Melodrix\"") as an escaped quote.
#pragma once

#include <cstdint>
#include <string>

constexpr char kHandOverSwitch[] = "/handover";

// "copy" /handover processId "folder"
std::string HandOverCommandLine(const std::string& copy, std::uint32_t processId, const std::string& folder);

struct HandOverArguments {
    std::uint32_t processId = 0;
    std::string folder;
};

// True when commandLine is one that HandOverCommandLine made (the program's name may be quoted or
// not); fills handOver with its process id and folder.
bool ParseHandOverCommandLine(const char* commandLine, HandOverArguments& handOver);
