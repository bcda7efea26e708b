// The play list selection dialog.
#include "editors/ListSelectionDialog_win.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "app/Settings.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "editors/EditorTexts.h"
#include "editors/FolderListDialog_win.h"
#include "editors/FolderListEntry.h"
#include "editors/PlayListEditor_win.h"
#include "play/FileModeParts.h"
#include "songfiles/ForeignPlayList.h"
#include "resources/ListSelectionDialog.h"
#include "ui/HelpKeywords.h"
#include "ui/HelpViewer_win.h"

namespace {

// The open dialog's buffer for several list files at once.
constexpr std::size_t kListFilesBufferBytes = 4096;

}  // namespace

INT_PTR ListSelectionDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
        case WM_INITDIALOG:
            OnInitDialog();
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        case WM_COMMAND:
            break;
        default:
            return FALSE;
    }
    switch (LOWORD(wParam)) {
        case IDOK:
            OnOk();
            return TRUE;
        case IDC_LSD_LISTS:
            if (HIWORD(wParam) == LBN_DBLCLK) {
                OnOk();
                return TRUE;
            }
            return FALSE;
        case IDCANCEL:
            End(0);
            return TRUE;
        case IDHELP:
            ShowHelpKeyword(hwnd, kHelpListSelection);
            return TRUE;
        case IDC_LSD_NEW_LIST:
            OnNewList();
            return TRUE;
        case IDC_LSD_ADD_FILES:
            OnAddFiles();
            return TRUE;
        case IDC_LSD_FOLDER_LIST:
            OnNewFolderList();
            return TRUE;
        case IDC_LSD_EDIT:
            OnEdit();
            return TRUE;
        case IDC_LSD_UP:
            OnMove(-1);
            return TRUE;
        case IDC_LSD_DOWN:
            OnMove(+1);
            return TRUE;
        case IDC_LSD_DELETE:
            OnDelete();
            return TRUE;
        default:
            return FALSE;
    }
}

void ListSelectionDialog::OnInitDialog() {
    lists.Load();
    RebuildRows(0);
}

// The registry is written once, here, whether the dialog ended with OK or cancel.
void ListSelectionDialog::OnDestroy() {
    lists.SaveIfModified();
}

void ListSelectionDialog::RebuildRows(std::int32_t select) {
    HWND listBox = Item(IDC_LSD_LISTS);
    const std::int32_t count = lists.Count();
    FillRows(listBox, count, [this](std::int32_t row) { return lists.RowText(row); });
    if (count == 0) {
        return;
    }
    const std::int32_t row = select < 0 ? 0 : (select >= count ? count - 1 : select);
    SendMessageA(listBox, LB_SETCARETINDEX, static_cast<WPARAM>(row), FALSE);
    SendMessageA(listBox, LB_SETSEL, TRUE, static_cast<LPARAM>(row));
}

std::int32_t ListSelectionDialog::CaretRow() const {
    if (lists.Count() == 0) {
        return -1;
    }
    const LRESULT caret = SendItem(IDC_LSD_LISTS, LB_GETCARETINDEX);
    return caret == LB_ERR ? -1 : static_cast<std::int32_t>(caret);
}

void ListSelectionDialog::OnOk() {
    if (lists.Choose(SelectedRows(Item(IDC_LSD_LISTS)), chosen) > 0) {
        End(1);
    }
}

void ListSelectionDialog::OnNewList() {
    char path[kMaxPathBytes] = {};
    if (EditPlayListFile(path) == 1 && lists.Append(path)) {
        RebuildRows(lists.Count() - 1);
    }
}

void ListSelectionDialog::OnAddFiles() {
    std::vector<char> buffer;
    if (!ChooseListFiles(buffer)) {
        return;
    }
    StringList paths;
    SplitOpenDialogResult(buffer, paths);
    std::int32_t added = 0;
    for (std::int32_t i = 0; i < paths.Count(); ++i) {
        added += lists.Append(paths.StringAt(i));
    }
    if (added > 0) {
        RebuildRows(lists.Count() - 1);
    }
}

void ListSelectionDialog::OnNewFolderList() {
    FolderListDialog dialog;
    if (EditFolder(dialog) == 1 &&
        lists.Append(EncodeFolderList({dialog.listName, dialog.folder, dialog.wildcard}).c_str())) {
        RebuildRows(lists.Count() - 1);
    }
}

void ListSelectionDialog::OnEdit() {
    const std::int32_t row = CaretRow();
    const char* entry = lists.EntryAt(row);
    if (entry == nullptr) {
        return;
    }
    if (IsFolderListEntry(entry)) {
        const FolderListFields fields = DecodeFolderList(entry);
        FolderListDialog dialog;
        CopyShiftJis(dialog.listName, sizeof dialog.listName, fields.name.c_str());
        CopyShiftJis(dialog.folder, sizeof dialog.folder, fields.folder.c_str());
        CopyShiftJis(dialog.wildcard, sizeof dialog.wildcard, fields.wildcard.c_str());
        if (EditFolder(dialog) == 1 &&
            lists.Replace(row, EncodeFolderList({dialog.listName, dialog.folder, dialog.wildcard}).c_str())) {
            RebuildRows(row);
        }
        return;
    }
    // The editor writes its own format: saving an .m3u or .pls through it would destroy the
    // other player's list.
    if (IsForeignPlayList(entry)) {
        Ask(kForeignListNotEditableText, kForeignListCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // A path too long for the editor opens an empty list that is saved under a new name.
    char path[kMaxPathBytes] = {};
    CopyShiftJis(path, sizeof path, std::strlen(entry) < sizeof path ? entry : "");
    const std::string before = entry;
    if (EditPlayListFile(path) != 1) {
        return;
    }
    if (before != path) {
        lists.Replace(row, path);
    }
    // The title may have changed under the same name: the row shows it either way.
    RebuildRows(row);
}

void ListSelectionDialog::OnMove(int step) {
    HWND listBox = Item(IDC_LSD_LISTS);
    const std::int32_t count = lists.Count();
    if (count == 0) {
        return;
    }
    SendMessageA(listBox, LB_SETSEL, FALSE, -1);
    const std::int32_t caret = CaretRow();
    if (caret < 0) {
        return;
    }
    SendMessageA(listBox, LB_SETSEL, TRUE, static_cast<LPARAM>(caret));
    const std::int32_t target = lists.Move(caret, step);
    if (target >= 0) {
        RebuildRows(target);
    }
}

void ListSelectionDialog::OnDelete() {
    const std::vector<std::int32_t> rows = SelectedRows(Item(IDC_LSD_LISTS));
    if (rows.empty()) {
        return;
    }
    const int answer = Ask(kDeleteListsText, kDeleteListsCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO) {
        return;
    }
    lists.Remove(rows, answer == IDYES);
    RebuildRows(0);
}

int ListSelectionDialog::EditPlayListFile(char* path) {
    return EditPlayList(hwnd, path);
}

int ListSelectionDialog::EditFolder(FolderListDialog& dialog) {
    return EditFolderList(hwnd, dialog);
}

bool ListSelectionDialog::ChooseListFiles(std::vector<char>& buffer) {
    buffer.assign(kListFilesBufferBytes, '\0');
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof open;
    open.hwndOwner = hwnd;
    open.lpstrFilter = kListFileFilter;
    open.lpstrFile = buffer.data();
    open.nMaxFile = static_cast<DWORD>(buffer.size());
    open.lpstrInitialDir = gSettings.directory.List;
    open.Flags =
        OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES;
    return GetOpenFileNameA(&open) != FALSE;
}

int SelectPlayLists(HWND owner, StringList& chosen) {
    ListSelectionDialog dialog(chosen);
    return RunModal(dialog, owner, IDD_LIST_SELECTION) == 1 ? 1 : 0;
}
