// ID3 version 2 titles: each version and text encoding, unsynchronisation, extended headers, a
// large picture before the title, and tags that lie.
#include "songfiles/Id3v2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SongFileBytes.h"

namespace {

// "表示" in each encoding, and the code page 932 bytes the player shows.
const std::string kSjis = "\x95\x5C\x8E\xA6";
const std::string kUtf8 = "\xE8\xA1\xA8\xE7\xA4\xBA";
const std::string kUtf16Le = std::string("\xFF\xFE\x68\x88\x3A\x79", 6);
const std::string kUtf16Be = std::string("\x88\x68\x79\x3A", 4);

Id3v2Text Parse(const std::string& bytes) {
    Id3v2Text text;
    ParseId3v2(text, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return text;
}

TEST(Id3v2, EveryVersionAndEncodingGivesCodePage932) {
    struct Case {
        const char* name;
        int version;
        char encoding;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"2.3 UTF-16 with mark", 3, 1, kUtf16Le + std::string(2, '\0'), kSjis},
        {"2.4 UTF-8", 4, 3, kUtf8, kSjis},
        {"2.4 UTF-16BE", 4, 2, kUtf16Be, kSjis},
        {"2.2 Latin-1", 2, 0, "Caf\xE9", "Caf?"},          // é has no code in code page 932
        {"2.3 Shift-JIS as Latin-1", 3, 0, kSjis, kSjis},  // as Japanese taggers wrote it
        {"2.3 two strings", 3, 0, std::string("first\0second", 12), "first"},
        {"2.4 emoji", 4, 3, "a\xF0\x9F\x8E\xB5", "a?"},  // one character outside the code page
    };
    for (const Case& c : cases) {
        Id3v2TagBytes tag;
        tag.version = c.version;
        tag.Text(c.version == 2 ? "TT2" : "TIT2", c.encoding, c.text);
        tag.Text(c.version == 2 ? "TP1" : "TPE1", 0, "Artist");
        const Id3v2Text text = Parse(tag.Build());
        EXPECT_EQ(text.title, c.expected) << c.name;
        EXPECT_EQ(text.artist, "Artist") << c.name;
    }
}

TEST(Id3v2, UnsynchronisedTagsExtendedHeadersAndFrameFlagsAreRead) {
    Id3v2TagBytes unsynchronised;
    unsynchronised.unsynchronise = true;
    unsynchronised.Frame("APIC", std::string("\xFF\xE0\xFF\x00", 4));  // would look like a sync
    unsynchronised.Text("TIT2", 1, std::string("\xFF\xFE", 2) + std::string("A\0B\0", 4));
    EXPECT_EQ(Parse(unsynchronised.Build()).title, "AB");

    for (int version : {3, 4}) {
        Id3v2TagBytes extended;
        extended.version = version;
        extended.extendedHeader = true;
        extended.Text("TIT2", 0, "Title");
        EXPECT_EQ(Parse(extended.Build()).title, "Title") << version;
    }
    // Version 2.4: a data-length field before the text, and compressed frames passed over.
    Id3v2TagBytes flagged;
    flagged.version = 4;
    flagged.Frame("TIT2", std::string("\0\0\0\x06", 4) + std::string("\0Title", 6), 0x0001);
    flagged.Frame("TPE1", std::string("\0Packed", 7), 0x0008);
    const Id3v2Text text = Parse(flagged.Build());
    EXPECT_EQ(text.title, "Title");
    EXPECT_EQ(text.artist, "");
}

TEST(Id3v2, LyingTagsEndCleanly) {
    Id3v2TagBytes tag;
    tag.Text("TIT2", 0, "Title");
    const std::string good = tag.Build();
    EXPECT_EQ(Parse(good.substr(0, 15)).title, "");  // cut inside the frame
    tag.sizeAdjust = 1 << 20;                        // claims a megabyte more than there is
    EXPECT_EQ(Parse(tag.Build()).title, "Title");
    Id3v2TagBytes huge;
    huge.Frame("TIT2", std::string("\0Title", 6));
    std::string bytes = huge.Build();
    bytes[13] = '\x7F';  // the frame claims far more than the tag holds
    EXPECT_EQ(Parse(bytes).title, "");
    EXPECT_EQ(Parse("ID3\x03\x00\x00\x80\x00\x00\x00").title, "");  // a size byte with its top bit
}

TEST(Id3v2, TitleBehindALargePictureIsReadFromTheFile) {
    MemoryFileSystem files;
    ScopedFileSystem scope(files);
    Id3v2TagBytes tag;
    tag.version = 4;
    tag.Frame("APIC", std::string(5 << 20, '\x11'));
    tag.Text("TIT2", 3, kUtf8);
    tag.Text("TPE1", 3, "Someone");
    files.AddFile("C:\\Music\\pictured.mp3", tag.Build() + std::string("\xFF\xFB\x90\x00", 4) + std::string(4000, 'a'));
    Id3v2Text text;
    ASSERT_TRUE(ReadId3v2(text, "C:\\Music\\pictured.mp3"));
    EXPECT_EQ(text.title, kSjis);
    EXPECT_EQ(text.artist, "Someone");

    files.AddFile("C:\\Music\\plain.mp3", std::string("\xFF\xFB\x90\x00", 4) + std::string(4000, 'a'));
    EXPECT_FALSE(ReadId3v2(text, "C:\\Music\\plain.mp3"));
    EXPECT_FALSE(ReadId3v2(text, "C:\\Music\\missing.mp3"));
}

}  // namespace
