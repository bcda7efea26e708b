// The single-instance rule's system side: the named mutex and the running players' windows.
#pragma once

#include "app/InstanceSystem.h"
#include "app/containers/UniqueHandle_win.h"

class Win32InstanceSystem : public InstanceSystem {
public:
    bool OpenBootMutex() override;
    bool CreateBootMutex() override;
    void CloseBootMutex() override;
    void ActivateRunningPlayer() override;
    void PostCloseToRunningPlayers() override;
    void Sleep(int milliseconds) override;

private:
    UniqueKernelHandle mutex;  // held until the end of the message loop
};
