// The play list editor's changes to its list: adding and inserting files, deleting, moving, the
// song fields and the list fields.
#include "editors/PlayListEditModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

constexpr char kListPath[] = "C:\\Lists\\evening.rpl";

class PlayListEditModelTest : public ::testing::Test {
protected:
    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        PlayListEntry entry;
        for (std::int32_t i = 0; i < model.SongCount(); ++i) {
            model.List().GetEntry(i, entry);
            paths.push_back(entry.path);
        }
        return paths;
    }

    MemoryFileSystem files;
    ScopedFileSystem scoped{files};
    PlayListEditModel model;
};

}  // namespace

TEST_F(PlayListEditModelTest, AddOnAnEmptyListAppendsInFileListOrderWithNewEntryDefaults) {
    EXPECT_EQ(model.Open(""), 0);
    EXPECT_EQ(model.AddFiles(0, "C:\\Music", {"b.wav", "a.mid", "c.mp3"}), 2);
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\Music\\b.wav", "C:\\Music\\a.mid", "C:\\Music\\c.mp3"}));
    PlayListEntry entry;
    model.List().GetEntry(1, entry);
    EXPECT_STREQ(entry.title, "a");
    EXPECT_EQ(entry.volume, 100);
    EXPECT_EQ(entry.balance, -300);
    EXPECT_EQ(entry.silenceMs, 0);
    EXPECT_TRUE(model.Modified());
    EXPECT_FALSE(model.TitleChanged());
}

TEST_F(PlayListEditModelTest, InsertGoesBeforeTheSelectedRowAndSelectsTheSongAfterTheInserted) {
    model.AddFiles(0, "C:\\M\\", {"1", "2", "3"});
    EXPECT_EQ(model.AddFiles(1, "C:\\M", {"x", "y"}), 3);
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\M\\1", "C:\\M\\x", "C:\\M\\y", "C:\\M\\2", "C:\\M\\3"}));
}

TEST_F(PlayListEditModelTest, InsertWithoutSelectionOrWithoutFilesAddsNothing) {
    model.AddFiles(0, "C:\\M", {"1"});
    EXPECT_EQ(model.AddFiles(-1, "C:\\M", {"x"}), -1);
    EXPECT_EQ(model.AddFiles(0, "C:\\M", {}), -1);
    EXPECT_EQ(model.AddFiles(5, "C:\\M", {"x"}), -1);
    EXPECT_EQ(model.SongCount(), 1);
}

TEST_F(PlayListEditModelTest, NamesTooLongForAPathAreLeftOut) {
    EXPECT_EQ(model.AddFiles(0, "C:\\M", {std::string(300, 'n'), "ok.mid"}), 0);
    EXPECT_EQ(Paths(), std::vector<std::string>{"C:\\M\\ok.mid"});
}

TEST_F(PlayListEditModelTest, DeleteMoveAndDeleteAllAnswerTheRowToSelect) {
    model.AddFiles(0, "C:\\M", {"1", "2", "3"});
    struct Step {
        const char* what;
        std::int32_t row;
        std::int32_t expected;
    };
    EXPECT_EQ(model.MoveSong(0, -1), -1);  // up on the first row
    EXPECT_EQ(model.MoveSong(2, +1), -1);  // down on the last row
    EXPECT_EQ(model.MoveSong(0, +1), 1);
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\M\\2", "C:\\M\\1", "C:\\M\\3"}));
    EXPECT_EQ(model.MoveSong(2, -1), 1);
    EXPECT_EQ(Paths(), (std::vector<std::string>{"C:\\M\\2", "C:\\M\\3", "C:\\M\\1"}));
    EXPECT_EQ(model.DeleteSong(2), 1);  // the last row: the row before is selected
    EXPECT_EQ(model.DeleteSong(7), -1);
    EXPECT_EQ(model.DeleteSong(0), 0);
    EXPECT_EQ(Paths(), std::vector<std::string>{"C:\\M\\3"});
    EXPECT_EQ(model.DeleteAllSongs(), 0);
    EXPECT_EQ(model.DeleteAllSongs(), -1);
    EXPECT_EQ(model.ClampSongRow(4), 0);
}

TEST_F(PlayListEditModelTest, SwitchedOffBalanceShowsAtItsPositionAndCheckingStoresIt) {
    files.AddDirectory("C:\\Lists");
    files.AddFile(kListPath, std::string("Melodrix2.0 PlayList,Evening,80,\r\nC:\\a.mid,A,,90,-250,500\r\n"));
    ASSERT_EQ(model.Open(kListPath), 1);
    EXPECT_FALSE(model.Modified());
    SongFieldTexts fields = model.SongFields(0);
    EXPECT_FALSE(fields.balance.checked);
    EXPECT_EQ(fields.balance.position, 50);
    EXPECT_EQ(fields.volume, "90");
    EXPECT_EQ(fields.silence, "500");
    fields.balance.checked = true;
    ASSERT_EQ(model.ApplySongFields(0, fields), 1);
    PlayListEntry entry;
    model.List().GetEntry(0, entry);
    EXPECT_EQ(entry.balance, 50);
    EXPECT_TRUE(model.Modified());
}

TEST_F(PlayListEditModelTest, SongFieldsAreBoundedAndNumbersFallBack) {
    model.AddFiles(0, "C:\\M", {"1"});
    SongFieldTexts fields;
    fields.title = std::string(2000, 't');
    fields.comment = std::string(600, 'c');
    fields.volume = "loud";
    fields.silence = "";
    ASSERT_EQ(model.ApplySongFields(0, fields), 1);
    EXPECT_EQ(model.ApplySongFields(1, fields), 0);
    PlayListEntry entry;
    model.List().GetEntry(0, entry);
    EXPECT_EQ(std::string(entry.title).size(), 511u);
    EXPECT_EQ(std::string(entry.comment).size(), 511u);
    EXPECT_EQ(entry.volume, 100);
    EXPECT_EQ(entry.silenceMs, 0);
    EXPECT_EQ(model.SongFields(5).title, "");
}

TEST_F(PlayListEditModelTest, ListFieldsSetTitleVolumeAndFont) {
    model.Open("C:\\missing.rpl");
    EXPECT_EQ(model.List().volume, 100);
    model.SetTitle(std::string(900, 'x').c_str());
    EXPECT_EQ(std::string(model.List().title).size(), 511u);
    EXPECT_TRUE(model.TitleChanged());
    model.SetVolumeText("-3");
    EXPECT_EQ(model.List().volume, 100);
    model.SetVolumeText("75");
    EXPECT_EQ(model.List().volume, 75);
    model.SetFont(true, "A face name far longer than thirty-one bytes");
    EXPECT_EQ(std::string(model.List().fontName).size(), 31u);
    model.SetFont(false, "ignored");
    EXPECT_STREQ(model.List().fontName, "");
}

TEST_F(PlayListEditModelTest, NegativeListVolumeInTheFileOpensAs100) {
    files.AddFile(kListPath, std::string("Melodrix2.0 PlayList,T,-20,\r\n"));
    model.Open(kListPath);
    EXPECT_EQ(model.List().volume, 100);
}
