// The play list editor.
#include "editors/PlayListEditor_win.h"

#include <cstdio>
#include <memory>
#include <string>

#include "app/Settings.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "editors/EditorTexts.h"
#include "editors/PlayListSaver.h"
#include "resources/PlayListEditor.h"
#include "ui/HelpKeywords.h"
#include "ui/HelpViewer_win.h"

namespace {

// The song fields that are enabled only while a song is shown (the volume edit always is).
constexpr int kSongOnlyFields[] = {IDC_PLE_SONG_TITLE, IDC_PLE_SONG_COMMENT, IDC_PLE_BALANCE_CHECK, IDC_PLE_SILENCE};
// The edits whose changes go into the shown song.
constexpr int kSongEdits[] = {IDC_PLE_SONG_TITLE, IDC_PLE_SONG_COMMENT, IDC_PLE_SONG_VOLUME, IDC_PLE_SILENCE};
// Volume and silence edits: 3 and 6 digits.
constexpr int kVolumeDigits = 3;
constexpr int kSilenceDigits = 6;

// The folder as the system resolves it: full, with long names, for comparing two spellings.
std::string ResolvedFolder(const char* folder) {
    char full[kMaxPathBytes];
    const DWORD length = GetFullPathNameA(folder, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) {
        return folder;
    }
    char longName[kMaxPathBytes];
    const DWORD longLength = GetLongPathNameA(full, longName, sizeof longName);
    return longLength > 0 && longLength < sizeof longName ? longName : full;
}

}  // namespace

INT_PTR PlayListEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == Item(IDC_PLE_BALANCE)) {
                OnBalanceScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
                return TRUE;
            }
            return FALSE;
        case WM_DRAWITEM:
            return browser.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
        case WM_COMPAREITEM: {
            // A dialog procedure answers this message with its result directly.
            const auto& compare = *reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
            return compare.CtlID == IDC_PLE_FOLDERS ? browser.CompareTreeItems(compare.itemData1, compare.itemData2)
                                                    : 0;
        }
        default:
            return FALSE;
    }
}

void PlayListEditor::OnInitDialog() {
    SendItem(IDC_PLE_LIST_TITLE, EM_LIMITTEXT, kListTextBytes - 1);
    SendItem(IDC_PLE_LIST_VOLUME, EM_LIMITTEXT, kVolumeDigits);
    SendItem(IDC_PLE_SONG_TITLE, EM_LIMITTEXT, kListTextBytes - 1);
    SendItem(IDC_PLE_SONG_COMMENT, EM_LIMITTEXT, kListTextBytes - 1);
    SendItem(IDC_PLE_SONG_VOLUME, EM_LIMITTEXT, kVolumeDigits);
    SendItem(IDC_PLE_SILENCE, EM_LIMITTEXT, kSilenceDigits);
    SetScrollRange(Item(IDC_PLE_BALANCE), SB_CTL, kBalanceLeftEnd, kBalanceRightEnd, FALSE);
    SetScrollPos(Item(IDC_PLE_BALANCE), SB_CTL, 0, TRUE);

    const int loaded = model.Open(path);
    const PlayListFile& list = model.List();
    WarnOfUnreadEntries(loaded, list.refusedEntries);
    SetDlgItemTextA(hwnd, IDC_PLE_LIST_TITLE, list.title);
    SetDlgItemTextA(hwnd, IDC_PLE_LIST_VOLUME, std::to_string(list.volume).c_str());
    ShowListFont(hwnd, IDC_PLE_FONT_CHECK, IDC_PLE_FONT_CHOOSE, IDC_PLE_FONT_NAME, list.fontName);
    RebuildSongs(0);
    browser.Attach(hwnd);
}

// Nothing the user owns goes without a word: a list that could not be read whole is rewritten
// with only what the editor shows when it is saved.
void PlayListEditor::WarnOfUnreadEntries(int loaded, std::int32_t refused) {
    if (path[0] != '\0' && !loaded && FileExists(path)) {
        Ask(kListUnreadableText, kListPartlyReadCaption, MB_OK | MB_ICONWARNING);
    } else if (refused > 0) {
        char text[256];
        std::snprintf(text, sizeof text, kListEntriesRefusedFormat, static_cast<int>(refused));
        Ask(text, kListPartlyReadCaption, MB_OK | MB_ICONWARNING);
    }
}

bool PlayListEditor::OnCommand(int controlId, int code, HWND control) {
    if (browser.OnCommand(controlId, code)) {
        return true;
    }
    switch (controlId) {
        case IDOK:
            OnEnter();
            return true;
        case IDCANCEL:
            End(0);
            return true;
        case IDHELP:
            ShowHelpKeyword(hwnd, kHelpPlayListEditor);
            return true;
        case IDC_PLE_SONGS:
            if (code == LBN_SELCHANGE) {
                ShowSong();
            }
            return true;
        case IDC_PLE_SONG_TITLE:
        case IDC_PLE_SONG_COMMENT:
        case IDC_PLE_SONG_VOLUME:
        case IDC_PLE_SILENCE:
            if (code == EN_CHANGE && SendMessageA(control, EM_GETMODIFY, 0, 0)) {
                ApplySong();
            }
            return true;
        case IDC_PLE_BALANCE_CHECK:
            EnableWindow(Item(IDC_PLE_BALANCE), IsDlgButtonChecked(hwnd, IDC_PLE_BALANCE_CHECK) == BST_CHECKED);
            ApplySong();
            return true;
        case IDC_PLE_LIST_TITLE:
        case IDC_PLE_LIST_VOLUME:
            if (code == EN_CHANGE && SendMessageA(control, EM_GETMODIFY, 0, 0)) {
                ApplyListField(controlId);
            }
            return true;
        case IDC_PLE_FONT_CHECK:
            OnFontCheck();
            return true;
        case IDC_PLE_FONT_CHOOSE:
            OnFontChoose();
            return true;
        case IDC_PLE_ADD:
            AddFiles(model.SongCount());
            return true;
        case IDC_PLE_INSERT:
            AddFiles(SelectedSong());
            return true;
        case IDC_PLE_DELETE:
            DeleteSong();
            return true;
        case IDC_PLE_DELETE_ALL:
            DeleteAllSongs();
            return true;
        case IDC_PLE_UP:
            MoveSong(-1);
            return true;
        case IDC_PLE_DOWN:
            MoveSong(+1);
            return true;
        default:
            return false;
    }
}

std::int32_t PlayListEditor::SelectedSong() const {
    const LRESULT row = SendItem(IDC_PLE_SONGS, LB_GETCURSEL);
    return row == LB_ERR ? -1 : static_cast<std::int32_t>(row);
}

void PlayListEditor::RebuildSongs(std::int32_t select) {
    const PlayListFile& list = model.List();
    // One record for every row: an entry is over a kilobyte.
    auto entry = std::make_unique<PlayListEntry>();
    FillRows(Item(IDC_PLE_SONGS), model.SongCount(), [&](std::int32_t row) {
        list.GetEntry(row, *entry);
        return std::string(entry->path);
    });
    SendItem(IDC_PLE_SONGS, LB_SETCURSEL, model.SongCount() > 0 ? model.ClampSongRow(select) : -1);
    ShowSong();
}

void PlayListEditor::ShowSong() {
    currentIndex = SelectedSong();
    const bool shown = currentIndex >= 0 && currentIndex < model.SongCount();
    const SongFieldTexts fields = model.SongFields(shown ? currentIndex : -1);
    for (int id : kSongOnlyFields) {
        EnableWindow(Item(id), shown);
    }
    // Texts set here are not the user's: the edits report them unmodified.
    SetDlgItemTextA(hwnd, IDC_PLE_SONG_TITLE, fields.title.c_str());
    SetDlgItemTextA(hwnd, IDC_PLE_SONG_COMMENT, fields.comment.c_str());
    if (shown) {
        SetDlgItemTextA(hwnd, IDC_PLE_SONG_VOLUME, fields.volume.c_str());
        SetDlgItemTextA(hwnd, IDC_PLE_SILENCE, fields.silence.c_str());
    }
    ShowBalanceControls(hwnd, IDC_PLE_BALANCE_CHECK, IDC_PLE_BALANCE, fields.balance, shown);
}

void PlayListEditor::ApplySong() {
    if (currentIndex < 0) {
        return;
    }
    SongFieldTexts fields;
    fields.title = ItemText(hwnd, IDC_PLE_SONG_TITLE, kListTextBytes);
    fields.comment = ItemText(hwnd, IDC_PLE_SONG_COMMENT, kListTextBytes);
    fields.volume = ItemText(hwnd, IDC_PLE_SONG_VOLUME, 16);
    fields.silence = ItemText(hwnd, IDC_PLE_SILENCE, 16);
    fields.balance = ReadBalanceControls(hwnd, IDC_PLE_BALANCE_CHECK, IDC_PLE_BALANCE);
    for (int id : kSongEdits) {
        SendItem(id, EM_SETMODIFY, FALSE);
    }
    model.ApplySongFields(currentIndex, fields);
}

void PlayListEditor::OnBalanceScroll(int code, int thumb) {
    if (ScrollBalanceControl(hwnd, IDC_PLE_BALANCE, code, thumb)) {
        ApplySong();
    }
}

void PlayListEditor::ApplyListField(int controlId) {
    if (controlId == IDC_PLE_LIST_TITLE) {
        model.SetTitle(ItemText(hwnd, IDC_PLE_LIST_TITLE, kListTextBytes).c_str());
    } else {
        model.SetVolumeText(ItemText(hwnd, IDC_PLE_LIST_VOLUME, 16).c_str());
    }
}

void PlayListEditor::OnFontCheck() {
    const bool on = IsDlgButtonChecked(hwnd, IDC_PLE_FONT_CHECK) == BST_CHECKED;
    EnableWindow(Item(IDC_PLE_FONT_CHOOSE), on);
    EnableWindow(Item(IDC_PLE_FONT_NAME), on);
    model.SetFont(on, ItemText(hwnd, IDC_PLE_FONT_NAME, kFaceNameBytes).c_str());
}

void PlayListEditor::OnFontChoose() {
    const std::string face = ChooseListFontFace(hwnd);
    if (!face.empty()) {
        SetDlgItemTextA(hwnd, IDC_PLE_FONT_NAME, face.c_str());
        model.SetFont(true, face.c_str());
    }
}

void PlayListEditor::AddFiles(std::int32_t index) {
    const std::int32_t select = model.AddFiles(index, browser.Folder(), browser.SelectedFileNames());
    if (select >= 0) {
        RebuildSongs(select);
    }
}

void PlayListEditor::DeleteSong() {
    const std::int32_t select = model.DeleteSong(SelectedSong());
    if (select >= 0) {
        RebuildSongs(select);
    }
}

void PlayListEditor::DeleteAllSongs() {
    if (model.SongCount() == 0 ||
        Ask(kDeleteAllText, kDeleteAllCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    RebuildSongs(model.DeleteAllSongs());
}

void PlayListEditor::MoveSong(int step) {
    const std::int32_t select = model.MoveSong(SelectedSong(), step);
    if (select >= 0) {
        RebuildSongs(select);
    }
}

// Enter and OK act by where the focus is.
void PlayListEditor::OnEnter() {
    HWND focus = GetFocus();
    if (browser.OnEnter(focus)) {
        return;
    }
    if (focus == Item(IDC_PLE_SONG_TITLE) || focus == Item(IDC_PLE_SONG_COMMENT)) {
        // Enter walks down the songs, for typing one title after another.
        const std::int32_t row = SelectedSong();
        if (row >= 0 && row < model.SongCount() - 1) {
            SendItem(IDC_PLE_SONGS, LB_SETCURSEL, row + 1);
            ShowSong();
            SendItem(IDC_PLE_SONG_TITLE, EM_SETSEL, 0, -1);
            SetFocus(Item(IDC_PLE_SONG_TITLE));
        }
        return;
    }
    if (focus == Item(IDOK) && (!model.Modified() || SaveList())) {
        End(1);
    }
}

bool PlayListEditor::SaveList() {
    const bool inListFolder = path[0] != '\0' && InListFolder(path);
    const ListSaveOutcome outcome =
        SavePlayList(model.List(), path, gSettings.directory.List, model.TitleChanged(), inListFolder);
    switch (outcome.result) {
        case ListSaveResult::kSaved:
            CopyShiftJis(path, kMaxPathBytes, outcome.savedPath);
            return true;
        case ListSaveResult::kRenameFailed:
            Ask(kListRenameFailedText, kListWriteCaption, MB_OK | MB_ICONERROR);
            return false;
        case ListSaveResult::kWriteFailed:
            Ask(kListWriteFailedText, kListWriteCaption, MB_OK | MB_ICONERROR);
            return false;
        case ListSaveResult::kKeptTemporary: {
            char text[sizeof kListKeptTemporaryFormat + kMaxPathBytes];
            std::snprintf(text, sizeof text, kListKeptTemporaryFormat, outcome.temporaryPath);
            Ask(text, kListWriteCaption, MB_OK | MB_ICONERROR);
            return false;
        }
    }
    return false;
}

bool PlayListEditor::InListFolder(const char* file) {
    char folder[kMaxPathBytes];
    if (!DirectoryOf(folder, file)) {
        return false;
    }
    return SameFolderText(ResolvedFolder(folder).c_str(), ResolvedFolder(gSettings.directory.List).c_str());
}

int EditPlayList(HWND owner, char* path) {
    PlayListEditor editor(path);
    return RunModal(editor, owner, IDD_PLAY_LIST_EDITOR) == 1 ? 1 : 0;
}
