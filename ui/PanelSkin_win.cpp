// Loading the skin bitmaps and creating the panel's shared pen and brush.
#include "ui/PanelSkin_win.h"

#include "ui/framework/ProgramInstance_win.h"

namespace {

HBITMAP LoadFromResources(int resourceId) {
    return LoadBitmapA(gInstance, MAKEINTRESOURCEA(resourceId));
}

SkinBitmapLoader gSkinBitmapLoader = &LoadFromResources;

}  // namespace

UniqueGdiObject LoadSkinBitmap(int resourceId) {
    return UniqueGdiObject(gSkinBitmapLoader(resourceId));
}

void SetSkinBitmapLoader(SkinBitmapLoader loader) {
    gSkinBitmapLoader = loader ? loader : &LoadFromResources;
}

PanelSkin::PanelSkin()
    : buttonFace(LoadSkinBitmap(IDB_BUTTON_FACE)),
      buttonPressed(LoadSkinBitmap(IDB_BUTTON_PRESSED)),
      buttonGlyphs(LoadSkinBitmap(IDB_BUTTON_GLYPHS)),
      playStates(LoadSkinBitmap(IDB_PLAY_STATES)),
      deviceKinds(LoadSkinBitmap(IDB_DEVICE_KINDS)),
      grayPen(CreatePen(PS_SOLID, 1, RGB(128, 128, 128))),
      cyanBrush(CreateSolidBrush(kPanelCyan)) {}
