// New, not yet existing file names built from titles.
#include "app/containers/UniqueFileName.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"

namespace {

// Longest clean title before the limit loses the bytes kept back for a "_n" suffix.
constexpr int kMaxTitleBytes = 128;
constexpr int kSuffixReserve = 6;

// Characters that Windows does not allow in a file name. Control characters are refused as well.
bool IsForbiddenInFileName(uint8_t byte) {
    return byte < 0x20 || std::strchr("*/:<>?\\|\"", byte) != nullptr;
}

// The title from its first non-blank byte, cut near limit bytes and with forbidden characters
// replaced. A double-byte character is taken whole, so the result may be one byte longer than limit.
std::string CleanTitle(const char* title, int limit) {
    std::string clean;
    const char* p = title;
    while (*p != '\0' && static_cast<int>(clean.size()) < limit) {
        uint8_t byte = static_cast<uint8_t>(*p);
        if (IsShiftJisLeadByte(byte)) {
            // A lead byte at the very end of the title has no partner; dropping it keeps the name valid.
            if (p[1] != '\0') {
                clean.append(p, 2);
                p += 2;
            } else {
                ++p;
            }
        } else {
            clean += IsForbiddenInFileName(byte) ? '_' : *p;
            ++p;
        }
    }
    return clean;
}

bool EqualsIgnoringCase(const std::string& text, const char* word) {
    if (text.size() != std::strlen(word)) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
        if (c != word[i]) {
            return false;
        }
    }
    return true;
}

// Windows opens the device, not a file, for CON, PRN, AUX, NUL, COM1-9 and LPT1-9 with any
// extension (and trailing blanks), so a list saved under such a name is lost.
bool IsDeviceName(const std::string& clean) {
    std::string stem = clean.substr(0, clean.find('.'));
    while (!stem.empty() && stem.back() == ' ') {
        stem.pop_back();
    }
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : kDevices) {
        if (EqualsIgnoringCase(stem, device)) {
            return true;
        }
    }
    if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9') {
        const std::string port = stem.substr(0, 3);
        return EqualsIgnoringCase(port, "COM") || EqualsIgnoringCase(port, "LPT");
    }
    return false;
}

// Formats a candidate into out; false when it would not fit in kMaxPathBytes.
bool FormatCandidate(char* out, const std::string& dir, const std::string& middle, const char* ext) {
    size_t length = dir.size() + middle.size() + std::strlen(ext);
    if (length + 1 > kMaxPathBytes) {
        return false;
    }
    std::snprintf(out, kMaxPathBytes, "%s%s%s", dir.c_str(), middle.c_str(), ext);
    return true;
}

int Fail(char* out) {
    out[0] = '\0';
    return 0;
}

// directory + "%08d" + ext for n = 0, 1, 2 ... until a name is free.
int MakeNumberedName(char* out, const std::string& dir, const char* ext) {
    char number[16];
    for (int n = 0; n < std::numeric_limits<int>::max(); ++n) {
        std::snprintf(number, sizeof number, "%08d", n);
        if (!FormatCandidate(out, dir, number, ext)) {
            return Fail(out);
        }
        if (!FileExists(out)) {
            return 1;
        }
    }
    return Fail(out);
}

}  // namespace

int MakeUniqueFileName(char* out, const char* directory, const char* title, const char* ext) {
    directory = directory != nullptr ? directory : "";
    title = title != nullptr ? title : "";
    ext = ext != nullptr ? ext : "";

    char dirBuffer[kMaxPathBytes];
    if (!CopyShiftJis(dirBuffer, sizeof dirBuffer, directory)) {
        return Fail(out);
    }
    AppendBackslash(dirBuffer, sizeof dirBuffer);
    std::string dir = dirBuffer;

    int limit = static_cast<int>(kMaxPathBytes) - static_cast<int>(dir.size()) - static_cast<int>(std::strlen(ext));
    if (limit > kMaxTitleBytes) {
        limit = kMaxTitleBytes;
    }
    limit -= kSuffixReserve;

    while (*title == ' ') {
        ++title;
    }
    std::string clean;
    if (*title != '\0') {
        if (limit <= 0) {
            // The directory leaves no room for even one byte of the title.
            return Fail(out);
        }
        clean = CleanTitle(title, limit);
    }
    // A device name, or a name that Windows would silently cut (a trailing dot or blank),
    // gets a suffix so the file is the one asked for.
    if (!clean.empty() && (IsDeviceName(clean) || clean.back() == '.' || clean.back() == ' ')) {
        clean += '_';
    }
    if (clean.empty()) {
        return MakeNumberedName(out, dir, ext);
    }
    if (!FormatCandidate(out, dir, clean, ext)) {
        return Fail(out);
    }
    char number[16];
    for (int n = 0; FileExists(out); ++n) {
        if (n == std::numeric_limits<int>::max()) {
            return Fail(out);
        }
        std::snprintf(number, sizeof number, "_%d", n);
        if (!FormatCandidate(out, dir, clean + number, ext)) {
            return Fail(out);
        }
    }
    return 1;
}
