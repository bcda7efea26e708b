// The panel's skin bitmaps and the pen and brush its controls share, loaded from the program's
// resources by number.
#pragma once

#include <windows.h>

#include "app/containers/UniqueHandle_win.h"

// Resource numbers of the skin bitmaps.
constexpr int kButtonFaceBitmap = 1;
constexpr int kButtonPressedBitmap = 2;
constexpr int kButtonGlyphBitmap = 3;
constexpr int kPlayStateBitmap = 4;
constexpr int kPlayOrderBitmap = 5;
constexpr int kDeviceKindBitmap = 6;
constexpr int kTextToggleBitmap = 7;
constexpr int kWrdToggleBitmap = 8;
constexpr int kCounterDigitBitmap = 9;

// Glyphs of the push buttons are drawn over their faces with navy as the see-through colour.
constexpr COLORREF kGlyphTransparent = RGB(0, 0, 128);
constexpr COLORREF kPanelCyan = RGB(0, 255, 255);

// Loads one skin bitmap; null when the resource is missing.
UniqueGdiObject LoadSkinBitmap(int resourceId);

// Where skin bitmaps come from: the program's resources unless a test hands in its own maker.
using SkinBitmapLoader = HBITMAP (*)(int resourceId);
void SetSkinBitmapLoader(SkinBitmapLoader loader);

inline HBITMAP AsBitmap(const UniqueGdiObject& object) {
    return static_cast<HBITMAP>(object.Get());
}

// Everything the panel draws with that lives as long as the panel.
struct PanelSkin {
    PanelSkin();

    UniqueGdiObject buttonFace;
    UniqueGdiObject buttonPressed;
    UniqueGdiObject buttonGlyphs;
    UniqueGdiObject playStates;
    UniqueGdiObject deviceKinds;
    UniqueGdiObject grayPen;
    UniqueGdiObject cyanBrush;
};
