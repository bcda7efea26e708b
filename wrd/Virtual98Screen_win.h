// The window of the emulated PC-98 screen: a caption-less 640 x 400 pop-up that composes the
// screen model's graphics page and text plane in a memory bitmap and copies it to the window.
#pragma once

#include <windows.h>

#include "app/containers/DeviceContext_win.h"
#include "app/containers/UniqueHandle_win.h"
#include "app/containers/WindowMessages.h"  // WM_WRDSCREEN_CLOSED, sent to the owner
#include "ui/framework/Window_win.h"
#include "wrd/ScreenComposer.h"
#include "wrd/ScreenModel.h"
#include "wrd/ScreenWindow.h"

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
    bool OnCreate();
    void OnDestroy();
    void OnDestroyed() override;
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
    WindowDc windowDc;
    MemoryDc memoryDc;
    MemoryDc scratchDc;  // one row of cells, for cutting reverse text out of its box
    UniqueGdiObject picture;
    UniqueGdiObject scratch;
    UniqueGdiObject font;
    // Declared after what they select, so they are undone first.
    ScopedSelectObject pictureSelection;
    ScopedSelectObject fontSelection;
    ScopedSelectObject scratchSelection;
    ScopedSelectObject scratchFontSelection;
};
