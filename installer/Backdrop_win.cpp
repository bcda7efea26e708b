// The backdrop window and the wizard it runs.
#include "installer/Backdrop_win.h"

#include <string>
#include <vector>

#include "app/containers/DeviceContext_win.h"
#include "app/containers/UniqueHandle_win.h"
#include "installer/InstallerTexts.h"

namespace {

// Posted from WM_CREATE so the wizard runs once the window is fully made and shown.
constexpr UINT kRunWizardMessage = WM_APP + 1;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr char kTitleFace[] = "ＭＳ Ｐゴシック";

std::string ModulePath() {
    std::vector<char> path(1024, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return length > 0 && length < path.size() ? std::string(path.data(), length) : std::string();
}

std::string SystemFolder() {
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

}  // namespace

BackdropWindow::~BackdropWindow() {
    if (hwnd != nullptr) {
        DestroyWindow(hwnd);
    }
}

bool BackdropWindow::Register(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &ObjectWindowProc;
    windowClass.cbWndExtra = sizeof(void*);
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // The class owns the brush for the whole run of the program.
    windowClass.hbrBackground = CreateSolidBrush(kBlue);
    windowClass.lpszClassName = kInstallerCaption;
    return RegisterClassA(&windowClass) != 0;
}

bool BackdropWindow::Create(HINSTANCE instance) {
    RECT desktop{};
    GetClientRect(GetDesktopWindow(), &desktop);
    return CreateWindowExA(0, kInstallerCaption, kInstallerCaption, WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX,
                           desktop.left, desktop.top, desktop.right - desktop.left, desktop.bottom - desktop.top,
                           nullptr, nullptr, instance, this) != nullptr;
}

LRESULT BackdropWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case kRunWizardMessage:
            RunWizard();
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(hwnd, &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

void BackdropWindow::OnCreate() {
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    context.state.Start(ModulePath(), SystemFolder());
    PostMessageA(hwnd, kRunWizardMessage, 0, 0);
}

void BackdropWindow::RunWizard() {
    InstallFolderPage folder(context);
    DirectoriesPage directories(context);
    StartMenuPage startMenu(context);
    FinishPage finish(context);
    RunPropertySheet(hwnd, kWizardCaption, {&folder, &directories, &startMenu, &finish}, PSH_WIZARD | PSH_NOAPPLYNOW,
                     0);
    DestroyWindow(hwnd);
}

void BackdropWindow::OnPaint() {
    PaintDc paint(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    Paint(paint.Get(), client);
}

void BackdropWindow::Paint(HDC dc, const RECT& client) const {
    SetBkMode(dc, TRANSPARENT);
    UniqueGdiObject titleFont(CreateFontA(72, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                          DEFAULT_PITCH | FF_DONTCARE, kTitleFace));
    {
        ScopedSelectObject title(dc, titleFont.Get());
        const int titleLength = lstrlenA(kBackdropTitle);
        // Black first and lower right, then cyan over it: a drop shadow.
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutA(dc, 10, 10, kBackdropTitle, titleLength);
        SetTextColor(dc, kCyan);
        TextOutA(dc, 5, 5, kBackdropTitle, titleLength);
    }
    ScopedSelectObject system(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT band = client;
    band.top = client.bottom - (metrics.tmHeight + metrics.tmExternalLeading);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, kInstallerVersion, -1, &band, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
