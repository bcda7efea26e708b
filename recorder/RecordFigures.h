// The recording dialog's small rules that need no window: its position on the desktop, the
// name field's label, output names, and the live figures (seconds, Kbyte, free space).
#pragma once

#include <cstdint>
#include <string>

// Linked modes of the recording dialog.
constexpr std::int32_t kRecordOneSong = 1;    // 一曲のみ
constexpr std::int32_t kRecordEachSong = 2;   // 連続: one file per song
constexpr std::int32_t kRecordWholeList = 3;  // 一括: the rest of the list into one file
constexpr std::int32_t kRecordUnlinked = 4;   // 連動無し

// A stored mode outside 1..4 becomes one song.
std::int32_t CorrectRecordMode(std::int32_t mode);

// The desktop as left, top, right, bottom.
struct DesktopRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// The saved position kept on the desktop: x at most right - 16 and at least left, y likewise.
void ClampDialogPosition(int& x, int& y, const DesktopRect& desktop);

// The label above the name field: the output folder in mode 2, else the single file's folder.
std::string NameLabel(std::int32_t mode, const char* singleFolder);

// The name typed into the field with ".wav" added when it has no extension.
std::string WithWaveExtension(const std::string& name);
// A name relative to folder joined to it; a name with a drive or a leading separator stays.
std::string OutputPathIn(const char* folder, const std::string& name);

// The drive whose free space is shown: from outputPath when it starts with a letter and ':',
// else from outputFolder; 0 when neither names a drive (a network path).
char OutputDriveLetter(const char* outputPath, const char* outputFolder);

std::string SecondsText(std::uint32_t seconds);
// Bytes as whole Kbyte with a comma before every group of three digits.
std::string KilobytesText(std::uint64_t bytes);
