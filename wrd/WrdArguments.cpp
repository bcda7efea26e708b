// Parsing of WRD command names, argument fields and numbers.
#include "wrd/WrdArguments.h"

#include <cctype>
#include <limits>

#include "app/containers/ShiftJis.h"

namespace {

// Index of the next separator at or after from, stepping over double-byte characters.
std::size_t Find(const std::string& text, std::size_t from, char separator) {
    std::size_t i = from;
    while (i < text.size() && text[i] != separator) {
        i += IsShiftJisLeadByte(static_cast<std::uint8_t>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    return i < text.size() ? i : std::string::npos;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

bool ParseWrdCommand(const std::string& text, WrdCommand& command) {
    const std::size_t open = Find(text, 0, '(');
    if (open == std::string::npos || open > kMaxCommandNameBytes) {
        return false;
    }
    const std::size_t close = Find(text, open + 1, ')');
    if (close == std::string::npos) {
        return false;
    }
    command.name = text.substr(0, open);
    command.arguments.clear();
    for (std::size_t i = open + 1; i < close; ++i) {
        if (text[i] != ' ') {
            command.arguments += text[i];
        }
    }
    return command.arguments.size() <= kMaxCommandArgumentBytes;
}

bool IsCommand(const WrdCommand& command, const char* upperName) {
    std::size_t i = 0;
    for (; upperName[i] != '\0'; ++i) {
        if (i >= command.name.size() ||
            std::toupper(static_cast<unsigned char>(command.name[i])) != static_cast<unsigned char>(upperName[i])) {
            return false;
        }
    }
    return i == command.name.size();
}

std::vector<std::string> SplitFields(const std::string& arguments) {
    std::vector<std::string> fields;
    if (arguments.empty()) {
        return fields;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = Find(arguments, start, ',');
        if (comma == std::string::npos) {
            fields.push_back(arguments.substr(start));
            return fields;
        }
        fields.push_back(arguments.substr(start, comma - start));
        start = comma + 1;
    }
}

bool ParseDecimal(const std::string& field, std::int32_t& value) {
    std::size_t i = 0;
    const bool negative = !field.empty() && field[0] == '-';
    if (!field.empty() && (field[0] == '-' || field[0] == '+')) {
        ++i;
    }
    if (i >= field.size()) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (; i < field.size(); ++i) {
        if (field[i] < '0' || field[i] > '9') {
            return false;
        }
        if (magnitude <= std::numeric_limits<std::int32_t>::max()) {
            magnitude = magnitude * 10 + (field[i] - '0');
        }
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<std::int32_t>::max()) {
        value = std::numeric_limits<std::int32_t>::max();
    } else if (signedValue < std::numeric_limits<std::int32_t>::min()) {
        value = std::numeric_limits<std::int32_t>::min();
    } else {
        value = static_cast<std::int32_t>(signedValue);
    }
    return true;
}

bool ParseHex(const std::string& field, std::uint32_t& value) {
    std::size_t i = field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X') ? 2 : 0;
    if (i >= field.size()) {
        return false;
    }
    std::uint32_t result = 0;
    for (; i < field.size(); ++i) {
        const int digit = HexDigit(field[i]);
        if (digit < 0) {
            return false;
        }
        result = (result << 4) | static_cast<std::uint32_t>(digit);
    }
    value = result;
    return true;
}

int ReadDecimals(const std::string& arguments, std::int32_t* values, int maxCount) {
    const std::vector<std::string> fields = SplitFields(arguments);
    int count = 0;
    while (count < maxCount && count < static_cast<int>(fields.size()) && ParseDecimal(fields[count], values[count])) {
        ++count;
    }
    return count;
}
