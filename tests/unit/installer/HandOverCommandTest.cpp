#include "installer/HandOverCommand.h"

#include <gtest/gtest.h>

namespace {

TEST(HandOverCommandTest, FolderEndingInBackslashComesBackWhole) {
    // Each folder as the uninstaller finds it: with its closing backslash, blanks, a drive root,
    // and a Shift-JIS name whose trail byte is a backslash (0x95 0x5C).
    for (const std::string folder : {"C:\\Program Files\\Veqo\\Melodrix\\", "C:\\", "D:\\\x95\x5C\\", "E:\\a b\\c\\"}) {
        const std::string line = HandOverCommandLine("C:\\Temp dir\\MelodrixUninst.exe", 4294967295u, folder);
        HandOverArguments parsed;
        ASSERT_TRUE(ParseHandOverCommandLine(line.c_str(), parsed)) << line;
        EXPECT_EQ(parsed.folder, folder);
        EXPECT_EQ(parsed.processId, 4294967295u);
    }
}

TEST(HandOverCommandTest, OtherCommandLinesAreNoHandOver) {
    const char* const lines[] = {
        "Uninst.exe",
        "\"C:\\Program Files\\Veqo\\Melodrix\\Uninst.exe\"",
        "Uninst.exe /handover",
        "Uninst.exe /handover 12",
        "Uninst.exe /handover 12 C:\\Melodrix",
        "Uninst.exe /handover x1 \"C:\\Melodrix\"",
        "Uninst.exe /handover 4294967296 \"C:\\Melodrix\"",
        "Uninst.exe /handover 12 \"C:\\Melodrix",
        "Uninst.exe /handoverX 12 \"C:\\Melodrix\"",
    };
    for (const char* line : lines) {
        HandOverArguments parsed;
        EXPECT_FALSE(ParseHandOverCommandLine(line, parsed)) << line;
    }
    HandOverArguments parsed;
    EXPECT_FALSE(ParseHandOverCommandLine(nullptr, parsed));
}

TEST(HandOverCommandTest, UnquotedProgramNameIsAccepted) {
    HandOverArguments parsed;
    ASSERT_TRUE(ParseHandOverCommandLine("MelodrixUninst.exe  /handover\t7 \"C:\\M\\\"", parsed));
    EXPECT_EQ(parsed.processId, 7u);
    EXPECT_EQ(parsed.folder, "C:\\M\\");
}

}  // namespace
