// The installer's Win32 machine against the real file system and shell: the creation walk over
// double-byte folder names, copies over read-only files, listings, and shell links read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installer/FolderPath.h"
#include "installer/ShellLink_win.h"
#include "installer/Win32InstallTarget_win.h"

namespace {

class WinInstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temporary[MAX_PATH] = {};
        GetTempPathA(sizeof temporary, temporary);
        root = TidyFolder(std::string(temporary) + "mxinstall" + std::to_string(GetCurrentProcessId()));
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    }
    void TearDown() override {
        for (const char* name : {"a.txt", "b.txt", "Melodrix.lnk"}) {
            const std::string path = root + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(root.c_str());
    }

    std::string root;
    Win32InstallTarget target;
};

TEST_F(WinInstallerTest, TheWalkMakesAndInTestModeRemovesDoubleByteFolders) {
    // "ソ" and "表" end in the byte 0x5C in Shift-JIS.
    const std::string folder = root + "\\ソフト\\表";
    if (QualifyFolder(folder) != FolderResult::kOk) {
        GTEST_SKIP() << "the temporary folder is not on a drive: " << root;
    }
    EXPECT_EQ(TestFolder(target, folder), FolderResult::kOk);
    EXPECT_FALSE(target.IsFolder((root + "\\ソフト").c_str()));
    EXPECT_EQ(CreateFolder(target, folder), FolderResult::kOk);
    EXPECT_TRUE(target.IsFolder(folder.c_str()));
    EXPECT_TRUE(target.RemoveFolder(folder.c_str()));
    EXPECT_TRUE(target.RemoveFolder((root + "\\ソフト").c_str()));
}

TEST_F(WinInstallerTest, CopiesReplaceReadOnlyFilesAndListingsShowFilesOnly) {
    const std::string a = root + "\\a.txt";
    const std::string b = root + "\\b.txt";
    HANDLE file = CreateFileA(a.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "12345", 5, &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(target.CopyOver(a.c_str(), b.c_str()));
    SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(target.CopyOver(a.c_str(), b.c_str()));
    EXPECT_EQ(target.FileBytes(b.c_str()), 5u);
    EXPECT_TRUE(target.IsFile(b.c_str()));
    EXPECT_FALSE(target.IsFolder(b.c_str()));

    std::vector<std::string> names;
    ASSERT_TRUE(CreateDirectoryA((root + "\\sub").c_str(), nullptr));
    EXPECT_TRUE(target.ListFiles(root.c_str(), names));
    RemoveDirectoryA((root + "\\sub").c_str());
    EXPECT_EQ(names.size(), 2u);
}

TEST_F(WinInstallerTest, AShellLinkPointsWhereItWasToldAndReadsBack) {
    const std::string link = root + "\\Melodrix.lnk";
    const std::string player = root + "\\Melodrix.exe";
    ASSERT_TRUE(CreateShellLink(link, player.c_str(), root.c_str()));
    EXPECT_EQ(ShellLinkTarget(link), player);
    // Made again, it replaces the older link.
    ASSERT_TRUE(CreateShellLink(link, (root + "\\Other.exe").c_str(), root.c_str()));
    EXPECT_EQ(ShellLinkTarget(link), root + "\\Other.exe");
    EXPECT_FALSE(ShortcutPath(ShortcutPlace::kDesktop).empty());
    EXPECT_FALSE(ShortcutPath(ShortcutPlace::kPrograms).empty());
}

}  // namespace
