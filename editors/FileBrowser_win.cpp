// The play list editor's file browser.
#include "editors/FileBrowser_win.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "app/Settings.h"
#include "app/containers/ShiftJis.h"
#include "editors/EditorControls_win.h"
#include "editors/EditorTexts.h"
#include "resources/ImageIds.h"
#include "resources/PlayListEditor.h"
#include "songfiles/FindFiles.h"
#include "support/MxLib.h"
#include "ui/framework/ProgramInstance_win.h"

namespace {

// Bitmap 10: three 18 x 16 folder icons (above the current folder, the current one, below it)
// on magenta, which is transparent.
constexpr int kIconWidth = 18;
constexpr int kIconHeight = 16;
constexpr COLORREF kIconTransparent = RGB(255, 0, 255);
// Indent per tree level, in pixels.
constexpr int kLevelIndent = 4;
constexpr int kMinimumItemHeight = 18;

}  // namespace

FileBrowser::FileBrowser()
    : folderIcons(LoadImageA(gInstance, MAKEINTRESOURCEA(IDB_FOLDER_ICONS), IMAGE_BITMAP, 0, 0, 0)) {
    CopyShiftJis(browseFolder, sizeof browseFolder, gSettings.file.ListEditLastDirectory);
    CopyShiftJis(wildcard, sizeof wildcard, gSettings.file.ListEditLastWildCard);
}

FileBrowser::~FileBrowser() {
    CopyShiftJis(gSettings.file.ListEditLastDirectory, sizeof gSettings.file.ListEditLastDirectory, browseFolder);
    CopyShiftJis(gSettings.file.ListEditLastWildCard, sizeof gSettings.file.ListEditLastWildCard, wildcard);
}

void FileBrowser::Attach(HWND window) {
    dialog = window;
    SendDlgItemMessageA(dialog, IDC_PLE_WILDCARD, CB_LIMITTEXT, sizeof wildcard - 1, 0);
    for (const char* pattern : kBrowserWildcards) {
        SendDlgItemMessageA(dialog, IDC_PLE_WILDCARD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pattern));
    }
    if (browseFolder[0] == '\0') {
        GetCurrentDirectoryA(sizeof browseFolder, browseFolder);
    }
    // Rows as high as the dialog's font, and at least as high as the icons.
    int height = kMinimumItemHeight;
    HDC dc = GetDC(dialog);
    if (dc != nullptr) {
        HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
        TEXTMETRICA metrics = {};
        if (GetTextMetricsA(dc, &metrics)) {
            height = std::max(height, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
        }
        SelectObject(dc, previous);
        ReleaseDC(dialog, dc);
    }
    SendDlgItemMessageA(dialog, IDC_PLE_FOLDERS, LB_SETITEMHEIGHT, 0, height);
    SendDlgItemMessageA(dialog, IDC_PLE_DRIVES, CB_SETITEMHEIGHT, 0, height);
    SendDlgItemMessageA(dialog, IDC_PLE_DRIVES, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    FillDrives();
    Refresh();
}

void FileBrowser::Refresh() {
    // An empty removable drive must not bring up the system's "no disk" box.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetCurrentDirectoryA(browseFolder);
    char current[kMaxPathBytes];
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    SetErrorMode(previousMode);
    if (length > 0 && length < sizeof current) {
        std::memcpy(browseFolder, current, length + 1);
    }
    SetDlgItemTextA(dialog, IDC_PLE_FOLDER, browseFolder);
    SetDlgItemTextA(dialog, IDC_PLE_WILDCARD, wildcard);
    FindFilesByPattern(fileNames, browseFolder, wildcard);
    FillRows(GetDlgItem(dialog, IDC_PLE_FILES), fileNames.Count(),
             [this](std::int32_t row) { return std::string(fileNames.StringAt(row)); });
    FillTree();
    SelectDrive();
}

void FileBrowser::FillTree() {
    HWND list = GetDlgItem(dialog, IDC_PLE_FOLDERS);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    // The rows hold indexes into tree.items: empty the box before the items change.
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    tree = BuildFolderTree(browseFolder);
    SendMessageA(list, LB_INITSTORAGE, tree.items.size(), 0);
    for (std::size_t index = 0; index < tree.items.size(); ++index) {
        if (SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(index)) < 0) {
            break;
        }
    }
    // Lower levels sort first and each level above the subfolders has one row, so the current
    // folder's row is its level.
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(tree.currentLevel), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

int FileBrowser::CompareTreeItems(ULONG_PTR first, ULONG_PTR second) const {
    if (first >= tree.items.size() || second >= tree.items.size()) {
        return 0;
    }
    const FolderTreeItem& a = tree.items[first];
    const FolderTreeItem& b = tree.items[second];
    if (a.level != b.level) {
        return a.level < b.level ? -1 : 1;
    }
    const int order = lstrcmpA(a.name.c_str(), b.name.c_str());
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void FileBrowser::FillDrives() {
    HWND combo = GetDlgItem(dialog, IDC_PLE_DRIVES);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    drives.clear();
    const DWORD present = GetLogicalDrives();
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    for (int number = 0; number < 26; ++number) {
        if ((present & (1u << number)) == 0) {
            continue;
        }
        const char root[4] = {static_cast<char>('A' + number), ':', '\\', '\0'};
        SHFILEINFOA info = {};
        DriveItem item;
        item.number = number;
        if (SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_DISPLAYNAME)) {
            item.icon.Reset(info.hIcon);
            item.name = info.szDisplayName;
        }
        if (item.name.empty()) {
            item.name = root;
        }
        drives.push_back(std::move(item));
    }
    SetErrorMode(previousMode);
    for (std::size_t index = 0; index < drives.size(); ++index) {
        SendMessageA(combo, CB_ADDSTRING, 0, static_cast<LPARAM>(index));
    }
}

void FileBrowser::SelectDrive() {
    const char letter = browseFolder[0];
    int number = -1;
    if (letter >= 'A' && letter <= 'Z') {
        number = letter - 'A';
    } else if (letter >= 'a' && letter <= 'z') {
        number = letter - 'a';
    }
    for (std::size_t row = 0; row < drives.size(); ++row) {
        if (drives[row].number == number) {
            SendDlgItemMessageA(dialog, IDC_PLE_DRIVES, CB_SETCURSEL, row, 0);
            return;
        }
    }
    SendDlgItemMessageA(dialog, IDC_PLE_DRIVES, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

bool FileBrowser::OnCommand(int controlId, int code) {
    switch (controlId) {
        case IDC_PLE_DRIVES: {
            if (code != CBN_SELCHANGE) {
                return true;
            }
            const LRESULT row = SendDlgItemMessageA(dialog, IDC_PLE_DRIVES, CB_GETCURSEL, 0, 0);
            if (row >= 0 && static_cast<std::size_t>(row) < drives.size()) {
                // The drive letter alone: the drive's own current folder.
                const char drive[3] = {static_cast<char>('A' + drives[row].number), ':', '\0'};
                std::memcpy(browseFolder, drive, sizeof drive);
                Refresh();
            }
            return true;
        }
        case IDC_PLE_WILDCARD: {
            if (code != CBN_CLOSEUP) {
                return true;
            }
            const LRESULT row = SendDlgItemMessageA(dialog, IDC_PLE_WILDCARD, CB_GETCURSEL, 0, 0);
            if (row >= 0 && SendDlgItemMessageA(dialog, IDC_PLE_WILDCARD, CB_GETLBTEXTLEN, row, 0) <
                                static_cast<LRESULT>(sizeof wildcard)) {
                SendDlgItemMessageA(dialog, IDC_PLE_WILDCARD, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(wildcard));
                Refresh();
            }
            return true;
        }
        case IDC_PLE_FOLDERS:
            if (code == LBN_DBLCLK) {
                OpenSelectedFolder();
            }
            return true;
        case IDC_PLE_FILES:
            return true;
        default:
            return false;
    }
}

bool FileBrowser::OnEnter(HWND focus) {
    HWND folders = GetDlgItem(dialog, IDC_PLE_FOLDERS);
    HWND combo = GetDlgItem(dialog, IDC_PLE_WILDCARD);
    if (focus == folders) {
        OpenSelectedFolder();
        return true;
    }
    if (focus == nullptr || (focus != combo && GetParent(focus) != combo)) {
        return false;
    }
    const std::string typed = ItemText(dialog, IDC_PLE_WILDCARD, sizeof wildcard);
    if (typed != wildcard) {
        CopyShiftJis(wildcard, sizeof wildcard, typed.c_str());
        Refresh();
    }
    return true;
}

void FileBrowser::OpenSelectedFolder() {
    const LRESULT row = SendDlgItemMessageA(dialog, IDC_PLE_FOLDERS, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR) {
        return;
    }
    const auto index = static_cast<std::size_t>(SendDlgItemMessageA(dialog, IDC_PLE_FOLDERS, LB_GETITEMDATA, row, 0));
    if (index >= tree.items.size() || tree.items[index].level == tree.currentLevel) {
        return;
    }
    CopyShiftJis(browseFolder, sizeof browseFolder, tree.items[index].path.c_str());
    Refresh();
}

std::vector<std::string> FileBrowser::SelectedFileNames() const {
    std::vector<std::string> names;
    for (std::int32_t row : SelectedRows(GetDlgItem(dialog, IDC_PLE_FILES))) {
        if (const char* name = fileNames.StringAt(row)) {
            names.emplace_back(name);
        }
    }
    return names;
}

bool FileBrowser::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID == IDC_PLE_FOLDERS) {
        DrawTreeItem(item);
        return true;
    }
    if (item.CtlID == IDC_PLE_DRIVES) {
        DrawDriveItem(item);
        return true;
    }
    return false;
}

namespace {

// Fills the row's background and chooses its text colours; selected rows on the highlight.
void PaintRowBackground(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : RGB(0, 0, 0));
    SetBkMode(item.hDC, TRANSPARENT);
}

void DrawRowText(const DRAWITEMSTRUCT& item, int left, const std::string& text) {
    RECT area = item.rcItem;
    area.left = left;
    DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

void FileBrowser::DrawTreeItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemAction == ODA_FOCUS) {
        DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    if (item.itemID == static_cast<UINT>(-1) || item.itemData >= tree.items.size()) {
        return;
    }
    const FolderTreeItem& folder = tree.items[item.itemData];
    PaintRowBackground(item);
    const int column = folder.level < tree.currentLevel ? 0 : (folder.level == tree.currentLevel ? 1 : 2);
    const int indent = kLevelIndent * folder.level;
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kIconHeight) / 2;
    if (folderIcons) {
        SpriteBitmapBlt(item.hDC, static_cast<HBITMAP>(folderIcons.Get()), item.rcItem.left + 1 + indent, top,
                        kIconWidth, kIconHeight, column * kIconWidth, 0, kIconTransparent);
    }
    DrawRowText(item, item.rcItem.left + indent + 20, folder.name);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(item.hDC, &item.rcItem);
    }
}

void FileBrowser::DrawDriveItem(const DRAWITEMSTRUCT& item) const {
    if (item.itemAction == ODA_FOCUS) {
        DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    if (item.itemID == static_cast<UINT>(-1) || item.itemData >= drives.size()) {
        return;
    }
    const DriveItem& drive = drives[item.itemData];
    PaintRowBackground(item);
    if (drive.icon) {
        DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, drive.icon.Get(), 16, 16, 0, nullptr, DI_NORMAL);
    }
    DrawRowText(item, item.rcItem.left + 20, drive.name);
}
