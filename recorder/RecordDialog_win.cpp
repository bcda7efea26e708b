// The recording dialog's window: controls, figures, the file and folder pickers; the linked
// modes themselves live in RecordController.
#include "recorder/RecordDialog_win.h"

#include <commdlg.h>

#include <cstdio>

#include "app/Settings.h"
#include "app/containers/PathHelpers.h"
#include "play/PlayMode.h"
#include "recorder/RecorderTexts.h"
#include "resources/RecordDialog.h"
#include "support/MxLib.h"
#include "ui/HelpKeywords.h"
#include "ui/HelpViewer_win.h"

namespace {

// The radio button of each linked mode, in mode order 1..4.
constexpr int kModeButtons[] = {IDC_RECORD_ONE_SONG, IDC_RECORD_EACH_SONG, IDC_RECORD_WHOLE_LIST, IDC_RECORD_UNLINKED};
// Controls that cannot change while a recording runs.
constexpr int kLockedWhileRecording[] = {IDC_RECORD_CLOSE,      IDC_RECORD_BROWSE,   IDC_RECORD_CHOOSE_FORMAT,
                                         IDC_RECORD_NAME,       IDC_RECORD_ONE_SONG, IDC_RECORD_EACH_SONG,
                                         IDC_RECORD_WHOLE_LIST, IDC_RECORD_UNLINKED};

int ModeOfButton(int id) {
    for (int mode = 1; mode <= 4; ++mode) {
        if (kModeButtons[mode - 1] == id) {
            return mode;
        }
    }
    return 0;
}

}  // namespace

RecordDialog::RecordDialog(PlayMode& mode, int& recorderActive)
    : playback(mode, recorderActive), recorderActive(recorderActive) {}

void RecordDialog::Run(HWND owner) {
    RunModal(*this, owner, IDD_RECORD);
}

INT_PTR RecordDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case MM_WIM_OPEN:
        case MM_WIM_CLOSE:
        case MM_WIM_DATA:
            if (controller) {
                controller->OnWaveInMessage(message, static_cast<std::uintptr_t>(lParam));
                ShowFigures();
            }
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return TRUE;
        default:
            return FALSE;
    }
}

void RecordDialog::OnInitDialog() {
    PlaceAtSavedPosition();
    port = std::make_unique<SystemWaveInPort>(hwnd);
    recorder = std::make_unique<WaveRecorder>(*port, gSettings.record);
    RecordView& view = *this;
    controller = std::make_unique<RecordController>(*recorder, playback, view);
    ShowFormat();
    char current[kMaxPathBytes] = {};
    if (GetCurrentDirectoryA(sizeof current, current) >= sizeof current) {
        current[0] = '\0';
    }
    controller->Load(gSettings.record, current);
    SendItem(IDC_RECORD_NAME, EM_LIMITTEXT, kMaxPathBytes - 1);
    CheckRadioButton(hwnd, IDC_RECORD_WHOLE_LIST, IDC_RECORD_EACH_SONG, kModeButtons[controller->Mode() - 1]);
    UpdateNameField();
    UpdateControls();
    ShowFigures();
}

// The saved position, kept where at least a corner of the dialog stays on the desktop.
void RecordDialog::PlaceAtSavedPosition() {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    int x = gSettings.record.Record_x;
    int y = gSettings.record.Record_y;
    ClampDialogPosition(x, y, DesktopRect{desktop.left, desktop.top, desktop.right, desktop.bottom});
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void RecordDialog::OnCommand(int id, int code) {
    if (const int mode = ModeOfButton(id)) {
        if (code == BN_CLICKED) {
            controller->SetMode(mode);
            UpdateNameField();
        }
        return;
    }
    switch (id) {
        case IDC_RECORD_BROWSE:
            Browse();
            return;
        case IDC_RECORD_CHOOSE_FORMAT:
            if (recorder->ChooseFormat()) {
                ShowFormat();
            }
            return;
        case IDC_RECORD_START:
            controller->OnStartStop();
            ShowFigures();
            return;
        case IDC_RECORD_CLOSE:
        case IDCANCEL:
            if (controller->RequestClose()) {
                End(0);
            }
            return;
        case IDHELP:
            ShowHelpKeyword(hwnd, kHelpRecordDialog);
            return;
        default:
            return;
    }
}

void RecordDialog::OnPlayerMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (controller) {
        controller->OnPlayerMessage(message, wParam, lParam);
    } else {
        playback.HandleTimerMessage(message, wParam, lParam);
    }
}

void RecordDialog::RequestClose() {
    if (controller && controller->RequestClose()) {
        End(0);
    }
}

void RecordDialog::OnDestroy() {
    if (!controller) {
        return;
    }
    controller->OnDestroy();
    RECT frame;
    if (GetWindowRect(hwnd, &frame)) {
        gSettings.record.Record_x = frame.left;
        gSettings.record.Record_y = frame.top;
    }
    controller->Store(gSettings.record);
    controller.reset();
    recorder.reset();
    port.reset();
    recorderActive = 0;
}

void RecordDialog::Browse() {
    if (controller->Mode() == kRecordEachSong) {
        char folder[kMaxPathBytes] = {};
        std::snprintf(folder, sizeof folder, "%s", controller->MultiFolder().c_str());
        CPathDlg picker;
        if (picker.GetDir(hwnd, folder)) {
            controller->ChooseFolder(folder);
            UpdateNameField();
        }
        return;
    }
    char path[kMaxPathBytes] = {};
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwnd;
    dialog.lpstrFilter = kSaveFileFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrInitialDir = controller->SingleFolder().c_str();
    dialog.lpstrTitle = kSaveFileTitle;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetSaveFileNameA(&dialog)) {
        controller->ChooseFile(path);
        UpdateNameField();
    }
}

void RecordDialog::ShowFormat() {
    char text[256] = {};
    recorder->FormatDetails(text, sizeof text);
    SetText(IDC_RECORD_FORMAT_DETAILS, text);
    recorder->FormatTagName(text, sizeof text);
    SetText(IDC_RECORD_FORMAT_TAG, text);
}

// Seconds, size and the output drive's free space; a text is only set when it changed, as
// this runs for every captured buffer.
void RecordDialog::ShowFigures() {
    SetText(IDC_RECORD_SECONDS, SecondsText(recorder->SecondsRecorded()));
    SetText(IDC_RECORD_KBYTES, KilobytesText(recorder->BytesRecorded()));
    std::string freeText;
    const char drive = OutputDriveLetter(controller->OutputPath().c_str(), controller->OutputFolder().c_str());
    if (drive != '\0') {
        const char root[4] = {drive, ':', '\\', '\0'};
        ULARGE_INTEGER available;
        if (GetDiskFreeSpaceExA(root, &available, nullptr, nullptr)) {
            freeText = KilobytesText(available.QuadPart);
        }
    }
    SetText(IDC_RECORD_FREE, freeText);
}

void RecordDialog::UpdateNameField() {
    SetText(IDC_RECORD_NAME_LABEL, controller->Label());
    SetText(IDC_RECORD_NAME, controller->NameFieldText());
}

void RecordDialog::SetText(int id, const std::string& text) {
    char current[kMaxPathBytes + 64] = {};
    GetDlgItemTextA(hwnd, id, current, sizeof current);
    if (text != current) {
        SetDlgItemTextA(hwnd, id, text.c_str());
    }
}

std::string RecordDialog::ReadNameField() {
    char text[kMaxPathBytes] = {};
    GetDlgItemTextA(hwnd, IDC_RECORD_NAME, text, sizeof text);
    TrimRight(text);
    return text;
}

bool RecordDialog::AskOverwrite(const char* fileName) {
    return MessageBoxA(hwnd, kOverwriteText, fileName, MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION) == IDYES;
}

void RecordDialog::ShowOutputPath(const char* path) {
    SetText(IDC_RECORD_PATH, path);
}

void RecordDialog::UpdateControls() {
    const bool recording = controller && controller->IsRecording();
    SetText(IDC_RECORD_START, recording ? kStopButtonText : kStartButtonText);
    for (const int id : kLockedWhileRecording) {
        EnableWindow(Item(id), !recording);
    }
}

void RecordDialog::EndDialog() {
    End(0);
}
