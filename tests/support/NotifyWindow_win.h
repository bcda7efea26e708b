// A hidden window that stands in for the player's main window in the stream device tests: it
// counts the end-of-song notifications it receives and pumps messages while a test waits.
#pragma once

#include <windows.h>

#include <cstdint>

#include "devices/MediaDevice.h"
#include "tests/support/MessagePump_win.h"

class NotifyWindow {
public:
    NotifyWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &NotifyWindow::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "MxNotifyWindow";
        RegisterClassA(&windowClass);
        hwnd = CreateWindowExA(0, "MxNotifyWindow", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                               this);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~NotifyWindow() { DestroyWindow(hwnd); }
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;

    OwnerWindow Owner() const { return hwnd; }

    // Dispatches messages for milliseconds, or until count notifications have arrived.
    void Pump(DWORD milliseconds, int untilCount = -1) {
        const DWORD start = GetTickCount();
        for (;;) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageA(&message);
            }
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= milliseconds || (untilCount >= 0 && notifications >= untilCount)) {
                return;
            }
            // Sleeps until a message comes, as the player's message loop would.
            MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        }
    }

    // Dispatches messages until condition() holds; false when timeoutMs passed first.
    template <typename Condition>
    bool PumpUntil(Condition condition, DWORD timeoutMs = kSafetyTimeoutMs) {
        return PumpMessagesUntil(condition, timeoutMs, kCheckMs);
    }

    static constexpr DWORD kSafetyTimeoutMs = 20000;
    static constexpr DWORD kCheckMs = 5;

    int notifications = 0;
    WPARAM lastWParam = 0;
    LPARAM lastLParam = -1;
    DWORD lastTick = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && message == kMciNotifyMessage) {
            ++self->notifications;
            self->lastWParam = wParam;
            self->lastLParam = lParam;
            self->lastTick = GetTickCount();
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }

    HWND hwnd = nullptr;
};
