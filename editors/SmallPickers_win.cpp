// The song jump dialog and the CD drive dialog.
#include "editors/SmallPickers_win.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "app/StartupSequence.h"
#include "app/containers/ListBoxExtent_win.h"
#include "play/PlayMode.h"
#include "ui/ProgramInstance_win.h"

namespace {

constexpr int kSongList = 104;
constexpr int kDriveList = 101;
constexpr int kHelpButton = 9;
constexpr UINT kDriveCdRom = DRIVE_CDROM;

// What a picker's procedure keeps in DWLP_USER for the dialog's life.
struct SongJumpContext {
    PlayMode* mode;
    ListBoxExtent extent;
};

struct CdDriveContext {
    char* driveText;
    std::size_t capacity;
};

template <typename Context>
Context* ContextOf(HWND dialog) {
    return reinterpret_cast<Context*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void ShowHelp(HWND dialog, const char* keyword) {
    WinHelpA(dialog, gHelpFilePath, HELP_KEY, reinterpret_cast<ULONG_PTR>(keyword));
}

void EndWithSelectedSong(HWND dialog) {
    const LRESULT row = SendDlgItemMessageA(dialog, kSongList, LB_GETCURSEL, 0, 0);
    if (row != LB_ERR) {
        EndDialog(dialog, row);
    }
}

INT_PTR CALLBACK SongJumpProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* context = reinterpret_cast<SongJumpContext*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            context->extent.Attach(GetDlgItem(dialog, kSongList));
            const int count = context->mode->GetSongCount();
            char title[512];
            for (int position = 0; position < count; ++position) {
                title[0] = '\0';
                context->mode->GetQueueTitle(title, sizeof title, position);
                context->extent.InsertRow(-1, title);
            }
            SendDlgItemMessageA(dialog, kSongList, LB_SETCURSEL, context->mode->GetCurrentPosition(), 0);
            return TRUE;
        }
        if (ContextOf<SongJumpContext>(dialog) == nullptr || message != WM_COMMAND) {
            return FALSE;
        }
        switch (LOWORD(wParam)) {
            case IDOK:
                EndWithSelectedSong(dialog);
                return TRUE;
            case kSongList:
                if (HIWORD(wParam) == LBN_DBLCLK) {
                    EndWithSelectedSong(dialog);
                    return TRUE;
                }
                return FALSE;
            case IDCANCEL:
                EndDialog(dialog, -1);
                return TRUE;
            case kHelpButton:
                ShowHelp(dialog, "曲ジャンプダイアログ");
                return TRUE;
            default:
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

void EndWithSelectedDrive(HWND dialog, CdDriveContext& context) {
    const LRESULT row = SendDlgItemMessageA(dialog, kDriveList, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR) {
        return;
    }
    char drive[8] = {};
    if (SendDlgItemMessageA(dialog, kDriveList, LB_GETTEXTLEN, row, 0) >= static_cast<LRESULT>(sizeof drive)) {
        return;
    }
    SendDlgItemMessageA(dialog, kDriveList, LB_GETTEXT, row, reinterpret_cast<LPARAM>(drive));
    std::snprintf(context.driveText, context.capacity, "%s", drive);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK CdDriveProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* context = reinterpret_cast<CdDriveContext*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            const DWORD drives = GetLogicalDrives();
            for (int letter = 0; letter < 26; ++letter) {
                if ((drives & (1u << letter)) == 0) {
                    continue;
                }
                const char root[4] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
                if (GetDriveTypeA(root) != kDriveCdRom) {
                    continue;
                }
                const char name[3] = {root[0], ':', '\0'};
                const LRESULT row = SendDlgItemMessageA(dialog, kDriveList, LB_ADDSTRING, 0,
                                                        reinterpret_cast<LPARAM>(name));
                if (row >= 0 && _stricmp(name, context->driveText) == 0) {
                    SendDlgItemMessageA(dialog, kDriveList, LB_SETCURSEL, row, 0);
                }
            }
            return TRUE;
        }
        auto* context = ContextOf<CdDriveContext>(dialog);
        if (context == nullptr || message != WM_COMMAND) {
            return FALSE;
        }
        switch (LOWORD(wParam)) {
            case IDOK:
                EndWithSelectedDrive(dialog, *context);
                return TRUE;
            case kDriveList:
                if (HIWORD(wParam) == LBN_DBLCLK) {
                    EndWithSelectedDrive(dialog, *context);
                    return TRUE;
                }
                return FALSE;
            case IDCANCEL:
                EndDialog(dialog, 0);
                return TRUE;
            case kHelpButton:
                ShowHelp(dialog, "CDドライブ選択ダイアログ");
                return TRUE;
            default:
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

int ChooseSong(HWND owner, PlayMode& mode) {
    SongJumpContext context{&mode, ListBoxExtent{}};
    const INT_PTR result = DialogBoxParamA(gInstance, MAKEINTRESOURCEA(kSongJumpTemplateId), owner, &SongJumpProc,
                                           reinterpret_cast<LPARAM>(&context));
    return result >= 0 && result < mode.GetSongCount() ? static_cast<int>(result) : -1;
}

int ChooseCdDrive(HWND owner, char* driveText, std::size_t capacity) {
    if (driveText == nullptr || capacity < 3) {
        return 0;
    }
    CdDriveContext context{driveText, capacity};
    const INT_PTR result = DialogBoxParamA(gInstance, MAKEINTRESOURCEA(kCdDriveTemplateId), owner, &CdDriveProc,
                                           reinterpret_cast<LPARAM>(&context));
    return result == 1 ? 1 : 0;
}
