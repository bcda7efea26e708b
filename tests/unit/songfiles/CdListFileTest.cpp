// CD list files: naming from the disc identifier, the text format both ways, and the take-over of a
// disc's version-1 settings.
#include "songfiles/CdListFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/containers/ShiftJis.h"
#include "songfiles/IniProfileReader.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SongFilesTestHelpers.h"

namespace {

constexpr char kFolder[] = "C:\\Melodrix";
constexpr std::uint32_t kTwelveTracks = 0x0A1E2D0C;
constexpr char kTwelvePath[] = "C:\\Melodrix\\0a1e2d0c.cdl";
// ﾄﾗｯｸ in Shift-JIS.
constexpr char kTrackWord[] = "\xC4\xD7\xAF\xB8";

std::vector<int> Order(const CdListFile& list) {
    std::vector<int> order;
    for (int i = 0; i < list.OrderCount(); ++i) {
        order.push_back(list.GetOrder(i));
    }
    return order;
}

CdListTrack Track(const CdListFile& list, int index) {
    CdListTrack track;
    list.GetTrack(index, track);
    return track;
}

class CdListFileTest : public ::testing::Test {
protected:
    void SetUp() override { files.AddDirectory(kFolder); }

    MemoryFileSystem files;
    ScopedFileSystem scope{files};
    IniProfileReader profiles{"C:\\WINDOWS"};
    ScopedProfileReader profileScope{profiles};
};

TEST_F(CdListFileTest, NamesTheFileAfterTheDiscAndStartsWithDefaults) {
    const struct {
        const char* folder;
        const char* path;
    } cases[] = {
        {"C:\\Melodrix", "C:\\Melodrix\\0a1e2d0c.cdl"},
        {"C:\\Melodrix\\", "C:\\Melodrix\\0a1e2d0c.cdl"},
        {"D:\\\x83\x5C", "D:\\\x83\x5C\\0a1e2d0c.cdl"},  // ソ: its 0x5C trail byte is no separator
        {"", "0a1e2d0c.cdl"},
    };
    for (const auto& c : cases) {
        CdListFile list(kTwelveTracks, c.folder);
        EXPECT_STREQ(list.path, c.path);
    }
    CdListFile list(kTwelveTracks, kFolder);
    EXPECT_EQ(list.TrackCount(), 12);
    EXPECT_EQ(Order(list), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(std::string(Track(list, 0).title), std::string(kTrackWord) + "1");
    EXPECT_EQ(std::string(Track(list, 11).title), std::string(kTrackWord) + "12");
    EXPECT_EQ(Track(list, 11).volume, 100);
    EXPECT_EQ(Track(list, 11).balance, kBalanceUnchanged);

    // A folder so long that the name does not fit gives no file at all rather than a cut one.
    const std::string longFolder(250, 'f');
    CdListFile tooLong(kTwelveTracks, longFolder.c_str());
    EXPECT_STREQ(tooLong.path, "");
    EXPECT_EQ(tooLong.Load(), kCdListCannotOpen);
    EXPECT_EQ(tooLong.Save(), 0);
}

TEST_F(CdListFileTest, TakesItsFolderFromTheSettings) {
    CopyShiftJis(gSettings.directory.CD, sizeof gSettings.directory.CD, "E:\\Discs");
    CdListFile list(0x12345602);
    EXPECT_STREQ(list.path, "E:\\Discs\\12345602.cdl");
    ResetSettingsToDefaults();
}

TEST_F(CdListFileTest, LoadReadsTrackAndOrderLinesByTheRules) {
    PutFile(files, kTwelvePath,
            "Melodrix2.0 CD List,\"Best, of\",90,Font \n"
            "TRACK3,Third,,80,-300   \r\n"
            "track1,First,Note,x\n"
            "Track13,Beyond the disc\n"
            "Track0,Before the disc\n"
            "Tracks,no number\n"
            "; comment\n"
            "\n"
            "0\n"
            "99\n"
            "5\n"
            "12 \t\n"
            "Track2,Second\n"
            "1\n"
            " 3\n"
            "other text\n");
    CdListFile list(kTwelveTracks, kFolder);
    ASSERT_EQ(list.Load(), kCdListLoaded);
    EXPECT_STREQ(list.title, "Best, of");
    EXPECT_EQ(list.volume, 90);
    EXPECT_STREQ(list.fontName, "Font ");
    EXPECT_STREQ(Track(list, 2).title, "Third");
    EXPECT_EQ(Track(list, 2).volume, 80);
    EXPECT_EQ(Track(list, 2).balance, -300);
    EXPECT_STREQ(Track(list, 0).title, "First");
    EXPECT_STREQ(Track(list, 0).comment, "Note");
    EXPECT_EQ(Track(list, 0).volume, 100);
    EXPECT_STREQ(Track(list, 1).title, "Second");
    EXPECT_EQ(std::string(Track(list, 3).title), std::string(kTrackWord) + "4");
    EXPECT_EQ(Order(list), (std::vector<int>{4, 11, 0}));
}

TEST_F(CdListFileTest, LoadAnswersWhyItFailedAndLeavesTheListAlone) {
    const struct {
        const char* text;  // nullptr: no file
        int result;
    } cases[] = {
        {nullptr, kCdListCannotOpen},
        {"", kCdListEmpty},
        {"Melodrix2.0 PlayList,T\r\n", kCdListBadMagic},
        {"melodrix2.0 cd list,T\r\n", kCdListBadMagic},
        {"Melodrix2.0 CD List ,T\r\n", kCdListBadMagic},  // the header is not trimmed
        {"Melodrix2.0 CD List,T,70\r\n", kCdListLoaded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        files.Remove(kTwelvePath);
        if (c.text != nullptr) {
            PutFile(files, kTwelvePath, c.text);
        }
        CdListFile list(kTwelveTracks, kFolder);
        EXPECT_EQ(list.Load(), c.result);
        // Only a loaded file replaces the order; one without order lines leaves it empty.
        EXPECT_EQ(list.OrderCount(), c.result == kCdListLoaded ? 0 : 12);
        EXPECT_EQ(list.volume, c.result == kCdListLoaded ? 70 : 100);
    }
}

TEST_F(CdListFileTest, SaveWritesEveryTrackAndTheOrderAndLoadsBack) {
    CdListFile list(0xCAFE0002, kFolder);
    CopyShiftJis(list.title, sizeof list.title, "Say \"x\"");
    CdListTrack track;
    CopyShiftJis(track.title, sizeof track.title, "A, B");
    CopyShiftJis(track.comment, sizeof track.comment, "\x95\x5C");
    track.volume = 80;
    track.balance = -20;
    ASSERT_EQ(list.SetTrack(1, track), 1);
    EXPECT_EQ(list.SetTrack(2, track), 0);
    EXPECT_EQ(list.GetTrack(-1, track), 0);
    list.ClearOrder();
    list.InsertOrder(-1, 1);
    list.InsertOrder(-1, 1);
    list.InsertOrder(0, 0);
    EXPECT_EQ(list.InsertOrder(-1, 2), 0);
    ASSERT_EQ(list.Save(), 1);
    EXPECT_EQ(TextOf(files, "C:\\Melodrix\\cafe0002.cdl"),
              "Melodrix2.0 CD List,\"Say \"\"x\"\"\",100,\r\n"
              "Track1," +
                  std::string(kTrackWord) +
                  "1,,100,-300\r\n"
                  "Track2,\"A, B\",\x95\x5C,80,-20\r\n"
                  "1\r\n2\r\n2\r\n");

    CdListFile back(0xCAFE0002, kFolder);
    ASSERT_EQ(back.Load(), kCdListLoaded);
    EXPECT_STREQ(back.title, list.title);
    EXPECT_STREQ(Track(back, 1).title, "A, B");
    EXPECT_STREQ(Track(back, 1).comment, "\x95\x5C");
    EXPECT_EQ(Track(back, 1).volume, 80);
    EXPECT_EQ(Track(back, 1).balance, -20);
    EXPECT_EQ(Order(back), (std::vector<int>{0, 1, 1}));
}

TEST_F(CdListFileTest, FailedSaveKeepsTheOldFile) {
    PutFile(files, kTwelvePath, "Melodrix2.0 CD List,Old\r\n");
    CdListFile list(kTwelveTracks, kFolder);
    files.FailWrites(true);
    EXPECT_EQ(list.Save(), 0);
    EXPECT_EQ(TextOf(files, kTwelvePath), "Melodrix2.0 CD List,Old\r\n");
}

TEST_F(CdListFileTest, FirstSightWithoutVersion1SettingsSavesTheDefaults) {
    CdListFile list(0x00000003, kFolder);
    ASSERT_EQ(list.Load(), kCdListCannotOpen);
    EXPECT_EQ(list.MigrateVersion1(0x12345603), 1);
    ASSERT_EQ(list.Save(), 1);
    const std::string word = kTrackWord;
    EXPECT_EQ(TextOf(files, "C:\\Melodrix\\00000003.cdl"),
              "Melodrix2.0 CD List,,100,\r\n"
              "Track1," +
                  word +
                  "1,,100,-300\r\n"
                  "Track2," +
                  word +
                  "2,,100,-300\r\n"
                  "Track3," +
                  word +
                  "3,,100,-300\r\n"
                  "1\r\n2\r\n3\r\n");
}

TEST_F(CdListFileTest, MigrationTakesTheVersion1Section) {
    PutFile(files, "C:\\WINDOWS\\Melodrix.ini",
            "[00000000]\r\nListName=Wrong disc\r\n"
            "[1234ab04]\r\n"
            "ListName = \"Old, list\" \r\n"
            "AllVol=70\r\n"
            "Track0=First,Note,80,10\r\n"
            "Track2=Third\r\n"
            "Num=1\r\n"
            "0=3\r\n"
            "1=9\r\n"
            "2=-1\r\n");
    CdListFile list(0x00000004, kFolder);
    EXPECT_EQ(list.MigrateVersion1(0x1234AB04), 1);
    EXPECT_STREQ(list.title, "Old, list");
    EXPECT_EQ(list.volume, 70);
    EXPECT_STREQ(Track(list, 0).title, "First");
    EXPECT_STREQ(Track(list, 0).comment, "Note");
    EXPECT_EQ(Track(list, 0).volume, 80);
    EXPECT_EQ(Track(list, 0).balance, 10);
    EXPECT_EQ(std::string(Track(list, 1).title), std::string(kTrackWord) + "2");
    EXPECT_STREQ(Track(list, 2).title, "Third");
    EXPECT_EQ(Track(list, 2).volume, 100);
    EXPECT_EQ(Track(list, 2).balance, kBalanceUnchanged);
    // Keys 1 and 2 are out of range and dropped; the missing key 3 reads as track index 0.
    EXPECT_EQ(Order(list), (std::vector<int>{3, 0}));
}

}  // namespace
