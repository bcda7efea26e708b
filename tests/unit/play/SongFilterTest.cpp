#include "play/SongFilter.h"

#include <gtest/gtest.h>

TEST(SongFilter, SubstringFoldsAsciiCaseAndRespectsDoubleByteCharacters) {
    struct Case {
        const char* title;
        const char* query;
        bool contains;
    };
    const Case cases[] = {
        {"Hello World", "world", true},
        {"hello world", "LO W", true},
        {"anything", "", true},
        {"", "", true},
        {"", "a", false},
        {"ab", "abc", false},
        {"ソフト", "\\", false},     // the trail byte of ソ is a backslash
        {"アイ", "a", false},        // the trail byte of ア is "A"
        {"アイ", "イ", true},
        {"ＡＢＣ", "ａｂｃ", false},  // full-width letters are not folded
        {"曲ＡＢ曲", "ＡＢ", true},
        {"x\x83", "\x83", true},     // a lone lead byte at the end is one character
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TitleContains(c.title, c.query), c.contains) << c.title << " / " << c.query;
    }
}

TEST(SongFilter, AnswersPlayOrderPositionsNotRows) {
    const std::vector<std::string> titles = {"Intro", "夜の曲", "Outro", "", "INTRO 2"};
    EXPECT_EQ(FilterSongPositions(titles, "intro"), (std::vector<std::int32_t>{0, 4}));
    EXPECT_EQ(FilterSongPositions(titles, "曲"), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(FilterSongPositions(titles, ""), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(FilterSongPositions(titles, "none").empty());
}
