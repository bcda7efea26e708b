// Command-line tokenizer.
#include "app/ArgumentTable.h"

#include <cstring>

#include "app/containers/ShiftJis.h"

ArgumentTable::ArgumentTable(const char* path, const char* commandLine) : programPath(path ? path : "") {
    if (programPath.size() > kMaxProgramPathBytes) {
        programPath.resize(kMaxProgramPathBytes);
    }
    const char* line = commandLine ? commandLine : "";
    text.assign(line, line + std::strlen(line) + 1);
    arguments.push_back(programPath.c_str());
    Tokenize();
}

void ArgumentTable::Tokenize() {
    char* cursor = text.data();
    for (;;) {
        // A tab separates as a blank does, as the system's own parser has it.
        while (*cursor == ' ' || *cursor == '\t') {
            ++cursor;
        }
        if (*cursor == '\0') {
            return;
        }
        const bool quoted = *cursor == '"';
        if (quoted) {
            ++cursor;
        }
        char* start = cursor;
        const auto ends = [quoted](char c) { return quoted ? c == '"' : c == ' ' || c == '\t'; };
        while (*cursor != '\0' && !ends(*cursor)) {
            // A lead byte at the very end has no trail byte to take: it ends the text instead.
            const bool pair = IsShiftJisLeadByte(static_cast<unsigned char>(*cursor)) && cursor[1] != '\0';
            cursor += pair ? 2 : 1;
        }
        if (static_cast<int>(arguments.size()) < kMaxArguments) {
            arguments.push_back(start);
        } else {
            ++droppedTokens;
        }
        if (*cursor == '\0') {
            return;
        }
        *cursor++ = '\0';
    }
}
