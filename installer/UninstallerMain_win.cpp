// Entry of Uninst.exe. Started from the program folder (or from the shell's list of programs)
// it copies itself to the temporary folder and hands over to that copy, since a running program
// cannot delete its own file; the copy waits for the original to end, asks, removes the
// installation and has itself deleted at the next restart.
#include <windows.h>

#include <string>
#include <vector>

#include "app/containers/UniqueHandle_win.h"
#include "installer/FolderPath.h"
#include "installer/HandOverCommand.h"
#include "installer/InstallState.h"
#include "installer/InstallerTexts.h"
#include "installer/Uninstallation.h"
#include "installer/Win32InstallTarget_win.h"

namespace {

constexpr char kTemporaryName[] = "MelodrixUninst.exe";
constexpr DWORD kWaitForOriginalMs = 10000;

std::string ModulePath() {
    std::vector<char> path(1024, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return length > 0 && length < path.size() ? std::string(path.data(), length) : std::string();
}

// Copies this program to the temporary folder and starts the copy. False when it cannot; the
// original then does the work itself and leaves its own file behind.
bool HandOver(const std::string& self) {
    char temporary[MAX_PATH] = {};
    const DWORD length = GetTempPathA(sizeof temporary, temporary);
    if (length == 0 || length >= sizeof temporary) {
        return false;
    }
    const std::string copy = JoinPath(temporary, kTemporaryName);
    if (!CopyFileA(self.c_str(), copy.c_str(), FALSE)) {
        return false;
    }
    const std::string commandLine =
        HandOverCommandLine(copy, GetCurrentProcessId(), InstallState::SourceFolderOf(self));
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(copy.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, temporary, &startup,
                        &process)) {
        DeleteFileA(copy.c_str());
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void WaitForOriginal(DWORD processId) {
    UniqueKernelHandle original(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (original) {
        WaitForSingleObject(original.Get(), kWaitForOriginalMs);
    }
}

int Ask(const char* text, UINT buttons) {
    return MessageBoxA(nullptr, text, kUninstallerCaption, buttons | MB_ICONQUESTION | MB_SETFOREGROUND);
}

void Uninstall(const std::string& originalFolder) {
    if (Ask(kUninstallConfirm, MB_YESNO) != IDYES) {
        return;
    }
    // Keeping the user's settings and lists is the default answer.
    const bool removeUserData = Ask(kUninstallUserData, MB_YESNO | MB_DEFBUTTON2) == IDYES;
    Win32InstallTarget target;
    Uninstallation removal(target);
    const UninstallFolders folders = Uninstallation::FindFolders(originalFolder);
    if (QualifyFolder(folders.program) != FolderResult::kOk) {
        MessageBoxA(nullptr, kUninstallNotFound, kUninstallerCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const InstallReport& report = removal.Run(folders, removeUserData);
    std::string text = kUninstallDone;
    UINT icon = MB_ICONINFORMATION;
    if (!report.Complete()) {
        text = kUninstallIncomplete;
        for (const std::string& failure : report.Failures()) {
            text += failure + "\n";
        }
        icon = MB_ICONEXCLAMATION;
    }
    MessageBoxA(nullptr, text.c_str(), kUninstallerCaption, MB_OK | icon);
}

}  // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
    const std::string self = ModulePath();
    HandOverArguments handOver;
    if (ParseHandOverCommandLine(GetCommandLineA(), handOver)) {
        WaitForOriginal(handOver.processId);
        Uninstall(handOver.folder);
        // This copy in the temporary folder goes at the next restart.
        MoveFileExA(self.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
        return 0;
    }
    if (!HandOver(self)) {
        Uninstall(InstallState::SourceFolderOf(self));
    }
    return 0;
}
