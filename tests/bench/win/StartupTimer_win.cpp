// Times how long programs take from CreateProcess to a visible top-level window, alternating
// between them so both see the same machine load, and prints the medians and their ratio.
//   StartupTimer RUNS PROGRAM.exe REFERENCE.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Milliseconds to a visible window, or a negative value when the program failed.
double TimeOneStart(const std::string& program) {
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    LARGE_INTEGER begin, end;
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        return -1;
    }
    Search search = {info.dwProcessId, nullptr};
    for (int i = 0; i < 20000 && !search.found; ++i) {
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(1);
    }
    QueryPerformanceCounter(&end);
    if (search.found) PostMessageA(search.found, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    return search.found ? Seconds(begin, end) * 1000.0 : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: StartupTimer RUNS PROGRAM.exe REFERENCE.exe\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<double> program, reference;
    TimeOneStart(argv[2]);  // warm-up: the first start of each pays for loading the system DLLs
    TimeOneStart(argv[3]);
    for (int i = 0; i < runs; ++i) {
        const double a = TimeOneStart(argv[2]);
        const double b = TimeOneStart(argv[3]);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "StartupTimer: a program did not show a window\n");
            return 1;
        }
        program.push_back(a);
        reference.push_back(b);
    }
    const double programMedian = Median(program), referenceMedian = Median(reference);
    std::printf("runs: %d\n", runs);
    std::printf("program_median_ms: %.1f\n", programMedian);
    std::printf("reference_median_ms: %.1f\n", referenceMedian);
    std::printf("ratio: %.2f\n", programMedian / referenceMedian);
    return 0;
}
