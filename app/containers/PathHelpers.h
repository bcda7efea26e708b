// Helpers that take Windows paths in Shift-JIS apart and put them together again. Both '\' and '/'
// separate directories (Windows accepts either); ':' ends a drive. Every scan steps over double-byte
// characters, whose trail byte may be 0x5C.
#pragma once

#include <cstddef>
#include <string>

// Size of every path buffer, terminator included.
constexpr size_t kMaxPathBytes = 260;

// The out-buffer helpers below write into out at most kMaxPathBytes bytes, terminator included.
// A result that does not fit is cut at a character boundary and the helper returns false; callers
// that go on to open or create the path must not use a cut result.

// Drive and directory of path ending in a backslash ("C:\Music\"); "" when path has neither.
bool DirectoryOf(char* out, const char* path);
// File name without drive, directory and extension.
bool BaseNameOf(char* out, const char* path);
// Extension with its dot (".mid"), taken after the last dot of the file name; "" when there is none.
bool ExtensionOf(char* out, const char* path);
// File name with extension, without drive and directory.
bool FileNameOf(char* out, const char* path);
// Drive, directory and base name of path followed by ext, with a dot put in front of ext when it has
// none. An empty ext removes the extension.
bool ReplaceExtension(char* out, const char* path, const char* ext);

// Appends a backslash unless text is empty or already ends in a single-byte backslash (a 0x5C trail
// byte of a double-byte character does not count). text holds textSize bytes; when the backslash
// does not fit, text is left unchanged. Returns the length text had before.
size_t AppendBackslash(char* text, size_t textSize = kMaxPathBytes);

// True when the active file system reports any attributes for path (directories count).
bool FileExists(const char* path);

// Removes trailing blanks and tabs in place.
void TrimRight(char* text);

// Tries path with each of the extensions in turn; the first candidate that exists is copied into
// path (a kMaxPathBytes buffer) and the result is 1. Otherwise path is unchanged and the result is 0.
int FindCompanionFile(char* path, const char* const* extensions, int count);

// The key by which Windows tells two paths apart: ASCII letters lower-cased, "/" read as "\",
// trailing separators dropped; double-byte characters kept as they are. Null reads as "".
std::string PathKey(const char* path);
