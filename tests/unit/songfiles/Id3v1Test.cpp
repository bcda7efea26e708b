// The ID3 version 1 tag at the end of an MP3 file.
#include "songfiles/Id3v1.h"

#include <gtest/gtest.h>

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SongFileBytes.h"

namespace {

// Fields padded with zeros.
std::string Tag(const std::string& title, const std::string& artist) {
    return Id3v1TagBytes(title, artist);
}

TEST(Id3v1, ReadsTheLastHundredAndTwentyEightBytes) {
    const struct {
        const char* name;
        std::string bytes;
        bool found;
        const char* title;
        const char* artist;
    } cases[] = {
        {"tag after audio", std::string(1000, '\xFF') + Tag("Title  \t", "Artist"), true, "Title", "Artist"},
        {"tag only", Tag("T", ""), true, "T", ""},
        {"fields filled to the end", Tag(std::string(30, 'x'), std::string(30, 'y')), true,
         "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "yyyyyyyyyyyyyyyyyyyyyyyyyyyyyy"},
        {"127 bytes", Tag("T", "A").substr(1), false, "", ""},
        {"no TAG", std::string(10, 'a') + "TAX" + Tag("T", "A").substr(3), false, "", ""},
        {"TAG not at the end", Tag("T", "A") + "x", false, "", ""},
    };
    for (const auto& c : cases) {
        Id3v1Tag tag;
        EXPECT_EQ(ParseId3v1(tag, reinterpret_cast<const std::uint8_t*>(c.bytes.data()), c.bytes.size()), c.found)
            << c.name;
        EXPECT_STREQ(tag.title, c.title) << c.name;
        EXPECT_STREQ(tag.artist, c.artist) << c.name;
    }
}

TEST(Id3v1, ReadsThroughTheFileSystem) {
    MemoryFileSystem files;
    files.AddFile("C:\\a.mp3", std::string(300, '\x55') + Tag("Song", "Band"));
    ScopedFileSystem scope(files);
    Id3v1Tag tag;
    ASSERT_TRUE(ReadId3v1(tag, "C:\\a.mp3"));
    EXPECT_STREQ(tag.title, "Song");
    EXPECT_STREQ(tag.artist, "Band");
    EXPECT_FALSE(ReadId3v1(tag, "C:\\missing.mp3"));
    EXPECT_STREQ(tag.title, "Song");
}

}  // namespace
