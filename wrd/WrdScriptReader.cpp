// The WRD script's reading positions: lines, ";" joins, command lines and character mode.
#include "wrd/WrdScriptReader.h"

#include <cctype>

#include "app/containers/ShiftJis.h"

namespace {

constexpr char kEndOfText = 0x1A;

bool IsLead(char byte) {
    return IsShiftJisLeadByte(static_cast<std::uint8_t>(byte));
}

}  // namespace

void WrdScriptReader::SetScript(const std::vector<std::uint8_t>& fileBytes) {
    script.clear();
    script.reserve(fileBytes.size());
    for (std::size_t i = 0; i < fileBytes.size(); ++i) {
        const char byte = static_cast<char>(fileBytes[i]);
        if (byte == kEndOfText) {
            break;
        }
        if (byte == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n') {
            continue;
        }
        script += byte;
    }
    Rewind();
}

void WrdScriptReader::Rewind() {
    scriptPos = 0;
    line.clear();
    readPos = 0;
    continued = false;
}

bool WrdScriptReader::StartsWithIgnoringCase(const char* prefix) const {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= script.size() || std::toupper(static_cast<unsigned char>(script[i])) !=
                                      std::toupper(static_cast<unsigned char>(prefix[i]))) {
            return false;
        }
    }
    return true;
}

// Reads up to and including the next line feed, at most kMaxLineBytes bytes, then applies the ";"
// join and drops the line feed of a command line.
bool WrdScriptReader::ReadLine() {
    line.clear();
    readPos = 0;
    if (scriptPos >= script.size()) {
        return false;
    }
    while (scriptPos < script.size() && line.size() < kMaxLineBytes) {
        const char byte = script[scriptPos++];
        line += byte;
        if (byte == '\n') {
            break;
        }
    }
    // A trailing ";" (before the line feed, or at the end of a line without one) joins the next
    // line; the ";" and the line feed are dropped.
    const bool hasLineFeed = line.back() == '\n';
    const std::size_t contentLength = line.size() - (hasLineFeed ? 1 : 0);
    continued = contentLength > 0 && line[contentLength - 1] == ';';
    if (continued) {
        line.resize(contentLength - 1);
    } else if (line[0] == '@' && hasLineFeed) {
        line.pop_back();
    }
    return true;
}

std::size_t WrdScriptReader::FindOnLine(std::size_t from, char separator) const {
    std::size_t i = from;
    while (i < line.size() && line[i] != separator) {
        i += IsLead(line[i]) && i + 1 < line.size() ? 2 : 1;
    }
    return i < line.size() ? i : line.size();
}

WrdUnit WrdScriptReader::ReadUnit(bool characterMode) {
    WrdUnit unit;
    if (readPos >= line.size()) {
        // An empty line can only come from a lone ";", which joins the next line at once.
        do {
            if (!ReadLine()) {
                unit.endOfScript = true;
                unit.stepComplete = true;
                return unit;
            }
        } while (line.empty());
    }
    if (line[0] == '@') {
        NextCommand(unit);
    } else if (!characterMode) {
        unit.bytes = line.substr(readPos);
        readPos = line.size();
        unit.stepComplete = !continued;
    } else {
        NextCharacter(unit);
    }
    return unit;
}

// A command line: each "@" starts a unit; the whole line is one step.
void WrdScriptReader::NextCommand(WrdUnit& unit) {
    const std::size_t end = FindOnLine(readPos + 1, '@');
    unit.bytes = line.substr(readPos, end - readPos);
    readPos = end;
    unit.stepComplete = readPos < line.size() ? false : !continued;
}

// Character mode: one character, escaped character, "|" group or "_" per unit and step; the
// line's last unit takes no step of its own unless the line was joined to the next.
void WrdScriptReader::NextCharacter(WrdUnit& unit) {
    const char byte = line[readPos];
    const bool atEnd = readPos + 1 >= line.size();
    const bool nextIsLineEnd = atEnd || line[readPos + 1] == '\n';
    if (byte == '\\' && !nextIsLineEnd) {
        const std::size_t next = readPos + 1;
        const std::size_t length = IsLead(line[next]) && next + 1 < line.size() && line[next + 1] != '\n' ? 2 : 1;
        unit.bytes = line.substr(next, length);
        readPos = next + length;
    } else if (byte == '|') {
        const std::size_t close = FindOnLine(readPos + 1, '|');
        unit.bytes = line.substr(readPos + 1, close - readPos - 1);
        readPos = close < line.size() ? close + 1 : close;
    } else if (byte == '_') {
        unit.bytes = "@";
        readPos += 1;
    } else {
        // A "\" with nothing after it on the line is written as itself; so is a lead byte
        // without a trail byte.
        const std::size_t length = IsLead(byte) && !nextIsLineEnd ? 2 : 1;
        unit.bytes = line.substr(readPos, length);
        readPos += length;
    }
    unit.stepComplete = readPos < line.size() ? true : continued;
}
