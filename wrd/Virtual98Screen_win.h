// The window of the emulated PC-98 screen: a caption-less 640 x 400 pop-up that composes the
// screen model's graphics page and text plane in a memory bitmap and copies it to the window.
#pragma once

#include <windows.h>

#include "app/containers/UniqueHandle_win.h"
#include "ui/Window_win.h"
#include "wrd/ScreenComposer.h"
#include "wrd/ScreenModel.h"
#include "wrd/ScreenWindow.h"

// Sent to the owner window (both parameters 0) when the screen window has been destroyed.
constexpr UINT WM_WRDSCREEN_CLOSED = WM_USER + 12;
constexpr char kVirtual98ScreenClass[] = "Virtual98Screen";

// Registers the window class once at start-up.
void RegisterVirtual98ScreenClass(HINSTANCE instance);

class Virtual98Screen : public Window, public ScreenWindow, public ScreenObserver {
public:
    // Follows the model (not owned) from now until destruction; creates no window yet.
    Virtual98Screen(ScreenModel& model, HWND owner);
    ~Virtual98Screen() override;

    void Open(const char* caption) override;
    void Close() override;
    bool IsOpen() const override { return hwnd != nullptr; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnCellsChanged(const CellRect& cells) override;
    void OnInvalidate() override;
    void OnCurrentPaletteChanged() override;

    // Recomposes the whole screen and presents it on a device context of the client area.
    void PaintAll(HDC target);

private:
    // Owns a device context: a memory one (deleted) or a window's (released).
    class DeviceContext {
    public:
        DeviceContext() = default;
        ~DeviceContext() { Reset(); }
        DeviceContext(const DeviceContext&) = delete;
        DeviceContext& operator=(const DeviceContext&) = delete;
        void ResetMemory(HDC dc) { Reset(), value = dc; }
        void ResetWindow(HWND window, HDC dc) { Reset(), value = dc, owner = window; }
        void Reset();
        HDC Get() const { return value; }

    private:
        HDC value = nullptr;
        HWND owner = nullptr;
    };

    bool OnCreate();
    void OnDestroy();
    void RecordRectangle();
    void Compose(const CellRect& cells);
    void ComposeGraphics(const CellRect& cells);
    void DrawRun(const TextRun& run);
    void Present(HDC target, const CellRect& cells);
    void RebuildPalette();

    ScreenModel& model;
    HWND owner;
    int x = 0;
    int y = 0;
    int width = kPageWidth;
    int height = kPageHeight;
    int clientWidth = kPageWidth;
    int clientHeight = kPageHeight;
    bool paletteDevice = false;
    UniqueGdiObject palette;
    DeviceContext windowDc;
    DeviceContext memoryDc;
    DeviceContext scratchDc;  // one row of cells, for cutting reverse text out of its box
    UniqueGdiObject picture;
    UniqueGdiObject scratch;
    UniqueGdiObject font;
    HGDIOBJ previousPicture = nullptr;
    HGDIOBJ previousFont = nullptr;
    HGDIOBJ previousScratch = nullptr;
    HGDIOBJ previousScratchFont = nullptr;
};
