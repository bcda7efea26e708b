// The emulated PC-98 screen's window: composition of graphics and text in a memory bitmap and
// presentation of the changed block (or of the whole picture, scaled, at another client size).
#include "wrd/Virtual98Screen_win.h"

#include <cstring>
#include <vector>

#include "app/Settings.h"
#include "resources/ImageIds.h"
#include "ui/framework/ProgramInstance_win.h"
#include "wrd/WindowPlacement.h"

namespace {

// WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX: no caption, no border;
// the caption only shows on the task bar.
constexpr DWORD kScreenStyle = 0x940A0000;
constexpr WPARAM kDragMove = SC_MOVE | HTCAPTION;  // 0xF012: moves the window with the mouse
const CellRect kWholeScreen{0, 0, kTextColumns, kTextRows};

// Character cells of 8 x 16 pixels in the standard Gothic face. The character set must be the
// Japanese one: the screen's text is Shift-JIS, which any other set renders as mojibake.
HFONT CreateCellFont() {
    LOGFONTA description = {};
    description.lfHeight = kCellHeight;
    description.lfWidth = kCellWidth;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::strcpy(description.lfFaceName, "標準ゴシック");
    return CreateFontIndirectA(&description);
}

COLORREF ToColorRef(const PaletteEntry& entry) {
    return RGB(entry.red, entry.green, entry.blue);
}

// Selects and realizes the screen's logical palette into a context on palette-based displays,
// and puts the previous one back on scope exit.
class ScopedPalette {
public:
    ScopedPalette(HDC dc, HGDIOBJ palette, bool use) : dc(dc) {
        if (use && palette) {
            previous = SelectPalette(dc, static_cast<HPALETTE>(palette), FALSE);
            RealizePalette(dc);
        }
    }
    ~ScopedPalette() {
        if (previous) {
            SelectPalette(dc, previous, FALSE);
        }
    }
    ScopedPalette(const ScopedPalette&) = delete;
    ScopedPalette& operator=(const ScopedPalette&) = delete;

private:
    HDC dc;
    HPALETTE previous = nullptr;
};

}  // namespace

void RegisterVirtual98ScreenClass(HINSTANCE instance) {
    RegisterObjectWindowClass(instance, kVirtual98ScreenClass, IDI_WRD_SCREEN, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

std::unique_ptr<ScreenWindow> CreateScreenWindow(ScreenModel& model, OwnerWindow owner) {
    return std::make_unique<Virtual98Screen>(model, static_cast<HWND>(owner));
}

Virtual98Screen::Virtual98Screen(ScreenModel& model, HWND owner) : model(model), owner(owner) {
    model.SetObserver(this);
}

Virtual98Screen::~Virtual98Screen() {
    Close();
    model.SetObserver(nullptr);
}

void Virtual98Screen::Open(const char* caption) {
    if (hwnd) {
        return;
    }
    HWND focus = GetFocus();
    x = gSettings.player.Wrd_x;
    y = gSettings.player.Wrd_y;
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    if (!ReachesDesktop(x, y, width, height, DesktopArea{desktop.left, desktop.top, desktop.right, desktop.bottom})) {
        x = CW_USEDEFAULT;
        y = CW_USEDEFAULT;
    }
    CreateWindowExA(WS_EX_APPWINDOW, kVirtual98ScreenClass, caption, kScreenStyle, x, y, kPageWidth, kPageHeight,
                    nullptr, nullptr, gInstance, this);
    if (hwnd) {
        ShowWindow(hwnd, SW_SHOW);
        if (focus) {
            SetFocus(focus);
        }
    }
}

void Virtual98Screen::Close() {
    if (hwnd) {
        DestroyWindow(hwnd);
    }
}

LRESULT Virtual98Screen::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_MOVE:
            if (!IsIconic(hwnd) && !IsZoomed(hwnd)) {
                RecordRectangle();
            }
            return 0;
        case WM_SIZE:
            clientWidth = LOWORD(lParam);
            clientHeight = HIWORD(lParam);
            return 0;
        case WM_PAINT: {
            const PaintDc dc(hwnd);
            PaintAll(dc.Get());
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintAll(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_LBUTTONDOWN:
            SendMessageA(hwnd, WM_SYSCOMMAND, kDragMove, 0);
            return 0;
        case WM_APPCOMMAND:
            // Media keys pressed while this window has the focus act on the player.
            if (owner) {
                return SendMessageA(owner, WM_APPCOMMAND, wParam, lParam);
            }
            break;
        case WM_RBUTTONDOWN:
            if (owner) {
                SetFocus(owner);
            }
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool Virtual98Screen::OnCreate() {
    windowDc = WindowDc(hwnd);
    if (!windowDc) {
        return false;
    }
    paletteDevice = (GetDeviceCaps(windowDc.Get(), RASTERCAPS) & RC_PALETTE) != 0;
    memoryDc = MemoryDc(windowDc.Get());
    scratchDc = MemoryDc(windowDc.Get());
    picture.Reset(CreateCompatibleBitmap(windowDc.Get(), kPageWidth, kPageHeight));
    scratch.Reset(CreateCompatibleBitmap(windowDc.Get(), kPageWidth, kCellHeight));
    font.Reset(CreateCellFont());
    if (!memoryDc || !scratchDc || !picture || !scratch || !font) {
        return false;
    }
    pictureSelection = ScopedSelectObject(memoryDc.Get(), picture.Get());
    fontSelection = ScopedSelectObject(memoryDc.Get(), font.Get());
    scratchSelection = ScopedSelectObject(scratchDc.Get(), scratch.Get());
    scratchFontSelection = ScopedSelectObject(scratchDc.Get(), font.Get());
    if (paletteDevice) {
        RebuildPalette();
    }
    return true;
}

void Virtual98Screen::OnDestroy() {
    // Everything selected goes back before the objects and contexts are released.
    fontSelection.Reset();
    pictureSelection.Reset();
    scratchFontSelection.Reset();
    scratchSelection.Reset();
    memoryDc.Reset();
    scratchDc.Reset();
    font.Reset();
    picture.Reset();
    scratch.Reset();
    windowDc.Reset();
    gSettings.player.Wrd_x = x;
    gSettings.player.Wrd_y = y;
}

// The window is gone and the object unbound, so the owner's reaction (closing or reopening, or
// deleting the screen) sees a screen without a window.
void Virtual98Screen::OnDestroyed() {
    if (owner) {
        SendMessageA(owner, WM_WRDSCREEN_CLOSED, 0, 0);
    }
}

void Virtual98Screen::RecordRectangle() {
    RECT rectangle;
    GetWindowRect(hwnd, &rectangle);
    x = rectangle.left;
    y = rectangle.top;
    width = rectangle.right - rectangle.left;
    height = rectangle.bottom - rectangle.top;
}

void Virtual98Screen::OnCellsChanged(const CellRect& cells) {
    if (hwnd && windowDc.Get() && model.DrawingEnabled()) {
        Compose(cells);
        Present(windowDc.Get(), cells);
    }
}

void Virtual98Screen::OnInvalidate() {
    // While a script catches up with drawing off, palette and picture changes must not repaint
    // the window each time; turning drawing back on redraws everything once.
    if (hwnd && model.DrawingEnabled()) {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
    }
}

void Virtual98Screen::OnCurrentPaletteChanged() {
    if (hwnd && paletteDevice) {
        RebuildPalette();
    }
}

void Virtual98Screen::RebuildPalette() {
    struct {
        WORD version;
        WORD count;
        PALETTEENTRY entries[16];
    } description = {0x300, 16, {}};
    const Palette& colours = model.PaletteSlot(0);
    for (int i = 0; i < 16; ++i) {
        description.entries[i] = {colours[i].red, colours[i].green, colours[i].blue, 0};
    }
    palette.Reset(CreatePalette(reinterpret_cast<const LOGPALETTE*>(&description)));
}

void Virtual98Screen::PaintAll(HDC target) {
    if (memoryDc.Get()) {
        Compose(kWholeScreen);
        Present(target, kWholeScreen);
    }
}

void Virtual98Screen::Compose(const CellRect& cells) {
    ComposeGraphics(cells);
    if (model.TextVisible()) {
        for (const TextRun& run : TextRunsIn(model.Text(), cells)) {
            DrawRun(run);
        }
    }
}

void Virtual98Screen::ComposeGraphics(const CellRect& cells) {
    const PixelBox box = CellPixels(cells);
    if (!model.GraphicsVisible()) {
        RECT area = {box.left, box.top, box.left + box.width, box.top + box.height};
        FillRect(memoryDc.Get(), &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    // The page is a complete bottom-up DIB, so the source row counts from the bottom and all
    // 400 scan lines are handed over.
    const std::uint8_t* page = model.PageImage(model.DisplayPage());
    ScopedPalette selected(memoryDc.Get(), palette.Get(), paletteDevice);
    SetDIBitsToDevice(memoryDc.Get(), box.left, box.top, box.width, box.height, box.left, BottomUpSourceY(cells), 0,
                      kPageHeight, page + kPagePixelOffset, reinterpret_cast<const BITMAPINFO*>(page), DIB_RGB_COLORS);
}

void Virtual98Screen::DrawRun(const TextRun& run) {
    const std::string bytes = RunBytes(model.Text(), run);
    // One advance per byte keeps every character on the cell grid whatever the font's metrics.
    const std::vector<INT> advances(bytes.size(), kCellWidth);
    const int count = static_cast<int>(bytes.size());
    const int top = run.row * kCellHeight;
    const int textX = run.textColumn * kCellWidth;
    const RECT cells = {run.column * kCellWidth, top, (run.column + run.length) * kCellWidth, top + kCellHeight};
    const COLORREF colour = ToColorRef(run.Colour());
    HDC dc = memoryDc.Get();
    if (!run.Reverse()) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour);
        ExtTextOutA(dc, textX, top, ETO_CLIPPED, &cells, bytes.data(), count, advances.data());
        return;
    }
    // A box of the colour with the glyph cut out: the strokes keep the picture below. First the
    // picture is cleared outside the strokes (AND with white strokes on black), then the colour
    // is added there (OR with black strokes on the colour).
    const int runWidth = cells.right - cells.left;
    const RECT box = {0, 0, runWidth, kCellHeight};
    const int scratchX = textX - cells.left;
    HDC mask = scratchDc.Get();
    SetBkMode(mask, OPAQUE);
    SetTextColor(mask, RGB(255, 255, 255));
    SetBkColor(mask, RGB(0, 0, 0));
    ExtTextOutA(mask, scratchX, 0, ETO_OPAQUE | ETO_CLIPPED, &box, bytes.data(), count, advances.data());
    BitBlt(dc, cells.left, top, runWidth, kCellHeight, mask, 0, 0, SRCAND);
    SetTextColor(mask, RGB(0, 0, 0));
    SetBkColor(mask, colour);
    ExtTextOutA(mask, scratchX, 0, ETO_OPAQUE | ETO_CLIPPED, &box, bytes.data(), count, advances.data());
    BitBlt(dc, cells.left, top, runWidth, kCellHeight, mask, 0, 0, SRCPAINT);
}

void Virtual98Screen::Present(HDC target, const CellRect& cells) {
    const Presentation plan = PlanPresentation(cells, clientWidth, clientHeight);
    ScopedPalette sourcePalette(memoryDc.Get(), palette.Get(), paletteDevice);
    ScopedPalette targetPalette(target, palette.Get(), paletteDevice);
    const PixelBox& from = plan.source;
    const PixelBox& to = plan.target;
    if (!plan.stretch) {
        BitBlt(target, to.left, to.top, to.width, to.height, memoryDc.Get(), from.left, from.top, SRCCOPY);
        return;
    }
    // Whole pixels, not the monochrome default that ANDs dropped pixels together.
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, to.left, to.top, to.width, to.height, memoryDc.Get(), from.left, from.top, from.width,
               from.height, SRCCOPY);
}
