// The recording dialog's position, names and figures.
#include "recorder/RecordFigures.h"

#include <cstdio>
#include <cstring>

#include "app/containers/PathHelpers.h"
#include "recorder/RecorderTexts.h"

namespace {

constexpr int kEdgeMargin = 16;

bool StartsWithDrive(const char* path) {
    if (path == nullptr) {
        return false;
    }
    const char letter = path[0];
    return ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) && path[1] == ':';
}

char Upper(char letter) {
    return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
}

}  // namespace

std::int32_t CorrectRecordMode(std::int32_t mode) {
    return mode >= kRecordOneSong && mode <= kRecordUnlinked ? mode : kRecordOneSong;
}

void ClampDialogPosition(int& x, int& y, const DesktopRect& desktop) {
    if (x > desktop.right - kEdgeMargin) {
        x = desktop.right - kEdgeMargin;
    }
    if (x < desktop.left) {
        x = desktop.left;
    }
    if (y > desktop.bottom - kEdgeMargin) {
        y = desktop.bottom - kEdgeMargin;
    }
    if (y < desktop.top) {
        y = desktop.top;
    }
}

std::string NameLabel(std::int32_t mode, const char* singleFolder) {
    if (mode == kRecordEachSong) {
        return kMultiFolderLabel;
    }
    const std::size_t size = std::strlen(kSingleFileLabel) + std::strlen(singleFolder) + 1;
    std::string label(size, '\0');
    std::snprintf(&label[0], size, kSingleFileLabel, singleFolder);
    label.resize(std::strlen(label.c_str()));
    return label;
}

std::string WithWaveExtension(const std::string& name) {
    char extension[kMaxPathBytes];
    if (name.empty() || (ExtensionOf(extension, name.c_str()) && extension[0] != '\0')) {
        return name;
    }
    return name + kWaveExtension;
}

std::string OutputPathIn(const char* folder, const std::string& name) {
    if (StartsWithDrive(name.c_str()) || name.empty() || name[0] == '\\' || name[0] == '/' || folder[0] == '\0') {
        return name;
    }
    char joined[kMaxPathBytes] = {};
    std::snprintf(joined, sizeof joined, "%s", folder);
    AppendBackslash(joined, sizeof joined);
    return joined + name;
}

char OutputDriveLetter(const char* outputPath, const char* outputFolder) {
    if (StartsWithDrive(outputPath)) {
        return Upper(outputPath[0]);
    }
    if (StartsWithDrive(outputFolder)) {
        return Upper(outputFolder[0]);
    }
    return '\0';
}

std::string SecondsText(std::uint32_t seconds) {
    return std::to_string(seconds);
}

std::string KilobytesText(std::uint64_t bytes) {
    const std::string digits = std::to_string(bytes / 1024);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits[i];
    }
    return grouped;
}
