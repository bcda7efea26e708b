// The panel's bitmap buttons: the skinned push buttons 0 ... 16 and the two small toggles that
// open and close the text viewer and the WRD display.
#pragma once

#include <cstdint>

#include "app/containers/UniqueHandle_win.h"
#include "ui/ButtonControl_win.h"

class PanelButton : public ButtonControl {
public:
    PanelButton(ControlOwner& owner, int controlId);
    ~PanelButton() override;
    // Face, glyph, and for the two seek buttons the start and end of scanning while held.
    void Draw(const DRAWITEMSTRUCT& item) override;

private:
    std::int32_t scanning = 0;
};

// A 15 x 10 three-state button: normal, lit while its window shows, disabled.
class ViewerToggleButton : public ButtonControl {
public:
    ViewerToggleButton(ControlOwner& owner, int controlId, int bitmapId);
    void Draw(const DRAWITEMSTRUCT& item) override;

protected:
    virtual bool IsOpen(PlayMode& mode) = 0;

private:
    UniqueGdiObject bitmap;
};

class TextViewerButton : public ViewerToggleButton {
public:
    TextViewerButton(ControlOwner& owner, int controlId);

protected:
    bool IsOpen(PlayMode& mode) override;
};

class WrdButton : public ViewerToggleButton {
public:
    WrdButton(ControlOwner& owner, int controlId);

protected:
    bool IsOpen(PlayMode& mode) override;
};
