// The file play mode's devices and companions, the drop of new files, the open dialog and the
// settings it takes at construction and writes back at destruction.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/containers/MemoryFileSystem.h"
#include "play/FilePlayMode.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/unit/play/FilePlayModeFakes.h"
#include "tests/unit/play/FilePlayModeTestFiles.h"
#include "tests/unit/play/RecordingOwner.h"

namespace {

using Log = std::vector<std::string>;

StringList ListOf(const std::vector<std::string>& texts) {
    StringList list;
    for (const std::string& text : texts) {
        list.InsertString(-1, text.c_str());
    }
    return list;
}

class FilePlayModeTest : public ::testing::Test {
protected:
    FilePlayModeTest() : scope(files) {
        ResetSettingsToDefaults();
        gStartOptions = StartOptions{};
        files.AddFile("C:\\Music\\song.mid", TitledSmf("Song"));
        files.AddFile("C:\\Music\\song.wrd", std::string("text\n"));
        files.AddFile("C:\\Music\\song.rcp", RcpWithTitle("Other"));
        files.AddFile("C:\\Music\\song.txt", std::string("words"));
        files.AddFile("C:\\Music\\song.doc", std::string("words"));
        files.AddFile("C:\\Music\\wave.wav", std::string("RIFF"));
        files.AddFile("C:\\Music\\wave.wrd", std::string("text\n"));
        files.AddFile("C:\\Music\\tune.mp3", Mp3WithTag("Tune", "Band"));
    }

    // A mode on names, with its fake parts kept for inspection.
    std::unique_ptr<FilePlayMode> MakeMode(const std::vector<std::string>& names) {
        history = ListOf(names);
        auto fakeParts = std::make_unique<FakeParts>();
        parts = fakeParts.get();
        return std::make_unique<FilePlayMode>(owner, std::move(fakeParts), history);
    }

    // What the devices were asked to open, in order.
    Log Opens() const {
        Log opens;
        for (const std::string& line : parts->log) {
            if (line.rfind("mci ", 0) == 0 || line.rfind("wave ", 0) == 0 || line.rfind("mp3 ", 0) == 0) {
                opens.push_back(line);
            }
        }
        return opens;
    }

    MemoryFileSystem files;
    ScopedFileSystem scope;
    RecordingOwner owner;
    StringList history;
    FakeParts* parts = nullptr;
};

TEST_F(FilePlayModeTest, DeviceIsChosenByExtensionAndOwnPlaybackSetting) {
    struct Case {
        const char* path;
        int selfPlay;
        bool mp3Refuses;
        Log expected;
    };
    const Case cases[] = {
        {"C:\\Music\\wave.wav", 1, false, {"wave C:\\Music\\wave.wav"}},
        {"C:\\Music\\wave.wav", 0, false, {"mci C:\\Music\\wave.wav"}},
        {"C:\\Music\\tune.mp3", 0, false, {"mp3 C:\\Music\\tune.mp3"}},
        {"C:\\Music\\tune.mp3", 0, true, {"mp3 C:\\Music\\tune.mp3", "mci C:\\Music\\tune.mp3"}},
        {"C:\\Music\\SONG.MID", 1, false, {"mci C:\\Music\\SONG.MID"}},
        // A script with both a MIDI and a Recomposer song beside it plays the MIDI song.
        {"C:\\Music\\song.wrd", 1, false, {"mci C:\\Music\\song.mid"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " SelfPlay " + std::to_string(c.selfPlay));
        gSettings.wave.SelfPlay = c.selfPlay;
        auto mode = MakeMode({c.path});
        parts->mp3.refuse = c.mp3Refuses;
        mode->Activate();
        EXPECT_EQ(Opens(), c.expected);
        EXPECT_EQ(mode->GetState(), kModeStop);
    }
}

TEST_F(FilePlayModeTest, NoDeviceLeavesTheSongUnopened) {
    auto mode = MakeMode({"C:\\Music\\song.mid"});
    parts->mci.refuse = true;
    mode->Activate();
    EXPECT_EQ(mode->GetState(), kModeNotReady);
    EXPECT_EQ(owner.timers, 0);
    EXPECT_EQ(mode->GetPanelFlags() & (kPanelWrd | kPanelText), 0);
}

TEST_F(FilePlayModeTest, ScriptBesideMidiSongGetsAWrdPlayerFedWithTicks) {
    gSettings.file.WrdView = 1;
    gSettings.file.WrdOpen = 1;
    auto mode = MakeMode({"C:\\Music\\song.wrd"});
    mode->Activate();
    EXPECT_STREQ(mode->OpeningSong().path, "C:\\Music\\song.mid");
    ASSERT_EQ(std::count(parts->log.begin(), parts->log.end(), "wrd C:\\Music\\song.wrd on mci timebase 48"), 1);
    EXPECT_EQ(mode->IsWrdOpen(), 1);
    EXPECT_NE(mode->GetPanelFlags() & kPanelWrd, 0);
    EXPECT_EQ(owner.timers, 1);

    parts->mci.tick = 384;
    mode->HandleTimerMessage(kTimerMessage, 0, 0);
    parts->mci.tick = 400;
    mode->HandleTimerMessage(kTimerMessage, 0, 0);
    EXPECT_EQ(parts->advancedTicks, (std::vector<std::uint32_t>{384, 400}));

    mode->CloseWrd();
    EXPECT_EQ(mode->IsWrdOpen(), 0);
    mode->OpenWrd();
    EXPECT_EQ(mode->IsWrdOpen(), 1);
    mode->Deactivate();
    EXPECT_EQ(mode->IsWrdOpen(), 0);
    EXPECT_EQ(owner.timers, 0);
}

TEST_F(FilePlayModeTest, WrdSettingsDecideWhetherThePlayerIsMadeAndShown) {
    struct Case {
        int wrdView, wrdOpen;
        bool made, shown;
    };
    const Case cases[] = {{1, 1, true, true}, {1, 0, true, false}, {0, 1, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.wrdView) + std::to_string(c.wrdOpen));
        gSettings.file.WrdView = c.wrdView;
        gSettings.file.WrdOpen = c.wrdOpen;
        auto mode = MakeMode({"C:\\Music\\song.mid"});
        mode->Activate();
        EXPECT_EQ(parts->log.end() != std::find_if(parts->log.begin(), parts->log.end(),
                                                   [](const std::string& line) { return line.rfind("wrd ", 0) == 0; }),
                  c.made);
        EXPECT_EQ(mode->IsWrdOpen() != 0, c.shown);
        // The button still shows the script on request.
        mode->OpenWrd();
        EXPECT_EQ(mode->IsWrdOpen(), 1);
    }
}

TEST_F(FilePlayModeTest, ScriptBesideAWaveSongIsNotUsed) {
    gSettings.file.WrdView = 1;
    auto mode = MakeMode({"C:\\Music\\wave.wav"});
    mode->Activate();
    mode->OpenWrd();
    EXPECT_EQ(mode->IsWrdOpen(), 0);
    EXPECT_EQ(mode->GetPanelFlags() & kPanelWrd, 0);
}

TEST_F(FilePlayModeTest, AutomaticTextOpensTheDocumentOnTheFirstOpen) {
    gSettings.file.TextOpen = 1;
    auto mode = MakeMode({"C:\\Music\\song.mid", "C:\\Music\\tune.mp3"});
    mode->Activate();
    ASSERT_EQ(std::count(parts->log.begin(), parts->log.end(), "text C:\\Music\\song.DOC"), 1);
    EXPECT_EQ(mode->IsTextOpen(), 1);
    EXPECT_NE(mode->GetPanelFlags() & kPanelText, 0);
    // Without TextClose the viewer stays while the next song (without a text) plays.
    mode->Next();
    EXPECT_EQ(mode->IsTextOpen(), 1);
    mode->CloseText();
    EXPECT_EQ(mode->IsTextOpen(), 0);
}

TEST_F(FilePlayModeTest, TextIsOpenedOnRequestAndPrefersTheTxtWhenNoDocument) {
    files.Remove("C:\\Music\\song.doc");
    auto mode = MakeMode({"C:\\Music\\song.mid"});
    mode->OpenText();  // no song yet
    EXPECT_EQ(mode->IsTextOpen(), 0);
    mode->Activate();
    EXPECT_EQ(mode->IsTextOpen(), 0);
    mode->OpenText();
    EXPECT_EQ(parts->log.back(), "text C:\\Music\\song.TXT");
    EXPECT_EQ(mode->IsTextOpen(), 1);
}

TEST_F(FilePlayModeTest, DropWrapsAPositionPastTheNewEndToTheFirstSongStopped) {
    auto mode =
        MakeMode({"C:\\Music\\a.mid", "C:\\Music\\b.mid", "C:\\Music\\c.mid", "C:\\Music\\d.mid", "C:\\Music\\e.mid"});
    mode->Activate();
    mode->Select(4);
    mode->Play();
    ASSERT_EQ(mode->GetCurrentPosition(), 4);
    ASSERT_EQ(mode->GetState(), kModePlay);

    mode->DropFiles(ListOf({"C:\\Drop\\x.mid", "C:\\Drop\\y.mid"}));
    EXPECT_EQ(mode->GetQueueLength(), 2);
    EXPECT_EQ(mode->GetCurrentPosition(), 0);
    EXPECT_EQ(mode->GetState(), kModeStop);
    EXPECT_EQ(Opens().back(), "mci C:\\Drop\\x.mid");
    EXPECT_EQ(mode->Names().Count(), 2);
}

TEST_F(FilePlayModeTest, DropInRandomOrderShufflesTheNewSongs) {
    gSettings.play.FilePlayMode = kPlayRandom;
    auto mode = MakeMode({"C:\\Music\\a.mid"});
    mode->random = [] { return 1; };
    mode->DropFiles(ListOf({"C:\\Drop\\x.mid", "C:\\Drop\\y.mid", "C:\\Drop\\z.mid"}));
    ASSERT_EQ(mode->GetQueueLength(), 3);
    // Each step a exchanges order[a] with order[a + 1 mod (n - a)]: 1, 2, 0.
    SongEntry song;
    mode->GetSongAt(song, 0);
    EXPECT_STREQ(song.path, "C:\\Drop\\y.mid");
    mode->GetSongAt(song, 2);
    EXPECT_STREQ(song.path, "C:\\Drop\\x.mid");
}

TEST_F(FilePlayModeTest, SettingsComeBackAfterConstructionAndDestruction) {
    gSettings.file.SaveSong = 1;
    gSettings.file.LastSong = 2;
    gSettings.play.FilePlayMode = kPlayRepeat;
    CopyShiftJis(gSettings.file.LastDirectory, kPathBytes, "C:\\Start");
    gSettings.file.FilterIndex = 3;
    {
        auto mode = MakeMode({"C:\\Music\\a.mid", "C:\\Music\\b.mid", "C:\\Music\\c.mid"});
        mode->Activate();
        EXPECT_EQ(mode->GetCurrentPosition(), 2);
        EXPECT_EQ(mode->GetPlayMode(), kPlayRepeat);

        parts->dialogAnswer.accepted = true;
        const std::string picked("C:\\Picked\0p.mid\0q.mid\0\0", 23);
        parts->dialogAnswer.buffer.assign(picked.begin(), picked.end());
        parts->dialogAnswer.filterIndex = 2;
        parts->dialogAnswer.currentDirectory = "C:\\Picked";
        EXPECT_EQ(mode->OpenSource(), 1);
        EXPECT_EQ(std::count(parts->log.begin(), parts->log.end(), "dialog C:\\Start 3"), 1);
        EXPECT_EQ(mode->GetQueueLength(), 2);
        mode->Select(1);
        mode->SetPlayMode(kPlayRandomRepeat);
    }
    EXPECT_EQ(gSettings.file.LastSong, 1);
    EXPECT_STREQ(gSettings.file.LastDirectory, "C:\\Picked");
    EXPECT_EQ(gSettings.file.FilterIndex, 2);
    EXPECT_EQ(gSettings.play.FilePlayMode, kPlayRandomRepeat);
    ASSERT_EQ(history.Count(), 2);
    EXPECT_STREQ(history.StringAt(0), "C:\\Picked\\p.mid");
    EXPECT_STREQ(history.StringAt(1), "C:\\Picked\\q.mid");
}

TEST_F(FilePlayModeTest, OutOfRangeSettingsStartAtTheFirstSongInListOrder) {
    gSettings.file.SaveSong = 1;
    gSettings.file.LastSong = 99;
    gSettings.play.FilePlayMode = 7;
    auto mode = MakeMode({"C:\\Music\\a.mid", "C:\\Music\\b.mid"});
    mode->Activate();
    EXPECT_EQ(mode->GetCurrentPosition(), 0);
    EXPECT_EQ(mode->GetPlayMode(), kPlayNormal);
}

TEST_F(FilePlayModeTest, CancelledOpenDialogChangesNothing) {
    CopyShiftJis(gSettings.file.LastDirectory, kPathBytes, "C:\\Start");
    auto mode = MakeMode({"C:\\Music\\a.mid"});
    mode->Activate();
    EXPECT_EQ(mode->OpenSource(), 0);
    EXPECT_EQ(mode->GetQueueLength(), 1);
    EXPECT_EQ(mode->Names().Count(), 1);
    mode.reset();
    EXPECT_STREQ(gSettings.file.LastDirectory, "C:\\Start");
    EXPECT_EQ(gSettings.file.FilterIndex, 1);
}

TEST_F(FilePlayModeTest, EditListChangesNothingForNow) {
    auto mode = MakeMode({"C:\\Music\\a.mid"});
    mode->Activate();
    EXPECT_EQ(mode->EditList(), 0);
    EXPECT_EQ(mode->GetQueueLength(), 1);
}

TEST_F(FilePlayModeTest, ListsChosenInTheSelectionDialogArePlayedInTheOrderGiven) {
    files.AddFile("C:\\Lists\\one.rpl", std::string("Melodrix2.0 PlayList,One\r\nC:\\Music\\b.mid\r\n"));
    files.AddFile("C:\\Lists\\two.rpl", std::string("Melodrix2.0 PlayList,Two\r\nC:\\Music\\c.mid\r\n"));
    auto mode = MakeMode({"C:\\Music\\a.mid"});
    mode->Activate();
    int calls = 0;
    mode->SelectPlayLists = [&](StringList& names) {
        ++calls;
        EXPECT_EQ(names.Count(), 1);  // the dialog starts from the names played now
        if (calls == 1) {
            names.InsertString(-1, "ignored: the dialog was cancelled");
            return 0;
        }
        names = ListOf({"C:\\Lists\\two.rpl", "C:\\Lists\\one.rpl"});
        return 1;
    };
    EXPECT_EQ(mode->EditList(), 0);
    EXPECT_EQ(mode->Names().Count(), 1);
    EXPECT_EQ(mode->EditList(), 1);
    ASSERT_EQ(mode->GetQueueLength(), 2);
    SongEntry song;
    mode->GetSongAt(song, 0);
    EXPECT_STREQ(song.path, "C:\\Music\\c.mid");
    EXPECT_STREQ(song.listTitle, "Two");
    mode->GetSongAt(song, 1);
    EXPECT_STREQ(song.path, "C:\\Music\\b.mid");
}

}  // namespace
