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

namespace {

// The controls after the push buttons, in the order they are created. Sibling windows stack in
// the order they were made and the panel's controls list keeps that order, so the order is
// fixed here once: the play-order switch and seek bar, the two viewer toggles, the sliders.
constexpr int kLaterControls[] = {kPlayOrderSwitchId, kSeekBarId,      kTextToggleId,
                                  kWrdToggleId,       kVolumeSliderId, kBalanceSliderId};
// Deletion goes by kind: buttons, then the switch and seek bar, then the sliders and toggles.
constexpr int kLaterControlsDeleted[] = {kPlayOrderSwitchId, kSeekBarId,    kVolumeSliderId,
                                         kBalanceSliderId,   kTextToggleId, kWrdToggleId};

}  // namespace

void Panel::Create() {
    for (int id = 0; id < kPanelButtonCount; ++id) {
        auto button = std::make_unique<PanelButton>(*this, id);
        buttonsById[id] = button.get();
        controlsById[id] = std::move(button);
    }
    for (int id : kLaterControls) {
        CreateLaterControl(id);
    }
    parts[kListTitlePart] = std::make_unique<ListTitlePart>(*this);
    parts[kSongTitlePart] = std::make_unique<SongTitlePart>(*this);
    parts[kCommentPart] = std::make_unique<CommentPart>(*this);
    parts[kPlayStatePart] = std::make_unique<PlayStatePart>(*this);
    parts[kDeviceKindPart] = std::make_unique<DeviceKindPart>(*this);
    counter = std::make_unique<CounterPart>(*this);
}

void Panel::CreateLaterControl(int id) {
    std::unique_ptr<ButtonControl> button;
    switch (id) {
        case kPlayOrderSwitchId:
            controlsById[id] = std::make_unique<PlayOrderSwitch>(*this, id);
            return;
        case kSeekBarId:
            controlsById[id] = std::make_unique<SeekBar>(*this, id);
            return;
        case kTextToggleId:
            button = std::make_unique<TextViewerButton>(*this, id);
            break;
        case kWrdToggleId:
            button = std::make_unique<WrdButton>(*this, id);
            break;
        case kVolumeSliderId:
            button = std::make_unique<VolumeSlider>(*this, id);
            break;
        case kBalanceSliderId:
            button = std::make_unique<BalanceSlider>(*this, id);
            break;
        default:
            return;
    }
    buttonsById[id] = button.get();
    controlsById[id] = std::move(button);
}

void Panel::Destroy() {
    buttonsById.fill(nullptr);
    for (int id = 0; id < kPanelButtonCount; ++id) {
        controlsById[id].reset();
    }
    for (int id : kLaterControlsDeleted) {
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
