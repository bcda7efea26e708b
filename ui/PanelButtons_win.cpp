// Painting of the skinned push buttons and the viewer toggles, and press-and-hold scanning.
#include "ui/PanelButtons_win.h"

#include "play/PlayMode.h"
#include "support/MxLib.h"
#include "ui/PanelLayout.h"
#include "ui/PanelSkin_win.h"

namespace {

constexpr int kGlyphWidth = 24;
constexpr int kGlyphHeight = 12;
constexpr int kToggleWidth = 15;
constexpr int kToggleHeight = 10;

}  // namespace

PanelButton::PanelButton(ControlOwner& owner, int controlId) : ButtonControl(owner, controlId) {}

PanelButton::~PanelButton() = default;

void PanelButton::Draw(const DRAWITEMSTRUCT& item) {
    const PanelSkin& skin = owner.Skin();
    const int id = ControlId();
    const auto& face = PanelButtonShowsPressed(id, item.itemState) ? skin.buttonPressed : skin.buttonFace;
    DrawBitmapEx(item.hDC, AsBitmap(face), 0, 0, kPanelButtonWidth, kPanelButtonHeight, 0, 0);
    SpriteBitmapBlt(item.hDC, AsBitmap(skin.buttonGlyphs), 7, 2, kGlyphWidth, kGlyphHeight,
                    PanelButtonGlyphColumn(item.itemState), id * kGlyphHeight, kGlyphTransparent);

    if (id != kRewindButton && id != kFastForwardButton) {
        return;
    }
    // The system redraws a push button when it goes down and when it comes up, so scanning
    // lasts exactly as long as the button is held.
    PlayMode* mode = owner.CurrentMode();
    if (!mode) {
        return;
    }
    if (!scanning && (item.itemState & ODS_SELECTED)) {
        mode->Scan(id == kFastForwardButton ? 1 : -1);
        scanning = 1;
    } else if (scanning && !(item.itemState & ODS_SELECTED)) {
        mode->Scan(0);
        scanning = 0;
    }
}

ViewerToggleButton::ViewerToggleButton(ControlOwner& owner, int controlId, int bitmapId)
    : ButtonControl(owner, controlId), bitmap(LoadSkinBitmap(bitmapId)) {}

void ViewerToggleButton::Draw(const DRAWITEMSTRUCT& item) {
    PlayMode* mode = owner.CurrentMode();
    const bool open = mode && IsOpen(*mode);
    DrawBitmapEx(item.hDC, AsBitmap(bitmap), 0, 0, kToggleWidth, kToggleHeight, ToggleFaceColumn(item.itemState, open),
                 0);
    if (item.itemState & ODS_FOCUS) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

TextViewerButton::TextViewerButton(ControlOwner& owner, int controlId)
    : ViewerToggleButton(owner, controlId, IDB_TEXT_TOGGLE) {}

bool TextViewerButton::IsOpen(PlayMode& mode) {
    return mode.IsTextOpen() != 0;
}

WrdButton::WrdButton(ControlOwner& owner, int controlId) : ViewerToggleButton(owner, controlId, IDB_WRD_TOGGLE) {}

bool WrdButton::IsOpen(PlayMode& mode) {
    return mode.IsWrdOpen() != 0;
}
