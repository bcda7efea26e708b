// Lists the files of a folder that match ';'-separated wildcard patterns ("*.mid;*.smf"), with the
// system's wildcard rules.
#pragma once

#include <cstdint>

#include "app/containers/StringList.h"

// Empties list and appends the bare names of the folder's files that match each pattern in turn:
// pattern order is kept, names within a pattern come in the order the file system gives them, and a
// file that two patterns match is listed twice. Directories and hidden files are left out. Answers
// the number of names listed.
std::int32_t FindFilesByPattern(StringList& list, const char* folder, const char* patterns);

// True when name matches the wildcard pattern as the system's file search matches it: ASCII letters
// in any case, '*' any run of characters, '?' one character (at the end of the name or before a
// dot, also none), "*.*" every name, a trailing ".*" or "." also names without extension.
bool MatchesFilePattern(const char* name, const char* pattern);
