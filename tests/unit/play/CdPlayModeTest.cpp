// The CD play mode against a scripted MCI drive: choosing the drive, the disc's list file on first
// sight (with the version-1 take-over), discs coming and going, the tray, and the settings kept.
#include "play/CdPlayMode.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "app/Settings.h"
#include "app/containers/ShiftJis.h"
#include "songfiles/IniProfileReader.h"
#include "tests/support/FakeMciPort.h"
#include "tests/support/FakeVolumePort.h"
#include "tests/support/ScopedFileSystem.h"
#include "tests/support/SongFilesTestHelpers.h"
#include "tests/unit/play/PlayTestFakes.h"

namespace {

constexpr char kListPath[] = "C:\\Melodrix\\0a1e2d0c.cdl";
constexpr char kIniPath[] = "C:\\WINDOWS\\Melodrix.ini";
// ﾄﾗｯｸ in Shift-JIS.
constexpr char kTrackWord[] = "\xC4\xD7\xAF\xB8";

class FakeDrives : public DriveQuery {
public:
    bool IsCdRom(char letter) override { return cdLetters.find(letter) != std::string::npos; }
    std::string cdLetters = "D";
};

// Files that exist but cannot be read (locked by another program, no permission).
class LockableFiles : public MemoryFileSystem {
public:
    bool ReadFile(const char* path, std::vector<std::uint8_t>& contents, std::size_t maxBytes) override {
        return !locked.count(path) && MemoryFileSystem::ReadFile(path, contents, maxBytes);
    }
    std::set<std::string> locked;
};

constexpr std::uint32_t Tmsf(std::uint32_t track, std::uint32_t minutes, std::uint32_t seconds) {
    return seconds << 16 | minutes << 8 | track;
}

class CdPlayModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettingsToDefaults();
        CopyShiftJis(gSettings.directory.CD, sizeof gSettings.directory.CD, "C:\\Melodrix");
        CopyShiftJis(gSettings.cd.LastDrive, sizeof gSettings.cd.LastDrive, "D:");
        files.AddDirectory("C:\\Melodrix");
        files.AddDirectory("C:\\WINDOWS");
        volumes.Add(VolumeDeviceKind::kAux).caps = {1, true};  // the CD audio line
        // 12 tracks on a disc of 45:30:10, identifier 0A1E2D0C.
        FakeMedium& disc = mci.media["D:"];
        disc.deviceType = kDeviceTypeCdAudio;
        disc.discLengthMsf = 10 << 16 | 30 << 8 | 45;
        disc.discLengthMs = 2730133;
        for (std::uint32_t track = 1; track <= 12; ++track) {
            disc.trackLengthMs.push_back(180000 + track * 5000);
        }
        disc.positionTmsf = Tmsf(1, 0, 0);
    }
    void TearDown() override { ResetSettingsToDefaults(); }

    std::unique_ptr<CdPlayMode> Make() {
        auto mode = std::make_unique<CdPlayMode>(owner, mci, notifier, drives);
        mode->volumePort = &volumes;
        return mode;
    }
    FakeMedium& Disc() { return mci.media["D:"]; }
    static void Tick(CdPlayMode& mode, int count) {
        for (int i = 0; i < count; ++i) {
            mode.HandleTimerMessage(kTimerMessage, 0, 0);
        }
    }
    static std::string Title(CdPlayMode& mode) {
        char title[512];
        mode.GetTitle(title, sizeof title);
        return title;
    }

    LockableFiles files;
    ScopedFileSystem fileScope{files};
    IniProfileReader profiles{"C:\\WINDOWS"};
    ScopedProfileReader profileScope{profiles};
    FakeMciPort mci;
    FakeOwnerNotifier notifier;
    FakeDrives drives;
    FakeVolumePort volumes;
    RecordingOwner owner;
};

TEST_F(CdPlayModeTest, TakesTheLastDriveOnlyWhenItIsACdRomDrive) {
    const struct {
        const char* lastDrive;
        const char* cdLetters;
        const char* expected;
    } cases[] = {
        {"D:", "DE", "D:"},  {"E:", "DE", "E:"},       {"C:", "EF", "E:"}, {"", "F", "F:"},
        {"e:\\", "E", "e:"}, {"D:\\Music", "D", "D:"}, {"Q:", "", ""},     {"?:", "A", "A:"},
    };
    for (const auto& c : cases) {
        CopyShiftJis(gSettings.cd.LastDrive, sizeof gSettings.cd.LastDrive, c.lastDrive);
        drives.cdLetters = c.cdLetters;
        EXPECT_STREQ(Make()->DriveLetter(), c.expected) << c.lastDrive;
    }
}

TEST_F(CdPlayModeTest, WithoutADriveTheModeStaysInactiveWithOnlyOpenAndEject) {
    drives.cdLetters = "";
    auto mode = Make();
    EXPECT_EQ(mode->Activate(), 0);
    EXPECT_FALSE(mode->IsActive());
    EXPECT_EQ(mode->GetQueueLength(), -1);
    EXPECT_EQ(mci.OpenCount(), 0u);
    EXPECT_EQ(mode->GetPanelFlags(), kPanelOpen | kPanelEject);
    EXPECT_EQ(mode->Eject(), 0);
    EXPECT_EQ(mode->OpenSource(), 0);
    EXPECT_EQ(mode->EditList(), 0);
    mode->Play();
    EXPECT_EQ(mci.Count("play"), 0);
}

TEST_F(CdPlayModeTest, FirstSightOfADiscWritesItsListWithTheDefaults) {
    auto mode = Make();
    EXPECT_EQ(mode->Activate(), 1);
    EXPECT_EQ(owner.Count("timer 50"), 1);
    EXPECT_EQ(mode->DiscId(), 0x0A1E2D0Cu);
    EXPECT_EQ(mode->GetQueueLength(), 12);
    EXPECT_EQ(mode->GetCurrentPosition(), 0);
    EXPECT_EQ(Title(*mode), std::string(kTrackWord) + "1");
    EXPECT_EQ(mode->GetState(), kModeStop);
    EXPECT_EQ(mode->GetSongLength(), 185000);
    EXPECT_EQ(mode->GetPanelFlags(), kPanelEject | kPanelList | kPanelOpen | 0x7F0);

    const std::string text = TextOf(files, kListPath);
    EXPECT_EQ(text.rfind("Melodrix2.0 CD List,,100,\r\nTrack1,", 0), 0u) << text;
    EXPECT_NE(text.find("Track12," + std::string(kTrackWord) + "12,,100,-300\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 10), "\r\n11\r\n12\r\n");
    char queueTitle[512];
    mode->GetQueueTitle(queueTitle, sizeof queueTitle, 11);
    EXPECT_EQ(std::string(queueTitle), std::string(kTrackWord) + "12");
}

TEST_F(CdPlayModeTest, FirstSightTakesOverTheVersion1SettingsOfTheDisc) {
    // The version-1 identifier of a 2730133 ms disc with 12 tracks is 091E2D0C (9 frames); the
    // section named after the new identifier must not be taken.
    PutFile(files, kIniPath,
            "[0a1e2d0c]\r\nListName=Wrong\r\n"
            "[091e2d0c]\r\nListName=Old Title\r\nAllVol=50\r\nTrack2=Intro,Composer,80,-20\r\n"
            "Num=1\r\n0=2\r\n1=0\r\n");
    auto mode = Make();
    mode->Activate();
    EXPECT_EQ(mode->GetQueueLength(), 12);
    SongEntry song;
    mode->CopyCurrentSong(song);
    EXPECT_STREQ(song.path, "2");
    EXPECT_STREQ(song.listTitle, "Old Title");
    EXPECT_STREQ(song.title, "Intro");
    EXPECT_STREQ(song.comment, "Composer");
    EXPECT_EQ(song.volume, 40);  // list 50 % of track 80 %
    EXPECT_EQ(song.balance, -20);
    EXPECT_EQ(song.origin, kOriginCdTrack);
    // The CD line's volume: full level at 40 %, the right side at 80 % of that.
    EXPECT_EQ(volumes.At(VolumeDeviceKind::kAux, 0).volume, Word(26214, 20971));

    const std::string text = TextOf(files, kListPath);
    EXPECT_EQ(text.rfind("Melodrix2.0 CD List,Old Title,50,\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("Track3,Intro,Composer,80,-20\r\n"), std::string::npos);
}

TEST_F(CdPlayModeTest, AnExistingListIsUsedAsItIsAndNeverRewritten) {
    PutFile(files, kIniPath, "[091e2d0c]\r\nListName=Old Title\r\n");
    const struct {
        const char* name;
        std::string contents;
        bool locked;
        int queueLength;
        const char* firstPath;
    } cases[] = {
        {"own order", "Melodrix2.0 CD List,Mine,100,\r\n3\r\n1\r\n", false, 2, "2"},
        {"unreadable", "Melodrix2.0 CD List,Mine,100,\r\n3\r\n", true, 12, "0"},
        {"bad magic", "Something else\r\n3\r\n", false, 12, "0"},
        {"empty", "", false, 12, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PutFile(files, kListPath, c.contents);
        files.locked.clear();
        if (c.locked) {
            files.locked.insert(kListPath);
        }
        auto mode = Make();
        mode->Activate();
        EXPECT_EQ(mode->GetQueueLength(), c.queueLength);
        SongEntry song;
        mode->CopyCurrentSong(song);
        EXPECT_STREQ(song.path, c.firstPath);
        EXPECT_STRNE(song.listTitle, "Old Title");
        EXPECT_EQ(TextOf(files, kListPath), c.contents);
    }
}

TEST_F(CdPlayModeTest, RemovingTheDiscStopsAndEmptiesTheQueueAndReinsertingRebuildsIt) {
    auto mode = Make();
    mode->Activate();
    mode->Select(3);
    mode->Play();
    ASSERT_EQ(Disc().mode, static_cast<std::uint32_t>(kModePlay));

    Disc().mediaPresent = 0;
    Tick(*mode, 10);
    EXPECT_TRUE(mode->IsActive());
    Tick(*mode, 1);
    EXPECT_EQ(Disc().mode, static_cast<std::uint32_t>(kModeStop));
    EXPECT_FALSE(mode->IsActive());
    EXPECT_EQ(mode->GetQueueLength(), -1);
    EXPECT_EQ(mode->DiscId(), 0u);
    EXPECT_EQ(Title(*mode), "");
    EXPECT_EQ(mode->GetPanelFlags(), kPanelOpen | kPanelEject);

    Disc().mediaPresent = 1;
    Tick(*mode, 11);
    EXPECT_TRUE(mode->IsActive());
    EXPECT_EQ(mode->GetQueueLength(), 12);
    EXPECT_EQ(mode->GetCurrentPosition(), 0);
    EXPECT_EQ(mode->GetState(), kModeStop);
    SongEntry song;
    mode->CopyCurrentSong(song);
    EXPECT_STREQ(song.path, "0");
    EXPECT_EQ(mode->DiscId(), 0x0A1E2D0Cu);
}

TEST_F(CdPlayModeTest, StopNeverClosesTheTrackSoTheDiscStaysWatched) {
    gSettings.play.StopClose = 1;
    auto mode = Make();
    mode->Activate();
    mode->Play();
    mode->Stop();
    EXPECT_EQ(mode->Device().isOpen, 1);
    EXPECT_EQ(mode->GetState(), kModeStop);
    Tick(*mode, 11);
    EXPECT_TRUE(mode->IsActive());
    EXPECT_EQ(mode->GetQueueLength(), 12);
}

TEST_F(CdPlayModeTest, EjectOpensTheTrayAndTheNextEjectClosesIt) {
    auto mode = Make();
    mode->Activate();
    mode->Play();
    EXPECT_EQ(mode->Eject(), 1);
    EXPECT_EQ(mci.Count("door open"), 1);
    EXPECT_EQ(Disc().mode, static_cast<std::uint32_t>(kModeStop));
    Disc().mediaPresent = 0;  // the tray is out
    EXPECT_EQ(mode->Eject(), 0);
    EXPECT_EQ(mci.Count("door closed"), 1);
    // Neither a disc nor a tray opened here: open it again.
    EXPECT_EQ(mode->Eject(), 1);
    EXPECT_EQ(mci.Count("door open"), 2);

    // A tray that refused to open is not closed on the next press.
    mode->Eject();
    mci.failing.insert("door");
    EXPECT_EQ(mode->Eject(), 0);
    mci.failing.clear();
    EXPECT_EQ(mode->Eject(), 1);
    EXPECT_EQ(mci.Count("door closed"), 2);
}

TEST_F(CdPlayModeTest, DestructionClosesTheDriveAndKeepsThePlayOrderAndDrive) {
    gSettings.play.CDPlayMode = 9;
    CopyShiftJis(gSettings.cd.LastDrive, sizeof gSettings.cd.LastDrive, "C:");
    drives.cdLetters = "D";
    {
        auto mode = Make();
        EXPECT_EQ(mode->GetPlayMode(), kPlayNormal);
        mode->Activate();
        mode->SetPlayMode(kPlayRandomRepeat);
        EXPECT_EQ(mci.OpenCount(), 1u);
    }
    EXPECT_EQ(mci.OpenCount(), 0u);
    EXPECT_EQ(gSettings.play.CDPlayMode, kPlayRandomRepeat);
    EXPECT_STREQ(gSettings.cd.LastDrive, "D:");
    EXPECT_EQ(owner.timers, 0);
}

TEST_F(CdPlayModeTest, DeactivateClosesTheDriveAndTheTimer) {
    auto mode = Make();
    mode->Activate();
    mode->Play();
    mode->Deactivate();
    EXPECT_FALSE(mode->IsActive());
    EXPECT_FALSE(mode->DriveOpen());
    EXPECT_EQ(mci.OpenCount(), 0u);
    EXPECT_EQ(owner.timers, 0);
    EXPECT_EQ(mode->GetPanelFlags(), kPanelOpen | kPanelEject);
    EXPECT_EQ(mode->Activate(), 1);
    EXPECT_EQ(mode->GetQueueLength(), 12);
}

TEST_F(CdPlayModeTest, OpenSourceAndEditListChangeNothingUntilTheirDialogsAnswerOk) {
    FakeMedium& other = mci.media["E:"];
    other = Disc();
    other.trackLengthMs.resize(5);
    other.discLengthMsf = 0x00001020;
    auto mode = Make();
    mode->Activate();
    EXPECT_EQ(mode->OpenSource(), 0);
    EXPECT_EQ(mode->EditList(), 0);
    EXPECT_EQ(mode->DiscId(), 0x0A1E2D0Cu);

    std::uint32_t editedDisc = 0;
    mode->EditCdList = [&editedDisc](CdPlayMode&, std::uint32_t discId) {
        editedDisc = discId;
        return 1;
    };
    EXPECT_EQ(mode->EditList(), 1);
    EXPECT_EQ(editedDisc, 0x0A1E2D0Cu);

    mode->ChooseCdDrive = [](CdPlayMode& chosen) {
        chosen.SetDriveLetter("E:");
        return 1;
    };
    EXPECT_EQ(mode->OpenSource(), 1);
    EXPECT_STREQ(mode->DriveLetter(), "E:");
    EXPECT_EQ(mci.OpenCount(), 1u);
    EXPECT_EQ(mode->DiscId(), 0x00102005u);
    EXPECT_EQ(mode->GetQueueLength(), 5);
    EXPECT_EQ(owner.timers, 1);
}

}  // namespace
