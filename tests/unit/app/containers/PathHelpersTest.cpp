// Splitting Windows paths in Shift-JIS, bounds of the out buffers, and companion files.
#include "app/containers/PathHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

TEST(PathHelpers, SourceLiteralsAreShiftJis) {
    // Every double-byte case below relies on these bytes; 0x5C is the trail byte.
    EXPECT_EQ(std::string("ソ表"), std::string("\x83\x5C\x95\x5C"));
}

struct SplitCase {
    const char* path;
    const char* directory;
    const char* baseName;
    const char* extension;
    const char* fileName;
};

TEST(PathHelpers, SplitsPaths) {
    const SplitCase cases[] = {
        {"C:\\Music\\song.mid", "C:\\Music\\", "song", ".mid", "song.mid"},
        {"C:\\ソフト\\表.mid", "C:\\ソフト\\", "表", ".mid", "表.mid"},
        {"C:\\ソ\\表", "C:\\ソ\\", "表", "", "表"},
        {"song.mid", "", "song", ".mid", "song.mid"},
        {"C:song.mid", "C:\\", "song", ".mid", "song.mid"},
        {"C:\\a.b\\c", "C:\\a.b\\", "c", "", "c"},
        {"C:/music/x.rcp", "C:/music/", "x", ".rcp", "x.rcp"},
        {"\\\\server\\share\\a.tar.gz", "\\\\server\\share\\", "a.tar", ".gz", "a.tar.gz"},
        {"C:\\dir\\", "C:\\dir\\", "", "", ""},
        {"", "", "", "", ""},
    };
    for (const SplitCase& c : cases) {
        char out[kMaxPathBytes];
        EXPECT_TRUE(DirectoryOf(out, c.path));
        EXPECT_STREQ(out, c.directory) << c.path;
        EXPECT_TRUE(BaseNameOf(out, c.path));
        EXPECT_STREQ(out, c.baseName) << c.path;
        EXPECT_TRUE(ExtensionOf(out, c.path));
        EXPECT_STREQ(out, c.extension) << c.path;
        EXPECT_TRUE(FileNameOf(out, c.path));
        EXPECT_STREQ(out, c.fileName) << c.path;
    }
}

TEST(PathHelpers, ReplacesExtensions) {
    struct Case {
        const char* path;
        const char* ext;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\a\\b.mid", ".wrd", "C:\\a\\b.wrd"},
        {"C:\\a\\b.mid", "txt", "C:\\a\\b.txt"},
        {"C:\\a.b\\c", ".txt", "C:\\a.b\\c.txt"},
        {"C:\\ソ\\表", ".wrd", "C:\\ソ\\表.wrd"},
        {"x.mid", "", "x"},
    };
    for (const Case& c : cases) {
        char out[kMaxPathBytes];
        EXPECT_TRUE(ReplaceExtension(out, c.path, c.ext));
        EXPECT_STREQ(out, c.expected) << c.path << " + " << c.ext;
    }
}

TEST(PathHelpers, ResultsThatDoNotFitAreCutAtACharacterBoundary) {
    // 257 bytes of path ending in a double-byte name: replacing the extension needs 261 bytes.
    std::string path = "C:\\" + std::string(251, 'd') + "\\ソ";
    ASSERT_EQ(path.size(), 257u);
    char out[kMaxPathBytes + 16];
    std::memset(out, 'Z', sizeof out);
    EXPECT_FALSE(ReplaceExtension(out, path.c_str(), ".wrd"));
    EXPECT_EQ(std::strlen(out), 259u);
    EXPECT_EQ(out[kMaxPathBytes], 'Z');

    // With 258 bytes the double-byte name must not be cut between its lead and trail byte.
    std::string longer = std::string(258, 'd') + "ソ";
    std::memset(out, 'Z', sizeof out);
    EXPECT_FALSE(FileNameOf(out, longer.c_str()));
    EXPECT_EQ(std::string(out), std::string(258, 'd'));
}

TEST(PathHelpers, AppendBackslash) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"", ""}, {"C:", "C:\\"}, {"C:\\", "C:\\"}, {"C:\\ソ", "C:\\ソ\\"}, {"C:\\ソ\\", "C:\\ソ\\"},
    };
    for (const Case& c : cases) {
        char text[kMaxPathBytes];
        std::strcpy(text, c.text);
        EXPECT_EQ(AppendBackslash(text), std::strlen(c.text));
        EXPECT_STREQ(text, c.expected) << c.text;
    }
    char full[8] = "abcdefg";
    EXPECT_EQ(AppendBackslash(full, sizeof full), 7u);
    EXPECT_STREQ(full, "abcdefg");
}

TEST(PathHelpers, FindCompanionFileTakesTheFirstExistingCandidate) {
    MemoryFileSystem files;
    files.AddFile("C:\\ソ\\表.txt");
    files.AddFile("C:\\ソ\\表.doc");
    ScopedFileSystem scope(files);
    const char* extensions[] = {".wrd", ".txt", ".doc"};

    char path[kMaxPathBytes] = "C:\\ソ\\表.mid";
    EXPECT_EQ(FindCompanionFile(path, extensions, 3), 1);
    EXPECT_STREQ(path, "C:\\ソ\\表.txt");

    char other[kMaxPathBytes] = "C:\\ソ\\曲.mid";
    EXPECT_EQ(FindCompanionFile(other, extensions, 3), 0);
    EXPECT_STREQ(other, "C:\\ソ\\曲.mid");
}

}  // namespace

TEST(PathHelpers, PathKeyComparesAsWindowsDoes) {
    EXPECT_EQ(PathKey("C:/Music/Lists\\"), PathKey("c:\\music\\lists"));
    EXPECT_EQ(PathKey("C:\\ソ"), "c:\\ソ");  // the trail byte 0x5C is not a separator
    EXPECT_NE(PathKey("C:\\ＡＢ"), PathKey("C:\\ａｂ"));  // full-width letters keep their case
    EXPECT_EQ(PathKey(nullptr), "");
}
