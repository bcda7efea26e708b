// Splits the command line into tokens: blanks separate, double quotes group, and a Shift-JIS
// lead byte always takes the byte after it, so no trail byte can end a token.
#pragma once

#include <string>
#include <vector>

class ArgumentTable {
public:
    // Entry 0 is the program path; entries 1 ... are the tokens. Tokens beyond the table's
    // size are dropped (and counted), so a huge command line cannot overrun anything.
    static constexpr int kMaxArguments = 2048;
    static constexpr size_t kMaxProgramPathBytes = 1024;

    ArgumentTable(const char* programPath, const char* commandLine);
    ArgumentTable(const ArgumentTable&) = delete;
    ArgumentTable& operator=(const ArgumentTable&) = delete;

    int Count() const { return static_cast<int>(arguments.size()); }
    const char* operator[](int index) const { return arguments[static_cast<size_t>(index)]; }
    int DroppedTokens() const { return droppedTokens; }

private:
    void Tokenize();

    std::string programPath;
    std::vector<char> text;  // the one copy of the command line the tokens point into
    std::vector<const char*> arguments;
    int droppedTokens = 0;
};
