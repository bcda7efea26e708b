// Other players' lists: M3U with #EXTINF titles in each encoding and line end, PLS with gaps in
// its numbering, and entries that are relative, absolute, UNC, addresses or unrepresentable.
#include "songfiles/ForeignPlayList.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "songfiles/PlayListFile.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;  // path, title

Entries Read(MemoryFileSystem& files, const char* path, const std::string& bytes, std::int32_t& refused) {
    files.AddFile(path, bytes);
    ForeignPlayList list;
    EXPECT_TRUE(LoadForeignPlayList(path, list)) << path;
    refused = list.refusedEntries;
    Entries entries;
    for (const ForeignListEntry& entry : list.entries) {
        entries.emplace_back(entry.path, entry.title);
    }
    return entries;
}

TEST(ForeignPlayList, ListsOfOtherPlayersGiveTheirSongsInOrder) {
    MemoryFileSystem files;
    ScopedFileSystem scope(files);
    struct Case {
        const char* path;
        std::string bytes;
        Entries expected;
        std::int32_t refused;
    };
    const Case cases[] = {
        {"C:\\Lists\\mix.m3u",
         "#EXTM3U\r\n#EXTINF:123,First song\r\nsongs\\a.mp3\r\n\r\nD:\\Music\\b.mid\r\n\\\\server\\share\\c.wav\r\n"
         "http://example.invalid/stream\r\n",
         {{"C:\\Lists\\songs\\a.mp3", "First song"}, {"D:\\Music\\b.mid", ""}, {"\\\\server\\share\\c.wav", ""}},
         1},
        // UTF-8 without a mark, LF only, forward slashes; "表" is 0x955C in code page 932.
        {"C:\\Lists\\utf.m3u8",
         "#EXTINF:-1,\xE8\xA1\xA8\nsub/\xE8\xA1\xA8.mp3\n\xE2\x82\xAC.mp3\n",
         {{"C:\\Lists\\sub\\\x95\x5C.mp3", "\x95\x5C"}},
         1},
        {"C:\\Lists\\marked.m3u",
         "\xEF\xBB\xBF"
         "a.mid\r\n",
         {{"C:\\Lists\\a.mid", ""}},
         0},
        {"C:\\Lists\\radio.pls",
         "[playlist]\nFile3=c.mid\nTitle3=Third\nFile1=a.mid\nNumberOfEntries=2\nTitle1=First\nVersion=2\n",
         {{"C:\\Lists\\a.mid", "First"}, {"C:\\Lists\\c.mid", "Third"}},
         0},
        {"C:\\Lists\\long.m3u", std::string(300, 'x') + ".mid\r\nok.mid\r\n", {{"C:\\Lists\\ok.mid", ""}}, 1},
    };
    for (const Case& c : cases) {
        std::int32_t refused = -1;
        EXPECT_EQ(Read(files, c.path, c.bytes, refused), c.expected) << c.path;
        EXPECT_EQ(refused, c.refused) << c.path;
    }
    ForeignPlayList list;
    files.AddFile("C:\\Lists\\bad.pls", std::string("File1=a.mid\n"));
    EXPECT_FALSE(LoadForeignPlayList("C:\\Lists\\bad.pls", list));  // no [playlist] section
    EXPECT_FALSE(LoadForeignPlayList("C:\\Lists\\missing.m3u", list));
    EXPECT_TRUE(IsForeignPlayList("X.M3U8"));
    EXPECT_FALSE(IsForeignPlayList("x.rpl"));
}

TEST(ForeignPlayList, ExportedM3u8ReadsBackAsTheSameSongs) {
    MemoryFileSystem files;
    ScopedFileSystem scope(files);
    PlayListFile list;
    PlayListEntry entry;
    std::snprintf(entry.path, sizeof entry.path, "%s", "C:\\\x95\x5C\\a.mid");         // "表"
    std::snprintf(entry.title, sizeof entry.title, "%s", "\x83\x5C\x83\x74\x83\x67");  // "ソフト"
    list.InsertEntry(-1, entry);
    std::snprintf(entry.path, sizeof entry.path, "%s", "D:\\b.wav");
    entry.title[0] = '\0';
    list.InsertEntry(-1, entry);
    const std::string text = MakeM3u8(list);
    EXPECT_NE(text.find("#EXTINF:-1,\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\r\n"), std::string::npos);
    std::int32_t refused = -1;
    EXPECT_EQ(Read(files, "C:\\Out\\list.m3u8", text, refused),
              (Entries{{"C:\\\x95\x5C\\a.mid", "\x83\x5C\x83\x74\x83\x67"}, {"D:\\b.wav", ""}}));
    EXPECT_EQ(refused, 0);
}

}  // namespace
