// The portable profile reader: where it finds the file and how it reads sections, keys and values.
#include "songfiles/IniProfileReader.h"

#include <gtest/gtest.h>

#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SongFilesTestHelpers.h"

namespace {

class IniProfileReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        PutFile(files, "C:\\WINDOWS\\test.ini",
                "; comment=1\n"
                "[First]\n"
                "Key = spaced value \t\n"
                "Quoted=\"  kept  \"\r\n"
                "Single='x'\n"
                "Half=\"open\n"
                "Empty=\n"
                "Number=42abc\n"
                "Negative=-7\n"
                "Letters=abc\n"
                "  [ Second ]  \n"
                "key=second\n"
                "[first]\n"
                "Late=only in a repeated section\n");
    }

    std::string Get(const char* section, const char* key, const char* fileName = "test.ini") {
        char out[64];
        reader.ReadString(section, key, "default", out, sizeof out, fileName);
        return out;
    }

    MemoryFileSystem files;
    ScopedFileSystem scope{files};
    IniProfileReader reader{"C:\\WINDOWS"};
};

TEST_F(IniProfileReaderTest, ReadsStringsAsTheSystemDoes) {
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"First", "Key", "spaced value"}, {"FIRST", "kEY", "spaced value"}, {"First", "Quoted", "  kept  "},
        {"First", "Single", "x"},         {"First", "Half", "\"open"},      {"First", "Empty", ""},
        {"First", "comment", "default"},  {"Second", "Key", "second"},      {"First", "Late", "default"},
        {"Third", "Key", "default"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Get(c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
    // A bare name is looked for in the Windows folder; a path is taken as it stands.
    EXPECT_EQ(Get("First", "Key", "C:\\WINDOWS\\test.ini"), "spaced value");
    EXPECT_EQ(Get("First", "Key", "D:\\test.ini"), "default");
    EXPECT_EQ(Get("First", "Key", "missing.ini"), "default");
}

TEST_F(IniProfileReaderTest, CutsLongValuesAndReadsIntegers) {
    char out[4];
    EXPECT_EQ(reader.ReadString("First", "Key", "", out, sizeof out, "test.ini"), 3u);
    EXPECT_STREQ(out, "spa");
    EXPECT_EQ(reader.ReadInt("First", "Number", 5, "test.ini"), 42);
    EXPECT_EQ(reader.ReadInt("First", "Negative", 5, "test.ini"), -7);
    EXPECT_EQ(reader.ReadInt("First", "Letters", 5, "test.ini"), 0);
    EXPECT_EQ(reader.ReadInt("First", "Empty", 5, "test.ini"), 5);
    EXPECT_EQ(reader.ReadInt("First", "Missing", 5, "test.ini"), 5);
}

}  // namespace
