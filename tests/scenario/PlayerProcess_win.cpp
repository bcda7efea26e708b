// Process and window helpers of the scenario tests.
#include "tests/scenario/PlayerProcess.h"

#include <cstdlib>
#include <cstring>
#include <vector>

std::string gPlayerPath;

void TakePlayerPath(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : std::getenv("MX_PLAYER_EXE");
    gPlayerPath = path ? path : "";
    for (char& c : gPlayerPath) {
        if (c == '/') {
            c = '\\';
        }
    }
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    bool requireVisible;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search->processId != 0 && owner != search->processId) return TRUE;
    char text[256];
    if (search->className) {
        GetClassNameA(window, text, sizeof text);
        if (std::strcmp(text, search->className) != 0) return TRUE;
    }
    if (search->caption) {
        GetWindowTextA(window, text, sizeof text);
        if (std::strcmp(text, search->caption) != 0) return TRUE;
    }
    if (search->requireVisible && !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND WaitForWindow(WindowSearch search, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        search.found = nullptr;
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found || GetTickCount() - start > timeoutMs) return search.found;
        Sleep(20);
    }
}

}  // namespace

PlayerProcess::~PlayerProcess() {
    if (info.hProcess) {
        if (Running()) {
            TerminateProcess(info.hProcess, 99);
            WaitForSingleObject(info.hProcess, 5000);
        }
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
}

bool PlayerProcess::Start(const std::string& arguments) {
    // A scenario may start the player again with the same object: the earlier run is over.
    if (info.hProcess) {
        if (Running()) TerminateProcess(info.hProcess, 99);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
        info = {};
    }
    std::string commandLine = "\"" + gPlayerPath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(gPlayerPath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info) != 0;
}

HWND PlayerProcess::WaitForMainWindow(DWORD timeoutMs) const {
    return WaitForWindow({info.dwProcessId, "Melodrix32", nullptr, true, nullptr}, timeoutMs);
}

long PlayerProcess::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return static_cast<long>(code);
}

bool PlayerProcess::Running() const {
    return info.hProcess && WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
}

long PlayerProcess::CloseAndWait() {
    HWND window = WaitForMainWindow(2000);
    if (window) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return WaitForExit();
}

HWND WaitForBox(DWORD processId, const char* caption, DWORD timeoutMs) {
    return WaitForWindow({processId, "#32770", caption, true, nullptr}, timeoutMs);
}

namespace {

BOOL CALLBACK FindStaticText(HWND child, LPARAM parameter) {
    char className[32];
    GetClassNameA(child, className, sizeof className);
    if (_stricmp(className, "Static") != 0) return TRUE;
    std::string text = WindowText(child);
    if (text.empty()) return TRUE;
    *reinterpret_cast<std::string*>(parameter) = text;
    return FALSE;
}

}  // namespace

std::string BoxText(HWND box) {
    std::string text;
    EnumChildWindows(box, FindStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

std::string WindowText(HWND window) {
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

namespace {

BOOL CALLBACK CountPlayer(HWND window, LPARAM parameter) {
    char className[32];
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "Melodrix32") == 0) ++*reinterpret_cast<int*>(parameter);
    return TRUE;
}

}  // namespace

int CountPlayerWindows() {
    int count = 0;
    EnumWindows(CountPlayer, reinterpret_cast<LPARAM>(&count));
    return count;
}
