// Portable profile-file reader.
#include "songfiles/IniProfileReader.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/containers/FileSystem.h"
#include "app/containers/NumberText.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "songfiles/ListFileText.h"

namespace {

// Profile files are small; a larger file is treated as missing.
constexpr std::size_t kMaxProfileBytes = 1u << 20;

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trimmed(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// Names compare with ASCII letters folded; double-byte characters must match exactly.
bool SameName(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) {
        return false;
    }
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t step = ShiftJisCharLength(a.c_str() + i);
        if (step == 2) {
            if (a.compare(i, 2, b + i, 2) != 0) {
                return false;
            }
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
        i += step;
    }
    return true;
}

// Offset of the first single-byte c in text, or npos.
std::size_t FindChar(const std::string& text, char c) {
    for (std::size_t i = 0; i < text.size(); i += ShiftJisCharLength(text.c_str() + i)) {
        if (text[i] == c) {
            return i;
        }
    }
    return std::string::npos;
}

bool HasFolder(const char* fileName) {
    for (const char* p = fileName; *p != '\0'; p += ShiftJisCharLength(p)) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IniProfileReader::FindValue(const char* section, const char* key, const char* fileName, std::string& value) {
    if (section == nullptr || key == nullptr || fileName == nullptr || fileName[0] == '\0') {
        return false;
    }
    std::string path = fileName;
    if (!HasFolder(fileName) && !windowsFolder.empty()) {
        char folder[kMaxPathBytes];
        CopyShiftJis(folder, sizeof folder, windowsFolder.c_str());
        AppendBackslash(folder, sizeof folder);
        path = std::string(folder) + fileName;
    }
    std::vector<std::uint8_t> bytes;
    if (!ActiveFileSystem().ReadFile(path.c_str(), bytes, kMaxProfileBytes)) {
        return false;
    }
    ListLineReader reader(bytes);
    std::string line;
    bool inSection = false;
    while (reader.NextLine(line)) {
        const std::string text = Trimmed(line);
        if (text.empty() || text[0] == ';') {
            continue;
        }
        if (text[0] == '[') {
            const std::size_t close = FindChar(text, ']');
            const std::string name =
                Trimmed(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            if (inSection) {
                // Only the first section of that name counts.
                return false;
            }
            inSection = SameName(name, section);
            continue;
        }
        const std::size_t equals = FindChar(text, '=');
        if (!inSection || equals == std::string::npos || !SameName(Trimmed(text.substr(0, equals)), key)) {
            continue;
        }
        value = Trimmed(text.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
            value = value.substr(1, value.size() - 2);
        }
        return true;
    }
    return false;
}

std::size_t IniProfileReader::ReadString(const char* section,
                                         const char* key,
                                         const char* defaultValue,
                                         char* out,
                                         std::size_t outSize,
                                         const char* fileName) {
    if (outSize == 0) {
        return 0;
    }
    std::string value;
    if (!FindValue(section, key, fileName, value)) {
        value = defaultValue != nullptr ? defaultValue : "";
    }
    CopyShiftJis(out, outSize, value.c_str());
    return std::strlen(out);
}

std::int32_t IniProfileReader::ReadInt(const char* section,
                                       const char* key,
                                       std::int32_t defaultValue,
                                       const char* fileName) {
    std::string value;
    // An empty value counts as missing, as the system treats it.
    if (!FindValue(section, key, fileName, value) || value.empty()) {
        return defaultValue;
    }
    return ParseIntOr(value.c_str(), 0);
}
