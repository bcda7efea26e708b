// Play list files: the text format both ways, the entry operations, and saves that must not lose the
// old list.
#include "songfiles/PlayListFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/containers/ShiftJis.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SongFilesTestHelpers.h"

namespace {

constexpr char kPath[] = "C:\\Lists\\evening.rpl";

PlayListEntry MakeEntry(const char* path,
                        const char* title,
                        const char* comment = "",
                        int volume = 100,
                        int balance = kBalanceUnchanged,
                        int silenceMs = 0) {
    PlayListEntry entry;
    CopyShiftJis(entry.path, sizeof entry.path, path);
    CopyShiftJis(entry.title, sizeof entry.title, title);
    CopyShiftJis(entry.comment, sizeof entry.comment, comment);
    entry.volume = volume;
    entry.balance = balance;
    entry.silenceMs = silenceMs;
    return entry;
}

std::vector<std::string> Paths(const PlayListFile& list) {
    std::vector<std::string> paths;
    PlayListEntry entry;
    for (int i = 0; list.GetEntry(i, entry); ++i) {
        paths.push_back(entry.path);
    }
    return paths;
}

class PlayListFileTest : public ::testing::Test {
protected:
    void SetUp() override { files.AddDirectory("C:\\Lists"); }

    MemoryFileSystem files;
    ScopedFileSystem scope{files};
};

TEST_F(PlayListFileTest, SavesTheDocumentedExampleWithCrLfAndQuotes) {
    PlayListFile list;
    CopyShiftJis(list.title, sizeof list.title, "Evening, quiet");
    list.volume = 80;
    list.InsertEntry(-1, MakeEntry("C:\\MIDI\\SONG1.MID", "Song one", "", 100, 0, 0));
    list.InsertEntry(-1, MakeEntry("C:\\WAVE\\TAKE2.WAV", "Take two", "", 90, -300, 500));
    ASSERT_EQ(list.Save(kPath), 1);
    EXPECT_EQ(TextOf(files, kPath),
              "Melodrix2.0 PlayList,\"Evening, quiet\",80,\r\n"
              "C:\\MIDI\\SONG1.MID,Song one,,100,0,0\r\n"
              "C:\\WAVE\\TAKE2.WAV,Take two,,90,-300,500\r\n");
}

// Texts that the quoting, the trimming or a byte-wise scan could damage come back unchanged.
TEST_F(PlayListFileTest, TextsRoundTripThroughSaveAndLoad) {
    const struct {
        const char* name;
        const char* text;
        const char* written;  // how the field appears in the file
    } cases[] = {
        {"comma", "Evening, quiet", "\"Evening, quiet\""},
        {"double quote", "Say \"hi\"", "\"Say \"\"hi\"\"\""},
        {"quote only", "\"", "\"\"\"\""},
        {"trail byte 0x5C at the end", "\x95\x5C", "\x95\x5C"},                          // 表
        {"trail byte 0x5C before comma", "\x83\x5C,\x83\x5C", "\"\x83\x5C,\x83\x5C\""},  // ソ,ソ
        {"leading blanks kept", "  x", "  x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayListFile list;
        CopyShiftJis(list.title, sizeof list.title, c.text);
        CopyShiftJis(list.fontName, sizeof list.fontName, "\x82\x6C\x82\x72 Mincho");
        list.InsertEntry(-1, MakeEntry(c.text, c.text, c.text, 7, -12, 34));
        ASSERT_EQ(list.Save(kPath), 1);
        const std::string text = TextOf(files, kPath);
        EXPECT_NE(text.find(std::string(",") + c.written + ","), std::string::npos) << text;

        PlayListFile back;
        ASSERT_EQ(back.Load(kPath), 1);
        EXPECT_STREQ(back.title, c.text);
        EXPECT_STREQ(back.fontName, list.fontName);
        PlayListEntry entry;
        ASSERT_EQ(back.EntryCount(), 1);
        back.GetEntry(0, entry);
        EXPECT_STREQ(entry.path, c.text);
        EXPECT_STREQ(entry.title, c.text);
        EXPECT_STREQ(entry.comment, c.text);
        EXPECT_EQ(entry.volume, 7);
        EXPECT_EQ(entry.balance, -12);
        EXPECT_EQ(entry.silenceMs, 34);
    }
}

// Without care, a path beginning with ';' would come back as a comment and a title carrying a line
// break would split its entry in two.
TEST_F(PlayListFileTest, SaveKeepsEveryEntryOnItsOwnReadableLine) {
    PlayListFile list;
    list.InsertEntry(-1, MakeEntry(";odd name.mid", "two\r\nlines"));
    list.InsertEntry(-1, MakeEntry("b.mid", "b"));
    ASSERT_EQ(list.Save(kPath), 1);
    EXPECT_EQ(TextOf(files, kPath),
              "Melodrix2.0 PlayList,,100,\r\n"
              "\";odd name.mid\",two  lines,,100,-300,0\r\n"
              "b.mid,b,,100,-300,0\r\n");
    PlayListFile back;
    ASSERT_EQ(back.Load(kPath), 1);
    EXPECT_EQ(Paths(back), (std::vector<std::string>{";odd name.mid", "b.mid"}));
}

TEST_F(PlayListFileTest, LoadsLinesAsDocumented) {
    PutFile(files, kPath,
            "Melodrix2.0 PlayList \t,List title \t,abc,Font \n"
            "; a comment line\n"
            "a.mid\r\n"
            "b.mid  ,Title\t, comment ,x1,,\n"
            "c.mid,c;not a comment,,90,20,300\n"
            "\n"
            "  ; indented, so a song\n"
            "d.mid,last line without line end");
    PlayListFile list;
    ASSERT_EQ(list.Load(kPath), 1);
    EXPECT_STREQ(list.title, "List title");
    EXPECT_EQ(list.volume, 100);
    EXPECT_STREQ(list.fontName, "Font ");  // the font name is taken as it stands
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"a.mid", "b.mid", "c.mid", "", "  ; indented", "d.mid"}));

    PlayListEntry entry;
    list.GetEntry(0, entry);
    EXPECT_STREQ(entry.title, "");
    EXPECT_EQ(entry.volume, 100);
    EXPECT_EQ(entry.balance, kBalanceUnchanged);
    EXPECT_EQ(entry.silenceMs, 0);
    list.GetEntry(1, entry);
    EXPECT_STREQ(entry.title, "Title");
    EXPECT_STREQ(entry.comment, " comment");
    EXPECT_EQ(entry.volume, 100);  // letters
    EXPECT_EQ(entry.balance, kBalanceUnchanged);
    list.GetEntry(2, entry);
    EXPECT_STREQ(entry.title, "c;not a comment");
    EXPECT_EQ(entry.volume, 90);
    EXPECT_EQ(entry.balance, 20);
    EXPECT_EQ(entry.silenceMs, 300);
}

TEST_F(PlayListFileTest, LoadAppendsToTheEntriesItHas) {
    PutFile(files, kPath, "Melodrix2.0 PlayList,T,50\r\nnew.mid\r\n");
    PlayListFile list;
    list.InsertEntry(-1, MakeEntry("old.mid", ""));
    ASSERT_EQ(list.Load(kPath), 1);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"old.mid", "new.mid"}));
    EXPECT_EQ(list.volume, 50);
}

TEST_F(PlayListFileTest, RefusesFilesWithoutTheExactMagic) {
    const char* const refused[] = {"", "melodrix2.0 playlist,T\r\nx.mid\r\n", "MELODRIX2.0 PLAYLIST\r\n",
                                   "Melodrix2.0 CD List,T\r\n", "\r\nMelodrix2.0 PlayList\r\n"};
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        PutFile(files, kPath, text);
        PlayListFile list;
        CopyShiftJis(list.title, sizeof list.title, "kept");
        EXPECT_EQ(list.Load(kPath), 0);
        EXPECT_STREQ(list.title, "kept");
        EXPECT_EQ(list.EntryCount(), 0);
        char title[kListTextBytes] = "x";
        EXPECT_EQ(PlayListFile::ReadTitle(kPath, title), 0);
        EXPECT_STREQ(title, "");
    }
    PlayListFile list;
    EXPECT_EQ(list.Load("C:\\Lists\\missing.rpl"), 0);
}

TEST_F(PlayListFileTest, HeaderAloneIsAnEmptyListAndReadTitleTakesOnlyTheTitle) {
    PutFile(files, kPath, "Melodrix2.0 PlayList");
    PlayListFile list;
    ASSERT_EQ(list.Load(kPath), 1);
    EXPECT_EQ(list.EntryCount(), 0);
    EXPECT_STREQ(list.title, "");
    EXPECT_EQ(list.volume, 100);

    PutFile(files, kPath, "Melodrix2.0 PlayList,\"Night, late\"  ,70,Font\r\nsong.mid\r\n");
    char title[kListTextBytes];
    EXPECT_EQ(PlayListFile::ReadTitle(kPath, title), 1);
    EXPECT_STREQ(title, "Night, late");
}

TEST_F(PlayListFileTest, CutsOverlongTextsButRefusesOverlongLinesAndPaths) {
    // A title of 600 double-byte characters is cut to 510 bytes, never between lead and trail
    // byte. A line of more than 4095 bytes and a path too long for the system are no entries:
    // splitting or cutting them would invent songs or name other files. They are counted.
    std::string title;
    for (int i = 0; i < 600; ++i) {
        title += "\x83\x5C";
    }
    const std::string longLine(5000, 'p');
    const std::string longPath(kMaxPathBytes, 'q');
    const std::string longestPath(kMaxPathBytes - 1, 'r');
    PutFile(files, kPath,
            "Melodrix2.0 PlayList," + title + "\r\n" + longLine + "\r\n" + longPath + ",T\r\n" + longestPath +
                "   ,T\r\nlast.mid\r\n");
    PlayListFile list;
    ASSERT_EQ(list.Load(kPath), 1);
    EXPECT_EQ(std::string(list.title), title.substr(0, 510));
    ASSERT_EQ(list.EntryCount(), 2);
    PlayListEntry entry;
    list.GetEntry(0, entry);
    EXPECT_EQ(std::string(entry.path), longestPath);
    list.GetEntry(1, entry);
    EXPECT_STREQ(entry.path, "last.mid");
    EXPECT_EQ(list.refusedEntries, 2);
}

TEST_F(PlayListFileTest, ListsAreReadInTheEncodingAndLineEndsTheyWereSavedWith) {
    // "表" is 0x955C in code page 932; "€" has no code in it, so its line is refused.
    const std::string sjis = "Melodrix2.0 PlayList,\x95\x5C\r\nA.mid\r\n\x95\x5C.mid\r\n";
    const std::u16string text = u"Melodrix2.0 PlayList,\u8868\nA.mid\n\u8868.mid\n\u20ac.mid\n";
    auto utf16 = [&](bool bigEndian) {
        std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char16_t unit : text) {
            const char high = static_cast<char>(unit >> 8);
            const char low = static_cast<char>(unit & 0xFF);
            bytes += bigEndian ? std::string{high, low} : std::string{low, high};
        }
        return bytes;
    };
    struct Case {
        const char* name;
        std::string bytes;
        std::int32_t refused;
    };
    const Case cases[] = {
        {"code page 932, CR LF", sjis, 0},
        {"code page 932, CR only", "Melodrix2.0 PlayList,\x95\x5C\rA.mid\r\x95\x5C.mid", 0},
        {"UTF-8 with its mark",
         "\xEF\xBB\xBFMelodrix2.0 PlayList,\xE8\xA1\xA8\nA.mid\n\xE8\xA1\xA8.mid\n\xE2\x82\xAC.mid\n", 1},
        {"UTF-16 little-endian", utf16(false), 1},
        {"UTF-16 big-endian", utf16(true), 1},
        {"UTF-8, cut sequence",
         "\xEF\xBB\xBFMelodrix2.0 PlayList,\xE8\xA1\xA8\r\nA.mid\r\n\xE8\xA1\xA8.mid\r\n\xE8\xA1.mid", 1},
    };
    for (const Case& c : cases) {
        PutFile(files, kPath, c.bytes);
        PlayListFile list;
        ASSERT_EQ(list.Load(kPath), 1) << c.name;
        EXPECT_STREQ(list.title, "\x95\x5C") << c.name;
        ASSERT_EQ(list.EntryCount(), 2) << c.name;
        PlayListEntry entry;
        list.GetEntry(0, entry);
        EXPECT_STREQ(entry.path, "A.mid") << c.name;
        list.GetEntry(1, entry);
        EXPECT_STREQ(entry.path, "\x95\x5C.mid") << c.name;
        EXPECT_EQ(list.refusedEntries, c.refused) << c.name;
    }
}

TEST_F(PlayListFileTest, FailedSaveKeepsTheOldFile) {
    const std::string old = "Melodrix2.0 PlayList,Old,100,\r\nold.mid,,,100,-300,0\r\n";
    PutFile(files, kPath, old);
    PlayListFile list;
    list.InsertEntry(-1, MakeEntry("new.mid", "New"));
    files.FailWrites(true);
    EXPECT_EQ(list.Save(kPath), 0);
    EXPECT_EQ(TextOf(files, kPath), old);
    EXPECT_EQ(list.Save(""), 0);
    files.FailWrites(false);
    EXPECT_EQ(list.Save(kPath), 1);
    EXPECT_NE(TextOf(files, kPath), old);
}

TEST(PlayListEntries, OperationsKeepOrderAndRefuseBadIndexes) {
    PlayListFile list;
    EXPECT_EQ(list.InsertEntry(-1, MakeEntry("b", "")), 1);
    EXPECT_EQ(list.InsertEntry(0, MakeEntry("a", "")), 1);
    EXPECT_EQ(list.InsertEntry(2, MakeEntry("d", "")), 1);
    EXPECT_EQ(list.InsertEntry(2, MakeEntry("c", "")), 1);
    EXPECT_EQ(list.InsertEntry(5, MakeEntry("x", "")), 0);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"a", "b", "c", "d"}));

    EXPECT_EQ(list.MoveEntry(0, 3), 1);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"b", "c", "d", "a"}));
    EXPECT_EQ(list.MoveEntry(3, 1), 1);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"b", "a", "c", "d"}));
    EXPECT_EQ(list.MoveEntry(0, 4), 0);
    EXPECT_EQ(list.MoveEntry(-1, 0), 0);

    EXPECT_EQ(list.SetEntry(2, MakeEntry("C", "")), 1);
    EXPECT_EQ(list.SetEntry(4, MakeEntry("y", "")), 0);
    EXPECT_EQ(list.DeleteEntry(0), 1);
    EXPECT_EQ(list.DeleteEntry(3), 0);
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"a", "C", "d"}));
    PlayListEntry entry = MakeEntry("untouched", "");
    EXPECT_EQ(list.GetEntry(3, entry), 0);
    EXPECT_STREQ(entry.path, "untouched");
    list.Clear();
    EXPECT_EQ(list.EntryCount(), 0);
}

}  // namespace
