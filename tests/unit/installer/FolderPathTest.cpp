// The installer's folder rules: which paths qualify, how folders are tidied and joined, and the
// creation walk with its test mode that leaves nothing behind.
#include "installer/FolderPath.h"

#include <gtest/gtest.h>

#include "tests/support/MemoryInstallTarget.h"

namespace {

TEST(FolderPath, QualifiesOnlyAbsoluteFoldersOnADriveThatFitTheBuffer) {
    const std::string longest = "C:\\" + std::string(kMaxFolderBytes - 3, 'a');
    const struct {
        std::string folder;
        FolderResult expected;
    } cases[] = {
        {"C:\\Program Files\\Veqo\\Melodrix", FolderResult::kOk},
        {"d:\\x", FolderResult::kOk},
        {"C:\\", FolderResult::kOk},
        {"", FolderResult::kNotOnDrive},
        {"C:", FolderResult::kNotOnDrive},
        {"C:Music", FolderResult::kNotOnDrive},
        {"Music\\Melodrix", FolderResult::kNotOnDrive},
        {"\\\\server\\share\\Melodrix", FolderResult::kNotOnDrive},
        {"\\Melodrix", FolderResult::kNotOnDrive},
        {"1:\\Melodrix", FolderResult::kNotOnDrive},
        {"C:/Melodrix", FolderResult::kNotOnDrive},
        {longest, FolderResult::kOk},
        {longest + "b", FolderResult::kTooLong},
        {"C:\\" + std::string(600, 'x'), FolderResult::kTooLong},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QualifyFolder(c.folder), c.expected) << c.folder;
    }
    // The longest folder still holds an 8.3 file name in a 260-byte path, terminator included.
    EXPECT_EQ(JoinPath(longest, "Melodrix.exe").size() + 1, 260u);
}

TEST(FolderPath, TidiesAndJoinsWithoutMistakingADoubleByteTrailForABackslash) {
    // "ソ" and "表" end in the byte 0x5C in Shift-JIS.
    const struct {
        const char* folder;
        const char* tidy;
        const char* joined;
    } cases[] = {
        {"C:\\Music\\", "C:\\Music", "C:\\Music\\List"},
        {"C:\\Music\\\\  ", "C:\\Music", "C:\\Music\\List"},
        {"C:\\", "C:\\", "C:\\List"},
        {"C:\\ソ", "C:\\ソ", "C:\\ソ\\List"},
        {"C:\\表\\", "C:\\表", "C:\\表\\List"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TidyFolder(c.folder), c.tidy) << c.folder;
        EXPECT_EQ(JoinPath(TidyFolder(c.folder), "List"), c.joined) << c.folder;
    }
}

class FolderWalkTest : public ::testing::Test {
protected:
    void SetUp() override { files.AddDirectory("C:\\Program Files"); }

    MemoryFileSystem files;
    MemoryInstallTarget target{files};
};

TEST_F(FolderWalkTest, CreationMakesEachMissingComponentOutermostFirstAndKeepsThem) {
    const FolderWalk walk = WalkFolder(target, "C:\\Program Files\\Veqo\\ソフト\\表", false);
    EXPECT_EQ(walk.result, FolderResult::kOk);
    const std::vector<std::string> expected = {"C:\\Program Files\\Veqo", "C:\\Program Files\\Veqo\\ソフト",
                                               "C:\\Program Files\\Veqo\\ソフト\\表"};
    EXPECT_EQ(walk.created, expected);
    EXPECT_TRUE(target.IsFolder("C:\\Program Files\\Veqo\\ソフト\\表"));
    // A second walk finds everything in place and makes nothing.
    EXPECT_TRUE(WalkFolder(target, "C:\\Program Files\\Veqo\\ソフト\\表\\", false).created.empty());
}

TEST_F(FolderWalkTest, TestModeLeavesNoFolderBehindWhetherItSucceedsOrFails) {
    EXPECT_EQ(TestFolder(target, "C:\\Program Files\\Veqo\\Melodrix"), FolderResult::kOk);
    EXPECT_EQ(target.made.size(), 2u);
    EXPECT_FALSE(files.Exists("C:\\Program Files\\Veqo"));

    // The third component cannot be made: the two made before it go again, deepest first.
    target.failingFolders.insert("C:\\Program Files\\a\\b\\c");
    EXPECT_EQ(TestFolder(target, "C:\\Program Files\\a\\b\\c\\d"), FolderResult::kCreateFailed);
    EXPECT_FALSE(files.Exists("C:\\Program Files\\a"));
    EXPECT_TRUE(files.Exists("C:\\Program Files"));
}

TEST_F(FolderWalkTest, RefusesMissingDrivesFilesInTheWayAndUnqualifiedPathsWithoutMakingAnything) {
    files.AddFile("C:\\Program Files\\Veqo", std::string("a file, not a folder"));
    const struct {
        const char* folder;
        FolderResult expected;
    } cases[] = {
        {"Q:\\Melodrix", FolderResult::kNoDrive},
        {"C:\\Program Files\\Veqo\\Melodrix", FolderResult::kCreateFailed},
        {"\\\\server\\share", FolderResult::kNotOnDrive},
        {"Melodrix", FolderResult::kNotOnDrive},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TestFolder(target, c.folder), c.expected) << c.folder;
        EXPECT_EQ(CreateFolder(target, c.folder), c.expected) << c.folder;
    }
    EXPECT_TRUE(target.made.empty());
}

TEST_F(FolderWalkTest, AnOverlongFolderFailsInsteadOfBeingCutIntoAnotherOne) {
    // Cut at 260 bytes this would be "C:\Program Files\aaaa...", a folder the user never named.
    const std::string folder = "C:\\Program Files\\" + std::string(300, 'a');
    EXPECT_EQ(CreateFolder(target, folder), FolderResult::kTooLong);
    EXPECT_TRUE(target.made.empty());
}

}  // namespace
