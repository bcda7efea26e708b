// Start-up before the windows, against an in-memory registry and a scripted single-instance system.
#include "app/StartupSequence.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/InstanceSystem.h"
#include "app/MemoryRegistry.h"
#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/StartupTexts.h"
#include "app/StartupUi.h"

namespace {

constexpr char kProgram[] = "C:\\Program Files\\Melodrix\\Melodrix.exe";

class CountingUi : public StartupUi {
public:
    std::vector<std::string> warnings;
    void ShowCommandLineWarning(const std::string& text) override { warnings.push_back(text); }
    KillFailureChoice AskKillFailed() override { return KillFailureChoice::kAbort; }
};

// Another player is running; asked to close, it saves its state the way a closing player does.
class OtherPlayerSystem : public InstanceSystem {
public:
    bool otherRunning = true;
    std::function<void()> saveOnClose;
    bool OpenBootMutex() override { return otherRunning; }
    bool CreateBootMutex() override { return true; }
    void CloseBootMutex() override {}
    void ActivateRunningPlayer() override {}
    void PostCloseToRunningPlayers() override {
        if (saveOnClose)
            saveOnClose();
        otherRunning = false;
    }
    void Sleep(int) override {}
};

std::vector<std::string> History() {
    std::vector<std::string> names;
    for (int i = 0; i < FileHistory.Count(); ++i)
        names.emplace_back(FileHistory.StringAt(i));
    return names;
}

class StartupSequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetActiveRegistry(&registry);
        ResetSettingsToDefaults();
    }
    void TearDown() override {
        SetActiveRegistry(nullptr);
        ResetSettingsToDefaults();
    }
    // Stores a history as a player that ends would, then forgets it in memory.
    static void SaveHistoryAsAnotherPlayer(std::initializer_list<const char*> names, int32_t lastSong) {
        FileHistory.Clear();
        for (const char* name : names)
            FileHistory.InsertString(-1, name);
        gSettings.file.LastSong = lastSong;
        SaveSettings();
        ResetSettingsToDefaults();
    }

    MemoryRegistry registry;
    CountingUi ui;
};

TEST_F(StartupSequenceTest, ProgramPathsAndFolderDefaults) {
    OtherPlayerSystem alone;
    alone.otherRunning = false;
    ASSERT_EQ(PrepareStart(kProgram, "", alone, ui), StartDecision::kRun);
    EXPECT_STREQ(gProgramDirectory, "C:\\Program Files\\Melodrix\\");
    EXPECT_STREQ(gHelpFilePath, "C:\\Program Files\\Melodrix\\Melodrix.chm");
    EXPECT_STREQ(gSettings.directory.List, "C:\\Program Files\\Melodrix\\");
    EXPECT_STREQ(gSettings.directory.CD, "C:\\Program Files\\Melodrix\\");
}

TEST_F(StartupSequenceTest, StoredFoldersAndOptionsWinOverDefaults) {
    std::snprintf(gSettings.directory.List, sizeof gSettings.directory.List, "D:\\Lists\\");
    gSettings.player.BootPlay = 1;
    gSettings.player.BootMode = 0;
    gSettings.player.LastMode = 2;
    SaveSettings();
    ResetSettingsToDefaults();

    OtherPlayerSystem alone;
    alone.otherRunning = false;
    ASSERT_EQ(PrepareStart(kProgram, "", alone, ui), StartDecision::kRun);
    EXPECT_STREQ(gSettings.directory.List, "D:\\Lists\\");
    // A stored folder wins even when the user emptied it.
    EXPECT_STREQ(gSettings.directory.CD, "");
    EXPECT_EQ(gStartOptions.playAtStart, 1);
    EXPECT_EQ(ResolveStartMode(gStartOptions), 2);
}

TEST_F(StartupSequenceTest, SingleInstanceEndsWithoutTouchingTheHistory) {
    SaveHistoryAsAnotherPlayer({"a.mid"}, 0);
    gSettings.player.BootSingle = 1;
    OtherPlayerSystem running;
    ASSERT_EQ(PrepareStart(kProgram, "/single b.mid", running, ui), StartDecision::kEnd);
}

TEST_F(StartupSequenceTest, KillReloadsWhatTheClosedPlayerSavedThenAppends) {
    SaveHistoryAsAnotherPlayer({"old.mid"}, 0);
    OtherPlayerSystem running;
    running.saveOnClose = [] { SaveHistoryAsAnotherPlayer({"a.mid", "b.mid"}, 1); };
    ASSERT_EQ(PrepareStart(kProgram, "/kill /add c.mid /bogus", running, ui), StartDecision::kRun);
    EXPECT_EQ(History(), (std::vector<std::string>{"a.mid", "b.mid", "c.mid"}));
    EXPECT_EQ(gSettings.file.LastSong, 2);
    EXPECT_EQ(gStartOptions.addSongs, 1);
    // The second pass over the same command line does not warn a second time.
    EXPECT_EQ(ui.warnings, (std::vector<std::string>{std::string(kInvalidCommandText) + "\n/bogus"}));
}

}  // namespace
