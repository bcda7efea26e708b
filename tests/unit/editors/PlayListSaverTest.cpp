// Saving the play list editor's list: new names, renames through a temporary name, restores.
#include "editors/PlayListSaver.h"

#include <gtest/gtest.h>

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

constexpr char kFolder[] = "C:\\Lists";

class PlayListSaverTest : public ::testing::Test {
protected:
    PlayListSaverTest() {
        files.AddDirectory(kFolder);
        files.AddDirectory("C:\\Other");
    }

    std::string Title(const char* path) {
        char title[kListTextBytes];
        return PlayListFile::ReadTitle(path, title) ? title : "<none>";
    }

    MemoryFileSystem files;
    ScopedFileSystem scoped{files};
    PlayListFile list;
};

}  // namespace

TEST_F(PlayListSaverTest, NewListsGetUniqueNamesFromTheirTitle) {
    std::snprintf(list.title, sizeof list.title, "Evening");
    const ListSaveOutcome first = SavePlayList(list, "", kFolder, true, false);
    ASSERT_EQ(first.result, ListSaveResult::kSaved);
    EXPECT_STREQ(first.savedPath, "C:\\Lists\\Evening.rpl");
    const ListSaveOutcome second = SavePlayList(list, "", kFolder, true, false);
    ASSERT_EQ(second.result, ListSaveResult::kSaved);
    EXPECT_STREQ(second.savedPath, "C:\\Lists\\Evening_0.rpl");
}

TEST_F(PlayListSaverTest, UnchangedTitleOrListOutsideTheFolderKeepsItsName) {
    files.AddFile("C:\\Other\\mine.rpl", std::string("Melodrix2.0 PlayList,Old\r\n"));
    std::snprintf(list.title, sizeof list.title, "New");
    for (bool titleChanged : {false, true}) {
        const ListSaveOutcome outcome = SavePlayList(list, "C:\\Other\\mine.rpl", kFolder, titleChanged, false);
        ASSERT_EQ(outcome.result, ListSaveResult::kSaved);
        EXPECT_STREQ(outcome.savedPath, "C:\\Other\\mine.rpl");
    }
    EXPECT_EQ(Title("C:\\Other\\mine.rpl"), "New");
    EXPECT_FALSE(files.Exists("C:\\Lists\\New.rpl"));
}

TEST_F(PlayListSaverTest, TitleChangeInsideTheFolderRenamesTheFileAndLeavesNoTemporary) {
    files.AddFile("C:\\Lists\\Old.rpl", std::string("Melodrix2.0 PlayList,Old\r\n"));
    files.AddFile("C:\\Lists\\New.rpl", std::string("Melodrix2.0 PlayList,Someone else's\r\n"));
    std::snprintf(list.title, sizeof list.title, "New");
    const ListSaveOutcome outcome = SavePlayList(list, "C:\\Lists\\Old.rpl", kFolder, true, true);
    ASSERT_EQ(outcome.result, ListSaveResult::kSaved);
    EXPECT_STREQ(outcome.savedPath, "C:\\Lists\\New_0.rpl");
    EXPECT_FALSE(files.Exists("C:\\Lists\\Old.rpl"));
    EXPECT_FALSE(files.Exists("C:\\Lists\\$RPLSWP.TMP"));
    EXPECT_EQ(Title("C:\\Lists\\New.rpl"), "Someone else's");
}

TEST_F(PlayListSaverTest, ATitleThatGivesTheSameNameKeepsIt) {
    files.AddFile("C:\\Lists\\Same.rpl", std::string("Melodrix2.0 PlayList,Same\r\n"));
    std::snprintf(list.title, sizeof list.title, "Same");
    const ListSaveOutcome outcome = SavePlayList(list, "C:\\Lists\\Same.rpl", kFolder, true, true);
    ASSERT_EQ(outcome.result, ListSaveResult::kSaved);
    EXPECT_STREQ(outcome.savedPath, "C:\\Lists\\Same.rpl");
}

TEST_F(PlayListSaverTest, FailuresKeepTheOldListWhereTheUserCanFindIt) {
    struct Case {
        const char* what;
        int renamesAllowed;  // -1: all
        bool failWrites;
        ListSaveResult result;
        const char* oldListAt;
    };
    const Case cases[] = {
        {"move aside fails", 0, false, ListSaveResult::kRenameFailed, "C:\\Lists\\Old.rpl"},
        {"write fails, moved back", -1, true, ListSaveResult::kWriteFailed, "C:\\Lists\\Old.rpl"},
        {"write and move back fail", 1, true, ListSaveResult::kKeptTemporary, "C:\\Lists\\$RPLSWP.TMP"},
    };
    for (const Case& c : cases) {
        files.Clear();
        files.AddFile("C:\\Lists\\Old.rpl", std::string("Melodrix2.0 PlayList,Old\r\n"));
        files.FailRenamesAfter(c.renamesAllowed);
        files.FailWrites(c.failWrites);
        std::snprintf(list.title, sizeof list.title, "New");
        const ListSaveOutcome outcome = SavePlayList(list, "C:\\Lists\\Old.rpl", kFolder, true, true);
        files.FailWrites(false);
        files.FailRenamesAfter(-1);
        EXPECT_EQ(outcome.result, c.result) << c.what;
        EXPECT_EQ(Title(c.oldListAt), "Old") << c.what;
        EXPECT_FALSE(files.Exists("C:\\Lists\\New.rpl")) << c.what;
        if (c.result == ListSaveResult::kKeptTemporary) {
            EXPECT_STREQ(outcome.temporaryPath, c.oldListAt);
        }
    }
}

TEST_F(PlayListSaverTest, AListWhoseFileIsGoneIsWrittenUnderItsNewName) {
    std::snprintf(list.title, sizeof list.title, "Back");
    const ListSaveOutcome outcome = SavePlayList(list, "C:\\Lists\\gone.rpl", kFolder, true, true);
    ASSERT_EQ(outcome.result, ListSaveResult::kSaved);
    EXPECT_STREQ(outcome.savedPath, "C:\\Lists\\Back.rpl");
}

TEST_F(PlayListSaverTest, AFailedWriteOfANewListSaysSo) {
    files.FailWrites(true);
    EXPECT_EQ(SavePlayList(list, "", kFolder, false, false).result, ListSaveResult::kWriteFailed);
    EXPECT_EQ(SavePlayList(list, "", "C:\\NoSuchFolder", false, false).result, ListSaveResult::kWriteFailed);
}
