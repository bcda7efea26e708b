// Horizontal extent bookkeeping for list boxes.
#include "app/containers/ListBoxExtent_win.h"

#include <vector>

#include "app/containers/DeviceContext_win.h"

namespace {

int CurrentExtent(HWND listBox) {
    return static_cast<int>(SendMessageA(listBox, LB_GETHORIZONTALEXTENT, 0, 0));
}

}  // namespace

int ListBoxExtent::MeasureItem(int index) {
    LRESULT length = SendMessageA(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0) {
        return 0;
    }
    std::vector<char> text(static_cast<size_t>(length) + 1);
    LRESULT copied =
        SendMessageA(listBox, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR || copied <= 0) {
        return 0;
    }
    WindowDc dc(listBox);
    if (dc.Get() == nullptr) {
        return 0;
    }
    // Without WM_SETFONT the list box answers null and draws with the system font.
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(listBox, WM_GETFONT, 0, 0));
    ScopedSelectObject selectFont(dc.Get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    SIZE size = {0, 0};
    if (!GetTextExtentPoint32A(dc.Get(), text.data(), static_cast<int>(copied), &size)) {
        return 0;
    }
    return size.cx + 2;
}

int ListBoxExtent::InsertRow(int position, const char* text) {
    LRESULT result = position == -1 ? SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))
                                    : SendMessageA(listBox, LB_INSERTSTRING, static_cast<WPARAM>(position),
                                                   reinterpret_cast<LPARAM>(text));
    if (result >= 0) {
        int width = MeasureItem(static_cast<int>(result));
        if (CurrentExtent(listBox) < width) {
            SendMessageA(listBox, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
        }
    }
    return static_cast<int>(result);
}

int ListBoxExtent::DeleteRow(int index) {
    int width = MeasureItem(index);
    LRESULT result = SendMessageA(listBox, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    if (result != LB_ERR && width == CurrentExtent(listBox)) {
        int widest = 0;
        for (int row = 0; row < static_cast<int>(result); ++row) {
            int rowWidth = MeasureItem(row);
            if (rowWidth > widest) {
                widest = rowWidth;
            }
        }
        SendMessageA(listBox, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
    }
    return static_cast<int>(result);
}
