// The MCI devices and the volume control on Wine's MCI and volume functions. Wine's sequencer
// opens a MIDI file (and so a converted Recomposer song) and knows its length but has no MIDI
// output, so positions do not advance;
// the bench's D: is a CD-ROM drive with no audio disc; volume by device id is refused.
#include <windows.h>

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "devices/CdAudioDevice.h"
#include "devices/DeviceVolume.h"
#include "devices/MciFileDevice.h"
#include "devices/OwnerNotifier.h"
#include "devices/TempFilePort.h"
#include "devices/VolumePort.h"
#include "tests/support/RcpSongBuilder.h"
#include "tests/support/SmfBuilder.h"

namespace {

// A folder of its own under the temporary folder, removed with its files afterwards.
class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        path = std::string(base) + "mxmci" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~TempFolder() {
        for (const std::string& file : files) {
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(path.c_str());
    }
    std::string Write(const char* name, const std::string& bytes) {
        const std::string file = path + "\\" + name;
        if (FILE* out = std::fopen(file.c_str(), "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            std::fclose(out);
        }
        files.push_back(file);
        return file;
    }

private:
    std::string path;
    std::vector<std::string> files;
};

// Two seconds: four quarters at 120 beats per minute, 96 ticks each.
const std::string kTwoSecondSong = TinySmf(96, 4 * 96);

TEST(WinMciFileDevice, SequencerOpensAGeneratedMidiFile) {
    TempFolder folder;
    const std::string song = folder.Write("song.mid", kTwoSecondSong);
    MciFileDevice device(nullptr);
    ASSERT_EQ(device.Open(song.c_str()), 1);
    EXPECT_NE(device.MciId(), 0u);
    EXPECT_EQ(device.deviceType, MCI_DEVTYPE_SEQUENCER);
    EXPECT_NEAR(device.lengthMs, 2000, 5);
    EXPECT_EQ(device.timebase, 96);
    EXPECT_TRUE(device.HasSongInfo());
    EXPECT_EQ(device.GetMode(), MCI_MODE_STOP);
    EXPECT_EQ(device.GetPosition(), 0);
    MeasurePosition position;
    ASSERT_EQ(device.MeasureToPosition(position, 1), 1);
    EXPECT_EQ(position.tick, 384u);
    device.Close();
    EXPECT_EQ(device.GetMode(), MCI_MODE_NOT_READY);
    EXPECT_EQ(device.MciId(), 0u);
}

TEST(WinMciFileDevice, SeekIsClampedToTheSong) {
    TempFolder folder;
    const std::string song = folder.Write("seek.mid", kTwoSecondSong);
    MciFileDevice device(nullptr);
    ASSERT_EQ(device.Open(song.c_str()), 1);
    EXPECT_EQ(device.Seek(100000), device.lengthMs - 1);
    EXPECT_EQ(device.Seek(0xFFFFFFFFu), device.lengthMs - 1);
    EXPECT_EQ(device.Seek(500), 500);
    EXPECT_NEAR(device.GetPosition(), 500, 2);
}

// The song position MCI itself reports in its song-pointer format, asked directly on the id.
std::uint32_t SongPointerPosition(std::uint32_t id) {
    MCI_SET_PARMS format = {};
    format.dwTimeFormat = MCI_SEQ_FORMAT_SONGPTR;
    mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&format));
    MCI_STATUS_PARMS status = {};
    status.dwItem = MCI_STATUS_POSITION;
    mciSendCommandA(id, MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&status));
    format.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
    mciSendCommandA(id, MCI_SET, MCI_SET_TIME_FORMAT, reinterpret_cast<DWORD_PTR>(&format));
    return static_cast<std::uint32_t>(status.dwReturn);
}

TEST(WinMciFileDevice, TickPositionIsTheSongPointerTimesTimebaseOverFour) {
    TempFolder folder;
    const std::string song = folder.Write("tick.mid", kTwoSecondSong);
    MciFileDevice device(nullptr);
    ASSERT_EQ(device.Open(song.c_str()), 1);
    EXPECT_EQ(device.GetTickPosition(), 0);
    ASSERT_EQ(device.Seek(1000), 1000);
    const std::uint32_t songPointer = SongPointerPosition(device.MciId());
    // Wine's sequencer keeps answering milliseconds in the song-pointer format (8 sixteenths
    // would be right), so only the arithmetic on its answer can be checked here.
    std::printf("song pointer at 1000 ms: %lu, length %lu\n", static_cast<unsigned long>(songPointer),
                static_cast<unsigned long>(device.songPointerLength));
    EXPECT_EQ(device.GetTickPosition(), static_cast<int>(songPointer * 96 / 4));
    // The tick query leaves the device in milliseconds.
    EXPECT_NEAR(device.GetPosition(), 1000, 2);
}

TEST(WinMciFileDevice, PlayPauseStopAnswerThoughNothingSounds) {
    TempFolder folder;
    const std::string song = folder.Write("play.mid", kTwoSecondSong);
    MciFileDevice device(nullptr);
    ASSERT_EQ(device.Open(song.c_str()), 1);
    EXPECT_EQ(device.Pause(), 1);
    EXPECT_EQ(device.GetMode(), MCI_MODE_PAUSE);
    EXPECT_EQ(device.Play(), 1);
    EXPECT_EQ(device.GetMode(), MCI_MODE_PLAY);
    EXPECT_EQ(device.Stop(), 1);
    EXPECT_EQ(device.GetMode(), MCI_MODE_STOP);
    EXPECT_EQ(device.GetPosition(), 0);
}

// Wine's MCI knows no driver for .smf; the bench's prefix is thrown away after the run, so the
// test maps the extension to the sequencer for as long as it needs it.
class SmfExtensionMapping {
public:
    SmfExtensionMapping() {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key, "smf", 0, REG_SZ, reinterpret_cast<const BYTE*>("sequencer"), 10);
        }
    }
    ~SmfExtensionMapping() {
        if (key) {
            RegDeleteValueA(key, "smf");
            RegCloseKey(key);
        }
    }

private:
    static constexpr const char* kKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions";
    HKEY key = nullptr;
};

TEST(WinMciFileDevice, SmfFileGetsNoMeasureInformation) {
    TempFolder folder;
    const std::string song = folder.Write("song.smf", kTwoSecondSong);
    SmfExtensionMapping mapping;
    MciFileDevice device(nullptr);
    ASSERT_EQ(device.Open(song.c_str()), 1);
    EXPECT_EQ(device.deviceType, MCI_DEVTYPE_SEQUENCER);
    EXPECT_NEAR(device.lengthMs, 2000, 5);
    EXPECT_FALSE(device.HasSongInfo());
    EXPECT_EQ(device.timebase, 0);
    ASSERT_EQ(device.Seek(1000), 1000);
    EXPECT_EQ(device.GetTickPosition(), 0);
    MeasurePosition position{7, 7, 7, 7};
    EXPECT_EQ(device.MeasureToPosition(position, 1), 0);
    EXPECT_EQ(position.tick, 7u);
}

// Two seconds of a Recomposer song: four quarter notes at 120 beats per minute, 48 ticks each.
std::string TwoSecondRcpSong(RcpLayout layout) {
    RcpSongBuilder song(layout);
    song.title = "Recomposer";
    std::string& events = song.AddTrack(0).events;
    for (int i = 0; i < 4; ++i) {
        events += song.Note(static_cast<std::uint8_t>(60 + i), 48, 40, 100);
    }
    events += song.End();
    return song.Build();
}

bool FileIsThere(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Wine has no MCI driver for Recomposer songs, just as today's Windows: they play converted.
TEST(WinMciFileDevice, RecomposerSongsPlayConvertedFromTheTemporaryFolder) {
    TempFolder folder;
    const std::string songs[] = {folder.Write("song.rcp", TwoSecondRcpSong(RcpLayout::kV2)),
                                 folder.Write("song.g36", TwoSecondRcpSong(RcpLayout::kV3))};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (const std::string& song : songs) {
        SCOPED_TRACE(song);
        MciFileDevice device(nullptr);
        ASSERT_EQ(device.Open(song.c_str()), 1);
        ASSERT_NE(device.ConvertedPath(), nullptr);
        const std::string converted = device.ConvertedPath();
        EXPECT_EQ(converted.rfind(std::string(temp) + "mxrcp", 0), 0u) << converted;
        EXPECT_TRUE(FileIsThere(converted.c_str()));
        EXPECT_EQ(device.deviceType, MCI_DEVTYPE_SEQUENCER);
        EXPECT_NEAR(device.lengthMs, 2000, 30);
        EXPECT_EQ(device.timebase, 48);
        // Measures from the Recomposer header, the tick from the sequencer: what a WRD script
        // beside the song is run by.
        MeasurePosition position;
        ASSERT_EQ(device.MeasureToPosition(position, 1), 1);
        EXPECT_EQ(position.tick, 192u);
        ASSERT_EQ(device.Seek(1000), 1000);
        const int tick = device.GetTickPosition();
        EXPECT_EQ(tick, static_cast<int>(SongPointerPosition(device.MciId()) * 48 / 4));
        ASSERT_EQ(device.PositionToMeasure(position, 288), 1);
        EXPECT_EQ(position.measure, 1u);
        EXPECT_EQ(device.Play(), 1);
        EXPECT_EQ(device.Stop(), 1);
        device.Close();
        EXPECT_FALSE(FileIsThere(converted.c_str())) << "the converted song is removed on close";
    }
}

TEST(WinTempFilePort, LeftoversGoExceptThoseOfRunningPlayers) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string leftover = std::string(temp) + "mxrcpDEADBEEF0001.mid";
    if (FILE* out = std::fopen(leftover.c_str(), "wb")) {
        std::fputs("MThd", out);
        std::fclose(out);
    }
    ASSERT_TRUE(FileIsThere(leftover.c_str()));
    const std::uint8_t bytes[] = {'M', 'T', 'h', 'd'};
    std::unique_ptr<TemporaryFile> held = SystemTempFilePort().Create(bytes, sizeof bytes, ".mid");
    ASSERT_NE(held, nullptr);
    SystemTempFilePort().RemoveLeftovers();
    EXPECT_FALSE(FileIsThere(leftover.c_str()));
    EXPECT_TRUE(FileIsThere(held->Path()));
    const std::string path = held->Path();
    held.reset();
    EXPECT_FALSE(FileIsThere(path.c_str()));
}

TEST(WinMciFileDevice, FilesMciCannotOpenAreRefused) {
    TempFolder folder;
    const std::string missing = folder.Write("placeholder.txt", "") + ".mid";
    const std::string unknown = folder.Write("noise.zzq", "not a song at all");
    MciFileDevice device(nullptr);
    EXPECT_EQ(device.Open(missing.c_str()), 0);
    EXPECT_EQ(device.Open(unknown.c_str()), 0);
    EXPECT_EQ(device.isOpen, 0);
    EXPECT_EQ(device.GetMode(), MCI_MODE_NOT_READY);
    EXPECT_EQ(device.Play(), 0);
}

TEST(WinCdAudioDevice, BenchDriveOpensWithADiscButNoTracks) {
    CdAudioDevice device(nullptr);
    ASSERT_EQ(device.OpenDrive("D:"), 1);
    EXPECT_NE(device.MciId(), 0u);
    EXPECT_EQ(device.deviceType, MCI_DEVTYPE_CD_AUDIO);
    EXPECT_EQ(device.CheckMedia(), 1);
    std::printf("disc id %08lx, %lu tracks, %lu ms\n", static_cast<unsigned long>(device.DiscId()),
                static_cast<unsigned long>(device.TrackCount()), static_cast<unsigned long>(device.DiscLengthMs()));
    // Wine cannot read a table of contents here, so there is no track to open.
    EXPECT_EQ(device.TrackCount(), 0u);
    EXPECT_EQ(device.Open("0"), 0);
    EXPECT_EQ(device.Seek(1000), 0);
    EXPECT_EQ(device.GetPosition(), 0);
    EXPECT_EQ(device.Stop(), 1);
    device.Close();
    EXPECT_EQ(device.Play(), 0);
    EXPECT_EQ(device.GetMode(), MCI_MODE_NOT_READY);
    EXPECT_EQ(device.CheckMedia(), 0) << "a closed device does not ask the drive";
}

TEST(WinCdAudioDevice, DriveThatIsNoCdDriveIsRefused) {
    CdAudioDevice device(nullptr);
    EXPECT_EQ(device.OpenDrive("Q:"), 0);
    EXPECT_EQ(device.OpenDrive(""), 0);
    EXPECT_EQ(device.isOpen, 0);
    EXPECT_EQ(device.CheckMedia(), 0);
    EXPECT_EQ(device.Eject(), 0);
}

LRESULT CALLBACK RecordNotify(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MM_MCINOTIFY) {
        auto* seen =
            reinterpret_cast<std::vector<std::pair<WPARAM, LPARAM>>*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        seen->emplace_back(wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(WinOwnerNotifier, SendsMciNotifyBeforeReturning) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordNotify;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MxMciNotifyTest";
    RegisterClassA(&windowClass);
    HWND owner = CreateWindowExA(0, "MxMciNotifyTest", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    std::vector<std::pair<WPARAM, LPARAM>> seen;
    SetWindowLongPtrA(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
    SystemOwnerNotifier().SendNotify(owner, MCI_NOTIFY_SUCCESSFUL, 42);
    SystemOwnerNotifier().SendNotify(nullptr, MCI_NOTIFY_SUCCESSFUL, 43);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(seen[0].second, 42);
    DestroyWindow(owner);
}

TEST(WinVolumePort, ReportsTheBenchsDevices) {
    VolumePort& port = SystemVolumePort();
    EXPECT_EQ(port.DeviceCount(VolumeDeviceKind::kAux), auxGetNumDevs());
    EXPECT_EQ(port.DeviceCount(VolumeDeviceKind::kMidiOut), midiOutGetNumDevs());
    ASSERT_GE(port.DeviceCount(VolumeDeviceKind::kWaveOut), 1u);
    const std::optional<VolumeCaps> wave = port.GetCaps(VolumeDeviceKind::kWaveOut, 0);
    ASSERT_TRUE(wave.has_value());
    EXPECT_TRUE(wave->separateChannels);
    EXPECT_FALSE(port.GetCaps(VolumeDeviceKind::kAux, 0).has_value());
    // Wine takes volumes only on an open handle, not on a device id cast to one.
    EXPECT_FALSE(port.GetVolume(VolumeDeviceKind::kWaveOut, 0).has_value());
    EXPECT_FALSE(port.SetVolume(VolumeDeviceKind::kWaveOut, 0, 0x80008000));
    EXPECT_FALSE(port.SetVolume(VolumeDeviceKind::kMidiOut, 0, 0x80008000));
    EXPECT_FALSE(port.SetVolume(VolumeDeviceKind::kAux, 0, 0x80008000));
}

// Passes every call on to the system and notes it with the system's answer.
class RecordingVolumePort : public VolumePort {
public:
    struct Call {
        std::string what;
        VolumeDeviceKind kind;
        std::uint32_t index, volume;
        bool accepted;
    };
    std::uint32_t DeviceCount(VolumeDeviceKind kind) override { return system.DeviceCount(kind); }
    std::optional<VolumeCaps> GetCaps(VolumeDeviceKind kind, std::uint32_t index) override {
        return system.GetCaps(kind, index);
    }
    std::optional<std::uint32_t> GetVolume(VolumeDeviceKind kind, std::uint32_t index) override {
        const std::optional<std::uint32_t> volume = system.GetVolume(kind, index);
        calls.push_back({"get", kind, index, volume.value_or(0), volume.has_value()});
        return volume;
    }
    bool SetVolume(VolumeDeviceKind kind, std::uint32_t index, std::uint32_t volume) override {
        const bool accepted = system.SetVolume(kind, index, volume);
        calls.push_back({"set", kind, index, volume, accepted});
        return accepted;
    }
    std::vector<Call> calls;

private:
    VolumePort& system = SystemVolumePort();
};

TEST(WinDeviceVolume, WaveSongWritesWaveOutZeroAndSurvivesItsRefusals) {
    ResetSettingsToDefaults();
    RecordingVolumePort port;
    {
        DeviceVolume volume(MCI_DEVTYPE_WAVEFORM_AUDIO, 50, -50, port);
        EXPECT_EQ(volume.Kind(), 3u);
        EXPECT_EQ(volume.DeviceIndex(), 0u);
        volume.SetLevel(40000);
        EXPECT_EQ(volume.GetLevel(), 40000u);
        EXPECT_EQ(volume.GetBalance(), -50);
    }
    ASSERT_FALSE(port.calls.empty());
    for (const auto& call : port.calls) {
        EXPECT_EQ(call.kind, VolumeDeviceKind::kWaveOut);
        EXPECT_EQ(call.index, 0u);
        EXPECT_FALSE(call.accepted) << call.what;
    }
    // The unreadable device was taken at full volume: half of it with the left side louder while
    // the song ran, and afterwards the user's level on both sides without the song's percentage.
    std::vector<std::uint32_t> written;
    for (const auto& call : port.calls) {
        if (call.what == "set") {
            written.push_back(call.volume);
        }
    }
    ASSERT_GE(written.size(), 3u);
    EXPECT_EQ(written[1], 0x3FFF7FFFu);
    EXPECT_EQ(written.back(), 0x9C409C40u);
}

TEST(WinDeviceVolume, MidiAndCdSongsFindNothingToBindOnTheBench) {
    ResetSettingsToDefaults();
    RecordingVolumePort port;
    {
        DeviceVolume midi(MCI_DEVTYPE_SEQUENCER, 80, 0, port);
        DeviceVolume cd(MCI_DEVTYPE_CD_AUDIO, 80, 0, port);
        midi.SetLevel(1000);
        cd.SetLevel(1000);
        EXPECT_EQ(midi.GetLevel(), 0u);
        EXPECT_EQ(cd.GetBalance(), 0);
    }
    EXPECT_TRUE(port.calls.empty());
    // A MIDI output chosen in the settings is asked, and its refusal ignored.
    gSettings.volume.MIDI_Volume_ID = 0x00020000;
    {
        DeviceVolume midi(MCI_DEVTYPE_SEQUENCER, 80, 0, port);
        EXPECT_EQ(midi.Kind(), 2u);
        midi.SetLevel(1000);
    }
    ASSERT_FALSE(port.calls.empty());
    for (const auto& call : port.calls) {
        EXPECT_EQ(call.kind, VolumeDeviceKind::kMidiOut);
        EXPECT_FALSE(call.accepted);
    }
    ResetSettingsToDefaults();
}

}  // namespace
