// The song jump dialog and the CD drive dialog.
#include "editors/SmallPickers_win.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/containers/ListBoxExtent_win.h"
#include "play/PlayMode.h"
#include "play/SongFilter.h"
#include "resources/CdDriveDialog.h"
#include "resources/SongJumpDialog.h"
#include "ui/HelpKeywords.h"
#include "ui/HelpViewer_win.h"
#include "ui/framework/Dialog_win.h"
#include "ui/framework/Window_win.h"

namespace {

// Passes the list keys typed in the search field to the song list and moves the focus there, so
// that Down leads from the field into the list as it would move through the list itself.
class SearchFieldKeys : public Window {
public:
    void Attach(HWND field, HWND list) {
        songList = list;
        previous = SubclassControl(field, this);
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN && IsListKey(wParam)) {
            SetFocus(songList);
            SendMessageA(songList, WM_KEYDOWN, wParam, lParam);
            return 0;
        }
        HWND field = hwnd;
        if (message == WM_NCDESTROY) {
            // The field goes with the dialog; this object outlives both.
            hwnd = nullptr;
            UnsubclassControl(field, previous);
        }
        return CallWindowProcA(previous, field, message, wParam, lParam);
    }

private:
    static bool IsListKey(WPARAM key) { return key == VK_DOWN || key == VK_UP || key == VK_NEXT || key == VK_PRIOR; }

    HWND songList = nullptr;
    WNDPROC previous = nullptr;
};

// The queue's songs in play order, narrowed by the search field as the user types; ends with
// the chosen song's play-order position (never the filtered row), or -1.
class SongJumpDialog : public Dialog {
public:
    explicit SongJumpDialog(PlayMode& mode) : mode(mode) {}

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
        if (message == WM_INITDIALOG) {
            OnInitDialog();
            return TRUE;
        }
        if (message == WM_HELP) {
            ShowHelpKeyword(hwnd, kHelpSongJumpDialog);
            return TRUE;
        }
        if (message != WM_COMMAND) {
            return FALSE;
        }
        switch (LOWORD(wParam)) {
            case IDOK:
                EndWithSelectedSong();
                return TRUE;
            case IDC_SONG_JUMP_LIST:
                if (HIWORD(wParam) == LBN_DBLCLK) {
                    EndWithSelectedSong();
                    return TRUE;
                }
                return FALSE;
            case IDC_SONG_JUMP_SEARCH:
                if (HIWORD(wParam) == EN_CHANGE) {
                    ShowMatchingSongs();
                    return TRUE;
                }
                return FALSE;
            case IDCANCEL:
                End(-1);
                return TRUE;
            case IDHELP:
                ShowHelpKeyword(hwnd, kHelpSongJumpDialog);
                return TRUE;
            default:
                return FALSE;
        }
    }

private:
    void OnInitDialog() {
        HWND list = Item(IDC_SONG_JUMP_LIST);
        extent.Attach(list);
        searchKeys.Attach(Item(IDC_SONG_JUMP_SEARCH), list);
        const int count = mode.GetSongCount();
        titles.reserve(count);
        shownPositions.reserve(count);
        SendMessageA(list, LB_INITSTORAGE, count, count * 32);
        char title[512];
        for (int position = 0; position < count; ++position) {
            title[0] = '\0';
            mode.GetQueueTitle(title, sizeof title, position);
            titles.emplace_back(title);
            shownPositions.push_back(position);
            extent.InsertRow(-1, title);
        }
        SendItem(IDC_SONG_JUMP_LIST, LB_SETCURSEL, mode.GetCurrentPosition());
    }

    // Refills the list with the songs whose title holds the search text. The horizontal extent
    // stays that of the whole queue, so filtering costs no text measuring.
    void ShowMatchingSongs() {
        char query[512] = "";
        GetDlgItemTextA(hwnd, IDC_SONG_JUMP_SEARCH, query, sizeof query);
        shownPositions = FilterSongPositions(titles, query);
        HWND list = Item(IDC_SONG_JUMP_LIST);
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        SendMessageA(list, LB_INITSTORAGE, shownPositions.size(), shownPositions.size() * 32);
        int selectedRow = shownPositions.empty() ? -1 : 0;
        for (std::size_t row = 0; row < shownPositions.size(); ++row) {
            const std::int32_t position = shownPositions[row];
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(titles[position].c_str()));
            if (position == mode.GetCurrentPosition()) {
                selectedRow = static_cast<int>(row);
            }
        }
        SendMessageA(list, LB_SETCURSEL, selectedRow, 0);
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }

    void EndWithSelectedSong() {
        const LRESULT row = SendItem(IDC_SONG_JUMP_LIST, LB_GETCURSEL);
        if (row != LB_ERR && row >= 0 && static_cast<std::size_t>(row) < shownPositions.size()) {
            End(shownPositions[row]);
        }
    }

    PlayMode& mode;
    ListBoxExtent extent;
    SearchFieldKeys searchKeys;
    std::vector<std::string> titles;             // by play-order position
    std::vector<std::int32_t> shownPositions;    // by list row
};

// The CD-ROM drives with the current one selected; ends with 1 and the chosen drive in
// driveText, or 0.
class CdDriveDialog : public Dialog {
public:
    CdDriveDialog(char* driveText, std::size_t capacity) : driveText(driveText), capacity(capacity) {}

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) override {
        if (message == WM_INITDIALOG) {
            ListDrives();
            return TRUE;
        }
        if (message == WM_HELP) {
            ShowHelpKeyword(hwnd, kHelpCdDriveDialog);
            return TRUE;
        }
        if (message != WM_COMMAND) {
            return FALSE;
        }
        switch (LOWORD(wParam)) {
            case IDOK:
                EndWithSelectedDrive();
                return TRUE;
            case IDC_CD_DRIVE_LIST:
                if (HIWORD(wParam) == LBN_DBLCLK) {
                    EndWithSelectedDrive();
                    return TRUE;
                }
                return FALSE;
            case IDCANCEL:
                End(0);
                return TRUE;
            case IDHELP:
                ShowHelpKeyword(hwnd, kHelpCdDriveDialog);
                return TRUE;
            default:
                return FALSE;
        }
    }

private:
    void ListDrives() {
        const DWORD drives = GetLogicalDrives();
        for (int letter = 0; letter < 26; ++letter) {
            if ((drives & (1u << letter)) == 0) {
                continue;
            }
            const char root[4] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
            if (GetDriveTypeA(root) != DRIVE_CDROM) {
                continue;
            }
            const char name[3] = {root[0], ':', '\0'};
            const LRESULT row = SendItem(IDC_CD_DRIVE_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
            if (row >= 0 && _stricmp(name, driveText) == 0) {
                SendItem(IDC_CD_DRIVE_LIST, LB_SETCURSEL, row);
            }
        }
    }

    void EndWithSelectedDrive() {
        const LRESULT row = SendItem(IDC_CD_DRIVE_LIST, LB_GETCURSEL);
        if (row == LB_ERR) {
            return;
        }
        char drive[8] = {};
        if (SendItem(IDC_CD_DRIVE_LIST, LB_GETTEXTLEN, row) >= static_cast<LRESULT>(sizeof drive)) {
            return;
        }
        SendItem(IDC_CD_DRIVE_LIST, LB_GETTEXT, row, reinterpret_cast<LPARAM>(drive));
        std::snprintf(driveText, capacity, "%s", drive);
        End(1);
    }

    char* driveText;
    std::size_t capacity;
};

}  // namespace

int ChooseSong(HWND owner, PlayMode& mode) {
    SongJumpDialog dialog(mode);
    const INT_PTR result = RunModal(dialog, owner, IDD_SONG_JUMP);
    return result >= 0 && result < mode.GetSongCount() ? static_cast<int>(result) : -1;
}

int ChooseCdDrive(HWND owner, char* driveText, std::size_t capacity) {
    if (driveText == nullptr || capacity < 3) {
        return 0;
    }
    CdDriveDialog dialog(driveText, capacity);
    return RunModal(dialog, owner, IDD_CD_DRIVE) == 1 ? 1 : 0;
}
