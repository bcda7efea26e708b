// Start-up's message boxes, shown with no owner window.
#pragma once

#include "app/StartupUi.h"

class Win32StartupUi : public StartupUi {
public:
    void ShowInvalidCommand(const char* token) override;
    KillFailureChoice AskKillFailed() override;
};
