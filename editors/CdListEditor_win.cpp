// The CD list editor.
#include "editors/CdListEditor_win.h"

#include "editors/EditorTexts.h"
#include "resources/CdListEditor.h"
#include "ui/HelpKeywords.h"
#include "ui/HelpViewer_win.h"

namespace {

constexpr int kTrackOnlyFields[] = {IDC_CLE_TRACK_TITLE, IDC_CLE_TRACK_COMMENT, IDC_CLE_BALANCE_CHECK};
constexpr int kTrackEdits[] = {IDC_CLE_TRACK_TITLE, IDC_CLE_TRACK_COMMENT, IDC_CLE_TRACK_VOLUME};
constexpr int kVolumeDigits = 3;

}  // namespace

INT_PTR CdListEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == Item(IDC_CLE_BALANCE) &&
                ScrollBalanceControl(hwnd, IDC_CLE_BALANCE, LOWORD(wParam), static_cast<short>(HIWORD(wParam)))) {
                ApplyTrack();
            }
            return TRUE;
        default:
            return FALSE;
    }
}

void CdListEditor::OnInitDialog() {
    SendItem(IDC_CLE_LIST_TITLE, EM_LIMITTEXT, kListTextBytes - 1);
    SendItem(IDC_CLE_TRACK_TITLE, EM_LIMITTEXT, kListTextBytes - 1);
    SendItem(IDC_CLE_TRACK_COMMENT, EM_LIMITTEXT, kListTextBytes - 1);
    SendItem(IDC_CLE_LIST_VOLUME, EM_LIMITTEXT, kVolumeDigits);
    SendItem(IDC_CLE_TRACK_VOLUME, EM_LIMITTEXT, kVolumeDigits);
    SetScrollRange(Item(IDC_CLE_BALANCE), SB_CTL, kBalanceLeftEnd, kBalanceRightEnd, FALSE);
    SetScrollPos(Item(IDC_CLE_BALANCE), SB_CTL, 0, TRUE);

    model = folder.empty() ? std::make_unique<CdListEditModel>(discId)
                           : std::make_unique<CdListEditModel>(discId, folder.c_str());
    const CdListFile& list = model->List();
    SetDlgItemTextA(hwnd, IDC_CLE_LIST_TITLE, list.title);
    SetDlgItemTextA(hwnd, IDC_CLE_LIST_VOLUME, std::to_string(list.volume).c_str());
    RebuildTracks(0);
    RebuildOrder(0);
    ShowListFont(hwnd, IDC_CLE_FONT_CHECK, IDC_CLE_FONT_CHOOSE, IDC_CLE_FONT_NAME, list.fontName);
    // The title shown above reached the model through its change notification: nothing is
    // changed yet.
    model->ForgetChanges();
}

bool CdListEditor::OnCommand(int controlId, int code, HWND control) {
    if (!model) {
        return false;
    }
    switch (controlId) {
        case IDOK:
            OnEnter();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        case IDHELP:
            ShowHelpKeyword(hwnd, kHelpCdListEditor);
            return true;
        case IDC_CLE_TRACKS:
            if (code == LBN_SELCHANGE) {
                // Both lists show the titles edited so far.
                RebuildTracks(SelectedRow(IDC_CLE_TRACKS));
                RebuildOrder(SelectedRow(IDC_CLE_ORDER));
            }
            return true;
        case IDC_CLE_TRACK_TITLE:
        case IDC_CLE_TRACK_COMMENT:
        case IDC_CLE_TRACK_VOLUME:
            if (code == EN_CHANGE && SendMessageA(control, EM_GETMODIFY, 0, 0)) {
                ApplyTrack();
            }
            return true;
        case IDC_CLE_BALANCE_CHECK:
            EnableWindow(Item(IDC_CLE_BALANCE), IsDlgButtonChecked(hwnd, IDC_CLE_BALANCE_CHECK) == BST_CHECKED);
            ApplyTrack();
            return true;
        case IDC_CLE_LIST_TITLE:
            if (code == EN_CHANGE) {
                model->SetTitle(ItemText(hwnd, IDC_CLE_LIST_TITLE, kListTextBytes).c_str());
            }
            return true;
        case IDC_CLE_LIST_VOLUME:
            if (code == EN_KILLFOCUS && SendMessageA(control, EM_GETMODIFY, 0, 0)) {
                OnVolumeDone(control);
            }
            return true;
        case IDC_CLE_FONT_CHECK:
            OnFontCheck();
            return true;
        case IDC_CLE_FONT_CHOOSE:
            OnFontChoose();
            return true;
        case IDC_CLE_ADD:
            ApplyOrder(model->AddTrack(SelectedRow(IDC_CLE_TRACKS)));
            return true;
        case IDC_CLE_INSERT:
            ApplyOrder(model->InsertTrack(SelectedRow(IDC_CLE_ORDER), SelectedRow(IDC_CLE_TRACKS)));
            return true;
        case IDC_CLE_INSERT_ALL:
            ApplyOrder(model->InsertAllTracks(SelectedRow(IDC_CLE_ORDER)));
            return true;
        case IDC_CLE_DELETE:
            ApplyOrder(model->RemoveEntry(SelectedRow(IDC_CLE_ORDER)));
            return true;
        case IDC_CLE_DELETE_ALL:
            DeleteAll();
            return true;
        case IDC_CLE_UP:
            ApplyOrder(model->MoveEntry(SelectedRow(IDC_CLE_ORDER), -1));
            return true;
        case IDC_CLE_DOWN:
            ApplyOrder(model->MoveEntry(SelectedRow(IDC_CLE_ORDER), +1));
            return true;
        default:
            return false;
    }
}

std::int32_t CdListEditor::SelectedRow(int listId) const {
    const LRESULT row = SendItem(listId, LB_GETCURSEL);
    return row == LB_ERR ? -1 : static_cast<std::int32_t>(row);
}

void CdListEditor::RebuildTracks(std::int32_t select) {
    const std::int32_t count = model->TrackCount();
    FillRows(Item(IDC_CLE_TRACKS), count, [this](std::int32_t row) { return model->TrackRowText(row); });
    SendItem(IDC_CLE_TRACKS, LB_SETCURSEL, count > 0 ? CdListEditModel::ClampRow(select, count) : -1);
    ShowTrack();
}

void CdListEditor::RebuildOrder(std::int32_t select) {
    const std::int32_t rows = model->OrderRowCount();
    FillRows(Item(IDC_CLE_ORDER), rows, [this](std::int32_t row) { return model->OrderRowText(row); });
    SendItem(IDC_CLE_ORDER, LB_SETCURSEL, CdListEditModel::ClampRow(select, rows));
}

void CdListEditor::ShowTrack() {
    currentIndex = SelectedRow(IDC_CLE_TRACKS);
    const bool shown = currentIndex >= 0 && currentIndex < model->TrackCount();
    const TrackFieldTexts fields = model->TrackFields(shown ? currentIndex : -1);
    for (int id : kTrackOnlyFields) {
        EnableWindow(Item(id), shown);
    }
    SetDlgItemTextA(hwnd, IDC_CLE_TRACK_TITLE, fields.title.c_str());
    SetDlgItemTextA(hwnd, IDC_CLE_TRACK_COMMENT, fields.comment.c_str());
    if (shown) {
        SetDlgItemTextA(hwnd, IDC_CLE_TRACK_VOLUME, fields.volume.c_str());
    }
    ShowBalanceControls(hwnd, IDC_CLE_BALANCE_CHECK, IDC_CLE_BALANCE, fields.balance, shown);
}

void CdListEditor::ApplyTrack() {
    if (currentIndex < 0) {
        return;
    }
    TrackFieldTexts fields;
    fields.title = ItemText(hwnd, IDC_CLE_TRACK_TITLE, kListTextBytes);
    fields.comment = ItemText(hwnd, IDC_CLE_TRACK_COMMENT, kListTextBytes);
    fields.volume = ItemText(hwnd, IDC_CLE_TRACK_VOLUME, 16);
    fields.balance = ReadBalanceControls(hwnd, IDC_CLE_BALANCE_CHECK, IDC_CLE_BALANCE);
    for (int id : kTrackEdits) {
        SendItem(id, EM_SETMODIFY, FALSE);
    }
    model->ApplyTrackFields(currentIndex, fields);
}

void CdListEditor::OnVolumeDone(HWND control) {
    const std::int32_t volume = model->SetVolumeText(ItemText(hwnd, IDC_CLE_LIST_VOLUME, 16).c_str());
    SetWindowTextA(control, std::to_string(volume).c_str());
}

void CdListEditor::OnFontCheck() {
    const bool on = IsDlgButtonChecked(hwnd, IDC_CLE_FONT_CHECK) == BST_CHECKED;
    EnableWindow(Item(IDC_CLE_FONT_CHOOSE), on);
    EnableWindow(Item(IDC_CLE_FONT_NAME), on);
    model->SetFont(on, ItemText(hwnd, IDC_CLE_FONT_NAME, kFaceNameBytes).c_str());
}

void CdListEditor::OnFontChoose() {
    const std::string face = ChooseListFontFace(hwnd);
    if (!face.empty()) {
        SetDlgItemTextA(hwnd, IDC_CLE_FONT_NAME, face.c_str());
        model->SetFont(true, face.c_str());
    }
}

void CdListEditor::ApplyOrder(std::int32_t select) {
    if (select >= 0) {
        RebuildOrder(select);
    }
}

void CdListEditor::DeleteAll() {
    if (model->List().OrderCount() == 0 ||
        Ask(kDeleteAllText, kDeleteAllCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    ApplyOrder(model->RemoveAllEntries());
}

void CdListEditor::OnEnter() {
    HWND focus = GetFocus();
    if (focus == Item(IDC_CLE_TRACK_TITLE) || focus == Item(IDC_CLE_TRACK_COMMENT)) {
        if (currentIndex >= 0 && currentIndex < model->TrackCount() - 1) {
            RebuildTracks(currentIndex + 1);
            SendItem(IDC_CLE_TRACK_TITLE, EM_SETSEL, 0, -1);
            SetFocus(Item(IDC_CLE_TRACK_TITLE));
        }
        return;
    }
    if (focus != Item(IDOK)) {
        return;
    }
    // A list that could not be written keeps the dialog open with everything typed.
    if (model->Modified() && !model->Save()) {
        Ask(kListWriteFailedText, kListWriteCaption, MB_OK | MB_ICONERROR);
        return;
    }
    End(1);
}

void CdListEditor::OnCancel() {
    if (model->Modified() && Ask(kDiscardChangesText, kDiscardChangesCaption, MB_YESNO | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    End(0);
}

int EditCdList(HWND owner, std::uint32_t discId) {
    CdListEditor editor(discId);
    return RunModal(editor, owner, IDD_CD_LIST_EDITOR) == 1 ? 1 : 0;
}
