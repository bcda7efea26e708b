// The CD device against a scripted MCI: the drive and its disc identifier, tracks, positions in
// TMSF, the one notification when a track runs into the next, and MCI errors.
#include "devices/CdAudioDevice.h"

#include <gtest/gtest.h>

#include <climits>

#include "devices/CdTime.h"
#include "tests/support/FakeMciPort.h"

namespace {

OwnerWindow const kOwner = reinterpret_cast<OwnerWindow>(0x4321);

constexpr std::uint32_t Tmsf(std::uint32_t track, std::uint32_t minutes, std::uint32_t seconds, std::uint32_t frames) {
    return frames << 24 | seconds << 16 | minutes << 8 | track;
}

class CdAudioDeviceTest : public ::testing::Test {
protected:
    CdAudioDeviceTest() : device(kOwner, mci, notifier) {
        // 12 tracks of 3:00 ... 3:55 on a disc of 45:30:10.
        FakeMedium& disc = mci.media["D:"];
        disc.deviceType = kDeviceTypeCdAudio;
        disc.discLengthMsf = 10 << 16 | 30 << 8 | 45;
        disc.discLengthMs = 2730133;
        for (std::uint32_t track = 1; track <= 12; ++track) {
            disc.trackLengthMs.push_back(180000 + track * 5000);
        }
        disc.positionTmsf = Tmsf(1, 0, 0, 0);
    }
    FakeMedium& Disc() { return mci.media["D:"]; }

    FakeMciPort mci;
    FakeOwnerNotifier notifier;
    CdAudioDevice device;
};

TEST_F(CdAudioDeviceTest, OpenDriveReadsTheDiscIdentifier) {
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    EXPECT_EQ(mci.log.front(), "opencd D:");
    EXPECT_EQ(device.deviceType, kDeviceTypeCdAudio);
    EXPECT_TRUE(device.MediaPresent());
    EXPECT_EQ(device.DiscId(), 0x0A1E2D0Cu);
    EXPECT_EQ(device.DiscId() & 0xFF, 12u);
    EXPECT_EQ(device.DiscLengthMs(), 2730133u);
    EXPECT_EQ(mci.TimeFormat(device.MciId()), kMciFormatTmsf);
}

TEST_F(CdAudioDeviceTest, DriveThatDoesNotOpenLeavesEverythingClosed) {
    EXPECT_EQ(device.OpenDrive("Q:"), 0);
    EXPECT_EQ(device.OpenDrive(nullptr), 0);
    EXPECT_EQ(device.isOpen, 0);
    EXPECT_EQ(device.CheckMedia(), 0);
    EXPECT_EQ(device.Open("0"), 0);
    EXPECT_EQ(device.Play(), 0);
    EXPECT_EQ(device.Stop(), 0);
    EXPECT_EQ(device.Eject(), 0);
    EXPECT_EQ(device.GetMode(), kModeNotReady);
    EXPECT_EQ(mci.OpenCount(), 0u);
}

TEST_F(CdAudioDeviceTest, DiscComingAndGoingIsSeenByCheckMedia) {
    Disc().mediaPresent = 0;
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    EXPECT_EQ(device.DiscId(), 0u);
    EXPECT_EQ(device.Open("0"), 0);
    Disc().mediaPresent = 1;
    EXPECT_EQ(device.CheckMedia(), 1);
    EXPECT_EQ(device.DiscId(), 0x0A1E2D0Cu);
    Disc().mediaPresent = 0;
    EXPECT_EQ(device.CheckMedia(), 0);
    EXPECT_EQ(device.DiscId(), 0u);
    EXPECT_EQ(device.DiscLengthMs(), 0u);
    Disc().mediaPresent = 1;
    mci.failing.insert("status.5");
    EXPECT_EQ(device.CheckMedia(), 0);
}

TEST_F(CdAudioDeviceTest, CheckMediaAfterCloseDoesNotAskTheDrive) {
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    ASSERT_EQ(device.Open("0"), 1);
    device.Close();
    const int asked = mci.Count("status 5");
    EXPECT_EQ(device.CheckMedia(), 0);
    EXPECT_EQ(mci.Count("status 5"), asked);
}

TEST_F(CdAudioDeviceTest, OpenTakesTheZeroBasedTrackIndex) {
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    mci.log.clear();
    ASSERT_EQ(device.Open("0"), 1);
    EXPECT_EQ(device.CurrentTrack(), 1u);
    EXPECT_EQ(device.lengthMs, 185000);
    EXPECT_EQ(mci.Count("seek"), 0) << "already at track 1";
    ASSERT_EQ(device.Open("2"), 1);
    EXPECT_EQ(device.CurrentTrack(), 3u);
    EXPECT_EQ(device.lengthMs, 195000);
    EXPECT_EQ(Disc().positionTmsf, 3u) << "sought to the start of track 3";
    EXPECT_EQ(mci.TimeFormat(device.MciId()), kMciFormatTmsf);
    ASSERT_EQ(device.Open("11"), 1);
    EXPECT_EQ(device.CurrentTrack(), 12u);
}

TEST_F(CdAudioDeviceTest, TracksThatAreNotOnTheDiscAreRefused) {
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    ASSERT_EQ(device.Open("1"), 1);
    const char* const texts[] = {"12", "99", "-1", "", "abc", "1x", " 1", "4294967296", nullptr};
    for (const char* text : texts) {
        EXPECT_EQ(device.Open(text), 0) << (text ? text : "(null)");
        EXPECT_EQ(device.CurrentTrack(), 2u);
        EXPECT_EQ(device.lengthMs, 190000);
    }
    mci.failing.insert("status.1");
    EXPECT_EQ(device.Open("5"), 0);
    EXPECT_EQ(Disc().positionTmsf, 2u) << "a refused track does not move the disc";
}

TEST_F(CdAudioDeviceTest, DiscWithoutTracksOpensNone) {
    Disc().trackLengthMs.clear();
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    EXPECT_EQ(device.DiscId(), 0x0A1E2D00u);
    EXPECT_EQ(device.Open("0"), 0);
    EXPECT_EQ(device.Seek(1000), 0);
    EXPECT_EQ(device.GetPosition(), 0);
}

TEST_F(CdAudioDeviceTest, RunningIntoTheNextTrackNotifiesOnce) {
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    ASSERT_EQ(device.Open("2"), 1);
    ASSERT_EQ(device.Play(), 1);
    EXPECT_EQ(mci.log.back(), "play notify=" + std::to_string(0x4321) + " to=0");
    Disc().positionTmsf = Tmsf(3, 1, 2, 15);
    EXPECT_EQ(device.GetPosition(), 62200);
    EXPECT_TRUE(notifier.sent.empty());
    Disc().positionTmsf = Tmsf(4, 0, 0, 10);
    EXPECT_EQ(device.GetPosition(), 195000);
    ASSERT_EQ(notifier.sent.size(), 1u);
    EXPECT_EQ(notifier.sent[0].owner, kOwner);
    EXPECT_EQ(notifier.sent[0].wParam, kNotifySuccessful);
    EXPECT_EQ(notifier.sent[0].lParam, device.MciId());
    EXPECT_EQ(device.GetPosition(), 195000);
    EXPECT_EQ(notifier.sent.size(), 1u);
    // The next track opened may end again.
    ASSERT_EQ(device.Open("3"), 1);
    Disc().positionTmsf = Tmsf(5, 0, 0, 0);
    device.GetPosition();
    EXPECT_EQ(notifier.sent.size(), 2u);
}

TEST_F(CdAudioDeviceTest, LastTrackAndClosedTrackNeverNotify) {
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    Disc().positionTmsf = Tmsf(9, 0, 0, 0);
    EXPECT_EQ(device.GetPosition(), 0) << "no track opened yet";
    ASSERT_EQ(device.Open("11"), 1);
    Disc().positionTmsf = Tmsf(13, 0, 0, 0);
    EXPECT_EQ(device.GetPosition(), 240000);
    ASSERT_EQ(device.Open("0"), 1);
    device.Close();
    Disc().positionTmsf = Tmsf(2, 0, 0, 0);
    EXPECT_EQ(device.GetPosition(), 0);
    EXPECT_TRUE(notifier.sent.empty());
}

TEST_F(CdAudioDeviceTest, SeekStaysInTheCurrentTrack) {
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    ASSERT_EQ(device.Open("2"), 1);
    const struct {
        std::uint32_t ms, tmsf;
        int position;
    } cases[] = {
        {61500, Tmsf(3, 1, 1, 37), 61493},
        {0, Tmsf(3, 0, 0, 0), 0},
        {195000, Tmsf(3, 3, 15, 0), 195000},
        {UINT_MAX, Tmsf(3, 3, 15, 0), 195000},  // clamped, not wrapped round the minutes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(device.Seek(c.ms), c.position) << c.ms;
        EXPECT_EQ(Disc().positionTmsf, c.tmsf) << c.ms;
    }
}

TEST_F(CdAudioDeviceTest, StopReturnsToTheTrackStartAndEjectOpensTheTray) {
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    ASSERT_EQ(device.Open("4"), 1);
    Disc().positionTmsf = Tmsf(5, 2, 0, 0);
    EXPECT_EQ(device.Stop(), 1);
    EXPECT_EQ(Disc().positionTmsf, Tmsf(5, 0, 0, 0));
    mci.log.clear();
    EXPECT_EQ(device.Eject(), 1);
    EXPECT_EQ(mci.log.front(), "stop");
    EXPECT_EQ(mci.log.back(), "door open");
    EXPECT_EQ(device.CloseDoor(), 1);
    EXPECT_EQ(mci.log.back(), "door closed");
    mci.failing.insert("door");
    EXPECT_EQ(device.Eject(), 0);
}

TEST_F(CdAudioDeviceTest, MciErrorsGiveZeroes) {
    mci.failing = {"status.3", "caps"};
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    EXPECT_EQ(device.deviceType, 0);
    EXPECT_EQ(device.DiscId(), 0x0A1E2D00u) << "length known, track count not";
    EXPECT_EQ(device.Open("0"), 0);

    mci.failing = {"status.2", "status.4", "play", "pause"};
    EXPECT_EQ(device.OpenDrive("D:"), 1);
    ASSERT_EQ(device.Open("0"), 1);
    EXPECT_EQ(device.GetPosition(), 0);
    EXPECT_EQ(device.GetMode(), kModeNotReady);
    EXPECT_EQ(device.Play(), 0);
    EXPECT_EQ(device.Pause(), 0);
}

TEST_F(CdAudioDeviceTest, DriveIsClosedOnceWhenTheDeviceGoes) {
    {
        CdAudioDevice other(kOwner, mci, notifier);
        ASSERT_EQ(other.OpenDrive("D:"), 1);
        ASSERT_EQ(other.OpenDrive("D:"), 1);
        EXPECT_EQ(mci.OpenCount(), 1u);
        other.CloseDrive();
        EXPECT_EQ(other.CheckMedia(), 0);
        ASSERT_EQ(other.OpenDrive("D:"), 1);
    }
    EXPECT_EQ(mci.OpenCount(), 0u);
    EXPECT_EQ(mci.Count("close"), 3);
}

}  // namespace
