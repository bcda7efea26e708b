// Named mutex and window lookups for the single-instance rule.
#include "app/InstanceSystem_win.h"

#include <cstring>

#include "app/AppNames.h"

bool Win32InstanceSystem::OpenBootMutex() {
    mutex.Reset(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kBootCheckMutexName));
    return mutex.Valid();
}

bool Win32InstanceSystem::CreateBootMutex() {
    mutex.Reset(CreateMutexA(nullptr, FALSE, kBootCheckMutexName));
    return mutex.Valid();
}

void Win32InstanceSystem::CloseBootMutex() {
    mutex.Reset();
}

void Win32InstanceSystem::ActivateRunningPlayer() {
    HWND player = FindWindowA(kMainWindowClass, nullptr);
    if (player) {
        if (IsIconic(player)) {
            ShowWindow(player, SW_RESTORE);
        }
        SetForegroundWindow(player);
    }
}

namespace {

BOOL CALLBACK PostCloseIfPlayer(HWND window, LPARAM) {
    char className[64];
    if (GetClassNameA(window, className, sizeof className) > 0 && std::strcmp(className, kMainWindowClass) == 0) {
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return TRUE;
}

}  // namespace

void Win32InstanceSystem::PostCloseToRunningPlayers() {
    EnumWindows(PostCloseIfPlayer, 0);
}

void Win32InstanceSystem::Sleep(int milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}
