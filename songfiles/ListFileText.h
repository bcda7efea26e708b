// Line reading and writing shared by the play list and CD list files: lines end in LF or CR LF when
// read and in CR LF when written, whatever the build, as a Windows text-mode file would have them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// List files larger than this are refused as unreadable; no list the player writes comes near it.
constexpr std::size_t kMaxListFileBytes = 16u << 20;
// The longest line a list reader takes in one piece; a longer line is read as several lines.
constexpr std::size_t kMaxListLineBytes = 4095;

// Hands out the lines of a list file's bytes one after the other.
class ListLineReader {
public:
    explicit ListLineReader(const std::vector<std::uint8_t>& bytes) : bytes(bytes) {}

    // The next line without its line end, cut at a NUL byte as a C string would be. False when no
    // line is left; a last line without a line end still counts.
    bool NextLine(std::string& line);

private:
    const std::vector<std::uint8_t>& bytes;
    std::size_t position = 0;
    // What is left of a line longer than kMaxListLineBytes.
    std::string pending;
    bool hasPending = false;
};

// Appends the fields as one comma-separated line with its CR LF. A field that would begin a line
// with ';' is quoted so that it is not read back as a comment, and every CR or LF inside a field
// (a song title may carry one) is written as a blank so that the field stays on its line.
void AppendListLine(std::string& out, const std::vector<std::string>& fields);

// Reads a list file through the active file system; false when it cannot be read.
bool ReadListFile(const char* path, std::vector<std::uint8_t>& bytes);

// True when text begins with prefix, ASCII letters compared without regard to case.
bool StartsWithNoCase(const char* text, const char* prefix);
