// Where the panel's controls and parts sit in the normal and the flat form, and the keyboard
// focus walk through each form's tab order.
#include "ui/PanelLayout.h"

#include <algorithm>

namespace {

ControlPlace Place(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
    // A client area narrower than the design gives empty controls rather than negative sizes.
    return {x, y, std::max(width, 0), std::max(height, 0), true};
}

ControlPlace Button(std::int32_t x, std::int32_t y) {
    return Place(x, y, kPanelButtonWidth, kPanelButtonHeight);
}

PanelRect Frame(const ControlPlace& place) {
    return place.Rect();
}

void LayoutNormal(PanelLayout& layout, std::int32_t w, std::int32_t h) {
    auto& c = layout.controls;
    for (int i = 0; i < 3; ++i) {
        c[kCloseButton + i] = Button(8, 6 + 23 * i);
        layout.frames[1 + i] = Frame(c[kCloseButton + i]);
    }
    c[kRecordButton] = Button(8, h - 21);
    layout.frames[7] = Frame(c[kRecordButton]);
    for (int i = 0; i < 8; ++i) {
        c[kStopButton + i] = Button(54 + kPanelButtonWidth * i, h - 21);
    }
    layout.frames[4] = {54, h - 21, 358, h - 5};
    for (int i = 0; i < 2; ++i) {
        c[kFileModeButton + i] = Button(w - 46, 6 + 16 * i);
    }
    layout.frames[5] = {w - 46, 6, w - 8, 38};
    for (int i = 0; i < 3; ++i) {
        c[kListButton + i] = Button(w - 46, h - 57 + 18 * i);
    }
    layout.frames[6] = {w - 46, h - 57, w - 8, h - 5};

    const PanelRect d = {54, 6, w - 54, h - 27};
    layout.frames[0] = d;
    layout.frameCount = 8;
    layout.parts[kListTitlePart] = {d.left + 2, d.top, d.right - 64, d.top + 12};
    layout.parts[kSongTitlePart] = {d.left + 2, d.top + 12, d.right - 64, d.bottom - 24};
    layout.parts[kCommentPart] = {d.left + 2, d.bottom - 24, d.right - 64, d.bottom - 12};
    c[kSeekBarId] = Place(d.left + 3, d.bottom - 10, d.right - 130 - (d.left + 3), 8);
    layout.counter = {d.right - 130, d.bottom - 12, d.right - 2, d.bottom};
    c[kVolumeSliderId] = Place(d.right - 60, d.top + 4, 23, 40);
    c[kBalanceSliderId] = Place(d.right - 60, d.bottom - 19, 23, 6);
    c[kPlayOrderSwitchId] = Place(d.right - 34, d.top + 2, 32, 12);
    layout.parts[kPlayStatePart] = {d.right - 34, d.top + 16, d.right - 2, d.top + 28};
    layout.parts[kDeviceKindPart] = {d.right - 34, d.top + 30, d.right - 2, d.top + 42};
    c[kTextToggleId] = Place(d.right - 34, d.top + 44, 15, 10);
    c[kWrdToggleId] = Place(d.right - 17, d.top + 44, 15, 10);
}

void LayoutFlat(PanelLayout& layout, std::int32_t w, std::int32_t h) {
    auto& c = layout.controls;
    // The strip also covers the sizing border: the client rectangle grown by 2 on every side.
    const PanelRect outer = {-2, -2, w + 2, h + 2};
    const PanelRect d = {outer.left + 54, outer.top + 6, outer.right - 260, outer.bottom - 6};
    layout.frames[0] = d;
    layout.frameCount = 9;
    for (int id : {kMenuButton, kEjectButton, kRecordButton}) {
        c[id] = {0, 0, 0, 0, false};
    }
    for (int i = 0; i < 2; ++i) {
        c[kCloseButton + i] = Button(outer.left + 8, outer.top + 6 + 23 * i);
        layout.frames[1 + i] = Frame(c[kCloseButton + i]);
    }
    const int firstRow[] = {kStopButton, kPlayButton, kPauseButton, kJumpButton};
    const int secondRow[] = {kRewindButton, kFastForwardButton, kPreviousButton, kNextButton};
    for (int i = 0; i < 4; ++i) {
        c[firstRow[i]] = Button(d.right + 8 + kPanelButtonWidth * i, outer.top + 6);
        c[secondRow[i]] = Button(d.right + 8 + kPanelButtonWidth * i, outer.top + 30);
    }
    layout.frames[3] = {d.right + 8, outer.top + 6, d.right + 160, outer.top + 22};
    layout.frames[4] = {d.right + 8, outer.top + 30, d.right + 160, outer.top + 46};
    for (int i = 0; i < 2; ++i) {
        c[kFileModeButton + i] = Button(outer.right - 46, outer.top + 6 + 24 * i);
        c[kListButton + i] = Button(outer.right - 92, outer.top + 6 + 24 * i);
    }
    layout.frames[5] = {outer.right - 46, outer.top + 6, outer.right - 8, outer.top + 22};
    layout.frames[6] = {outer.right - 46, outer.top + 30, outer.right - 8, outer.top + 46};
    layout.frames[7] = {outer.right - 92, outer.top + 6, outer.right - 54, outer.top + 22};
    layout.frames[8] = {outer.right - 92, outer.top + 30, outer.right - 54, outer.top + 46};

    const std::int32_t t = d.right - d.left - 60;
    layout.parts[kListTitlePart] = {d.left + 2, d.top, d.left + t / 2 - 2, d.top + 14};
    layout.parts[kCommentPart] = {d.left + 2, d.top + 14, d.left + t / 2 - 2, d.bottom - 13};
    layout.parts[kSongTitlePart] = {d.left + t / 2 + 2, d.top, d.left + t - 1, d.bottom - 16};
    c[kSeekBarId] = Place(d.left + 3, d.bottom - 10, d.right - 224 - (d.left + 3), 8);
    layout.counter = {d.right - 224, d.bottom - 12, d.right - 96, d.bottom};
    c[kVolumeSliderId] = Place(d.right - 58, d.top + 1, 22, 32);
    c[kBalanceSliderId] = Place(d.right - 58, d.bottom - 7, 22, 6);
    c[kPlayOrderSwitchId] = Place(d.right - 34, d.top + 1, 32, 12);
    layout.parts[kPlayStatePart] = {d.right - 34, d.top + 14, d.right - 2, d.top + 26};
    layout.parts[kDeviceKindPart] = {d.right - 34, d.top + 27, d.right - 2, d.top + 39};
    c[kTextToggleId] = Place(d.right - 92, d.bottom - 11, 15, 10);
    c[kWrdToggleId] = Place(d.right - 74, d.bottom - 11, 15, 10);
}

constexpr int kNormalOrder[] = {0, 1, 2, 16, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21, 22};
constexpr int kFlatOrder[] = {0, 1, 17, 21, 22, 18, 19, 20, 3, 4, 5, 10, 6, 7, 8, 9, 13, 14, 11, 12};

}  // namespace

PanelLayout ComputePanelLayout(int form, std::int32_t width, std::int32_t height) {
    PanelLayout layout;
    if (form == kFlatForm) {
        LayoutFlat(layout, width, height);
    } else {
        LayoutNormal(layout, width, height);
    }
    return layout;
}

int NextFocusControl(int form, int controlId, int direction, const std::function<bool(int)>& isEnabled) {
    const int* order = form == kFlatForm ? kFlatOrder : kNormalOrder;
    const int count =
        form == kFlatForm ? static_cast<int>(std::size(kFlatOrder)) : static_cast<int>(std::size(kNormalOrder));
    const int* found = std::find(order, order + count, controlId);
    if (found == order + count) {
        return -1;
    }
    const int start = static_cast<int>(found - order);
    const int step = direction < 0 ? count - 1 : 1;
    for (int index = (start + step) % count; index != start; index = (index + step) % count) {
        if (isEnabled(order[index])) {
            return order[index];
        }
    }
    return controlId;
}
