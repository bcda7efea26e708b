// Hosts a real file play mode with the real devices in a small owner window (a window timer for
// the position timer, the end-of-song notification routed to the mode) and plays its song
// history, printing what happened as "key: value" lines.
//   FilePlayHarness.exe [--order N] [--songs N] [--timeout MS] [--seed N] NAME...
// --order: the play order (0 normal, 1 repeat, 2 random, 3 random repeat); --songs: how many
// songs to hear; the repeating orders are stopped after that many, the others must stop by
// themselves. --companions 1: opens the first song only, with the companion text and WRD script
// shown automatically, and reports whether their windows exist.
#include <windows.h>

#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/Settings.h"
#include "devices/VolumePort.h"
#include "play/FileModeParts_win.h"
#include "play/FilePlayMode.h"
#include "wrd/TextViewer_win.h"
#include "wrd/Virtual98Screen_win.h"

namespace {

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / frequency.QuadPart;
}

double gStart = 0;

double Elapsed() {
    return Now() - gStart;
}

// The system's volume functions, with every write and a read-back after it printed.
class RecordingVolumePort : public VolumePort {
public:
    std::uint32_t DeviceCount(VolumeDeviceKind kind) override { return system.DeviceCount(kind); }
    std::optional<VolumeCaps> GetCaps(VolumeDeviceKind kind, std::uint32_t index) override {
        return system.GetCaps(kind, index);
    }
    std::optional<std::uint32_t> GetVolume(VolumeDeviceKind kind, std::uint32_t index) override {
        return system.GetVolume(kind, index);
    }
    bool SetVolume(VolumeDeviceKind kind, std::uint32_t index, std::uint32_t volume) override {
        const bool written = system.SetVolume(kind, index, volume);
        DWORD readBack = 0;
        MMRESULT readResult = MMSYSERR_ERROR;
        if (kind == VolumeDeviceKind::kWaveOut) {
            readResult = waveOutGetVolume(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(index)), &readBack);
        }
        std::printf(
            "volume_set: kind=%u index=%u value=0x%08X accepted=%d readback_result=%u readback=0x%08lX "
            "at_ms=%.0f\n",
            static_cast<unsigned>(kind), index, volume, written ? 1 : 0, readResult,
            static_cast<unsigned long>(readBack), Elapsed());
        return written;
    }

private:
    VolumePort& system = SystemVolumePort();
};

class HarnessOwner : public PlayOwner {
public:
    HarnessOwner() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &HarnessOwner::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MxFilePlayHarness";
        RegisterClassA(&windowClass);
        hwnd = CreateWindowExA(0, "MxFilePlayHarness", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~HarnessOwner() override { DestroyWindow(hwnd); }
    HarnessOwner(const HarnessOwner&) = delete;
    HarnessOwner& operator=(const HarnessOwner&) = delete;

    OwnerWindow Window() override { return hwnd; }
    void UpdateButtons() override {}
    void UpdateTexts() override {}
    void UpdateTime(bool) override {}
    void RefreshAll() override {}
    std::uintptr_t SetTimer(PlayMode& timed, std::uint32_t intervalMs) override {
        return ::SetTimer(hwnd, reinterpret_cast<UINT_PTR>(&timed), intervalMs, nullptr);
    }
    void KillTimer(PlayMode& timed) override { ::KillTimer(hwnd, reinterpret_cast<UINT_PTR>(&timed)); }
    void BeginWait() override {}
    void EndWait() override {}
    std::uintptr_t StartSilence(PlayMode& waiting, std::uint32_t milliseconds) override {
        slept += milliseconds;
        return ::SetTimer(hwnd, SilenceTimerId(waiting), milliseconds, nullptr);
    }
    void StopSilence(PlayMode& waiting) override { ::KillTimer(hwnd, SilenceTimerId(waiting)); }
    static UINT_PTR SilenceTimerId(PlayMode& waiting) { return reinterpret_cast<UINT_PTR>(&waiting) + 1; }
    bool IsShiftDown() override { return false; }
    int ChooseSong(PlayMode&) override { return -1; }
    void ShowNotice(const char*) override {}
    void PostPassOver(PlayMode&) override {}

    // Prints the song now playing, when one is.
    void ReportSong() {
        if (mode->GetState() != kModePlay) {
            return;
        }
        SongEntry song;
        mode->CopyCurrentSong(song);
        ++songsStarted;
        std::printf("song: n=%d position=%d index=%d volume=%d silence=%d path=%s at_ms=%.0f\n", songsStarted,
                    mode->GetCurrentPosition(), song.queueIndex, song.volume, song.silenceMs, song.path, Elapsed());
    }

    HWND hwnd = nullptr;
    FilePlayMode* mode = nullptr;
    int notifications = 0;
    int songsStarted = 0;
    int songsWanted = 0;
    bool stopAfterWanted = false;
    std::uint32_t slept = 0;
    bool done = false;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        try {
            auto* self = reinterpret_cast<HarnessOwner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
            if (self != nullptr && self->mode != nullptr) {
                if (message == WM_TIMER) {
                    self->mode->HandleTimerMessage(message, wParam, lParam);
                    return 0;
                }
                if (message == MM_MCINOTIFY) {
                    self->OnNotify(wParam, lParam);
                    return 0;
                }
            }
        } catch (...) {
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    void OnNotify(WPARAM wParam, LPARAM lParam) {
        ++notifications;
        const double received = Elapsed();
        std::printf("notify: n=%d wparam=%u at_ms=%.0f\n", notifications, static_cast<unsigned>(wParam), received);
        if (stopAfterWanted && notifications >= songsWanted) {
            done = true;
            return;
        }
        const std::uint32_t sleptBefore = slept;
        mode->HandleTimerMessage(MM_MCINOTIFY, wParam, lParam);
        // Close, open, volume, the silence before the song, and the start of its sound.
        std::printf("switch: n=%d ms=%.1f silence_ms=%u state=%d\n", notifications, Elapsed() - received,
                    slept - sleptBefore, mode->GetState());
        ReportSong();
        if (notifications >= songsWanted) {
            done = true;
        }
    }
};

// Opens the first song with its text and script shown automatically, then closes and opens them.
int ReportCompanions(FilePlayMode& mode, HarnessOwner& owner) {
    mode.Activate();
    const SongEntry& opened = mode.OpeningSong();
    std::printf("opened: %s\nstate: %d\ndevice_type: %d\n", opened.path, mode.GetState(), mode.GetDeviceType());
    std::printf("text_open: %d\nwrd_open: %d\npanel_flags: 0x%X\n", mode.IsTextOpen(), mode.IsWrdOpen(),
                static_cast<unsigned>(mode.GetPanelFlags()));
    // The WRD player runs on the timer whether its window shows or not.
    MSG message;
    const DWORD started = GetTickCount();
    while (GetTickCount() - started < 300) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    mode.CloseWrd();
    std::printf("wrd_open_after_close: %d\n", mode.IsWrdOpen());
    mode.OpenWrd();
    std::printf("wrd_open_after_reopen: %d\n", mode.IsWrdOpen());
    mode.CloseText();
    std::printf("text_open_after_close: %d\n", mode.IsTextOpen());
    mode.Deactivate();
    std::printf("wrd_open_after_deactivate: %d\n", mode.IsWrdOpen());
    owner.mode = nullptr;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
        int order = kPlayNormal;
        int songs = 1;
        int companions = 0;
        DWORD timeout = 30000;
        // Seeded from the clock as the player seeds it at start-up, unless a run is to be repeated.
        unsigned seed = GetTickCount();
        int arg = 1;
        for (; arg + 1 < argc && argv[arg][0] == '-'; arg += 2) {
            const std::string option = argv[arg];
            const int value = std::atoi(argv[arg + 1]);
            if (option == "--order") {
                order = value;
            } else if (option == "--songs") {
                songs = value;
            } else if (option == "--timeout") {
                timeout = static_cast<DWORD>(value);
            } else if (option == "--companions") {
                companions = value;
            } else if (option == "--seed") {
                seed = static_cast<unsigned>(value);
            }
        }
        FileHistory.Clear();
        for (; arg < argc; ++arg) {
            FileHistory.InsertString(-1, argv[arg]);
        }
        gSettings.play.FilePlayMode = order;
        gSettings.wave.SelfPlay = 1;
        if (companions) {
            RegisterTextViewerClass(GetModuleHandleA(nullptr));
            RegisterVirtual98ScreenClass(GetModuleHandleA(nullptr));
            gSettings.file.TextOpen = 1;
            gSettings.file.WrdView = 1;
            gSettings.file.WrdOpen = 1;
        }
        gStart = Now();
        std::srand(seed);
        std::printf("seed: %u\n", seed);

        HarnessOwner owner;
        owner.songsWanted = songs;
        owner.stopAfterWanted = order == kPlayRepeat || order == kPlayRandomRepeat;
        RecordingVolumePort volumes;
        auto mode =
            std::make_unique<FilePlayMode>(owner, std::make_unique<SystemFileModeParts>(owner.hwnd), FileHistory);
        mode->volumePort = &volumes;
        owner.mode = mode.get();
        std::printf("queue_length: %d\n", mode->GetSongCount());
        if (companions) {
            return ReportCompanions(*mode, owner);
        }
        mode->Activate();
        mode->Play();
        owner.ReportSong();

        const DWORD started = GetTickCount();
        while (!owner.done && GetTickCount() - started < timeout) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        std::printf("final_state: %d\nfinal_position: %d\n", mode->GetState(), mode->GetCurrentPosition());
        mode->Deactivate();
        owner.mode = nullptr;
        mode.reset();
        std::printf("notifications: %d\nsongs_started: %d\ntimed_out: %d\n", owner.notifications, owner.songsStarted,
                    owner.done ? 0 : 1);
        return owner.done ? 0 : 1;
    } catch (...) {
        return 3;
    }
}
