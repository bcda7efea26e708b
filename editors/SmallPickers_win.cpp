// The song jump dialog and the CD drive dialog.
#include "editors/SmallPickers_win.h"

#include <cstdio>
#include <cstring>

#include "app/containers/ListBoxExtent_win.h"
#include "play/PlayMode.h"
#include "resources/CdDriveDialog.h"
#include "resources/SongJumpDialog.h"
#include "ui/HelpKeywords.h"
#include "ui/HelpViewer_win.h"
#include "ui/framework/Dialog_win.h"

namespace {

// The queue's songs in play order; ends with the chosen play-order position, or -1.
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
        extent.Attach(Item(IDC_SONG_JUMP_LIST));
        const int count = mode.GetSongCount();
        char title[512];
        for (int position = 0; position < count; ++position) {
            title[0] = '\0';
            mode.GetQueueTitle(title, sizeof title, position);
            extent.InsertRow(-1, title);
        }
        SendItem(IDC_SONG_JUMP_LIST, LB_SETCURSEL, mode.GetCurrentPosition());
    }

    void EndWithSelectedSong() {
        const LRESULT row = SendItem(IDC_SONG_JUMP_LIST, LB_GETCURSEL);
        if (row != LB_ERR) {
            End(row);
        }
    }

    PlayMode& mode;
    ListBoxExtent extent;
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
