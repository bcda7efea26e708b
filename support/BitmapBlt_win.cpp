// The two skin blits: an opaque cell copy and a copy that keeps the destination under one colour.
#include "support/MxLib.h"

#include "app/containers/DeviceContext_win.h"

namespace {

// A memory device context with the bitmap selected into it; both are undone on scope exit, so
// the caller's bitmap is free to be selected elsewhere afterwards.
class BitmapSource {
public:
    BitmapSource(HDC reference, HBITMAP bitmap) : dc(reference), selection(dc.Get(), bitmap) {
        // SelectObject fails (null) when the bitmap is selected into another context.
        ready = dc && GetCurrentObject(dc.Get(), OBJ_BITMAP) == bitmap;
    }

    bool Ready() const { return ready; }
    HDC Get() const { return dc.Get(); }

private:
    MemoryDc dc;
    ScopedSelectObject selection;
    bool ready = false;
};

}  // namespace

int DrawBitmapEx(HDC dc, HBITMAP bitmap, int destX, int destY, int width, int height, int srcX, int srcY) {
    if (!dc || !bitmap || width <= 0 || height <= 0) {
        return 0;
    }
    BitmapSource source(dc, bitmap);
    if (!source.Ready()) {
        return 0;
    }
    return BitBlt(dc, destX, destY, width, height, source.Get(), srcX, srcY, SRCCOPY) ? 1 : 0;
}

int SpriteBitmapBlt(HDC dc,
                    HBITMAP bitmap,
                    int destX,
                    int destY,
                    int width,
                    int height,
                    int srcX,
                    int srcY,
                    COLORREF transparent) {
    if (!dc || !bitmap || width <= 0 || height <= 0) {
        return 0;
    }
    BitmapSource source(dc, bitmap);
    if (!source.Ready()) {
        return 0;
    }
    // TransparentBlt compares each source pixel with the colour after both went through the
    // source's format, so a 16-colour bitmap's navy or magenta matches exactly.
    return TransparentBlt(dc, destX, destY, width, height, source.Get(), srcX, srcY, width, height, transparent) ? 1
                                                                                                                 : 0;
}
