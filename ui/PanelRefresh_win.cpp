// The refresh operations the play modes and the main window call: texts, enabled buttons,
// caption and time, and everything at once.
#include <cstring>

#include "play/PlayMode.h"
#include "ui/ButtonControl_win.h"
#include "ui/PanelParts_win.h"
#include "ui/Panel_win.h"

void Panel::RepaintNow(int controlId) {
    if (HWND control = ControlWindow(controlId)) {
        InvalidateRect(control, nullptr, FALSE);
        UpdateWindow(control);
    }
}

void Panel::UpdateTexts() {
    parts[kListTitlePart]->Redraw();
    parts[kSongTitlePart]->Redraw();
    parts[kCommentPart]->Redraw();
}

void Panel::UpdateButtons() {
    PlayMode* mode = CurrentMode();
    if (!mode) {
        return;
    }
    const std::int32_t flags = mode->GetPanelFlags();
    HMENU menu = GetSystemMenu(ParentWindow(), FALSE);
    for (const PanelFlagControl& entry : kPanelFlagControls) {
        const bool enabled = (flags & entry.bit) != 0;
        if (HWND control = ControlWindow(entry.controlId)) {
            EnableWindow(control, enabled);
        }
        if (entry.menuCommand && menu) {
            EnableMenuItem(menu, static_cast<UINT>(entry.menuCommand),
                           MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        }
    }
    if (HWND text = ControlWindow(kTextToggleId)) {
        EnableWindow(text, TextToggleEnabled(flags, mode->IsTextOpen() != 0));
        InvalidateRect(text, nullptr, FALSE);
    }
    if (HWND wrd = ControlWindow(kWrdToggleId)) {
        EnableWindow(wrd, WrdToggleEnabled(flags, mode->IsWrdOpen() != 0));
        InvalidateRect(wrd, nullptr, FALSE);
    }
    RepaintNow(kPlayOrderSwitchId);
    parts[kPlayStatePart]->Redraw();
    parts[kDeviceKindPart]->Redraw();
}

void Panel::UpdateTime(bool forceTitle) {
    std::int32_t position = 0;
    char title[512] = "";
    if (PlayMode* mode = CurrentMode()) {
        position = mode->GetSongPosition();
        mode->GetTitle(title, sizeof title);
    }
    const std::string caption = PanelCaption(position, title);
    char shown[kCaptionBytes] = "";
    HWND window = ParentWindow();
    GetWindowTextA(window, shown, sizeof shown);
    if (forceTitle || std::strcmp(shown, caption.c_str()) != 0) {
        SetWindowTextA(window, caption.c_str());
    }
    RepaintNow(kSeekBarId);
    counter->Redraw();
    RepaintNow(kVolumeSliderId);
    RepaintNow(kBalanceSliderId);
}

void Panel::RefreshAll() {
    HWND window = ParentWindow();
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    UpdateTexts();
    UpdateButtons();
    UpdateTime(true);
    for (int id = 0; id < kPanelControlCount; ++id) {
        if (HWND control = ControlWindow(id)) {
            UpdateWindow(control);
        }
    }
}

void Panel::ShowNotice(const char* text) {
    static_cast<CommentPart&>(*parts[kCommentPart]).SetNotice(text);
    parts[kCommentPart]->Redraw();
}
