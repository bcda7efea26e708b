// Message boxes of start-up.
#include "app/StartupUi_win.h"

#include <windows.h>

#include <string>

#include "app/StartupTexts.h"

void Win32StartupUi::ShowCommandLineWarning(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), kWarningCaption, MB_OK | MB_ICONWARNING);
}

KillFailureChoice Win32StartupUi::AskKillFailed() {
    switch (MessageBoxA(nullptr, kKillFailedText, kErrorCaption, MB_ABORTRETRYIGNORE | MB_ICONERROR)) {
        case IDRETRY:
            return KillFailureChoice::kRetry;
        case IDIGNORE:
            return KillFailureChoice::kIgnore;
        default:
            return KillFailureChoice::kAbort;
    }
}
