// Control helpers of the list editors.
#include "editors/EditorControls_win.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/containers/DeviceContext_win.h"
#include "app/containers/ShiftJis.h"
#include "editors/EditorTexts.h"
#include "songfiles/PlayListFile.h"

static_assert(kScrollLineLeft == SB_LINELEFT && kScrollLineRight == SB_LINERIGHT, "scroll codes");
static_assert(kScrollPageLeft == SB_PAGELEFT && kScrollPageRight == SB_PAGERIGHT, "scroll codes");
static_assert(kScrollThumbPosition == SB_THUMBPOSITION, "scroll codes");
static_assert(kScrollLeftEnd == SB_LEFT && kScrollRightEnd == SB_RIGHT, "scroll codes");

std::string ItemText(HWND dialog, int controlId, std::size_t capacity) {
    std::vector<char> buffer(capacity + 1, '\0');
    GetDlgItemTextA(dialog, controlId, buffer.data(), static_cast<int>(capacity));
    const std::size_t length = std::strlen(buffer.data());
    return std::string(buffer.data(), ShiftJisFitLength(buffer.data(), length, capacity - 1));
}

std::int32_t FillRows(HWND listBox, std::int32_t count, const std::function<std::string(std::int32_t)>& rowText) {
    SendMessageA(listBox, WM_SETREDRAW, FALSE, 0);
    SendMessageA(listBox, LB_RESETCONTENT, 0, 0);
    std::vector<std::string> rows;
    rows.reserve(static_cast<std::size_t>(std::max<std::int32_t>(count, 0)));
    std::size_t bytes = 0;
    for (std::int32_t row = 0; row < count; ++row) {
        rows.push_back(rowText(row));
        bytes += rows.back().size() + 1;
    }
    SendMessageA(listBox, LB_INITSTORAGE, static_cast<WPARAM>(rows.size()), static_cast<LPARAM>(bytes));
    int widest = 0;
    std::int32_t added = 0;
    {
        WindowDc dc(listBox);
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(listBox, WM_GETFONT, 0, 0));
        ScopedSelectObject selectFont(dc.Get(), font != nullptr ? font : GetStockObject(SYSTEM_FONT));
        for (const std::string& row : rows) {
            // Rows are added at the end: the list boxes that show them are not sorted.
            if (SendMessageA(listBox, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row.c_str())) <
                0) {
                break;
            }
            ++added;
            SIZE size = {0, 0};
            if (dc.Get() != nullptr && !row.empty() &&
                GetTextExtentPoint32A(dc.Get(), row.c_str(), static_cast<int>(row.size()), &size)) {
                widest = std::max(widest, static_cast<int>(size.cx) + 2);
            }
        }
    }
    SendMessageA(listBox, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest), 0);
    SendMessageA(listBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox, nullptr, TRUE);
    return added;
}

std::vector<std::int32_t> SelectedRows(HWND listBox) {
    const LRESULT count = SendMessageA(listBox, LB_GETSELCOUNT, 0, 0);
    if (count == LB_ERR || count <= 0) {
        return {};
    }
    std::vector<int> rows(static_cast<std::size_t>(count));
    const LRESULT got =
        SendMessageA(listBox, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rows.data()));
    rows.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    std::sort(rows.begin(), rows.end());
    return std::vector<std::int32_t>(rows.begin(), rows.end());
}

void ShowBalanceControls(HWND dialog, int checkId, int scrollId, const BalanceView& view, bool enabled) {
    CheckDlgButton(dialog, checkId, enabled && view.checked ? BST_CHECKED : BST_UNCHECKED);
    HWND scroll = GetDlgItem(dialog, scrollId);
    SetScrollPos(scroll, SB_CTL, enabled ? view.position : 0, TRUE);
    EnableWindow(scroll, enabled && view.checked);
}

BalanceView ReadBalanceControls(HWND dialog, int checkId, int scrollId) {
    BalanceView view;
    view.checked = IsDlgButtonChecked(dialog, checkId) == BST_CHECKED;
    view.position = GetScrollPos(GetDlgItem(dialog, scrollId), SB_CTL);
    return view;
}

bool ScrollBalanceControl(HWND dialog, int scrollId, int code, int thumb) {
    HWND scroll = GetDlgItem(dialog, scrollId);
    const auto next = ScrollBalance(GetScrollPos(scroll, SB_CTL), code, thumb);
    if (!next) {
        return false;
    }
    SetScrollPos(scroll, SB_CTL, *next, TRUE);
    return true;
}

std::string ChooseListFontFace(HWND owner) {
    LOGFONTA font = {};
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = &font;
    choose.Flags = CF_SCREENFONTS | CF_SCRIPTSONLY;
    if (!ChooseFontA(&choose)) {
        return std::string();
    }
    char face[LF_FACESIZE + 1] = {};
    CopyShiftJis(face, LF_FACESIZE, font.lfFaceName);
    return face;
}

void ShowListFont(HWND dialog, int checkId, int chooseId, int nameId, const char* fontName) {
    const bool chosen = fontName != nullptr && fontName[0] != '\0';
    CheckDlgButton(dialog, checkId, chosen ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(dialog, nameId, chosen ? fontName : kDefaultListFontFace);
    EnableWindow(GetDlgItem(dialog, chooseId), chosen);
    EnableWindow(GetDlgItem(dialog, nameId), chosen);
}
