// The CD list editor's changes: the order commands around the empty last row, track fields,
// saving only through Save.
#include "editors/CdListEditModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

constexpr std::uint32_t kTwelveTracks = 0x0A1E2D0C;
constexpr std::uint32_t kThreeTracks = 0x01020303;
constexpr char kFolder[] = "C:\\CdLists";

class CdListEditModelTest : public ::testing::Test {
protected:
    CdListEditModelTest() { files.AddDirectory(kFolder); }

    static std::vector<int> Order(const CdListEditModel& model) {
        std::vector<int> order;
        for (std::int32_t i = 0; i < model.List().OrderCount(); ++i) {
            order.push_back(model.List().GetOrder(i) + 1);
        }
        return order;
    }

    MemoryFileSystem files;
    ScopedFileSystem scoped{files};
};

}  // namespace

TEST_F(CdListEditModelTest, ADiscWithoutAListShowsDefaultTitlesAndTheOrderWithAnEmptyRow) {
    CdListEditModel model(kTwelveTracks, kFolder);
    EXPECT_EQ(model.TrackCount(), 12);
    EXPECT_EQ(model.OrderRowCount(), 13);
    EXPECT_EQ(model.TrackRowText(0), "<01> ﾄﾗｯｸ1");
    EXPECT_EQ(model.TrackRowText(11), "<12> ﾄﾗｯｸ12");
    EXPECT_EQ(model.OrderRowText(11), "<12> ﾄﾗｯｸ12");
    EXPECT_EQ(model.OrderRowText(12), "");
    EXPECT_FALSE(model.Modified());
    EXPECT_FALSE(files.Exists("C:\\CdLists\\0a1e2d0c.cdl"));
}

TEST_F(CdListEditModelTest, InsertOnTheEmptyRowAppends) {
    CdListEditModel model(kThreeTracks, kFolder);
    EXPECT_EQ(model.InsertTrack(3, 1), 4);  // the empty row, now one further down, stays selected
    EXPECT_EQ(Order(model), (std::vector<int>{1, 2, 3, 2}));
    EXPECT_EQ(model.AddTrack(0), 5);
    EXPECT_EQ(Order(model), (std::vector<int>{1, 2, 3, 2, 1}));
    EXPECT_TRUE(model.Modified());
}

TEST_F(CdListEditModelTest, InsertAllOnRowOneInsertsEveryTrackBeforeTheOldEntry) {
    CdListEditModel model(kThreeTracks, kFolder);
    EXPECT_EQ(model.InsertAllTracks(1), 5);
    EXPECT_EQ(Order(model), (std::vector<int>{1, 1, 2, 3, 2, 3}));
    EXPECT_EQ(model.InsertAllTracks(9), -1);
}

TEST_F(CdListEditModelTest, CommandsWithoutAValidSelectionDoNothing) {
    CdListEditModel model(kThreeTracks, kFolder);
    EXPECT_EQ(model.InsertTrack(1, -1), -1);  // no track selected
    EXPECT_EQ(model.InsertTrack(1, 3), -1);
    EXPECT_EQ(model.InsertTrack(-1, 0), -1);
    EXPECT_EQ(model.RemoveEntry(3), -1);    // the empty row cannot be deleted
    EXPECT_EQ(model.MoveEntry(3, -1), -1);  // nor moved
    EXPECT_EQ(model.MoveEntry(2, +1), -1);  // nor swapped with
    EXPECT_EQ(model.MoveEntry(0, -1), -1);
    EXPECT_EQ(Order(model), (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(model.Modified());
}

TEST_F(CdListEditModelTest, RemoveMoveAndRemoveAll) {
    CdListEditModel model(kThreeTracks, kFolder);
    EXPECT_EQ(model.MoveEntry(0, +1), 1);
    EXPECT_EQ(Order(model), (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(model.RemoveEntry(2), 2);  // the empty row moves up to it
    EXPECT_EQ(Order(model), (std::vector<int>{2, 1}));
    EXPECT_EQ(model.RemoveAllEntries(), 0);
    EXPECT_EQ(model.OrderRowCount(), 1);
    EXPECT_EQ(model.RemoveAllEntries(), -1);
}

TEST_F(CdListEditModelTest, AMovedEntryIsWhatSaveWritesAndLoadsBack) {
    {
        CdListEditModel model(kThreeTracks, kFolder);
        model.MoveEntry(2, -1);
        TrackFieldTexts fields = model.TrackFields(1);
        fields.title = "Second";
        fields.volume = "x";
        fields.balance = {true, -40};
        ASSERT_EQ(model.ApplyTrackFields(1, fields), 1);
        EXPECT_EQ(model.ApplyTrackFields(3, fields), 0);
        ASSERT_EQ(model.Save(), 1);
    }
    CdListEditModel again(kThreeTracks, kFolder);
    EXPECT_EQ(Order(again), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(again.TrackRowText(1), "<02> Second");
    const TrackFieldTexts fields = again.TrackFields(1);
    EXPECT_EQ(fields.volume, "100");
    EXPECT_TRUE(fields.balance.checked);
    EXPECT_EQ(fields.balance.position, -40);
}

TEST_F(CdListEditModelTest, AFailedSaveSaysSoAndKeepsTheEdits) {
    CdListEditModel model(kThreeTracks, kFolder);
    model.SetTitle("Kept");
    files.FailWrites(true);
    EXPECT_EQ(model.Save(), 0);
    EXPECT_STREQ(model.List().title, "Kept");
    EXPECT_TRUE(model.Modified());
}

TEST_F(CdListEditModelTest, VolumeTextIsNormalised) {
    CdListEditModel model(kThreeTracks, kFolder);
    EXPECT_EQ(model.SetVolumeText("-1"), 100);
    EXPECT_EQ(model.SetVolumeText("55abc"), 55);
    EXPECT_EQ(CdListEditModel::ClampRow(7, 4), 3);
    EXPECT_EQ(CdListEditModel::ClampRow(-2, 0), 0);
}
