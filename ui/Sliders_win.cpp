// The volume and balance sliders: dragging, Shift+arrow steps, polling and painting.
#include "ui/Sliders_win.h"

#include <windowsx.h>

#include "play/PlayMode.h"
#include "ui/PanelLayout.h"
#include "ui/PanelSkin_win.h"

namespace {

constexpr UINT kPollMs = 30;

RECT Inner(const RECT& item) {
    return {item.left + 1, item.top + 1, item.right - 1, item.bottom - 1};
}

void FillSpan(HDC dc, LONG left, LONG top, LONG right, LONG bottom, HBRUSH brush) {
    if (left < right && top < bottom) {
        const RECT area = {left, top, right, bottom};
        FillRect(dc, &area, brush);
    }
}

}  // namespace

SliderControl::SliderControl(ControlOwner& owner, int controlId, std::int32_t initialValue)
    : ButtonControl(owner, controlId), lastValue(initialValue) {
    if (hwnd) {
        // The object's address is the timer id, so it cannot clash with another control's.
        timerId = SetTimer(hwnd, reinterpret_cast<UINT_PTR>(this), kPollMs, nullptr);
    }
}

SliderControl::~SliderControl() {
    if (timerId && hwnd) {
        KillTimer(hwnd, timerId);
    }
    timerId = 0;
}

void SliderControl::OnRightButton(PlayMode& /*mode*/) {}

void SliderControl::EndDrag() {
    dragging = 0;
    ReleaseCapture();
    if (savedCapture) {
        SetCapture(savedCapture);
        savedCapture = nullptr;
    }
}

LRESULT SliderControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    PlayMode* mode = owner.CurrentMode();
    switch (message) {
        case WM_LBUTTONDOWN:
            dragging = 1;
            savedCapture = SetCapture(hwnd);
            // A click sets the value at once, as if the pointer had moved there.
            SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, lParam);
            break;
        case WM_MOUSEMOVE:
            if (dragging && mode) {
                RECT client;
                GetClientRect(hwnd, &client);
                ApplyPointer(*mode, client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            }
            break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            if (dragging) {
                EndDrag();
            }
            break;
        case WM_KEYDOWN:
            if (IsShiftHeld() && mode && ApplyKey(*mode, wParam)) {
                Redraw();
                return 0;
            }
            break;
        case WM_TIMER:
            if (mode) {
                const std::int32_t value = ReadValue(*mode);
                if (value != lastValue) {
                    lastValue = value;
                    Redraw();
                }
            }
            break;
        case WM_RBUTTONDOWN:
            SetFocus(hwnd);
            if (mode) {
                OnRightButton(*mode);
            }
            break;
    }
    return ButtonControl::HandleMessage(message, wParam, lParam);
}

VolumeSlider::VolumeSlider(ControlOwner& owner, int controlId) : SliderControl(owner, controlId, -1) {}

std::int32_t VolumeSlider::ReadValue(PlayMode& mode) {
    return static_cast<std::int32_t>(mode.GetVolume());
}

void VolumeSlider::ApplyPointer(PlayMode& mode, const RECT& client, POINT pointer) {
    if (const auto value = VolumeFromPointer(client.top, client.bottom, pointer.y)) {
        mode.SetVolume(*value);
        Redraw();
    }
}

bool VolumeSlider::ApplyKey(PlayMode& mode, WPARAM key) {
    if (key != VK_UP && key != VK_DOWN) {
        return false;
    }
    mode.SetVolume(VolumeAfterKey(mode.GetVolume(), key == VK_UP ? 1 : -1));
    return true;
}

void VolumeSlider::Draw(const DRAWITEMSTRUCT& item) {
    if (item.itemAction & ODA_DRAWENTIRE) {
        PlayMode* mode = owner.CurrentMode();
        const RECT inner = Inner(item.rcItem);
        const LONG level = VolumeLevelY(inner.top, inner.bottom, mode ? mode->GetVolume() : 0);
        FillSpan(item.hDC, inner.left, level, inner.right, inner.bottom,
                 static_cast<HBRUSH>(owner.Skin().cyanBrush.Get()));
        FillSpan(item.hDC, inner.left, inner.top, inner.right, level, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        ButtonControl::Draw(item);
    }
}

BalanceSlider::BalanceSlider(ControlOwner& owner, int controlId) : SliderControl(owner, controlId, -1000) {}

std::int32_t BalanceSlider::ReadValue(PlayMode& mode) {
    return mode.GetBalance();
}

void BalanceSlider::ApplyPointer(PlayMode& mode, const RECT& client, POINT pointer) {
    if (const auto value = BalanceFromPointer(client.left, client.right, pointer.x)) {
        mode.SetBalance(*value);
        Redraw();
    }
}

bool BalanceSlider::ApplyKey(PlayMode& mode, WPARAM key) {
    if (key != VK_LEFT && key != VK_RIGHT) {
        return false;
    }
    mode.SetBalance(BalanceAfterKey(mode.GetBalance(), key == VK_RIGHT ? 1 : -1));
    return true;
}

void BalanceSlider::OnRightButton(PlayMode& mode) {
    mode.SetBalance(0);
}

void BalanceSlider::Draw(const DRAWITEMSTRUCT& item) {
    if (item.itemAction & ODA_DRAWENTIRE) {
        PlayMode* mode = owner.CurrentMode();
        const RECT inner = Inner(item.rcItem);
        const LONG knob = BalanceKnobX(inner.left, inner.right, mode ? mode->GetBalance() : 0);
        const auto gray = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        FillSpan(item.hDC, inner.left, inner.top, knob, inner.bottom, gray);
        FillSpan(item.hDC, knob, inner.top, knob + 3, inner.bottom, static_cast<HBRUSH>(owner.Skin().cyanBrush.Get()));
        FillSpan(item.hDC, knob + 3, inner.top, inner.right, inner.bottom, gray);
        ButtonControl::Draw(item);
    }
}
