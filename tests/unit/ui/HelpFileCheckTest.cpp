// What the help seam decides before it starts the viewer: a missing, empty, foreign or truncated
// file is refused with a message that names it; a file that starts like compiled HTML Help passes.
#include "ui/HelpFile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/ScopedFileSystem.h"
#include "ui/HelpKeywords.h"

namespace {

constexpr char kPath[] = "C:\\Melodrix\\Melodrix.chm";

struct FileCase {
    const char* label;
    bool present;
    std::string contents;
    HelpProblem expected;
};

TEST(HelpFileCheck, OnlyAFileThatStartsLikeCompiledHtmlHelpPasses) {
    const std::string v3("ITSF\x03\x00\x00\x00\x60\x00\x00\x00", 12);
    const FileCase cases[] = {
        {"missing", false, "", HelpProblem::kFileMissing},
        {"empty", true, "", HelpProblem::kFileDamaged},
        {"shorter than its header", true, "ITSF", HelpProblem::kFileDamaged},
        {"an old WinHelp file", true, std::string("\x3F\x5F\x03\x00\x00\x00\x00\x00", 8), HelpProblem::kFileDamaged},
        {"text", true, "<html>help</html>", HelpProblem::kFileDamaged},
        {"unknown version", true, std::string("ITSF\x07\x00\x00\x00", 8), HelpProblem::kFileDamaged},
        {"version 3", true, v3, HelpProblem::kNone},
        {"version 2", true, std::string("ITSF\x02\x00\x00\x00", 8), HelpProblem::kNone},
    };
    for (const FileCase& c : cases) {
        MemoryFileSystem files;
        ScopedFileSystem active(files);
        if (c.present) {
            files.AddFile(kPath, c.contents);
        }
        EXPECT_EQ(CheckHelpFile(kPath), c.expected) << c.label;
    }
}

TEST(HelpFileCheck, AnEmptyOrMissingPathIsAMissingFile) {
    MemoryFileSystem files;
    ScopedFileSystem active(files);
    EXPECT_EQ(CheckHelpFile(""), HelpProblem::kFileMissing);
    EXPECT_EQ(CheckHelpFile(nullptr), HelpProblem::kFileMissing);
}

TEST(HelpFileCheck, EveryProblemHasAMessageAndTheFileProblemsNameTheFile) {
    EXPECT_EQ(HelpProblemMessage(HelpProblem::kNone, kPath), "");
    EXPECT_EQ(HelpProblemMessage(HelpProblem::kFileMissing, kPath),
              std::string("ヘルプファイルが見つかりません。\n") + kPath);
    for (HelpProblem problem : {HelpProblem::kFileDamaged, HelpProblem::kViewerFailed}) {
        EXPECT_NE(HelpProblemMessage(problem, kPath).find(kPath), std::string::npos);
    }
    EXPECT_FALSE(HelpProblemMessage(HelpProblem::kViewerMissing, kPath).empty());
    EXPECT_EQ(HelpProblemMessage(HelpProblem::kFileMissing, nullptr), "ヘルプファイルが見つかりません。\n");
}

TEST(HelpFileCheck, EveryKeywordHasItsOwnPageAndOthersHaveNone) {
    EXPECT_STREQ(HelpPageOf(kHelpPlaySettings), "settings_play.html");
    EXPECT_STREQ(HelpPageOf(kHelpSongJumpDialog), "songjump.html");
    EXPECT_EQ(HelpPageOf("存在しない"), nullptr);
    EXPECT_EQ(HelpPageOf(nullptr), nullptr);
    std::set<std::string> pages;
    for (const HelpTopic& topic : kHelpTopics) {
        EXPECT_STREQ(HelpPageOf(topic.keyword), topic.page);
        pages.insert(topic.page);
    }
    EXPECT_EQ(pages.size(), std::size(kHelpTopics));
}

}  // namespace
