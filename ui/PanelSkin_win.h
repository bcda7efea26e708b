// The panel's skin bitmaps and the pen and brush its controls share, loaded from the program's
// resources by number.
#pragma once

#include <windows.h>

#include "app/containers/UniqueHandle_win.h"
#include "resources/ImageIds.h"

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
