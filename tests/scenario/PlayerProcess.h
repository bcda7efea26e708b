// Starts the real Melodrix.exe, finds its windows and message boxes, and waits for its end.
#pragma once

#include <windows.h>

#include <string>

// The path of the Melodrix.exe under test (set by the test program's main).
extern std::string gPlayerPath;
// Sets gPlayerPath from the first argument left after the test framework's own, else from
// MX_PLAYER_EXE, with backslashes throughout as the player reports its own path.
void TakePlayerPath(int argc, char** argv);

class PlayerProcess {
public:
    PlayerProcess() = default;
    ~PlayerProcess();
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    // Starts the player with the given command-line arguments; false when it cannot start.
    bool Start(const std::string& arguments);
    // The visible main window of this process, waited for up to timeoutMs; null on time-out.
    HWND WaitForMainWindow(DWORD timeoutMs = 10000) const;
    // The process's exit code, or -1 when it is still running after timeoutMs.
    long WaitForExit(DWORD timeoutMs = 10000);
    DWORD ProcessId() const { return info.dwProcessId; }
    bool Running() const;

    // Closes the main window the way the system menu does and waits for the exit code.
    long CloseAndWait();

private:
    PROCESS_INFORMATION info = {};
};

// A top-level dialog (message box) of the given process with exactly this caption (any caption
// for null); null on time-out.
HWND WaitForBox(DWORD processId, const char* caption, DWORD timeoutMs = 10000);
// The text of a message box (its static text control).
std::string BoxText(HWND box);
// Text of a window (WM_GETTEXT, Shift-JIS bytes).
std::string WindowText(HWND window);
// Every top-level window of class Melodrix32.
int CountPlayerWindows();
