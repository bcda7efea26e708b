// Owners of device contexts and of objects selected into them: a window's context (released),
// a memory context (deleted), a paint context (ended) and a selection (undone). Every drawing
// in the program goes through these, so no context or selection outlives its scope.
#pragma once

#include <windows.h>

#include <utility>

#include "app/containers/UniqueHandle_win.h"

// The context of a window's client area from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    WindowDc() = default;
    explicit WindowDc(HWND window) : window(window), dc(window ? GetDC(window) : nullptr) {}
    ~WindowDc() { Reset(); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    WindowDc(WindowDc&& other) noexcept
        : window(std::exchange(other.window, nullptr)), dc(std::exchange(other.dc, nullptr)) {}
    WindowDc& operator=(WindowDc&& other) noexcept {
        if (this != &other) {
            Reset();
            window = std::exchange(other.window, nullptr);
            dc = std::exchange(other.dc, nullptr);
        }
        return *this;
    }

    HDC Get() const { return dc; }
    explicit operator bool() const { return dc != nullptr; }
    void Reset() {
        if (dc) {
            ReleaseDC(window, dc);
        }
        dc = nullptr;
        window = nullptr;
    }

private:
    HWND window = nullptr;
    HDC dc = nullptr;
};

// A memory context from CreateCompatibleDC, deleted with DeleteDC.
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle dc) { DeleteDC(dc); }
};
class MemoryDc : public UniqueHandle<MemoryDcTraits> {
public:
    MemoryDc() = default;
    explicit MemoryDc(HDC reference) : UniqueHandle(CreateCompatibleDC(reference)) {}
};

// BeginPaint and EndPaint of one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window(window) { dc = BeginPaint(window, &paint); }
    ~PaintDc() { EndPaint(window, &paint); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC Get() const { return dc; }
    const RECT& Area() const { return paint.rcPaint; }

private:
    HWND window;
    PAINTSTRUCT paint{};
    HDC dc = nullptr;
};

// Selects a GDI object into a device context and selects the previous one back when it ends.
// Movable, so that a window may keep a selection for as long as it keeps the context.
class ScopedSelectObject {
public:
    ScopedSelectObject() = default;
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc(dc), previous(dc && object ? SelectObject(dc, object) : nullptr) {
        if (previous == HGDI_ERROR) {
            previous = nullptr;  // nothing was selected, so nothing is to be undone
        }
    }
    ~ScopedSelectObject() { Reset(); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ScopedSelectObject(ScopedSelectObject&& other) noexcept
        : dc(std::exchange(other.dc, nullptr)), previous(std::exchange(other.previous, nullptr)) {}
    ScopedSelectObject& operator=(ScopedSelectObject&& other) noexcept {
        if (this != &other) {
            Reset();
            dc = std::exchange(other.dc, nullptr);
            previous = std::exchange(other.previous, nullptr);
        }
        return *this;
    }

    void Reset() {
        if (dc && previous) {
            SelectObject(dc, previous);
        }
        dc = nullptr;
        previous = nullptr;
    }

private:
    HDC dc = nullptr;
    HGDIOBJ previous = nullptr;
};
