// Synchronous end-of-song notification to a window: SendMessage of MM_MCINOTIFY.
#include <windows.h>

#include <mmsystem.h>

#include "devices/OwnerNotifier.h"

namespace {

class Win32OwnerNotifier : public OwnerNotifier {
public:
    void SendNotify(OwnerWindow owner, std::uint32_t wParam, std::uint32_t lParam) override {
        if (owner) {
            SendMessageA(static_cast<HWND>(owner), MM_MCINOTIFY, wParam, static_cast<LPARAM>(lParam));
        }
    }
};

}  // namespace

OwnerNotifier& SystemOwnerNotifier() {
    static Win32OwnerNotifier notifier;
    return notifier;
}
