// What the help seam checks before it starts the viewer, and what it tells the user when help
// cannot be shown. Free of Win32 so the checks run in the native tests.
#pragma once

#include <string>

enum class HelpProblem { kNone, kFileMissing, kFileDamaged, kViewerMissing, kViewerFailed };

constexpr char kHelpErrorCaption[] = "エラー -ヘルプ";

// kNone when the file at path (Shift-JIS) begins like a compiled HTML Help file; kFileMissing when
// it cannot be read, kFileDamaged when it is something else. Reads 8 bytes through the active
// file system.
HelpProblem CheckHelpFile(const char* path);

// The page of the help file that the index gives keyword, or null for a keyword it does not hold.
const char* HelpPageOf(const char* keyword);

// The message for a problem (Shift-JIS), naming the file where that helps; empty for kNone.
std::string HelpProblemMessage(HelpProblem problem, const char* path);
