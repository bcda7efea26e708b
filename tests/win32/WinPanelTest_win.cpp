// The player panel hosted in a test window over a fake play mode: real child windows where the
// layout puts them, enabled buttons, the caption, the counter's digit cells, the sliders, the
// play-order switch and the seek bar's dragging.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "devices/VolumePort.h"
#include "play/PlayMode.h"
#include "tests/support/FakeVolumePort.h"
#include "tests/support/QuietOwner.h"
#include "ui/PanelLayout.h"
#include "ui/PanelSkin_win.h"
#include "ui/Panel_win.h"
#include "ui/framework/CustomControl_win.h"
#include "ui/framework/ProgramInstance_win.h"

namespace {

constexpr std::int32_t kSongLength = 280000;

class FakeDevice : public MediaDevice {
public:
    FakeDevice() : MediaDevice(nullptr) {}
    int Open(const char*) override {
        isOpen = 1;
        lengthMs = kSongLength;
        deviceType = kDeviceTypeWaveAudio;
        return 1;
    }
    void Close() override { isOpen = 0; }
    int Play() override { return mode = kModePlay; }
    int Stop() override { return mode = kModeStop; }
    int Pause() override { return mode = kModePause; }
    int Seek(std::uint32_t ms) override {
        lastSeek = static_cast<int>(ms);
        return position = static_cast<int>(ms);
    }
    int GetPosition() override { return position; }
    int GetMode() override { return mode; }

    int position = 0;
    int mode = kModeStop;
    int lastSeek = -1;
};

// One song titled "Song" on the fake device; the panel flags are whatever the test sets.
class FakeMode : public PlayMode {
public:
    explicit FakeMode(PlayOwner& owner) : PlayMode(owner) {}
    int BuildQueue() override { return 1; }
    void FreeQueue() override {}
    int GetSongCount() override { return 1; }
    void GetSong(SongEntry& entry, int index) override {
        SetSongField(entry.title, "Song");
        SetSongField(entry.listTitle, "List");
        entry.queueIndex = index;
    }
    void GetQueueTitle(char* text, std::size_t capacity, int) override { std::strncpy(text, "Song", capacity); }
    MediaDevice* OpenDevice(const SongEntry& entry) override { return device.Open(entry.path) ? &device : nullptr; }
    void CloseDevice() override { device.Close(); }
    void OnTick() override {}
    int EditList() override { return 0; }
    int OpenSource() override { return 0; }
    int GetPanelFlags() override { return flags; }
    int IsTextOpen() override { return textOpen; }

    FakeDevice device;
    int flags = 0;
    int textOpen = 0;
};

HBITMAP FilledBitmap(int width, int height, COLORREF (*colourAt)(int x)) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    for (int x = 0; x < width; ++x) {
        HBRUSH brush = CreateSolidBrush(colourAt(x));
        const RECT column = {x, 0, x + 1, height};
        FillRect(memory, &column, brush);
        DeleteObject(brush);
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// Each 5-pixel digit cell of the counter strip has a colour of its own.
COLORREF DigitColour(int glyph) {
    return RGB(20 + 15 * glyph, 40, 220 - 10 * glyph);
}

HBITMAP StandInBitmap(int id) {
    if (id == IDB_COUNTER_DIGITS) {
        return FilledBitmap(70, 9, [](int x) { return DigitColour(x / 5); });
    }
    return FilledBitmap(128, 204, [](int) { return RGB(90, 90, 90); });
}

class TestHost : public PanelHost {
public:
    HWND ParentWindow() override { return window; }
    PlayMode* CurrentMode() override { return mode; }
    HWND window = nullptr;
    PlayMode* mode = nullptr;
    Panel* panel = nullptr;
};

TestHost* gHost = nullptr;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM && gHost && gHost->panel) {
        return gHost->panel->RouteDrawItem(static_cast<int>(wParam), *reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class WinPanel : public testing::Test {
protected:
    static void SetUpTestSuite() {
        gInstance = GetModuleHandleA(nullptr);
        SetSkinBitmapLoader(&StandInBitmap);
        RegisterControlClass(gInstance);
        WNDCLASSA host = {};
        host.lpfnWndProc = &HostProc;
        host.hInstance = gInstance;
        host.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        host.lpszClassName = "PanelTestHost";
        RegisterClassA(&host);
    }

    void SetUp() override {
        gHost = &host;
        // One wave output whose volume word is kept as written.
        port.Add(VolumeDeviceKind::kWaveOut);
        mode.volumePort = &port;
        host.window = CreateWindowExA(WS_EX_TOPMOST, "PanelTestHost", "Melodrix", WS_POPUP | WS_VISIBLE | WS_SYSMENU,
                                      20, 20, 412, 100, nullptr, nullptr, gInstance, nullptr);
        ASSERT_NE(host.window, nullptr);
        host.mode = &mode;
        panel = std::make_unique<Panel>(host);
        host.panel = panel.get();
        panel->Layout(kNormalForm, 412, 100);
        Pump();
    }

    void TearDown() override {
        host.panel = nullptr;
        panel.reset();
        DestroyWindow(host.window);
        gHost = nullptr;
    }

    static void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }

    void StartSong(int positionMs) {
        mode.Reload();
        mode.device.position = positionMs;
    }

    RECT ClientRectOf(int id) {
        RECT r;
        GetWindowRect(panel->ControlWindow(id), &r);
        MapWindowPoints(nullptr, host.window, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    static void SetShift(bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    std::string Caption() {
        char text[600] = "";
        GetWindowTextA(host.window, text, sizeof text);
        return text;
    }

    QuietOwner owner;
    FakeVolumePort port;
    FakeMode mode{owner};
    TestHost host;
    std::unique_ptr<Panel> panel;
};

TEST_F(WinPanel, ChildWindowsSitWhereTheLayoutPutsThem) {
    struct Case {
        int id;
        RECT rect;
    };
    const Case normal[] = {{16, {8, 79, 46, 95}},
                           {kSeekBarId, {57, 63, 228, 71}},
                           {kVolumeSliderId, {298, 10, 321, 50}},
                           {kPlayOrderSwitchId, {324, 8, 356, 20}},
                           {kWrdToggleId, {341, 50, 356, 60}}};
    for (const Case& c : normal) {
        const RECT r = ClientRectOf(c.id);
        EXPECT_TRUE(EqualRect(&r, &c.rect))
            << c.id << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    for (int form : {kNormalForm, kFlatForm}) {
        panel->Layout(form, form == kFlatForm ? 792 : 412, form == kFlatForm ? 48 : 100);
        for (int id = 0; id < kPanelControlCount; ++id) {
            const PanelRect expected = panel->CurrentLayout().controls[id].Rect();
            const RECT r = ClientRectOf(id);
            EXPECT_EQ(r.left, expected.left) << form << "/" << id;
            EXPECT_EQ(r.top, expected.top) << form << "/" << id;
            EXPECT_EQ(r.right - r.left, expected.right - expected.left) << form << "/" << id;
            EXPECT_EQ(r.bottom - r.top, expected.bottom - expected.top) << form << "/" << id;
        }
    }
    const RECT stop = ClientRectOf(kStopButton);
    const RECT expectedStop = {542, 4, 580, 20};
    EXPECT_TRUE(EqualRect(&stop, &expectedStop));
}

TEST_F(WinPanel, UpdateButtonsEnablesExactlyTheFlaggedControls) {
    StartSong(0);
    EnableWindow(panel->ControlWindow(kFileModeButton), FALSE);
    mode.flags = 0x8 | 0x100 | 0x4000 | 0x20000;
    panel->UpdateButtons();
    for (int id : {3, 8, 14, 21, 0, 1, 2, 12, 16, 17, 18, 19, 20}) {
        EXPECT_TRUE(IsWindowEnabled(panel->ControlWindow(id))) << id;
    }
    for (int id : {4, 5, 6, 7, 9, 10, 11, 13, 15, 22}) {
        EXPECT_FALSE(IsWindowEnabled(panel->ControlWindow(id))) << id;
    }
    mode.flags = 0;
    mode.textOpen = 1;
    panel->UpdateButtons();
    EXPECT_TRUE(IsWindowEnabled(panel->ControlWindow(kTextToggleId)));
    EXPECT_FALSE(IsWindowEnabled(panel->ControlWindow(kStopButton)));
}

TEST_F(WinPanel, CaptionShowsTimeAndTitleOrTheProgramName) {
    SetWindowTextA(host.window, "x");
    panel->UpdateTime(false);
    EXPECT_EQ(Caption(), "Melodrix");
    StartSong(135000);
    panel->UpdateTime(false);
    EXPECT_EQ(Caption(), "[02:15] Song");
    mode.device.position = 61999;
    panel->UpdateTime(true);
    EXPECT_EQ(Caption(), "[01:01] Song");
}

TEST_F(WinPanel, CounterDrawsTheDigitCells) {
    StartSong(135000);
    panel->UpdateTime(true);
    const PanelRect counter = panel->CurrentLayout().counter;
    const int expected[] = {0, 0, 1, 10, 0, 0, 1, 0, 2, 11, 1, 5, 12, 0, 4, 11, 4, 0, 13};
    const auto glyphs = CounterGlyphs(1, 1, 135000, kSongLength);
    HDC dc = GetDC(host.window);
    for (int i = 0; i < kCounterGlyphCount; ++i) {
        const COLORREF pixel = GetPixel(dc, counter.left + glyphs[i].offset + 2, counter.top + kCounterGlyphTop + 4);
        EXPECT_EQ(pixel, DigitColour(expected[i])) << "glyph " << i;
    }
    ReleaseDC(host.window, dc);
}

TEST_F(WinPanel, ShiftArrowsStepTheSlidersPlainArrowsMoveTheFocus) {
    StartSong(0);
    HWND volume = panel->ControlWindow(kVolumeSliderId);
    HWND balance = panel->ControlWindow(kBalanceSliderId);
    SetShift(true);
    mode.SetVolume(63000);
    SendMessageA(volume, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(mode.GetVolume(), 65535u);
    mode.SetVolume(3000);
    SendMessageA(volume, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(mode.GetVolume(), 0u);
    mode.SetBalance(95);
    SendMessageA(balance, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(mode.GetBalance(), 100);
    SetShift(false);
    SetFocus(volume);
    mode.SetVolume(30000);
    const std::uint32_t before = mode.GetVolume();
    SendMessageA(volume, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(mode.GetVolume(), before);
    EXPECT_EQ(GetFocus(), panel->ControlWindow(kSeekBarId));
    SendMessageA(balance, WM_RBUTTONDOWN, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(mode.GetBalance(), 0);
}

TEST_F(WinPanel, PlayOrderSwitchCyclesAndRightClickCyclesBack) {
    HWND order = panel->ControlWindow(kPlayOrderSwitchId);
    mode.SetPlayMode(0);
    SendMessageA(order, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(mode.GetPlayMode(), 1);
    mode.SetPlayMode(3);
    SendMessageA(order, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(mode.GetPlayMode(), 0);
    SendMessageA(order, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(mode.GetPlayMode(), 3);
    EXPECT_EQ(GetFocus(), order);
}

TEST_F(WinPanel, SeekBarDragReleasedPastTheEndStopsShortOfIt) {
    StartSong(1000);
    HWND bar = panel->ControlWindow(kSeekBarId);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 4));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3000, 4));
    EXPECT_EQ(mode.device.lastSeek, 0);  // the song keeps its place while dragging (the open rewound it)
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(3000, 4));
    const int w = 171 - 6;
    EXPECT_EQ(mode.device.lastSeek, kSongLength * (w - 1) / w);
}

TEST_F(WinPanel, RightClickDuringASeekBarDragCancelsIt) {
    StartSong(1000);
    mode.device.lastSeek = -1;
    HWND bar = panel->ControlWindow(kSeekBarId);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 4));
    SendMessageA(bar, WM_RBUTTONDOWN, MK_RBUTTON | MK_LBUTTON, MAKELPARAM(100, 4));
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(100, 4));
    EXPECT_EQ(mode.device.lastSeek, -1);
    EXPECT_EQ(mode.device.position, 1000);
}

TEST_F(WinPanel, ControlsTooSmallForATrackIgnoreThePointer) {
    StartSong(1000);
    mode.device.lastSeek = -1;
    HWND bar = panel->ControlWindow(kSeekBarId);
    MoveWindow(bar, 10, 10, 4, 8, TRUE);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 4));
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(2, 4));
    EXPECT_EQ(mode.device.lastSeek, -1);

    HWND volume = panel->ControlWindow(kVolumeSliderId);
    MoveWindow(volume, 10, 10, 23, 2, TRUE);
    mode.SetVolume(30000);
    const std::uint32_t before = mode.GetVolume();
    SendMessageA(volume, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 0));
    SendMessageA(volume, WM_LBUTTONUP, 0, MAKELPARAM(5, 0));
    EXPECT_EQ(mode.GetVolume(), before);
}

TEST_F(WinPanel, TabWrapsThroughTheFormsOrder) {
    SetShift(false);
    SetFocus(panel->ControlWindow(kWrdToggleId));
    EnableWindow(panel->ControlWindow(kWrdToggleId), TRUE);
    SendMessageA(panel->ControlWindow(kWrdToggleId), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), panel->ControlWindow(kCloseButton));
    panel->Layout(kFlatForm, 792, 48);
    EnableWindow(panel->ControlWindow(kCdModeButton), FALSE);
    panel->MoveFocus(kCloseButton, -1);
    EXPECT_EQ(GetFocus(), panel->ControlWindow(kFileModeButton));
}

}  // namespace
