// Options, drives and songs from the command line, against the settings and the song history.
#include "app/CommandLineParser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ArgumentTable.h"
#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/StartupTexts.h"
#include "app/StartupUi.h"

namespace {

class RecordingUi : public StartupUi {
public:
    std::vector<std::string> warnings;
    void ShowCommandLineWarning(const std::string& text) override { warnings.push_back(text); }
    KillFailureChoice AskKillFailed() override { return KillFailureChoice::kAbort; }
};

std::vector<std::string> History() {
    std::vector<std::string> names;
    char buffer[4096];
    for (int i = 0; i < FileHistory.Count(); ++i) {
        FileHistory.GetString(i, buffer, sizeof buffer);
        names.emplace_back(buffer);
    }
    return names;
}

class CommandLineParserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettingsToDefaults();
        options = StartOptions{};
        CopyStartOptionsFromSettings(options);
    }
    void Apply(const char* commandLine) {
        const ArgumentTable table("C:\\Melodrix\\Melodrix.exe", commandLine);
        ApplyCommandLine(table, options, ui);
    }
    void SetHistory(std::initializer_list<const char*> names) {
        FileHistory.Clear();
        for (const char* name : names)
            FileHistory.InsertString(-1, name);
    }

    StartOptions options;
    RecordingUi ui;
};

TEST_F(CommandLineParserTest, AddAppendsToTheHistoryAndStartsAtTheFirstNewName) {
    SetHistory({"a.mid", "b.mid", "c.mid"});
    gSettings.file.LastSong = 1;
    Apply("/add d.mid e.rpl");
    EXPECT_EQ(History(), (std::vector<std::string>{"a.mid", "b.mid", "c.mid", "d.mid", "e.rpl"}));
    EXPECT_EQ(gSettings.file.LastSong, 3);
}

TEST_F(CommandLineParserTest, SongsWithoutAddReplaceTheHistory) {
    SetHistory({"a.mid", "b.mid", "c.mid"});
    gSettings.file.LastSong = 2;
    Apply("x.wav");
    EXPECT_EQ(History(), (std::vector<std::string>{"x.wav"}));
    EXPECT_EQ(gSettings.file.LastSong, 0);
}

TEST_F(CommandLineParserTest, AddWrittenAfterTheSongsStillApplies) {
    SetHistory({"a.mid"});
    Apply("b.mid -ADD");
    EXPECT_EQ(History(), (std::vector<std::string>{"a.mid", "b.mid"}));
    EXPECT_EQ(gSettings.file.LastSong, 1);
}

TEST_F(CommandLineParserTest, QuotedPathWithBlankAndCdOption) {
    Apply("\"C:\\My Music\\song 1.mid\" /cd");
    EXPECT_EQ(History(), (std::vector<std::string>{"C:\\My Music\\song 1.mid"}));
    EXPECT_EQ(options.startMode, 2);
}

TEST_F(CommandLineParserTest, DriveTokensSetTheCdDriveAndAreNoSongs) {
    SetHistory({"keep.mid"});
    Apply("E:");
    EXPECT_STREQ(gSettings.cd.LastDrive, "E:");
    Apply("D:\\");
    EXPECT_STREQ(gSettings.cd.LastDrive, "D:");
    EXPECT_EQ(History(), (std::vector<std::string>{"keep.mid"}));
    Apply("D:x");
    EXPECT_EQ(History(), (std::vector<std::string>{"D:x"}));
    Apply("D:\\\\");
    EXPECT_EQ(History(), (std::vector<std::string>{"D:\\\\"}));
    EXPECT_STREQ(gSettings.cd.LastDrive, "D:");
}

TEST_F(CommandLineParserTest, OptionsIgnoreCaseAndLaterOnesWin) {
    struct Case {
        const char* line;
        int32_t playAtStart, startMode, singleInstance, killOthers, addSongs;
    };
    const Case cases[] = {
        {"/PLAY", 1, 1, 0, 0, 0},      {"-play /Stop", 0, 1, 0, 0, 0}, {"/cd /FILE", 0, 1, 0, 0, 0},
        {"-Cd", 0, 2, 0, 0, 0},        {"/single", 0, 1, 1, 0, 0},     {"/single -multi", 0, 1, 0, 0, 0},
        {"/kill /add", 0, 1, 0, 1, 1},
    };
    for (const Case& c : cases) {
        SetUp();
        Apply(c.line);
        EXPECT_EQ(options.playAtStart, c.playAtStart) << c.line;
        EXPECT_EQ(options.startMode, c.startMode) << c.line;
        EXPECT_EQ(options.singleInstance, c.singleInstance) << c.line;
        EXPECT_EQ(options.killOthers, c.killOthers) << c.line;
        EXPECT_EQ(options.addSongs, c.addSongs) << c.line;
        EXPECT_TRUE(ui.warnings.empty()) << c.line;
    }
}

TEST_F(CommandLineParserTest, UnknownOptionsAreReportedWholeAndParsingGoesOn) {
    SetHistory({"keep.mid"});
    Apply("/xyz / - /playx /play");
    // One box for all of them, with the count and the tokens.
    ASSERT_EQ(ui.warnings.size(), 1u);
    EXPECT_EQ(ui.warnings[0], InvalidCommandsText({"/xyz", "/", "-", "/playx"}));
    EXPECT_NE(ui.warnings[0].find("\n/xyz\n/\n-\n/playx"), std::string::npos);
    EXPECT_EQ(options.playAtStart, 1);
    EXPECT_EQ(History(), (std::vector<std::string>{"keep.mid"}));
}

TEST_F(CommandLineParserTest, NamesThatCannotBePathsAreRefusedNotStored) {
    SetHistory({"keep.mid"});
    const std::string tooLong(300, 'n');
    Apply(("\"\" " + tooLong + " ok.mid").c_str());
    EXPECT_EQ(History(), (std::vector<std::string>{"ok.mid"}));
    // A single refused token is shown alone, as it always was.
    EXPECT_EQ(ui.warnings, (std::vector<std::string>{std::string(kInvalidCommandText) + "\n" + tooLong}));
}

TEST_F(CommandLineParserTest, MassesOfBadTokensGiveOneBoxEachNeverOnePerToken) {
    // 5,000 invalid options and 3,000 names: the table holds 2,047 tokens, the rest are dropped.
    std::string line;
    for (int i = 0; i < 5000; ++i) {
        line += "/bad" + std::to_string(i) + " ";
    }
    for (int i = 0; i < 3000; ++i) {
        line += "song" + std::to_string(i) + ".mid ";
    }
    Apply(line.c_str());
    ASSERT_EQ(ui.warnings.size(), 2u);
    char heading[128];
    std::snprintf(heading, sizeof heading, kInvalidCommandsFormat, ArgumentTable::kMaxArguments - 1);
    EXPECT_EQ(ui.warnings[0].rfind(heading, 0), 0u) << ui.warnings[0];
    EXPECT_NE(ui.warnings[0].find("\n/bad0\n/bad1\n/bad2\n/bad3\n/bad4\n..."), std::string::npos);
    EXPECT_EQ(ui.warnings[0].find("/bad5"), std::string::npos);
    EXPECT_EQ(ui.warnings[1], DroppedNamesText(8000 - (ArgumentTable::kMaxArguments - 1)));
}

TEST_F(CommandLineParserTest, NoTokensLeaveEverythingAlone) {
    SetHistory({"a.mid"});
    gSettings.file.LastSong = 0;
    Apply("");
    Apply("/play");
    EXPECT_EQ(History(), (std::vector<std::string>{"a.mid"}));
}

TEST(StartOptions, ResolveUsesTheLastModeOnlyWhenAsked) {
    StartOptions options;
    options.startMode = 0;
    options.lastMode = 2;
    EXPECT_EQ(ResolveStartMode(options), 2);
    options.startMode = 1;
    EXPECT_EQ(ResolveStartMode(options), 1);
    options.startMode = 7;  // a stored value no mode answers to
    EXPECT_EQ(ResolveStartMode(options), 1);
}

}  // namespace
