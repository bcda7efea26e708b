// The panel's layout applied to the windows and parts, and the skinned background: the raised
// outer edge of the normal form, sunken grooves around the button groups, the black display.
#include <windows.h>

#include <commdlg.h>

#include "app/Settings.h"
#include "app/containers/DeviceContext_win.h"
#include "app/containers/SystemFunction_win.h"
#include "ui/ButtonControl_win.h"
#include "ui/PanelParts_win.h"
#include "ui/Panel_win.h"

namespace {

void Polyline(HDC dc, std::initializer_list<POINT> points) {
    auto point = points.begin();
    MoveToEx(dc, point->x, point->y, nullptr);
    for (++point; point != points.end(); ++point) {
        LineTo(dc, point->x, point->y);
    }
}

}  // namespace

void Panel::Layout(int newForm, int width, int height) {
    form = newForm == kFlatForm ? kFlatForm : kNormalForm;
    clientWidth = width;
    clientHeight = height;
    layout = ComputePanelLayout(form, width, height);
    for (int id = 0; id < kPanelControlCount; ++id) {
        const ControlPlace& place = layout.controls[id];
        if (HWND control = ControlWindow(id)) {
            MoveWindow(control, place.x, place.y, place.width, place.height, place.repaint ? TRUE : FALSE);
        }
    }
    for (int i = 0; i < kPartCount; ++i) {
        parts[i]->SetArea(layout.parts[i]);
    }
    counter->SetArea(layout.counter);
}

void Panel::DrawGroove(HDC dc, const PanelRect& f) {
    const LONG l = f.left, t = f.top, r = f.right, b = f.bottom;
    {
        ScopedSelectObject pen(dc, skin.grayPen.Get());
        Polyline(dc, {{l - 2, b + 1}, {l - 2, t - 2}, {r + 1, t - 2}, {r + 1, t - 1}, {l - 1, t - 1}, {l - 1, b + 1}});
    }
    ScopedSelectObject pen(dc, GetStockObject(WHITE_PEN));
    Polyline(dc, {{l, b}, {r, b}, {r, t - 1}});
    Polyline(dc, {{r + 1, t - 1}, {r + 1, b + 1}, {l - 2, b + 1}});
}

void Panel::PaintBackground(HDC dc) {
    const LONG w = clientWidth, h = clientHeight;
    const RECT client = {0, 0, w, h};
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    if (form == kNormalForm) {
        {
            ScopedSelectObject pen(dc, GetStockObject(WHITE_PEN));
            Polyline(dc, {{1, h - 3}, {1, 1}, {w - 1, 1}});
        }
        {
            ScopedSelectObject pen(dc, GetStockObject(BLACK_PEN));
            Polyline(dc, {{0, h - 1}, {w - 1, h - 1}, {w - 1, -1}});
        }
        ScopedSelectObject pen(dc, skin.grayPen.Get());
        Polyline(dc, {{1, h - 2}, {w - 2, h - 2}, {w - 2, 0}});
    }
    for (int i = 0; i < layout.frameCount; ++i) {
        DrawGroove(dc, layout.frames[i]);
    }
    const PanelRect& d = layout.frames[0];
    const RECT display = {d.left, d.top, d.right, d.bottom};
    FillRect(dc, &display, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void Panel::ChooseTitleFont() {
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = ParentWindow();
    choose.lpLogFont = reinterpret_cast<LOGFONTA*>(&gSettings.player.Font);
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_SCRIPTSONLY;
    const auto chooseFont = SystemFunction<BOOL(WINAPI*)(CHOOSEFONTA*)>("comdlg32.dll", "ChooseFontA");
    if (chooseFont != nullptr && chooseFont(&choose)) {
        RefreshAll();
    }
}
