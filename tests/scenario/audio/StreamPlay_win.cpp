// Plays one file through the stream devices (or, for comparison, through MCI's own wave-audio
// driver) following a list of steps, and prints what happened as "key: value" lines.
//   StreamPlay.exe [--mp3] [--buffers N] FILE STEP...
//   steps: play pause stop seek:MS wait:MS end:TIMEOUT_MS started opentime:COUNT cpu
//   (started: until the sound server reports a position, so later steps time a running stream)
//   StreamPlay.exe --mci FILE    plays FILE with "open ... type waveaudio" and "play ... wait"
#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "devices/Mp3FileDevice_win.h"
#include "devices/WaveFileDevice_win.h"
#include "tests/support/NotifyWindow_win.h"

namespace {

double Seconds(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 1e7;
}

void PrintCpu() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    std::printf("cpu_user_s: %.3f\ncpu_kernel_s: %.3f\n", Seconds(user), Seconds(kernel));
}

int PlayWithMci(const char* file) {
    const std::string open = std::string("open \"") + file + "\" type waveaudio alias song";
    const MCIERROR opened = mciSendStringA(open.c_str(), nullptr, 0, nullptr);
    const MCIERROR played = opened ? opened : mciSendStringA("play song wait", nullptr, 0, nullptr);
    mciSendStringA("close song", nullptr, 0, nullptr);
    std::printf("mci_error: %lu\n", static_cast<unsigned long>(played));
    PrintCpu();
    return played == 0 ? 0 : 1;
}

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

void MeasureOpen(WaveFileDevice& device, const char* file, int count) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        device.Close();
        const double start = Now();
        device.Open(file);
        times.push_back((Now() - start) * 1000);
    }
    std::sort(times.begin(), times.end());
    std::printf("open_ms_median: %.2f\nopen_ms_max: %.2f\n", times[times.size() / 2], times.back());
}

void RunStep(WaveFileDevice& device, NotifyWindow& owner, const std::string& step, const char* file, double start) {
    const std::size_t colon = step.find(':');
    const std::string name = step.substr(0, colon);
    const int value = colon == std::string::npos ? 0 : std::atoi(step.c_str() + colon + 1);
    int result = 0;
    if (name == "play") {
        result = device.Play();
    } else if (name == "pause") {
        result = device.Pause();
    } else if (name == "stop") {
        result = device.Stop();
    } else if (name == "seek") {
        result = device.Seek(static_cast<std::uint32_t>(value));
    } else if (name == "wait") {
        owner.Pump(static_cast<DWORD>(value));
    } else if (name == "end") {
        owner.Pump(static_cast<DWORD>(value), owner.notifications + 1);
    } else if (name == "started") {
        result = owner.PumpUntil([&device] { return device.GetPosition() > 0; }) ? 1 : 0;
    } else if (name == "opentime") {
        MeasureOpen(device, file, value);
    } else if (name == "cpu") {
        PrintCpu();
    }
    std::printf("step: %s result=%d mode=%d position=%d notifications=%d at_ms=%.0f\n", step.c_str(), result,
                device.GetMode(), device.GetPosition(), owner.notifications, (Now() - start) * 1000);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        std::setvbuf(stdout, nullptr, _IONBF, 0);
        int arg = 1;
        bool mp3 = false;
        if (argc > 2 && std::string(argv[1]) == "--mci") {
            return PlayWithMci(argv[2]);
        }
        for (; arg < argc && argv[arg][0] == '-'; ++arg) {
            if (std::string(argv[arg]) == "--mp3") {
                mp3 = true;
            } else if (std::string(argv[arg]) == "--buffers" && arg + 1 < argc) {
                gSettings.wave.BufferSize = std::atoi(argv[++arg]);
            }
        }
        if (arg >= argc) {
            std::fprintf(stderr, "usage: StreamPlay.exe [--mp3] [--buffers N] FILE STEP...\n");
            return 2;
        }
        const char* file = argv[arg++];
        NotifyWindow owner;
        std::unique_ptr<WaveFileDevice> device =
            mp3 ? std::make_unique<Mp3FileDevice>(owner.Owner()) : std::make_unique<WaveFileDevice>(owner.Owner());
        const double start = Now();
        const int opened = device->Open(file);
        std::printf("open: %d\nlength_ms: %d\nbuffer_length: %u\nbuffer_count: %u\ndata_length: %u\n", opened,
                    device->lengthMs, device->BufferLength(), device->BufferCount(), device->DataLength());
        if (!opened) {
            return 1;
        }
        for (; arg < argc; ++arg) {
            RunStep(*device, owner, argv[arg], file, start);
        }
        std::printf("lowest_queued: %u\n", device->LowestQueued());
        device->Close();
        std::printf("notifications: %d\n", owner.notifications);
        return 0;
    } catch (...) {
        return 3;
    }
}
