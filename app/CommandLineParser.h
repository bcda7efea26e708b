// Applies the command line's options to the start options and its songs to the song history.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ArgumentTable;
class StartupUi;
struct StartOptions;

// First pass: every option in order (a later one overrides an earlier one). Second pass: drive
// tokens set the CD drive, every other token is appended to the song history; the first one
// either clears the history or, with the add option, keeps it and starts at the first new name.
void ApplyCommandLine(const ArgumentTable& arguments, StartOptions& options, StartupUi& ui);

// The warning texts: the refused tokens (the count and the first few, or the one token alone)
// and the names beyond the command line's limit.
constexpr std::size_t kInvalidCommandsShown = 5;
constexpr std::size_t kShownTokenBytes = 260;
std::string InvalidCommandsText(const std::vector<std::string>& tokens);
std::string DroppedNamesText(int dropped);

// True for "X:" and "X:\" (any first character), which name a CD drive instead of a song.
bool IsDriveToken(const char* token);
