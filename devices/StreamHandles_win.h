// Owners of the Win32 primitives the wave stream player uses: a critical section with its scope
// lock, a waveOut handle, a locked block of movable global memory and a block of virtual memory.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include <cstddef>
#include <utility>

#include "app/containers/UniqueHandle_win.h"

class CriticalSection {
public:
    CriticalSection() { InitializeCriticalSection(&section); }
    ~CriticalSection() { DeleteCriticalSection(&section); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void Enter() { EnterCriticalSection(&section); }
    void Leave() { LeaveCriticalSection(&section); }

private:
    CRITICAL_SECTION section;
};

class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CriticalSection& section) : held(section) { held.Enter(); }
    ~CriticalSectionLock() { held.Leave(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CriticalSection& held;
};

// An open waveOut device; closing fails while the driver still holds buffers.
struct WaveOutTraits {
    using Handle = HWAVEOUT;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { waveOutClose(handle); }
};
using UniqueWaveOut = UniqueHandle<WaveOutTraits>;

// Movable, zero-initialised, shareable global memory, locked for its whole life. Release()
// gives the memory up for good: used for a buffer the driver may still write into.
class GlobalBlock {
public:
    GlobalBlock() = default;
    ~GlobalBlock() { Free(); }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    GlobalBlock(GlobalBlock&& other) noexcept
        : memory(std::exchange(other.memory, nullptr)), data(std::exchange(other.data, nullptr)) {}
    GlobalBlock& operator=(GlobalBlock&& other) noexcept {
        if (this != &other) {
            Free();
            memory = std::exchange(other.memory, nullptr);
            data = std::exchange(other.data, nullptr);
        }
        return *this;
    }

    bool Allocate(std::size_t bytes) {
        Free();
        memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, bytes);
        data = memory ? GlobalLock(memory) : nullptr;
        if (!data) {
            Free();
        }
        return data != nullptr;
    }
    void Free() {
        if (memory) {
            if (data) {
                GlobalUnlock(memory);
            }
            GlobalFree(memory);
        }
        memory = nullptr;
        data = nullptr;
    }
    void Release() {
        memory = nullptr;
        data = nullptr;
    }
    void* Get() const { return data; }

private:
    HGLOBAL memory = nullptr;
    void* data = nullptr;
};

// Committed read/write virtual memory: page-aligned, as unbuffered reads require.
class VirtualBlock {
public:
    VirtualBlock() = default;
    ~VirtualBlock() { Free(); }
    VirtualBlock(const VirtualBlock&) = delete;
    VirtualBlock& operator=(const VirtualBlock&) = delete;

    bool Allocate(std::size_t bytes) {
        Free();
        data = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        return data != nullptr;
    }
    void Free() {
        if (data) {
            VirtualFree(data, 0, MEM_RELEASE);
        }
        data = nullptr;
    }
    void* Get() const { return data; }

private:
    void* data = nullptr;
};
