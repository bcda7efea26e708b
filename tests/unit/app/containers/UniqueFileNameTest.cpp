// Candidate order, title cleaning and length limits of MakeUniqueFileName.
#include "app/containers/UniqueFileName.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "app/containers/PathHelpers.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

class UniqueFileNameTest : public ::testing::Test {
protected:
    std::string Make(const char* directory, const char* title, const char* ext = ".wav") {
        char out[kMaxPathBytes + 16];
        std::memset(out, 'Z', sizeof out);
        result = MakeUniqueFileName(out, directory, title, ext);
        EXPECT_EQ(out[kMaxPathBytes], 'Z') << "wrote past the path buffer";
        return out;
    }

    MemoryFileSystem files;
    ScopedFileSystem scope{files};
    int result = 0;
};

TEST_F(UniqueFileNameTest, BlankTitleCountsWithEightDigits) {
    EXPECT_EQ(Make("C:\\rec", "   "), "C:\\rec\\00000000.wav");
    EXPECT_EQ(result, 1);
    files.AddFile("C:\\rec\\00000000.wav");
    EXPECT_EQ(Make("C:\\rec\\", ""), "C:\\rec\\00000001.wav");
}

TEST_F(UniqueFileNameTest, TitleThenNumberedSuffixes) {
    EXPECT_EQ(Make("C:\\rec", "a/b:c"), "C:\\rec\\a_b_c.wav");
    files.AddFile("C:\\rec\\a_b_c.wav");
    EXPECT_EQ(Make("C:\\rec", "a/b:c"), "C:\\rec\\a_b_c_0.wav");
    files.AddFile("C:\\rec\\A_B_C_0.WAV");  // Windows names ignore case
    EXPECT_EQ(Make("C:\\rec", "a/b:c"), "C:\\rec\\a_b_c_1.wav");
}

TEST_F(UniqueFileNameTest, CleansTheTitle) {
    struct Case {
        const char* title;
        const char* name;
    };
    // clang-format off
    const Case cases[] = {
        {"  lead", "lead"},
        {"*/:<>?\\|\"", "_________"},  // every character Windows forbids in a name
        {"tab\there", "tab_here"},
        {"ソフト表", "ソフト表"},       // 0x5C trail bytes are not backslashes
        {"ab\x83", "ab"},               // a lead byte without its trail byte is dropped
        {"ｶﾅ.mid", "ｶﾅ.mid"},
        // Device names with any case and extension, and names Windows would cut, get a suffix.
        {"CON", "CON_"},
        {"con", "con_"},
        {"Nul.txt", "Nul.txt_"},
        {"aux  ", "aux  _"},
        {"COM1", "COM1_"},
        {"lpt9", "lpt9_"},
        {"COM0", "COM0"},
        {"COM10", "COM10"},
        {"CONSOLE", "CONSOLE"},
        {"ends.", "ends._"},
        {"ends ", "ends _"},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(Make("C:\\ソ", c.title), std::string("C:\\ソ\\") + c.name + ".wav") << c.title;
    }
}

TEST_F(UniqueFileNameTest, LongTitlesStopAtTheLimit) {
    // Short directory: the limit is 128 - 6 = 122 bytes; a double-byte character that starts inside
    // the limit is taken whole.
    std::string a122(122, 'a');
    std::string a121(121, 'a');
    EXPECT_EQ(Make("C:\\rec", (a122 + "bbb").c_str()), "C:\\rec\\" + a122 + ".wav");
    EXPECT_EQ(Make("C:\\rec", (a122 + "ソ").c_str()), "C:\\rec\\" + a122 + ".wav");
    EXPECT_EQ(Make("C:\\rec", (a121 + "ソb").c_str()), "C:\\rec\\" + a121 + "ソ.wav");

    // Long directory: 260 - 130 - 4 - 6 = 120 bytes.
    std::string directory = "C:\\" + std::string(126, 'd') + "\\";
    std::string title = std::string(119, 't') + "ア";
    EXPECT_EQ(Make(directory.c_str(), (title + "tail").c_str()), directory + title + ".wav");
}

TEST_F(UniqueFileNameTest, GivesUpWhenNoCandidateFits) {
    std::string directory = "C:\\" + std::string(126, 'd') + "\\";
    std::string title = std::string(119, 't') + "ア";
    // The longest clean title leaves room for suffixes up to _999.
    files.AddFile((directory + title + ".wav").c_str());
    for (int n = 0; n < 1000; ++n) {
        files.AddFile((directory + title + "_" + std::to_string(n) + ".wav").c_str());
    }
    EXPECT_EQ(Make(directory.c_str(), title.c_str()), "");
    EXPECT_EQ(result, 0);

    // A directory that leaves no room for a name.
    std::string deep = "C:\\" + std::string(250, 'd');
    EXPECT_EQ(Make(deep.c_str(), "x"), "");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Make(deep.c_str(), ""), "");
    EXPECT_EQ(result, 0);
}

}  // namespace
