// The file play mode's queue: names expanded in order into songs with their titles, volumes and
// origins; bad names give nothing and lose nothing; the start at the first added name.
#include <gtest/gtest.h>

#include <cstdio>

#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/containers/MemoryFileSystem.h"
#include "play/FilePlayMode.h"
#include "play/FileQueueBuilder.h"
#include "play/PlayTexts.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/unit/play/FilePlayModeFakes.h"
#include "tests/unit/play/FilePlayModeTestFiles.h"
#include "tests/unit/play/RecordingOwner.h"

namespace {

StringList ListOf(const std::vector<std::string>& texts) {
    StringList list;
    for (const std::string& text : texts) {
        list.InsertString(-1, text.c_str());
    }
    return list;
}

std::vector<std::string> TextsOf(const StringList& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i) {
        texts.emplace_back(list.StringAt(i));
    }
    return texts;
}

class FileQueueTest : public ::testing::Test {
protected:
    FileQueueTest() : scope(files) {
        ResetSettingsToDefaults();
        gStartOptions = StartOptions{};
        files.AddFile("C:\\Lists\\evening.rpl", PlayListText("Evening,80,Gothic",
                                                             "C:\\Music\\one.mid,Song one,First comment,50,10,500\r\n"
                                                             "; a comment line\r\n"
                                                             "C:\\Music\\two.mp3,,,100,-300,0\r\n"
                                                             "C:\\Music\\three.wav,Three,,150,-300,0\r\n"));
        files.AddFile("C:\\Music\\two.mp3", Mp3WithTag("Tag title", "Tag artist"));
        files.AddFile("C:\\Music\\solo.mid", TitledSmf("Solo title", "(C) someone"));
        files.AddFile("C:\\Music\\script.wrd", std::string("@WAIT(1)\n"));
        files.AddFile("C:\\Music\\script.mid", TitledSmf("Script song"));
        files.AddFile("C:\\Songs\\a.rcp", RcpWithTitle("Rcp title"));
        files.AddFile("C:\\Songs\\b.mid", TitledSmf(""));
        files.AddFile("C:\\Songs\\c.MID", TitledSmf("C title"));
        files.AddFile("C:\\Songs\\notes.txt", std::string("text"));
    }

    std::vector<SongEntry> QueueOf(const std::vector<std::string>& names) {
        StringList history = ListOf(names);
        FilePlayMode mode(owner, std::make_unique<FakeParts>(), history);
        std::vector<SongEntry> songs(static_cast<std::size_t>(mode.GetSongCount()));
        for (int i = 0; i < mode.GetSongCount(); ++i) {
            mode.GetSong(songs[static_cast<std::size_t>(i)], i);
        }
        return songs;
    }

    MemoryFileSystem files;
    ScopedFileSystem scope;
    RecordingOwner owner;
};

struct ExpectedSong {
    const char* path;
    const char* listTitle;
    const char* title;
    const char* comment;
    int volume;
    int balance;
    int silenceMs;
    int origin;
    const char* fontName;
};

TEST_F(FileQueueTest, HistoryExpandsInOrderWithTitlesVolumesAndOrigins) {
    const std::vector<SongEntry> songs = QueueOf(
        {"C:\\Lists\\evening.rpl", "C:\\Music\\solo.mid", "C:\\Music\\script.wrd", "*My folder,C:\\Songs,*.mid;*.rcp"});
    const ExpectedSong expected[] = {
        {"C:\\Music\\one.mid", "Evening", "Song one", "First comment", 40, 10, 500, kOriginPlayList, "Gothic"},
        {"C:\\Music\\two.mp3", "Evening", "Tag title", "Tag artist", 80, -300, 0, kOriginPlayList, "Gothic"},
        {"C:\\Music\\three.wav", "Evening", "Three", "", 120, -300, 0, kOriginPlayList, "Gothic"},
        {"C:\\Music\\solo.mid", "solo.mid", "Solo title", "(C) someone", 100, -300, 0, kOriginFile, ""},
        {"C:\\Music\\script.mid", "script.mid", "Script song", "", 100, -300, 0, kOriginFile, ""},
        // The MIDI pattern comes first; a MIDI file without a title keeps its base name.
        {"C:\\Songs\\b.mid", "My folder", "b", "", 100, -300, 0, kOriginFile, ""},
        {"C:\\Songs\\c.MID", "My folder", "C title", "", 100, -300, 0, kOriginFile, ""},
        {"C:\\Songs\\a.rcp", "My folder", "Rcp title", "", 100, -300, 0, kOriginFile, ""},
    };
    ASSERT_EQ(songs.size(), std::size(expected));
    for (std::size_t i = 0; i < songs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(songs[i].path, expected[i].path);
        EXPECT_STREQ(songs[i].listTitle, expected[i].listTitle);
        EXPECT_STREQ(songs[i].title, expected[i].title);
        EXPECT_STREQ(songs[i].comment, expected[i].comment);
        EXPECT_EQ(songs[i].volume, expected[i].volume);
        EXPECT_EQ(songs[i].balance, expected[i].balance);
        EXPECT_EQ(songs[i].silenceMs, expected[i].silenceMs);
        EXPECT_EQ(songs[i].origin, expected[i].origin);
        EXPECT_STREQ(songs[i].fontName, expected[i].fontName);
        EXPECT_EQ(songs[i].queueIndex, static_cast<int>(i));
    }
}

TEST_F(FileQueueTest, QueueTitleFollowsThePlayOrder) {
    StringList history = ListOf({"C:\\Music\\solo.mid", "C:\\Music\\script.mid"});
    FilePlayMode mode(owner, std::make_unique<FakeParts>(), history);
    mode.Activate();
    char title[512];
    mode.GetQueueTitle(title, sizeof title, 1);
    EXPECT_STREQ(title, "Script song");
    mode.GetQueueTitle(title, 6, 0);
    EXPECT_STREQ(title, "Solo ");
}

TEST_F(FileQueueTest, BadNamesGiveNoSongsAndAreKept) {
    const std::string tooLong = "C:\\" + std::string(300, 'x') + ".mid";
    files.AddFile("C:\\Lists\\bad.rpl", std::string("Melodrix2.0 playlist,Wrong case\r\nC:\\Music\\solo.mid\r\n"));
    const std::vector<std::string> names = {"",
                                            tooLong,
                                            "*",
                                            "*Only a title",
                                            "*No patterns,C:\\Songs",
                                            "*Missing,C:\\Missing,*.mid",
                                            "*" + std::string(400, 'y') + ",C:\\" + std::string(300, 'z') + ",*.*",
                                            "C:\\Lists\\bad.rpl",
                                            "C:\\Lists\\missing.rpl",
                                            "C:\\Music\\solo.mid"};
    StringList history = ListOf(names);
    {
        FilePlayMode mode(owner, std::make_unique<FakeParts>(), history);
        ASSERT_EQ(mode.GetSongCount(), 1);
        SongEntry song;
        mode.GetSong(song, 0);
        EXPECT_STREQ(song.path, "C:\\Music\\solo.mid");
        EXPECT_EQ(TextsOf(mode.Names()), names);
    }
    EXPECT_EQ(TextsOf(history), names);
}

TEST_F(FileQueueTest, RefusedListEntriesAreCountedInOneNotice) {
    // An overlong path in one list and an overlong line in another: the songs around them are
    // queued and one notice names the count and the first list.
    const std::string longPath = "C:\\" + std::string(300, 'p') + ".mid";
    files.AddFile("C:\\Lists\\long.rpl",
                  PlayListText("Long,100,", longPath + "\r\nC:\\Music\\solo.mid\r\n" + std::string(5000, 'q')));
    files.AddFile("C:\\Lists\\wide.rpl", PlayListText("Wide,100,", std::string(4096, 'w') + "\r\nC:\\Music\\solo.mid"));
    const std::vector<SongEntry> songs = QueueOf({"C:\\Lists\\long.rpl", "C:\\Lists\\wide.rpl"});
    ASSERT_EQ(songs.size(), 2u);
    EXPECT_STREQ(songs[0].path, "C:\\Music\\solo.mid");
    char expected[512];
    std::snprintf(expected, sizeof expected, kRefusedEntriesFormat, 3, "C:\\Lists\\long.rpl");
    EXPECT_EQ(owner.notices, (std::vector<std::string>{expected}));
}

TEST_F(FileQueueTest, OtherPlayersListsQueueLikePlayLists) {
    files.AddFile("C:\\Lists\\party.m3u", std::string("#EXTINF:10,Named\r\n..\\Music\\solo.mid\r\nnowhere.mid\r\n"));
    const std::vector<SongEntry> songs = QueueOf({"C:\\Lists\\party.m3u"});
    ASSERT_EQ(songs.size(), 2u);
    EXPECT_STREQ(songs[0].path, "C:\\Lists\\..\\Music\\solo.mid");
    EXPECT_STREQ(songs[0].title, "Named");  // the list's title wins over the file's
    EXPECT_STREQ(songs[0].listTitle, "party");
    EXPECT_EQ(songs[0].origin, kOriginPlayList);
    EXPECT_STREQ(songs[1].title, "nowhere");  // no title in the list: the file's name
}

TEST_F(FileQueueTest, ThousandsOfNamesAreAllQueuedAndSavedBack) {
    std::vector<std::string> names;
    for (int i = 0; i < 5000; ++i) {
        names.push_back("C:\\Waves\\song" + std::to_string(i) + ".wav");
    }
    StringList history = ListOf(names);
    {
        FilePlayMode mode(owner, std::make_unique<FakeParts>(), history);
        ASSERT_EQ(mode.GetSongCount(), 5000);
        SongEntry last;
        mode.GetSong(last, 4999);
        EXPECT_STREQ(last.title, "song4999");
        EXPECT_STREQ(last.listTitle, "song4999.wav");
        history.Clear();
    }
    EXPECT_EQ(TextsOf(history), names);
}

// With the command line's add option the mode starts at the first song of the first added name,
// whatever kind of name came before it.
TEST_F(FileQueueTest, AddedSongsStartAtTheFirstSongOfTheFirstAddedName) {
    struct Case {
        std::vector<std::string> names;
        int firstAddedName;
        int saveSong;
        int expectedPosition;
    };
    const Case cases[] = {
        {{"C:\\Music\\solo.mid", "C:\\Lists\\evening.rpl", "C:\\Added\\x.mid", "C:\\Added\\y.mid"}, 2, 0, 4},
        {{"C:\\Lists\\evening.rpl", "*F,C:\\Songs,*.mid", "C:\\Added\\x.mid"}, 2, 1, 5},
        {{"C:\\Music\\solo.mid", "C:\\Music\\script.mid", "C:\\Music\\two.mp3"}, 1, 1, 1},
        // An empty history before the added names: the first song.
        {{"C:\\Added\\x.mid", "C:\\Added\\y.mid"}, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names.front());
        gStartOptions.addSongs = 1;
        gSettings.file.LastSong = c.firstAddedName;
        gSettings.file.SaveSong = c.saveSong;
        StringList history = ListOf(c.names);
        FilePlayMode mode(owner, std::make_unique<FakeParts>(), history);
        mode.Activate();
        EXPECT_EQ(mode.GetCurrentPosition(), c.expectedPosition);
        EXPECT_EQ(gStartOptions.addSongs, 0);
    }
}

TEST(FileQueueBuilder, EffectiveVolumeIsListTimesEntryStayingInRange) {
    struct Case {
        std::int32_t list, entry, expected;
    };
    const Case cases[] = {
        {80, 50, 40},
        {100, 100, 100},
        {150, 150, 225},
        {33, 33, 10},
        {-20, 100, -20},
        {2147483647, 200, 2147483647},
        {-2147483647 - 1, 300, -2147483647 - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EffectiveVolume(c.list, c.entry), c.expected) << c.list << " x " << c.entry;
    }
}

TEST(FileOpenResult, FolderAndNamesBecomeFullPaths) {
    struct Case {
        std::string buffer;  // as the dialog fills it, NUL-separated
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {std::string("C:\\Music\\one.mid\0\0", 18), {"C:\\Music\\one.mid"}},
        {std::string("C:\\Music\0a.mid\0b.wav\0\0", 22), {"C:\\Music\\a.mid", "C:\\Music\\b.wav"}},
        {std::string("C:\\\0a.mid\0b.wav\0\0", 17), {"C:\\a.mid", "C:\\b.wav"}},
        // A folder whose last character has 0x5C as its trail byte still gets its backslash.
        {std::string("C:\\表\0a.mid\0b.mid\0\0", 19), {"C:\\表\\a.mid", "C:\\表\\b.mid"}},
        {std::string("C:\\Music\0", 9) + std::string(300, 'n') + std::string("\0ok.mid\0\0", 9), {"C:\\Music\\ok.mid"}},
        {std::string("\0\0", 2), {}},
        {std::string("C:\\Music\\unterminated.mid"), {"C:\\Music\\unterminated.mid"}},
    };
    for (const Case& c : cases) {
        StringList paths;
        const std::vector<char> buffer(c.buffer.begin(), c.buffer.end());
        EXPECT_EQ(SplitOpenDialogResult(buffer, paths), static_cast<std::int32_t>(c.expected.size()));
        EXPECT_EQ(TextsOf(paths), c.expected);
    }
}

TEST(QueuedSong, CopiesWholeAndCutsLongTextsAtACharacter) {
    SongEntry entry;
    SetSongField(entry.path, "C:\\Music\\one.mid");
    SetSongField(entry.title, "Title");
    entry.volume = 55;
    entry.balance = -20;
    entry.origin = kOriginPlayList;
    entry.silenceMs = 700;
    SetSongField(entry.fontName, "Face");
    QueuedSong song(entry);
    // 510 single bytes and then a double-byte character that would end past the 511th byte.
    song.SetComment((std::string(510, 'c') + "表").c_str());
    SongEntry copy;
    song.CopyTo(copy);
    EXPECT_STREQ(copy.path, "C:\\Music\\one.mid");
    EXPECT_STREQ(copy.title, "Title");
    EXPECT_STREQ(copy.listTitle, "");
    EXPECT_EQ(std::string(copy.comment), std::string(510, 'c'));
    EXPECT_EQ(copy.volume, 55);
    EXPECT_EQ(copy.balance, -20);
    EXPECT_EQ(copy.origin, kOriginPlayList);
    EXPECT_EQ(copy.silenceMs, 700);
    EXPECT_STREQ(copy.fontName, "Face");
    // The record and its three non-empty texts with their terminators; the empty one costs nothing.
    EXPECT_EQ(song.Bytes(), sizeof(QueuedSong) + 17 + 6 + 513);
}

}  // namespace
