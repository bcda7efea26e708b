// Comma-separated lines of the play list and CD list files: fields with a comma or a double quote
// are written between double quotes, with inner double quotes doubled.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Splits line into count fields, each written into a buffer of fieldSize bytes (terminator
// included). A field longer than fieldSize - 1 bytes is cut at a character boundary; the rest of it
// is still consumed. Fields for which the line has no more text come out empty. Returns the position
// just after what was consumed: after the comma that ended the last field, or at the terminator.
// A null line counts as empty (and the result is then null too).
const char* SplitCsvFields(char* const fields[], int count, size_t fieldSize, const char* line);

// The same into strings: fields is resized to count.
const char* SplitCsvFields(std::vector<std::string>& fields, int count, const char* line);

// Joins count fields (a null field counts as empty) into one line in out (outSize bytes, terminator
// included). Returns nonzero when the line fit; otherwise out becomes "" and the result is 0, since a
// cut line would lose fields or leave a quote open.
int JoinCsvFields(char* out, size_t outSize, const char* const* fields, int count);

// The same into a string, which always fits.
std::string JoinCsvFields(const std::vector<std::string>& fields);
