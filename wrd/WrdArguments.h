// Parsing of a WRD command: "NAME(arguments)" with spaces removed from the arguments, fields
// separated by ",", decimal numbers that may be negative and hexadecimal colours.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct WrdCommand {
    std::string name;       // as written; compare without regard to case
    std::string arguments;  // between "(" and ")", every space removed
};

constexpr std::size_t kMaxCommandNameBytes = 31;
constexpr std::size_t kMaxCommandArgumentBytes = 127;

// Splits the text after "@". False when "(" or ")" is missing or a part is too long.
bool ParseWrdCommand(const std::string& text, WrdCommand& command);
// Whether the name equals upperName (given in capitals), letters compared without regard to case.
bool IsCommand(const WrdCommand& command, const char* upperName);
// The fields between the commas; an empty text gives no field.
std::vector<std::string> SplitFields(const std::string& arguments);
// A whole field as a decimal number with an optional sign; values beyond the 32-bit range are
// held at its ends. False when the field is not a number.
bool ParseDecimal(const std::string& field, std::int32_t& value);
// A whole field as a hexadecimal number (an "0x" prefix is allowed); only the low 32 bits stay.
bool ParseHex(const std::string& field, std::uint32_t& value);
// Reads the leading fields that are numbers into values, at most maxCount; answers how many in a
// row were read.
int ReadDecimals(const std::string& arguments, std::int32_t* values, int maxCount);
