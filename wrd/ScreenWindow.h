// The seam between the WRD player and the window that shows its screen model. The model exists
// without the window; opening the window shows the model's current state at once.
#pragma once

#include <memory>

#include "devices/MediaDevice.h"
#include "wrd/ScreenModel.h"

class ScreenWindow {
public:
    virtual ~ScreenWindow() = default;
    virtual void Open(const char* caption) = 0;  // create and show the window if it does not exist
    virtual void Close() = 0;                    // destroy the window; the model stays
    virtual bool IsOpen() const = 0;
};

// The window of this build for a model (not owned; it must outlive the window). The owner hears
// when the user closes the window.
std::unique_ptr<ScreenWindow> CreateScreenWindow(ScreenModel& model, OwnerWindow owner);
