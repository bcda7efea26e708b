// Folder listing by wildcard patterns, with the system's matching rules.
#include "songfiles/FindFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

std::vector<std::string> Names(const StringList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i) {
        names.push_back(list.StringAt(i));
    }
    return names;
}

TEST(MatchesFilePattern, FollowsTheSystemsWildcardRules) {
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.mid", "song.mid", true},
        {"*.mid", "SONG.MID", true},
        {"*.MID", "song.mid", true},
        {"*.mid", "song.midi", false},
        {"*.mid", "a.b.mid", true},
        {"*.mid", "mid", false},
        {"*.*", "README", true},
        {"*.*", "a.b", true},
        {"*", "anything.at.all", true},
        {"*.", "README", true},
        {"*.", "a.txt", false},
        {"song.*", "song", true},
        {"song.*", "song.wav", true},
        {"song.*", "songs.wav", false},
        {"s?ng.mid", "sing.mid", true},
        {"s?ng.mid", "sng.mid", false},
        {"song?.mid", "song.mid", true},
        {"song?.mid", "song1.mid", true},
        {"song?.mid", "song12.mid", false},
        {"a??", "a", true},
        {"a??", "abcd", false},
        {"?.mid", "\x83\x5C.mid", true},  // ソ is one character
        {"\x83\x5C*", "\x83\x5C.mid", true},
        {"\x83\x61*", "\x83\x41.mid", false},  // ヂ and ア: trail bytes are not letters to fold
        {"", "song.mid", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesFilePattern(c.name, c.pattern), c.matches) << c.pattern << " vs " << c.name;
    }
}

class FindFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        files.AddFile("C:\\Music\\b.smf");
        files.AddFile("C:\\Music\\a.MID");
        files.AddFile("C:\\Music\\c.mid");
        files.AddFile("C:\\Music\\hidden.mid", true);
        files.AddDirectory("C:\\Music\\folder.mid");
        files.AddFile("C:\\Music\\folder.mid\\inner.mid");
        files.AddFile("C:\\Music\\notes");
        files.AddFile("C:\\Other\\x.mid");
    }

    MemoryFileSystem files;
    ScopedFileSystem scope{files};
};

TEST_F(FindFilesTest, ListsMatchingFilesPatternByPattern) {
    StringList list;
    list.InsertString(-1, "stale");
    EXPECT_EQ(FindFilesByPattern(list, "C:\\Music", "*.smf;*.mid"), 3);
    // Pattern order first; directories and hidden files never appear.
    EXPECT_EQ(Names(list), (std::vector<std::string>{"b.smf", "a.MID", "c.mid"}));

    EXPECT_EQ(FindFilesByPattern(list, "C:\\Music\\", "*.mid;;A*;*.wav"), 3);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.MID", "c.mid", "a.MID"}));

    EXPECT_EQ(FindFilesByPattern(list, "C:\\Music", "*.*"), 4);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"a.MID", "b.smf", "c.mid", "notes"}));
}

TEST_F(FindFilesTest, EmptyResultForMissingFolderOrPatterns) {
    StringList list;
    EXPECT_EQ(FindFilesByPattern(list, "C:\\Missing", "*.*"), 0);
    EXPECT_EQ(FindFilesByPattern(list, "C:\\Music", ""), 0);
    EXPECT_EQ(FindFilesByPattern(list, "C:\\Music", ";"), 0);
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
