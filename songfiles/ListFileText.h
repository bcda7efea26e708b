// Line reading and writing shared by the play list and CD list files: lines end in LF, CR LF or
// CR when read and in CR LF when written, whatever the build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// List files larger than this are refused as unreadable; no list the player writes comes near it.
constexpr std::size_t kMaxListFileBytes = 16u << 20;
// The longest line a list reader takes; a longer line is refused whole, never split.
constexpr std::size_t kMaxListLineBytes = 4095;

// Hands out the lines of a list file's bytes one after the other. Lines end in LF, CR LF or a
// lone CR. A file that starts with a UTF-8 or UTF-16 byte-order mark is read as that encoding
// and brought into code page 932; a line with characters the code page lacks is refused.
class ListLineReader {
public:
    explicit ListLineReader(const std::vector<std::uint8_t>& bytes);

    // The next line without its line end, cut at a NUL byte as a C string would be. False when no
    // line is left; a last line without a line end still counts. Refused lines are passed over.
    bool NextLine(std::string& line);
    // How many lines were refused so far: too long, or not representable in code page 932.
    std::size_t RefusedLines() const { return refused; }
    // Whether the file's first line was refused: a list's header is its first line or nothing.
    bool FirstLineRefused() const { return firstLineRefused; }

private:
    std::string converted;  // the file in code page 932, for a file in a Unicode encoding
    const std::uint8_t* text = nullptr;
    std::size_t size = 0;
    std::size_t position = 0;
    std::size_t refused = 0;
    bool firstLineRefused = false;
};

// Appends the fields as one comma-separated line with its CR LF. A field that would begin a line
// with ';' is quoted so that it is not read back as a comment, and every CR or LF inside a field
// (a song title may carry one) is written as a blank so that the field stays on its line.
void AppendListLine(std::string& out, const std::vector<std::string>& fields);

// Reads a list file through the active file system; false when it cannot be read.
bool ReadListFile(const char* path, std::vector<std::uint8_t>& bytes);

// True when text begins with prefix, ASCII letters compared without regard to case.
bool StartsWithNoCase(const char* text, const char* prefix);
