// Line reading and writing shared by the play list and CD list files.
#include "songfiles/ListFileText.h"

#include <cstring>

#include "app/containers/CsvFields.h"
#include "app/containers/FileSystem.h"
#include "app/containers/TextEncoding.h"

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

namespace {

// Where the line starting at start ends (its length) and where the next one starts.
std::size_t LineLength(const std::uint8_t* start, std::size_t left, std::size_t& next) {
    std::size_t length = 0;
    while (length < left && start[length] != '\n' && start[length] != '\r') {
        ++length;
    }
    next = length;
    if (next < left) {
        next += start[next] == '\r' && next + 1 < left && start[next + 1] == '\n' ? 2 : 1;
    }
    return length;
}

// The Unicode text's lines in code page 932, each with a CR LF; lines with characters the code
// page lacks are left out and counted.
std::string ConvertUnicodeList(const std::u16string& text, std::size_t& refused, bool& firstRefused) {
    std::string out;
    std::string encoded;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r') {
            ++end;
        }
        if (start < text.size() || start == 0) {
            if (EncodeCp932(text.substr(start, end - start), encoded) == 0) {
                out += encoded;
                out += "\r\n";
            } else {
                firstRefused = firstRefused || start == 0;
                ++refused;
            }
        }
        if (end >= text.size()) {
            break;
        }
        start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
    return out;
}

}  // namespace

ListLineReader::ListLineReader(const std::vector<std::uint8_t>& bytes) {
    std::size_t markBytes = 0;
    const ByteOrderMark mark = DetectByteOrderMark(bytes.data(), bytes.size(), markBytes);
    if (mark == ByteOrderMark::kNone) {
        text = bytes.data();
        size = bytes.size();
        return;
    }
    const std::uint8_t* body = bytes.data() + markBytes;
    const std::size_t bodySize = bytes.size() - markBytes;
    const std::u16string unicode = mark == ByteOrderMark::kUtf8
                                       ? DecodeUtf8(body, bodySize)
                                       : DecodeUtf16(body, bodySize, mark == ByteOrderMark::kUtf16Be);
    converted = ConvertUnicodeList(unicode, refused, firstLineRefused);
    text = reinterpret_cast<const std::uint8_t*>(converted.data());
    size = converted.size();
}

bool ListLineReader::NextLine(std::string& line) {
    while (position < size) {
        std::size_t next = 0;
        const std::size_t length = LineLength(text + position, size - position, next);
        const std::uint8_t* start = text + position;
        position += next;
        if (length > kMaxListLineBytes) {
            firstLineRefused = firstLineRefused || start == text;
            ++refused;  // a longer line is no entry of ours; splitting it would invent entries
            continue;
        }
        line.assign(reinterpret_cast<const char*>(start), length);
        line.resize(std::strlen(line.c_str()));
        return true;
    }
    return false;
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
