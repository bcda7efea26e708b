// The shared window procedures that deliver messages to window objects.
#include "ui/Window_win.h"

namespace {

Window* BoundObject(HWND hwnd) {
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, 0));
}

}  // namespace

Window::~Window() {
    if (hwnd) {
        HWND window = hwnd;
        hwnd = nullptr;
        // Unbind first: the object is being destroyed, so late messages must not reach it.
        SetWindowLongPtrA(window, 0, 0);
        DestroyWindow(window);
    }
}

LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (Window* object = BoundObject(hwnd)) {
            const LRESULT result = object->HandleMessage(message, wParam, lParam);
            if (message == WM_DESTROY) {
                SetWindowLongPtrA(hwnd, 0, 0);
                object->hwnd = nullptr;
            }
            return result;
        }
        if (message == WM_CREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            auto* object = static_cast<Window*>(create->lpCreateParams);
            if (object == nullptr) {
                return -1;
            }
            object->hwnd = hwnd;
            SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
            return object->HandleMessage(WM_CREATE, wParam, lParam);
        }
    } catch (...) {
        // Exceptions cannot pass through the system's frames; answer as if unhandled.
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (auto* object = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
            return object->HandleMessage(message, wParam, lParam);
        }
    } catch (...) {
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool RegisterObjectWindowClass(HINSTANCE instance, const char* className, int iconId, HBRUSH background) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &ObjectWindowProc;
    windowClass.cbWndExtra = sizeof(void*);
    windowClass.hInstance = instance;
    windowClass.hIcon = iconId != 0 ? LoadIconA(instance, MAKEINTRESOURCEA(iconId)) : nullptr;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0;
}

WNDPROC SubclassControl(HWND control, Window* object) {
    object->hwnd = control;
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassWindowProc)));
}
