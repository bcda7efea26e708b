// Splits a WRD script into the units the player runs: lines of at most 511 bytes, joined by a
// trailing ";", command lines cut at each "@", and in character mode one character (or "|" group)
// per unit. Also tells the player where one step of the script ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One piece of the script to run.
struct WrdUnit {
    std::string bytes;          // text to write, or a command beginning with "@"
    bool endOfScript = false;   // nothing is left; bytes is empty
    bool stepComplete = false;  // the unit ends the current step
};

class WrdScriptReader {
public:
    // Longest line handed out at once; longer lines arrive in pieces of this size.
    static constexpr std::size_t kMaxLineBytes = 511;

    // Takes the file's bytes as a text-mode stream reads them: CR LF pairs become LF and a
    // Ctrl-Z (0x1A) ends the text. Rewinds.
    void SetScript(const std::vector<std::uint8_t>& fileBytes);
    // Back to the first line; the line buffer is emptied.
    void Rewind();
    // Whether the script begins with prefix, letters compared without regard to case.
    bool StartsWithIgnoringCase(const char* prefix) const;
    // The next unit; characterMode nonzero gives one character (or group) per unit in text lines.
    WrdUnit ReadUnit(bool characterMode);

    bool LineContinued() const { return continued; }

private:
    bool ReadLine();
    void NextCommand(WrdUnit& unit);
    void NextCharacter(WrdUnit& unit);
    // Index of the next byte equal to separator at or after from, stepping over double-byte
    // characters; line.size() when there is none.
    std::size_t FindOnLine(std::size_t from, char separator) const;

    std::string script;
    std::size_t scriptPos = 0;
    std::string line;
    std::size_t readPos = 0;
    bool continued = false;
};
