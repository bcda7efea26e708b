// The player's entry point: start-up, the message loop, and saving the settings at the end.
#include <windows.h>

#include <cstdlib>

#include "app/InstanceSystem_win.h"
#include "app/MainWindow_win.h"
#include "app/Settings.h"
#include "app/StartupSequence.h"
#include "app/StartupUi_win.h"
#include "devices/TempFilePort.h"
#include "resources/SystemCommands.h"
#include "ui/HelpViewer_win.h"
#include "ui/framework/ProgramInstance_win.h"

namespace {

void RunMessageLoop(HWND mainWindow) {
    HACCEL accelerators = LoadAcceleratorsA(gInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorA(mainWindow, accelerators, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int RunPlayer(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand) {
    gInstance = instance;
    char programPath[1024];
    const DWORD length = GetModuleFileNameA(nullptr, programPath, sizeof programPath);
    if (length == 0 || length >= sizeof programPath) {
        programPath[0] = '\0';
    }

    Win32InstanceSystem instanceSystem;
    Win32StartupUi ui;
    if (PrepareStart(programPath, commandLine, instanceSystem, ui) == StartDecision::kEnd) {
        return 0;
    }
    // Converted Recomposer songs of a run that crashed before closing them.
    SystemTempFilePort().RemoveLeftovers();
    if (previous == nullptr) {
        RegisterMainWindowClass(instance);
    }
    srand(GetTickCount());

    HWND mainWindow = CreateMainWindow(instance);
    if (mainWindow) {
        ShowWindow(mainWindow, showCommand);
        UpdateWindow(mainWindow);
        RunMessageLoop(mainWindow);
    }
    CloseAllHelp();
    SaveSettings();
    instanceSystem.CloseBootMutex();
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    try {
        return RunPlayer(instance, previous, commandLine, showCommand);
    } catch (...) {
        return 0;
    }
}
