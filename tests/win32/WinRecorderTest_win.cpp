// The recorder against Wine's waveIn: the null sink's monitor is the default recording source,
// so what this test plays through waveOut is what the recorder captures, bit for bit for PCM
// 44100 Hz, 16 bits, stereo. Also the device and buffer settings, the file's layout, a format
// the device refuses, and the message boxes (answered by a watcher thread).
#include <windows.h>

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "recorder/RecorderTexts.h"
#include "recorder/WaveInPort_win.h"
#include "recorder/WaveRecorder.h"
#include "tests/support/MessagePump_win.h"

namespace {

constexpr std::uint32_t kSecondBytes = 176400;
constexpr DWORD kSafetyMs = 15000;

// A hidden top-level window that owns the recorder, as the recording dialog does.
class RecorderOwner {
public:
    RecorderOwner() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &RecorderOwner::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MxRecorderOwner";
        RegisterClassA(&windowClass);
        hwnd = CreateWindowExA(0, "MxRecorderOwner", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~RecorderOwner() { DestroyWindow(hwnd); }
    RecorderOwner(const RecorderOwner&) = delete;
    RecorderOwner& operator=(const RecorderOwner&) = delete;

    template <typename Condition>
    bool PumpUntil(Condition condition, DWORD timeoutMs = kSafetyMs) {
        return PumpMessagesUntil(condition, timeoutMs);
    }

    HWND hwnd = nullptr;
    WaveRecorder* recorder = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<RecorderOwner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && self->recorder && message >= MM_WIM_OPEN && message <= MM_WIM_DATA) {
            self->recorder->OnWaveInMessage(message, static_cast<std::uintptr_t>(lParam));
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
};

// Answers the message boxes of this process with the given caption, keeping their texts.
class BoxWatcher {
public:
    BoxWatcher(const char* caption, int answer) : caption(caption), answer(answer) {
        thread = std::thread([this] {
            while (!done) {
                HWND box = FindWindowA("#32770", this->caption.c_str());
                DWORD process = 0;
                if (box && GetWindowThreadProcessId(box, &process) && process == GetCurrentProcessId() &&
                    IsWindowVisible(box)) {
                    EnumChildWindows(box, &BoxWatcher::TakeText, reinterpret_cast<LPARAM>(this));
                    PostMessageA(box, WM_COMMAND, this->answer, 0);
                    ++boxes;
                    Sleep(100);
                }
                Sleep(10);
            }
        });
    }
    ~BoxWatcher() { Finish(); }
    // Stops watching; the texts may be read after it.
    void Finish() {
        done = true;
        if (thread.joinable()) {
            thread.join();
        }
    }
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    std::string lastText;
    std::atomic<int> boxes{0};

private:
    static BOOL CALLBACK TakeText(HWND child, LPARAM parameter) {
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof text);
        if (_stricmp(className, "Static") == 0 && text[0] != '\0') {
            reinterpret_cast<BoxWatcher*>(parameter)->lastText = text;
            return FALSE;
        }
        return TRUE;
    }

    std::string caption;
    int answer;
    std::atomic<bool> done{false};
    std::thread thread;
};

std::vector<std::uint8_t> ReadWhole(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

// Deterministic stereo noise, so that every stretch of a capture names one place in it.
std::vector<std::uint8_t> Noise(std::uint32_t bytes) {
    std::vector<std::uint8_t> noise(bytes);
    std::uint32_t state = 12345;
    for (std::size_t i = 0; i + 1 < noise.size(); i += 2) {
        state = state * 1664525u + 1013904223u;
        // Half amplitude, as the other audio checks play.
        const auto sample = static_cast<std::int16_t>(static_cast<std::int16_t>(state >> 16) / 2);
        noise[i] = static_cast<std::uint8_t>(sample);
        noise[i + 1] = static_cast<std::uint8_t>(sample >> 8);
    }
    return noise;
}

// Plays bytes of PCM 44100/2/16 once through the default output.
class NoisePlayer {
public:
    explicit NoisePlayer(const std::vector<std::uint8_t>& bytes) {
        WAVEFORMATEX format = {WAVE_FORMAT_PCM, 2, 44100, kSecondBytes, 4, 16, 0};
        if (waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
            device = nullptr;
            return;
        }
        header.lpData = const_cast<LPSTR>(reinterpret_cast<const char*>(bytes.data()));
        header.dwBufferLength = static_cast<DWORD>(bytes.size());
        waveOutPrepareHeader(device, &header, sizeof header);
        waveOutWrite(device, &header, sizeof header);
    }
    ~NoisePlayer() {
        if (device) {
            waveOutReset(device);
            waveOutUnprepareHeader(device, &header, sizeof header);
            waveOutClose(device);
        }
    }
    NoisePlayer(const NoisePlayer&) = delete;
    NoisePlayer& operator=(const NoisePlayer&) = delete;
    bool Playing() const { return device != nullptr; }

private:
    HWAVEOUT device = nullptr;
    WAVEHDR header = {};
};

class WinRecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH];
        GetTempPathA(sizeof folder, folder);
        path = std::string(folder) + "mx-recorder-test.wav";
        DeleteFileA(path.c_str());
        settings.Format = {kWaveFormatPcm, 2, 44100, kSecondBytes, 4, 16, 0, {}};
        settings.BufferSize = 128;
    }
    void TearDown() override { DeleteFileA(path.c_str()); }

    std::string path;
    Settings::Record settings;
    RecorderOwner owner;
};

TEST_F(WinRecorderTest, DeviceTheSystemLacksRecordsFromTheMapperAndBufferCountsAreCorrected) {
    settings.DeviceID = 5;  // Wine's null-sink bench has two input devices
    settings.BufferSize = 1;
    SystemWaveInPort port(owner.hwnd);
    ASSERT_LT(port.DeviceCount(), 5u);
    WaveRecorder recorder(port, settings);
    EXPECT_EQ(settings.DeviceID, -1);
    EXPECT_EQ(recorder.DeviceId(), -1);
    EXPECT_EQ(settings.BufferSize, 2);
    settings.BufferSize = 10000;
    owner.recorder = &recorder;
    ASSERT_TRUE(recorder.Start(path.c_str()));
    EXPECT_EQ(settings.BufferSize, 8192);
    recorder.Stop();
    owner.recorder = nullptr;
}

TEST_F(WinRecorderTest, StopRightAfterStartLeavesAValidFileWithAnEighteenByteFormat) {
    SystemWaveInPort port(owner.hwnd);
    WaveRecorder recorder(port, settings);
    owner.recorder = &recorder;
    ASSERT_TRUE(recorder.Start(path.c_str()));
    recorder.Stop();
    owner.recorder = nullptr;
    const auto file = ReadWhole(path);
    ASSERT_GE(file.size(), 46u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(Le32(file, 4), file.size() - 8);
    EXPECT_EQ(std::string(file.begin() + 12, file.begin() + 16), "fmt ");
    EXPECT_EQ(Le32(file, 16), 18u);
    EXPECT_EQ(file[36] | file[37] << 8, 0);
    EXPECT_EQ(std::string(file.begin() + 38, file.begin() + 42), "data");
    EXPECT_EQ(Le32(file, 42), file.size() - 46);
    EXPECT_EQ(Le32(file, 42), recorder.BytesRecorded());
}

TEST_F(WinRecorderTest, WhatIsPlayedIsRecordedBitForBitInOrder) {
    const auto noise = Noise(3 * kSecondBytes);
    SystemWaveInPort port(owner.hwnd);
    WaveRecorder recorder(port, settings);
    owner.recorder = &recorder;
    ASSERT_TRUE(recorder.Start(path.c_str()));
    {
        NoisePlayer player(noise);
        ASSERT_TRUE(player.Playing());
        ASSERT_TRUE(owner.PumpUntil([&] { return recorder.BytesRecorded() >= 2 * kSecondBytes + kSecondBytes / 2; }));
    }
    recorder.Stop();
    owner.recorder = nullptr;
    EXPECT_EQ(recorder.SecondsRecorded(), recorder.BytesRecorded() / kSecondBytes);

    const auto file = ReadWhole(path);
    ASSERT_EQ(Le32(file, 42), file.size() - 46);
    const std::vector<std::uint8_t> data(file.begin() + 46, file.end());
    // After the first second the stream is exact: consecutive 50 ms chunks of the capture are
    // consecutive stretches of the noise.
    constexpr std::size_t kChunk = kSecondBytes / 20;
    std::size_t previous = 0;
    int found = 0;
    for (std::size_t at = kSecondBytes; at + kChunk <= data.size() && at < 2 * kSecondBytes; at += kChunk) {
        const auto where = std::search(noise.begin(), noise.end(), data.begin() + at, data.begin() + at + kChunk);
        ASSERT_NE(where, noise.end()) << "the capture's chunk at " << at << " is not in what was played";
        const std::size_t offset = static_cast<std::size_t>(where - noise.begin());
        if (found > 0) {
            EXPECT_EQ(offset, previous + kChunk) << "gap or repeat at " << at;
        }
        previous = offset;
        ++found;
    }
    EXPECT_EQ(found, 20);
}

TEST_F(WinRecorderTest, FormatTheDeviceRefusesSaysSoAndLeavesNoFile) {
    settings.Format = {0x7777, 2, 44100, kSecondBytes, 4, 16, 0, {}};
    SystemWaveInPort port(owner.hwnd);
    WaveRecorder recorder(port, settings);
    owner.recorder = &recorder;
    BoxWatcher watcher(kRecordErrorCaption, IDOK);
    EXPECT_EQ(recorder.Start(path.c_str()), 0);
    owner.recorder = nullptr;
    watcher.Finish();
    EXPECT_EQ(watcher.boxes, 1);
    const std::string ending = kBadFormatReason;
    ASSERT_GE(watcher.lastText.size(), ending.size());
    EXPECT_EQ(watcher.lastText.substr(watcher.lastText.size() - ending.size()), ending);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(WinRecorderTest, FileThatCannotBeCreatedSaysSo) {
    SystemWaveInPort port(owner.hwnd);
    WaveRecorder recorder(port, settings);
    owner.recorder = &recorder;
    BoxWatcher watcher(kFileOpenFailedCaption, IDOK);
    EXPECT_EQ(recorder.Start("Z:\\no\\such\\folder\\x.wav"), 0);
    owner.recorder = nullptr;
    watcher.Finish();
    EXPECT_EQ(watcher.lastText, kFileOpenFailedText);
}

}  // namespace
