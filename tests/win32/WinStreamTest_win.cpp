// The WAVE and MP3 stream devices against Wine's real waveOut: which files they refuse (with
// everything released), the buffer layout they choose, and the play, pause, stop and seek rules.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "devices/Mp3FileDevice_win.h"
#include "devices/WaveFileDevice_win.h"
#include "tests/support/NotifyWindow_win.h"
#include "tests/support/WaveBytes.h"

namespace {

// The threads of this process, or whether one of them is among them.
int ThreadCount(DWORD only = 0) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        const bool ours = entry.th32OwnerProcessID == GetCurrentProcessId();
        count += ours && (only == 0 || entry.th32ThreadID == only) ? 1 : 0;
    }
    CloseHandle(snapshot);
    return count;
}

std::vector<std::uint8_t> Mp3Bytes(std::size_t junk, std::size_t audio, bool tag) {
    // An MPEG-1 Layer III header: 128 kbit/s, 44100 Hz, joint stereo.
    std::vector<std::uint8_t> file(junk, 0x20);
    const std::uint8_t header[] = {0xFF, 0xFB, 0x90, 0x44};
    file.insert(file.end(), header, header + 4);
    file.resize(file.size() + audio, 0);
    if (tag) {
        std::vector<std::uint8_t> id3(128, ' ');
        id3[0] = 'T';
        id3[1] = 'A';
        id3[2] = 'G';
        file.insert(file.end(), id3.begin(), id3.end());
    }
    return file;
}

class StreamDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "mxstream" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        gSettings.wave.BufferSize = 128;
        gSettings.wave.DeviceID = -1;
    }
    void TearDown() override {
        for (const std::string& file : files) {
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(folder.c_str());
    }
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = folder + "\\" + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        files.push_back(path);
        return path;
    }
    // One second of silent 16-bit stereo at 44100 Hz, cut to frames frames.
    std::string SilentWave(std::uint32_t frames = 44100) {
        return Write("silence.wav", WaveBytes().Pcm16Stereo44k().Data(frames * 4).Build());
    }
    // Wine's winmm and sound-server threads start with the first played song and stay; count
    // threads only once the sound server has played some of it.
    int ThreadCountAfterWarmUp() {
        WaveFileDevice device(owner.Owner());
        device.Open(SilentWave(4410).c_str());
        device.Play();
        EXPECT_TRUE(owner.PumpUntil([&device] { return device.GetPosition() > 0; }));
        device.Close();
        owner.notifications = 0;
        return ThreadCount();
    }
    static void ExpectClosed(WaveFileDevice& device) {
        EXPECT_EQ(device.isOpen, 0);
        EXPECT_EQ(device.GetMode(), kModeNotReady);
        EXPECT_EQ(device.lengthMs, 0);
        EXPECT_EQ(device.GetPosition(), 0);
        EXPECT_EQ(device.Play(), 0);
        EXPECT_EQ(device.Pause(), 0);
        EXPECT_EQ(device.Seek(100), 0);
    }

    std::string folder;
    std::vector<std::string> files;
    NotifyWindow owner;
};

TEST_F(StreamDeviceTest, RefusedFilesLeaveNothingBehind) {
    const int threadsBefore = ThreadCountAfterWarmUp();
    WaveBytes junkChunks;
    junkChunks.Pcm16Stereo44k();
    for (int i = 0; i < 11; ++i) {
        junkChunks.Chunk("junk", {1, 2});
    }
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> refused = {
        {"riffsize.wav", WaveBytes().Pcm16Stereo44k().Data(40000).Build(1)},
        {"elevenchunks.wav", junkChunks.Data(40000).Build()},
        {"nodata.wav", WaveBytes().Pcm16Stereo44k().Chunk("LIST", std::vector<std::uint8_t>(100)).Build()},
        {"unknowntag.wav", WaveBytes().Format(0x4321, 2, 44100, 4, 16, 18, 0).Data(40000).Build()},
        {"slowrate.wav", WaveBytes().Format(1, 1, 9, 1, 8).Data(4000).Build()},
        {"noblock.wav", WaveBytes().Format(1, 2, 44100, 0, 16).Data(4000).Build()},
        {"text.wav", std::vector<std::uint8_t>(500, 'x')},
    };
    WaveFileDevice device(owner.Owner());
    for (const auto& [name, bytes] : refused) {
        EXPECT_EQ(device.Open(Write(name, bytes).c_str()), 0) << name;
        ExpectClosed(device);
    }
    const std::string good = SilentWave();
    const std::string unc = "\\\\localhost\\share\\silence.wav";
    const std::string unixPath = "\\\\?\\" + good;  // a full path without a drive root
    for (const std::string& path : {unc, unixPath, folder + "\\missing.wav"}) {
        EXPECT_EQ(device.Open(path.c_str()), 0) << path;
        ExpectClosed(device);
    }
    Mp3FileDevice mp3(owner.Owner());
    EXPECT_EQ(mp3.Open(Write("late.mp3", Mp3Bytes(1021, 5000, false)).c_str()), 0);
    ExpectClosed(mp3);
    EXPECT_EQ(mp3.Open(good.c_str()), 0);  // a WAVE file has no frame header
    // No streaming thread is left behind: a leak would leave one per refused file, while Wine
    // may start one audio thread of its own.
    EXPECT_LE(ThreadCount(), threadsBefore + 1);
    // The device still opens a good file afterwards, with a thread of its own until closed.
    EXPECT_EQ(device.Open(good.c_str()), 1);
    const DWORD streamThread = device.StreamThreadId();
    EXPECT_EQ(ThreadCount(streamThread), 1);
    device.Close();
    ExpectClosed(device);
    EXPECT_EQ(ThreadCount(streamThread), 0);
}

TEST_F(StreamDeviceTest, BufferLayoutFollowsTheFrameSizeAndSetting) {
    WaveFileDevice device(owner.Owner());
    // 4-byte frames: 1028-byte buffers, and the tail short of a whole buffer is not played.
    ASSERT_EQ(device.Open(SilentWave(44100).c_str()), 1);
    EXPECT_EQ(device.BufferLength(), 1028u);
    EXPECT_EQ(device.DataLength(), 176400u / 1028 * 1028);
    EXPECT_EQ(device.DataStart(), 44u);
    EXPECT_EQ(device.lengthMs, 990);
    EXPECT_EQ(device.deviceType, kDeviceTypeWaveAudio);
    EXPECT_EQ(device.GetMode(), kModeStop);
    EXPECT_EQ(device.BufferCount(), 128u);
    const std::string listed =
        Write("list.wav",
              WaveBytes().Format(1, 1, 22050, 1, 8).Chunk("LIST", std::vector<std::uint8_t>(26)).Data(22050).Build());
    for (int count : {16, 2048}) {
        gSettings.wave.BufferSize = count;
        ASSERT_EQ(device.Open(listed.c_str()), 1);
        EXPECT_EQ(device.BufferCount(), static_cast<std::uint32_t>(count));
        EXPECT_EQ(device.BufferLength(), 1025u);
        EXPECT_EQ(device.DataStart(), 44u + 34u);
    }
    // A device id the system lacks falls back to the wave mapper.
    gSettings.wave.DeviceID = 99;
    ASSERT_EQ(device.Open(listed.c_str()), 1);
    EXPECT_EQ(device.OutputDevice(), -1);
}

TEST_F(StreamDeviceTest, Mp3StartsAtTheFrameAndLeavesTheTagOut) {
    Mp3FileDevice device(owner.Owner());
    ASSERT_EQ(device.Open(Write("tagged.mp3", Mp3Bytes(100, 32000, true)).c_str()), 1);
    EXPECT_EQ(device.DataStart(), 100u);
    EXPECT_EQ(device.BufferLength(), 1025u);
    EXPECT_EQ(device.DataLength(), (4u + 32000) / 1025 * 1025);
    EXPECT_EQ(device.lengthMs, 1980);  // 31775 bytes at 16000 bytes/s, in 10 ms steps
    ASSERT_EQ(device.Open(Write("untagged.mp3", Mp3Bytes(0, 32796, false)).c_str()), 1);
    EXPECT_EQ(device.DataLength(), 32800u / 1025 * 1025);
}

TEST_F(StreamDeviceTest, EndOfSongIsPostedOnceToTheOwner) {
    WaveFileDevice device(owner.Owner());
    ASSERT_EQ(device.Open(SilentWave(22050).c_str()), 1);
    const DWORD start = GetTickCount();
    ASSERT_EQ(device.Play(), 1);
    EXPECT_EQ(device.GetMode(), kModePlay);
    owner.Pump(3000, 1);
    ASSERT_EQ(owner.notifications, 1);
    EXPECT_GE(owner.lastTick - start, 400u);  // after the half second has played, not before
    EXPECT_EQ(owner.lastWParam, kNotifySuccessful);
    EXPECT_EQ(owner.lastLParam, 0);
    owner.Pump(500);
    EXPECT_EQ(owner.notifications, 1);
    EXPECT_EQ(device.GetMode(), kModePlay);  // until the owner reacts
    EXPECT_EQ(device.Stop(), 1);
    EXPECT_EQ(device.GetMode(), kModeStop);
}

TEST_F(StreamDeviceTest, StopKeepsThePositionAndPauseDoesNotMoveIt) {
    WaveFileDevice device(owner.Owner());
    ASSERT_EQ(device.Open(SilentWave(88200).c_str()), 1);
    ASSERT_EQ(device.Play(), 1);
    // The sound server may start the stream late, the more so when loaded: the play is timed
    // from the first position it reports.
    ASSERT_TRUE(owner.PumpUntil([&device] { return device.GetPosition() > 0; }));
    const int started = device.GetPosition();
    owner.Pump(400);
    ASSERT_EQ(device.Pause(), 1);
    EXPECT_EQ(device.GetMode(), kModePause);
    const int paused = device.GetPosition();
    EXPECT_GT(paused - started, 200);
    owner.Pump(300);
    EXPECT_LE(device.GetPosition() - paused, 20);
    // Stop from pause keeps the position where that play started.
    EXPECT_EQ(device.Stop(), 1);
    EXPECT_EQ(device.GetPosition(), 0);
    // Stop while playing keeps the position reached: at least most of the time played since the
    // stream started, and never far ahead of the time since Play.
    const DWORD playTick = GetTickCount();
    ASSERT_EQ(device.Play(), 1);
    ASSERT_TRUE(owner.PumpUntil([&device] { return device.GetPosition() > 0; }));
    const int restarted = device.GetPosition();
    owner.Pump(500);
    device.Stop();
    const int stopped = device.GetPosition();
    EXPECT_GT(stopped - restarted, 300);
    EXPECT_LT(stopped, static_cast<int>(GetTickCount() - playTick) + 400);
    EXPECT_EQ(device.StartOffset() % 4, 0u);
    ASSERT_EQ(device.Play(), 1);
    owner.Pump(200);
    EXPECT_GE(device.GetPosition(), stopped);
    EXPECT_EQ(owner.notifications, 0);
}

TEST_F(StreamDeviceTest, PauseFromStopPrimesAndPlayResumes) {
    WaveFileDevice device(owner.Owner());
    ASSERT_EQ(device.Open(SilentWave(44100).c_str()), 1);
    ASSERT_EQ(device.Pause(), 1);
    EXPECT_EQ(device.GetMode(), kModePause);
    // Starting and pausing at once lets at most one period of the sound server through.
    owner.Pump(100);
    const int paused = device.GetPosition();
    EXPECT_LE(paused, 150);
    owner.Pump(300);
    EXPECT_EQ(device.GetPosition(), paused);
    ASSERT_EQ(device.Play(), 1);
    owner.Pump(3000, 1);
    EXPECT_EQ(owner.notifications, 1);
}

TEST_F(StreamDeviceTest, SeekStopsAtTheAlignedPositionAndPastTheEndEndsAtOnce) {
    WaveFileDevice device(owner.Owner());
    ASSERT_EQ(device.Open(SilentWave(88200).c_str()), 1);
    ASSERT_EQ(device.Play(), 1);
    owner.Pump(200);
    EXPECT_EQ(device.Seek(1234), 1230);
    EXPECT_EQ(device.GetMode(), kModeStop);
    EXPECT_EQ(device.GetPosition(), 1230);
    EXPECT_EQ(device.StartOffset(), 1230u * 1764 / 10);
    owner.Pump(200);
    EXPECT_EQ(device.GetPosition(), 1230);
    // Past the end: the position is the end, and Play reports the end at once.
    EXPECT_EQ(device.Seek(60000), device.lengthMs);
    ASSERT_EQ(device.Play(), 1);
    owner.Pump(200, 1);
    EXPECT_EQ(owner.notifications, 1);
    EXPECT_EQ(device.GetMode(), kModePlay);
}

TEST_F(StreamDeviceTest, CloseWhilePlayingEndsTheThreadQuickly) {
    gSettings.wave.BufferSize = 2048;
    DWORD streamThreads[2] = {};
    {
        WaveFileDevice wave(owner.Owner());
        ASSERT_EQ(wave.Open(SilentWave(88200).c_str()), 1);
        ASSERT_EQ(wave.Play(), 1);
        streamThreads[0] = wave.StreamThreadId();
        owner.Pump(300);
        const DWORD start = GetTickCount();
        wave.Close();
        EXPECT_LT(GetTickCount() - start, 1500u);
        ExpectClosed(wave);
        ASSERT_EQ(wave.Open(SilentWave(88200).c_str()), 1);
        ASSERT_EQ(wave.Play(), 1);
        streamThreads[1] = wave.StreamThreadId();
        owner.Pump(100);
    }  // the destructor closes the playing song
    EXPECT_EQ(ThreadCount(streamThreads[0]) + ThreadCount(streamThreads[1]), 0);
    EXPECT_EQ(owner.notifications, 0);
}

}  // namespace
