// A second reference for start-up time: a window of the player's size and styles holding 23
// owner-drawn buttons filled with one brush, and nothing else. The gap between this program and
// MinimalWindow is what the system charges for a panel of that many child windows.
#include <windows.h>

namespace {

constexpr int kButtonCount = 23;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        return TRUE;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    windowClass.lpszClassName = "ButtonsWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_ACCEPTFILES, "ButtonsWindow", "Buttons",
                                  WS_POPUP | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 412, 100, nullptr, nullptr, instance, nullptr);
    for (int i = 0; i < kButtonCount; ++i) {
        CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 4 + (i % 10) * 40, 4 + (i / 10) * 30,
                        38, 16, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(i)), instance, nullptr);
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
