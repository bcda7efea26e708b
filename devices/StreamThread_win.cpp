// The streaming thread: a message loop at time-critical priority feeding one handler.
#include "devices/StreamThread_win.h"

namespace {

constexpr DWORD kReadyWaitMs = 5000;

}  // namespace

bool StreamThread::Start(StreamThreadHandler& handler) {
    Stop();
    target = &handler;
    ready.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!ready) {
        return false;
    }
    thread.Reset(CreateThread(nullptr, 0, &StreamThread::ThreadProc, this, 0, &threadId));
    if (!thread) {
        threadId = 0;
        return false;
    }
    if (WaitForSingleObject(ready.Get(), kReadyWaitMs) != WAIT_OBJECT_0) {
        Stop();
        return false;
    }
    return true;
}

void StreamThread::Stop(DWORD waitMs) {
    if (thread) {
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
        if (WaitForSingleObject(thread.Get(), waitMs) != WAIT_OBJECT_0) {
            TerminateThread(thread.Get(), 1);
        }
        thread.Reset();
    }
    threadId = 0;
}

DWORD WINAPI StreamThread::ThreadProc(void* parameter) {
    try {
        auto* self = static_cast<StreamThread*>(parameter);
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
        MSG message;
        // The first call into the message functions creates this thread's queue.
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
        SetEvent(self->ready.Get());
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            self->target->OnThreadMessage(message.message, message.wParam, message.lParam);
        }
        return 0;
    } catch (...) {
        return 1;
    }
}
