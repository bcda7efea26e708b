// The shared window procedures that deliver messages to window objects.
#include "ui/framework/Window_win.h"

#include "ui/framework/CallbackGuard_win.h"

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
    const auto unhandled = [&] { return DefWindowProcA(hwnd, message, wParam, lParam); };
    return GuardCallback(
        [&]() -> LRESULT {
            Window* object = BoundObject(hwnd);
            if (object == nullptr && message == WM_NCCREATE) {
                const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
                object = static_cast<Window*>(create->lpCreateParams);
                if (object == nullptr) {
                    return FALSE;  // a window of ours without its object cannot work
                }
                object->hwnd = hwnd;
                SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(object));
            }
            if (object == nullptr) {
                return unhandled();
            }
            const LRESULT result = object->HandleMessage(message, wParam, lParam);
            if (message == WM_NCDESTROY) {
                SetWindowLongPtrA(hwnd, 0, 0);
                object->hwnd = nullptr;
                object->OnDestroyed();  // the object may be gone after this
            }
            return result;
        },
        unhandled);
}

LRESULT CALLBACK SubclassWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto unhandled = [&] { return DefWindowProcA(hwnd, message, wParam, lParam); };
    return GuardCallback(
        [&]() -> LRESULT {
            if (auto* object = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
                return object->HandleMessage(message, wParam, lParam);
            }
            return unhandled();
        },
        unhandled);
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

void UnsubclassControl(HWND control, WNDPROC previous) {
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    SetWindowLongPtrA(control, GWLP_USERDATA, 0);
}
