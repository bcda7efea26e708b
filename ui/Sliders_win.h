// The volume slider (vertical, 0 ... 65535) and the balance slider (horizontal, -100 ... 100):
// owner-drawn buttons that follow the current play mode by polling and change it by mouse
// drag or Shift+arrow.
#pragma once

#include <cstdint>

#include "ui/ButtonControl_win.h"

class SliderControl : public ButtonControl {
public:
    SliderControl(ControlOwner& owner, int controlId, std::int32_t initialValue);
    ~SliderControl() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The mode's value, and the value for a pointer in the client area (none without a track).
    virtual std::int32_t ReadValue(PlayMode& mode) = 0;
    virtual void ApplyPointer(PlayMode& mode, const RECT& client, POINT pointer) = 0;
    // Shift+arrow: answers true when the key adjusts the value (and so does not move the focus).
    virtual bool ApplyKey(PlayMode& mode, WPARAM key) = 0;
    virtual void OnRightButton(PlayMode& mode);

private:
    void EndDrag();

    HWND savedCapture = nullptr;
    std::int32_t dragging = 0;
    UINT_PTR timerId = 0;
    std::int32_t lastValue;
};

class VolumeSlider : public SliderControl {
public:
    VolumeSlider(ControlOwner& owner, int controlId);
    void Draw(const DRAWITEMSTRUCT& item) override;

protected:
    std::int32_t ReadValue(PlayMode& mode) override;
    void ApplyPointer(PlayMode& mode, const RECT& client, POINT pointer) override;
    bool ApplyKey(PlayMode& mode, WPARAM key) override;
};

class BalanceSlider : public SliderControl {
public:
    BalanceSlider(ControlOwner& owner, int controlId);
    void Draw(const DRAWITEMSTRUCT& item) override;

protected:
    std::int32_t ReadValue(PlayMode& mode) override;
    void ApplyPointer(PlayMode& mode, const RECT& client, POINT pointer) override;
    bool ApplyKey(PlayMode& mode, WPARAM key) override;
    void OnRightButton(PlayMode& mode) override;
};
