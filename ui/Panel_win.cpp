// The panel's elements: creation and deletion in order, draw-item routing and the focus walk.
#include "ui/Panel_win.h"

#include "ui/ButtonControl_win.h"
#include "ui/PanelButtons_win.h"
#include "ui/PanelParts_win.h"
#include "ui/PlayOrderSwitch_win.h"
#include "ui/SeekBar_win.h"
#include "ui/Sliders_win.h"

Panel::Panel(PanelHost& host) : host(host) {
    Create();
}

Panel::~Panel() {
    Destroy();
}

void Panel::Create() {
    for (int id = 0; id < kPanelButtonCount; ++id) {
        auto button = std::make_unique<PanelButton>(*this, id);
        buttonsById[id] = button.get();
        controlsById[id] = std::move(button);
    }
    controlsById[kPlayOrderSwitchId] = std::make_unique<PlayOrderSwitch>(*this, kPlayOrderSwitchId);
    controlsById[kSeekBarId] = std::make_unique<SeekBar>(*this, kSeekBarId);
    auto text = std::make_unique<TextViewerButton>(*this, kTextToggleId);
    auto wrd = std::make_unique<WrdButton>(*this, kWrdToggleId);
    auto volume = std::make_unique<VolumeSlider>(*this, kVolumeSliderId);
    auto balance = std::make_unique<BalanceSlider>(*this, kBalanceSliderId);
    buttonsById[kTextToggleId] = text.get();
    buttonsById[kWrdToggleId] = wrd.get();
    buttonsById[kVolumeSliderId] = volume.get();
    buttonsById[kBalanceSliderId] = balance.get();
    controlsById[kTextToggleId] = std::move(text);
    controlsById[kWrdToggleId] = std::move(wrd);
    controlsById[kVolumeSliderId] = std::move(volume);
    controlsById[kBalanceSliderId] = std::move(balance);

    parts[kListTitlePart] = std::make_unique<ListTitlePart>(*this);
    parts[kSongTitlePart] = std::make_unique<SongTitlePart>(*this);
    parts[kCommentPart] = std::make_unique<CommentPart>(*this);
    parts[kPlayStatePart] = std::make_unique<PlayStatePart>(*this);
    parts[kDeviceKindPart] = std::make_unique<DeviceKindPart>(*this);
    counter = std::make_unique<CounterPart>(*this);
}

void Panel::Destroy() {
    buttonsById.fill(nullptr);
    static constexpr int kOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 20, 17, 18, 19, 21, 22};
    for (int id : kOrder) {
        controlsById[id].reset();
    }
    for (auto& part : parts) {
        part.reset();
    }
    counter.reset();
}

HWND Panel::ControlWindow(int controlId) const {
    if (controlId < 0 || controlId >= kPanelControlCount || !controlsById[controlId]) {
        return nullptr;
    }
    return controlsById[controlId]->hwnd;
}

LRESULT Panel::RouteDrawItem(int controlId, const DRAWITEMSTRUCT& item) {
    if (controlId < 0 || controlId >= kPanelControlCount || !buttonsById[controlId]) {
        return FALSE;
    }
    buttonsById[controlId]->Draw(item);
    return TRUE;
}

void Panel::MoveFocus(int controlId, int direction) {
    const int next = NextFocusControl(form, controlId, direction, [this](int id) {
        HWND control = ControlWindow(id);
        return control && IsWindowEnabled(control);
    });
    if (next >= 0) {
        if (HWND control = ControlWindow(next)) {
            SetFocus(control);
        }
    }
}
