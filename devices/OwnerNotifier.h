// How a device tells its owner window synchronously that a song ended: SendMessage of
// MM_MCINOTIFY on Windows, a recording fake in the tests.
#pragma once

#include <cstdint>

#include "devices/MediaDevice.h"

class OwnerNotifier {
public:
    virtual ~OwnerNotifier() = default;
    // Sends kMciNotifyMessage with wParam and lParam to owner and returns when it was handled.
    virtual void SendNotify(OwnerWindow owner, std::uint32_t wParam, std::uint32_t lParam) = 0;
};

// The notifier of this build: SendMessage on Windows (mx_mci_win), natively one that drops it.
OwnerNotifier& SystemOwnerNotifier();
