// Line reading and writing shared by the play list and CD list files.
#include "songfiles/ListFileText.h"

#include <cstring>

#include "app/containers/CsvFields.h"
#include "app/containers/FileSystem.h"

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool ListLineReader::NextLine(std::string& line) {
    if (!hasPending) {
        if (position >= bytes.size()) {
            return false;
        }
        const std::uint8_t* start = bytes.data() + position;
        const std::size_t left = bytes.size() - position;
        const void* found = std::memchr(start, '\n', left);
        std::size_t length = found != nullptr ? static_cast<const std::uint8_t*>(found) - start : left;
        position += found != nullptr ? length + 1 : length;
        // A text-mode read turns CR LF into LF before the line is measured.
        if (found != nullptr && length > 0 && start[length - 1] == '\r') {
            --length;
        }
        pending.assign(reinterpret_cast<const char*>(start), length);
        hasPending = true;
    }
    if (pending.size() > kMaxListLineBytes) {
        line.assign(pending, 0, kMaxListLineBytes);
        pending.erase(0, kMaxListLineBytes);
    } else {
        line.swap(pending);
        pending.clear();
        hasPending = false;
    }
    line.resize(std::strlen(line.c_str()));
    return true;
}

void AppendListLine(std::string& out, const std::vector<std::string>& fields) {
    std::vector<std::string> cleaned(fields);
    for (std::string& field : cleaned) {
        // CR and LF are never trail bytes of a double-byte character, so a byte scan is safe.
        for (char& c : field) {
            if (c == '\r' || c == '\n') {
                c = ' ';
            }
        }
    }
    std::string line = JoinCsvFields(cleaned);
    if (!line.empty() && line[0] == ';') {
        // The first field has neither comma nor quote (it would start with a quote then), so
        // putting it between quotes needs no doubling.
        const std::size_t end = cleaned[0].size();
        line.insert(end, 1, '"');
        line.insert(0, 1, '"');
    }
    out += line;
    out += "\r\n";
}

bool ReadListFile(const char* path, std::vector<std::uint8_t>& bytes) {
    return path != nullptr && path[0] != '\0' && ActiveFileSystem().ReadFile(path, bytes, kMaxListFileBytes);
}

bool StartsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (*text == '\0' || FoldAscii(*text) != FoldAscii(*prefix)) {
            return false;
        }
    }
    return true;
}
