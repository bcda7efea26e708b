// Figures of the player's panel under Wine.
//   PanelBench paint RUNS PLAYER.exe REFERENCE.exe
//     time from CreateProcess until the window's pixels on the screen equal its settled look
//     (the full panel painted), against a minimal window program; medians and their ratio.
//   PanelBench idle SECONDS PLAYER.exe
//     holds a WAVE song stopped, paused and playing for SECONDS each and marks each phase on
//     stdout; tests/scenario/panel_idle.sh reads the player's CPU time at the marks.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/scenario/ScenarioHelpers_win.h"

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleWindow(DWORD processId) {
    Search search = {processId, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The window's pixels as the screen shows them.
Image ScreenPixels(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    Image image;
    image.width = frame.right - frame.left;
    image.height = frame.bottom - frame.top;
    if (image.width <= 0 || image.height <= 0)
        return image;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, image.width, image.height, screen, frame.left, frame.top, SRCCOPY);
    GdiFlush();
    std::copy_n(static_cast<std::uint32_t*>(bits), image.pixels.size(), image.pixels.begin());
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    ReleaseDC(nullptr, screen);
    for (auto& pixel : image.pixels)
        pixel &= 0xFFFFFF;
    return image;
}

bool SamePixels(const Image& a, const Image& b) {
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

class Process {
public:
    bool Start(const std::string& program, const std::string& arguments = "") {
        std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        return CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &info) != 0;
    }
    ~Process() {
        if (!info.hProcess)
            return;
        if (HWND window = VisibleWindow(info.dwProcessId))
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    HWND WaitForWindow(DWORD timeoutMs) const {
        HWND window = nullptr;
        WaitUntil([&] { return (window = VisibleWindow(info.dwProcessId)) != nullptr; }, timeoutMs);
        return window;
    }
    PROCESS_INFORMATION info = {};
};

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The settled look: the window's pixels once nothing has changed for a while.
bool SettledLook(const std::string& program, Image& look) {
    Process process;
    if (!process.Start(program))
        return false;
    HWND window = process.WaitForWindow(20000);
    if (!window)
        return false;
    Sleep(1500);
    look = ScreenPixels(window);
    Sleep(300);
    return SamePixels(look, ScreenPixels(window));
}

// Milliseconds from the start to the settled look on the screen; negative on failure.
double TimeToLook(const std::string& program, const Image& look, double& visibleMs) {
    LARGE_INTEGER begin, now;
    QueryPerformanceCounter(&begin);
    Process process;
    if (!process.Start(program))
        return -1;
    HWND window = process.WaitForWindow(20000);
    QueryPerformanceCounter(&now);
    visibleMs = Seconds(begin, now) * 1000;
    for (int i = 0; window && i < 20000; ++i) {
        if (SamePixels(look, ScreenPixels(window))) {
            QueryPerformanceCounter(&now);
            return Seconds(begin, now) * 1000;
        }
        Sleep(1);
    }
    return -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int Paint(int runs, const std::string& program, const std::string& reference) {
    Image programLook, referenceLook;
    if (!SettledLook(program, programLook) || !SettledLook(reference, referenceLook)) {
        std::fprintf(stderr, "PanelBench: a window did not settle\n");
        return 1;
    }
    std::vector<double> programMs, referenceMs, programVisible, referenceVisible;
    for (int i = 0; i < runs; ++i) {
        double visibleA = 0, visibleB = 0;
        const double a = TimeToLook(program, programLook, visibleA);
        const double b = TimeToLook(reference, referenceLook, visibleB);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "PanelBench: a window never showed its settled look\n");
            return 1;
        }
        programMs.push_back(a);
        referenceMs.push_back(b);
        programVisible.push_back(visibleA);
        referenceVisible.push_back(visibleB);
    }
    std::printf("runs: %d\n", runs);
    std::printf("program_visible_median_ms: %.1f\n", Median(programVisible));
    std::printf("reference_visible_median_ms: %.1f\n", Median(referenceVisible));
    std::printf("program_first_full_paint_median_ms: %.1f\n", Median(programMs));
    std::printf("reference_first_full_paint_median_ms: %.1f\n", Median(referenceMs));
    std::printf("first_full_paint_ratio: %.2f\n", Median(programMs) / Median(referenceMs));
    return 0;
}

// Under Wine, GetProcessTimes answers 0 for another process, so the host measures: each
// "mark NAME" line on stdout asks it to read the player's CPU time at that moment.
void Mark(const char* name) {
    std::printf("mark %s\n", name);
    std::fflush(stdout);
}

int Idle(int seconds, const std::string& program) {
    const std::string song = MakeScratchFolder("panelbench") + "long.wav";
    if (!WriteSineWave(song, seconds * 2 + 10, 440))
        return 1;
    Process player;
    if (!player.Start(program, "\"" + song + "\""))
        return 1;
    HWND window = player.WaitForWindow(20000);
    if (!window)
        return 1;
    Sleep(1000);
    auto click = [&](int id) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    };
    std::printf("seconds: %d\n", seconds);
    Mark("stopped_begin");
    Sleep(static_cast<DWORD>(seconds) * 1000);
    Mark("stopped_end");
    click(4);  // play
    click(5);  // pause
    Sleep(500);
    Mark("paused_begin");
    Sleep(static_cast<DWORD>(seconds) * 1000);
    Mark("paused_end");
    click(5);  // resume
    Sleep(500);
    Mark("playing_begin");
    Sleep(static_cast<DWORD>(seconds) * 1000);
    Mark("playing_end");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "paint" && argc >= 5)
        return Paint(std::max(1, std::atoi(argv[2])), argv[3], argv[4]);
    if (mode == "idle" && argc >= 4)
        return Idle(std::max(1, std::atoi(argv[2])), argv[3]);
    std::fprintf(stderr, "usage: PanelBench paint RUNS PLAYER.exe REFERENCE.exe | idle SECONDS PLAYER.exe\n");
    return 2;
}
