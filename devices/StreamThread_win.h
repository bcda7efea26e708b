// A worker thread with its own message queue: the streaming thread of a wave device. Messages
// posted to it go to one handler; the thread runs at time-critical priority.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/containers/UniqueHandle_win.h"

class StreamThreadHandler {
public:
    virtual void OnThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~StreamThreadHandler() = default;
};

class StreamThread {
public:
    StreamThread() = default;
    ~StreamThread() { Stop(); }
    StreamThread(const StreamThread&) = delete;
    StreamThread& operator=(const StreamThread&) = delete;

    // Starts the thread and returns once its message queue exists, so nothing posted to it
    // afterwards is lost.
    bool Start(StreamThreadHandler& handler);
    // Posts WM_QUIT and waits at most waitMs for the thread to end; a thread that does not end
    // in time is terminated, because its owner is about to free what it works on.
    void Stop(DWORD waitMs = 1000);

    bool Running() const { return thread.Valid(); }
    DWORD Id() const { return threadId; }

private:
    static DWORD WINAPI ThreadProc(void* parameter);

    UniqueKernelHandle thread;
    DWORD threadId = 0;
    StreamThreadHandler* target = nullptr;
    UniqueKernelHandle ready;
};
