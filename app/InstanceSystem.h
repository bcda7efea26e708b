// What the single-instance rule needs of the system: the named mutex, the running players'
// windows, and a way to wait.
#pragma once

class InstanceSystem {
public:
    virtual ~InstanceSystem() = default;
    // Opens the existing mutex by name and holds the handle; false when there is none.
    virtual bool OpenBootMutex() = 0;
    // Creates the mutex (not owned) and holds the handle; false when creation fails.
    virtual bool CreateBootMutex() = 0;
    // Closes the handle held, if any.
    virtual void CloseBootMutex() = 0;
    // Brings the running player's main window to the foreground.
    virtual void ActivateRunningPlayer() = 0;
    // Asks every running player's main window to close.
    virtual void PostCloseToRunningPlayers() = 0;
    virtual void Sleep(int milliseconds) = 0;
};
