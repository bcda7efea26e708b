// Dispatches the test thread's messages while a test waits for something a window or device
// does in answer to them.
#pragma once

#include <windows.h>

// Dispatches messages until condition() holds, checking it every checkMs; false when timeoutMs
// passed first. The timeout is a safety net against a hang, not a judgement: a condition that
// holds is seen within one check of it holding.
template <typename Condition>
bool PumpMessagesUntil(Condition condition, DWORD timeoutMs, DWORD checkMs = 5) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, checkMs, QS_ALLINPUT);
    }
}
