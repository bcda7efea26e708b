// The list editors and the play list selection dialog driven as a user drives them: real
// templates, real controls, real files in a temporary folder and the real registry; questions
// are answered by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "app/SettingsKeyReader.h"
#include "app/SettingsKeyWriter.h"
#include "app/containers/ShiftJis.h"
#include "editors/CdListEditor_win.h"
#include "editors/EditorTexts.h"
#include "editors/FolderListDialog_win.h"
#include "editors/ListSelectionDialog_win.h"
#include "editors/PlayListEditor_win.h"
#include "resources/CdListEditor.h"
#include "resources/FolderListDialog.h"
#include "resources/ListSelectionDialog.h"
#include "resources/PlayListEditor.h"
#include "songfiles/CdListFile.h"
#include "songfiles/PlayListFile.h"
#include "tests/win32/ScriptedDialog_win.h"

namespace {

const std::string kRegListKey = std::string(kSettingsBasePath) + "\\File\\RegList";

void SetRegistered(const std::vector<std::string>& entries) {
    StringList list;
    for (const std::string& entry : entries) {
        list.InsertString(-1, entry.c_str());
    }
    SettingsKeyWriter key;
    ASSERT_TRUE(key.Open(kSettingsRoot, kRegListKey.c_str()));
    key.NumberedList(list);
}

std::vector<std::string> Registered() {
    StringList list;
    SettingsKeyReader key;
    if (key.Open(kSettingsRoot, kRegListKey.c_str())) {
        key.NumberedList(list);
    }
    std::vector<std::string> entries;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        entries.emplace_back(list.StringAt(i));
    }
    return entries;
}

std::string ListLine(const std::string& title) {
    return "Melodrix2.0 PlayList," + title + ",100,\r\n";
}

FILETIME WriteTime(const std::string& path) {
    FILETIME time = {};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        GetFileTime(file, nullptr, nullptr, &time);
        CloseHandle(file);
    }
    return time;
}

class EditorsTest : public ::testing::Test {
protected:
    EditorsTest() {
        ResetSettingsToDefaults();
        lists = folder.MakeFolder("Lists");
        music = folder.MakeFolder("Music");
        CopyShiftJis(gSettings.directory.List, kPathBytes, lists.c_str());
        CopyShiftJis(gSettings.file.ListEditLastDirectory, kPathBytes, music.c_str());
        CopyShiftJis(gSettings.file.ListEditLastWildCard, kPathBytes, "*.*");
    }

    TemporaryFolder folder{"MxEditors"};
    std::string lists;
    std::string music;
};

}  // namespace

TEST_F(EditorsTest, NewListTakesTheChosenFilesInFileListOrderAndSavesUnderAUniqueName) {
    for (const char* name : {"b.mid", "a.wav", "c.mp3"}) {
        folder.Write(std::string("Music\\") + name, "data");
    }
    std::vector<std::string> saved;
    for (int run = 0; run < 2; ++run) {
        char path[kMaxPathBytes] = {};
        Scripted<PlayListEditor> editor(path);
        std::vector<std::string> fileRows;
        editor.script = [&](HWND dialog) {
            Type(dialog, IDC_PLE_LIST_TITLE, "Evening");
            for (int row = 0; row < RowCount(dialog, IDC_PLE_FILES); ++row) {
                fileRows.push_back(music + "\\" + RowText(dialog, IDC_PLE_FILES, row));
            }
            SendDlgItemMessageA(dialog, IDC_PLE_FILES, LB_SETSEL, TRUE, -1);
            Press(dialog, IDC_PLE_ADD);
            Press(dialog, IDOK);
        };
        ASSERT_EQ(RunModal(editor, nullptr, IDD_PLAY_LIST_EDITOR), 1);
        saved.emplace_back(path);
        PlayListFile list;
        ASSERT_EQ(list.Load(path), 1);
        EXPECT_STREQ(list.title, "Evening");
        ASSERT_EQ(list.EntryCount(), 3);
        PlayListEntry entry;
        for (int i = 0; i < 3; ++i) {
            list.GetEntry(i, entry);
            EXPECT_EQ(entry.path, fileRows[i]);
        }
    }
    EXPECT_EQ(saved[0], lists + "\\Evening.rpl");
    EXPECT_EQ(saved[1], lists + "\\Evening_0.rpl");
}

TEST_F(EditorsTest, SwitchedOffBalanceShowsUncheckedAtItsPositionAndCheckingStoresIt) {
    folder.Write("Lists\\b.rpl", ListLine("B") + "C:\\a.mid,A,,100,-250,0\r\n");
    char path[kMaxPathBytes];
    CopyShiftJis(path, sizeof path, (lists + "\\b.rpl").c_str());
    Scripted<PlayListEditor> editor(path);
    editor.script = [&](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PLE_BALANCE_CHECK), BST_UNCHECKED);
        EXPECT_EQ(GetScrollPos(GetDlgItem(dialog, IDC_PLE_BALANCE), SB_CTL), 50);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PLE_BALANCE)));
        Click(dialog, IDC_PLE_BALANCE_CHECK);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PLE_BALANCE)));
        Press(dialog, IDOK);
    };
    ASSERT_EQ(RunModal(editor, nullptr, IDD_PLAY_LIST_EDITOR), 1);
    PlayListFile list;
    ASSERT_EQ(list.Load(path), 1);
    PlayListEntry entry;
    list.GetEntry(0, entry);
    EXPECT_EQ(entry.balance, 50);
}

TEST_F(EditorsTest, InsertWithoutASelectedSongAddsNothing) {
    folder.Write("Music\\a.mid", "data");
    char path[kMaxPathBytes] = {};
    Scripted<PlayListEditor> editor(path);
    editor.script = [&](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_PLE_FILES, LB_SETSEL, TRUE, -1);
        SendDlgItemMessageA(dialog, IDC_PLE_SONGS, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        Press(dialog, IDC_PLE_INSERT);
        EXPECT_EQ(RowCount(dialog, IDC_PLE_SONGS), 0);
        Press(dialog, IDC_PLE_ADD);
        EXPECT_EQ(RowCount(dialog, IDC_PLE_SONGS), 1);
        Press(dialog, IDCANCEL);
    };
    EXPECT_EQ(RunModal(editor, nullptr, IDD_PLAY_LIST_EDITOR), 0);
}

TEST_F(EditorsTest, EnterInTheSongTitleWalksDownTheSongsAndStopsAtTheLast) {
    folder.Write("Lists\\w.rpl", ListLine("W") + "C:\\1.mid\r\nC:\\2.mid\r\nC:\\3.mid\r\n");
    char path[kMaxPathBytes];
    CopyShiftJis(path, sizeof path, (lists + "\\w.rpl").c_str());
    Scripted<PlayListEditor> editor(path);
    editor.script = [&](HWND dialog) {
        ChooseRow(dialog, IDC_PLE_SONGS, 0);
        EnterIn(dialog, IDC_PLE_SONG_TITLE);
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PLE_SONGS, LB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PLE_SONG_TITLE));
        EnterIn(dialog, IDC_PLE_SONG_COMMENT);
        EnterIn(dialog, IDC_PLE_SONG_COMMENT);
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PLE_SONGS, LB_GETCURSEL, 0, 0), 2);
        Press(dialog, IDCANCEL);
    };
    EXPECT_EQ(RunModal(editor, nullptr, IDD_PLAY_LIST_EDITOR), 0);
}

TEST_F(EditorsTest, TitleChangeRenamesAListInTheListFolderAndKeepsTheNameElsewhere) {
    const std::string other = folder.MakeFolder("Other");
    folder.Write("Lists\\old.rpl", ListLine("Old"));
    folder.Write("Other\\mine.rpl", ListLine("Old"));
    struct Case {
        std::string file;
        std::string expected;
    };
    for (const Case& c :
         {Case{lists + "\\old.rpl", lists + "\\New.rpl"}, Case{other + "\\mine.rpl", other + "\\mine.rpl"}}) {
        char path[kMaxPathBytes];
        CopyShiftJis(path, sizeof path, c.file.c_str());
        Scripted<PlayListEditor> editor(path);
        editor.script = [&](HWND dialog) {
            Type(dialog, IDC_PLE_LIST_TITLE, "New");
            Press(dialog, IDOK);
        };
        ASSERT_EQ(RunModal(editor, nullptr, IDD_PLAY_LIST_EDITOR), 1);
        EXPECT_EQ(std::string(path), c.expected);
        char title[kListTextBytes];
        EXPECT_EQ(PlayListFile::ReadTitle(path, title), 1);
        EXPECT_STREQ(title, "New");
    }
    EXPECT_EQ(GetFileAttributesA((lists + "\\old.rpl").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((lists + "\\$RPLSWP.TMP").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(EditorsTest, OkWithNothingChangedWritesNothing) {
    folder.Write("Lists\\same.rpl", ListLine("Same") + "C:\\1.mid\r\n");
    const FILETIME before = WriteTime(lists + "\\same.rpl");
    Sleep(50);
    char path[kMaxPathBytes];
    CopyShiftJis(path, sizeof path, (lists + "\\same.rpl").c_str());
    Scripted<PlayListEditor> editor(path);
    editor.script = [&](HWND dialog) { Press(dialog, IDOK); };
    ASSERT_EQ(RunModal(editor, nullptr, IDD_PLAY_LIST_EDITOR), 1);
    const FILETIME after = WriteTime(lists + "\\same.rpl");
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
}

TEST_F(EditorsTest, AFailedRenameIsReportedAndTheEditorStaysOpen) {
    folder.Write("Lists\\held.rpl", ListLine("Held"));
    const std::string held = lists + "\\held.rpl";
    // Another program holds the file open without sharing: it can be neither moved nor replaced.
    HANDLE lock = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    char path[kMaxPathBytes];
    CopyShiftJis(path, sizeof path, held.c_str());
    Scripted<PlayListEditor> editor(path);
    editor.answers = {IDOK};
    editor.script = [&](HWND dialog) {
        Type(dialog, IDC_PLE_LIST_TITLE, "Renamed");
        Press(dialog, IDOK);
        EXPECT_TRUE(IsWindow(dialog));
        Press(dialog, IDCANCEL);
    };
    EXPECT_EQ(RunModal(editor, nullptr, IDD_PLAY_LIST_EDITOR), 0);
    CloseHandle(lock);
    ASSERT_EQ(editor.asked.size(), 1u);
    EXPECT_EQ(editor.asked[0], kListRenameFailedText);
    char title[kListTextBytes];
    EXPECT_EQ(PlayListFile::ReadTitle(held.c_str(), title), 1);
    EXPECT_STREQ(title, "Held");
}

TEST_F(EditorsTest, FolderTreeShowsTheLevelsAndTheSortedSubfoldersOfAFolderThreeDeep) {
    folder.MakeFolder("Music\\A");
    folder.MakeFolder("Music\\A\\B");
    const std::string deep = folder.MakeFolder("Music\\A\\B\\C");
    for (const char* name : {"zeta", "Alpha", "mid"}) {
        folder.MakeFolder(std::string("Music\\A\\B\\C\\") + name);
    }
    CopyShiftJis(gSettings.file.ListEditLastDirectory, kPathBytes, deep.c_str());
    char path[kMaxPathBytes] = {};
    Scripted<PlayListEditor> editor(path);
    std::vector<std::string> rows;
    int selected = -1;
    int drives = 0;
    editor.script = [&](HWND dialog) {
        const FolderTree& tree = editor.Browser().Tree();
        for (int row = 0; row < RowCount(dialog, IDC_PLE_FOLDERS); ++row) {
            const auto index = SendDlgItemMessageA(dialog, IDC_PLE_FOLDERS, LB_GETITEMDATA, row, 0);
            rows.push_back(tree.items[static_cast<std::size_t>(index)].name);
        }
        selected = static_cast<int>(SendDlgItemMessageA(dialog, IDC_PLE_FOLDERS, LB_GETCURSEL, 0, 0));
        drives = static_cast<int>(SendDlgItemMessageA(dialog, IDC_PLE_DRIVES, CB_GETCOUNT, 0, 0));
        // A double click on a level above goes there.
        SendDlgItemMessageA(dialog, IDC_PLE_FOLDERS, LB_SETCURSEL, selected - 1, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLE_FOLDERS, LBN_DBLCLK), 0);
        EXPECT_STREQ(editor.Browser().Folder(), (music + "\\A\\B").c_str());
        Press(dialog, IDCANCEL);
    };
    RunModal(editor, nullptr, IDD_PLAY_LIST_EDITOR);
    ASSERT_GE(rows.size(), 3u);
    const std::vector<std::string> tail(rows.end() - 6, rows.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"A", "B", "C", "Alpha", "mid", "zeta"}));
    EXPECT_EQ(selected, static_cast<int>(rows.size()) - 4);
    int present = 0;
    for (DWORD bits = GetLogicalDrives(); bits != 0; bits &= bits - 1) {
        ++present;
    }
    EXPECT_EQ(drives, present);
    EXPECT_STREQ(gSettings.file.ListEditLastDirectory, (music + "\\A\\B").c_str());
}

namespace {

// The selection dialog with its nested dialogs answered by the test.
class HookedSelection : public ListSelectionDialog {
public:
    using ListSelectionDialog::ListSelectionDialog;
    std::function<int(char*)> editList;
    std::function<int(FolderListDialog&)> editFolder;

protected:
    int EditPlayListFile(char* path) override { return editList ? editList(path) : 0; }
    int EditFolder(FolderListDialog& dialog) override { return editFolder ? editFolder(dialog) : 0; }
    bool ChooseListFiles(std::vector<char>&) override { return false; }
};

std::vector<int> SelectedRowsOf(HWND dialog) {
    std::vector<int> rows(64);
    const auto count =
        SendDlgItemMessageA(dialog, IDC_LSD_LISTS, LB_GETSELITEMS, rows.size(), reinterpret_cast<LPARAM>(rows.data()));
    rows.resize(count < 0 ? 0 : static_cast<std::size_t>(count));
    return rows;
}

}  // namespace

TEST_F(EditorsTest, ANewListMadeInTheEditorIsRegisteredAndHandedOverOnOk) {
    SetRegistered({});
    folder.Write("Music\\a.mid", "data");
    StringList chosen;
    Scripted<HookedSelection> selection(chosen);
    selection.editList = [&](char* path) {
        Scripted<PlayListEditor> editor(path);
        editor.script = [&](HWND dialog) {
            Type(dialog, IDC_PLE_LIST_TITLE, "Morning");
            SendDlgItemMessageA(dialog, IDC_PLE_FILES, LB_SETSEL, TRUE, -1);
            Press(dialog, IDC_PLE_ADD);
            Press(dialog, IDOK);
        };
        return RunModal(editor, selection.hwnd, IDD_PLAY_LIST_EDITOR) == 1 ? 1 : 0;
    };
    selection.script = [&](HWND dialog) {
        Press(dialog, IDC_LSD_NEW_LIST);
        EXPECT_EQ(RowText(dialog, IDC_LSD_LISTS, 0), "Morning");
        Press(dialog, IDOK);
    };
    ASSERT_EQ(RunModal(selection, nullptr, IDD_LIST_SELECTION), 1);
    ASSERT_EQ(chosen.Count(), 1);
    EXPECT_EQ(std::string(chosen.StringAt(0)), lists + "\\Morning.rpl");
    EXPECT_EQ(Registered(), std::vector<std::string>{lists + "\\Morning.rpl"});
}

TEST_F(EditorsTest, SelectedRowsAreHandedOverInRowOrderAndRowsShowWhatTheyCan) {
    folder.Write("Lists\\a.rpl", ListLine("Alpha"));
    const std::string missing = lists + "\\missing.rpl";
    SetRegistered({lists + "\\a.rpl", "*Waves,C:\\W,*.wav", missing, lists + "\\a.rpl"});
    StringList chosen;
    Scripted<HookedSelection> selection(chosen);
    selection.script = [&](HWND dialog) {
        EXPECT_EQ(RowText(dialog, IDC_LSD_LISTS, 0), "Alpha");
        EXPECT_EQ(RowText(dialog, IDC_LSD_LISTS, 1), "* Waves");
        EXPECT_EQ(RowText(dialog, IDC_LSD_LISTS, 2), missing);
        SendDlgItemMessageA(dialog, IDC_LSD_LISTS, LB_SETSEL, FALSE, -1);
        SendDlgItemMessageA(dialog, IDC_LSD_LISTS, LB_SETSEL, TRUE, 3);
        SendDlgItemMessageA(dialog, IDC_LSD_LISTS, LB_SETSEL, TRUE, 1);
        Press(dialog, IDOK);
    };
    ASSERT_EQ(RunModal(selection, nullptr, IDD_LIST_SELECTION), 1);
    ASSERT_EQ(chosen.Count(), 2);
    EXPECT_STREQ(chosen.StringAt(0), "*Waves,C:\\W,*.wav");
    EXPECT_EQ(std::string(chosen.StringAt(1)), lists + "\\a.rpl");
}

TEST_F(EditorsTest, DeletingTwoAdjacentRowsKeepsTheFilesOnNoAndDeletesThemOnYes) {
    for (int answer : {IDNO, IDYES}) {
        std::vector<std::string> paths;
        for (const char* name : {"1.rpl", "2.rpl", "3.rpl", "4.rpl"}) {
            folder.Write(std::string("Lists\\") + name, ListLine(name));
            paths.push_back(lists + "\\" + name);
        }
        SetRegistered(paths);
        StringList chosen;
        Scripted<HookedSelection> selection(chosen);
        selection.answers = {answer};
        selection.script = [&](HWND dialog) {
            SendDlgItemMessageA(dialog, IDC_LSD_LISTS, LB_SETSEL, FALSE, -1);
            SendDlgItemMessageA(dialog, IDC_LSD_LISTS, LB_SETSEL, TRUE, 1);
            SendDlgItemMessageA(dialog, IDC_LSD_LISTS, LB_SETSEL, TRUE, 2);
            Press(dialog, IDC_LSD_DELETE);
            Press(dialog, IDCANCEL);
        };
        EXPECT_EQ(RunModal(selection, nullptr, IDD_LIST_SELECTION), 0);
        ASSERT_EQ(selection.asked.size(), 1u);
        EXPECT_EQ(selection.asked[0], kDeleteListsText);
        // Written on close, cancel or not.
        EXPECT_EQ(Registered(), (std::vector<std::string>{paths[0], paths[3]}));
        const bool kept = answer == IDNO;
        EXPECT_EQ(GetFileAttributesA(paths[1].c_str()) != INVALID_FILE_ATTRIBUTES, kept);
        EXPECT_EQ(GetFileAttributesA(paths[2].c_str()) != INVALID_FILE_ATTRIBUTES, kept);
        EXPECT_NE(GetFileAttributesA(paths[0].c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST_F(EditorsTest, UpOnTheFirstRowKeepsTheOrderAndLeavesOnlyThatRowSelected) {
    SetRegistered({"a", "b", "c"});
    StringList chosen;
    Scripted<HookedSelection> selection(chosen);
    selection.script = [&](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_LSD_LISTS, LB_SETSEL, TRUE, 2);
        SendDlgItemMessageA(dialog, IDC_LSD_LISTS, LB_SETCARETINDEX, 0, FALSE);
        Press(dialog, IDC_LSD_UP);
        EXPECT_EQ(SelectedRowsOf(dialog), std::vector<int>{0});
        EXPECT_EQ(RowText(dialog, IDC_LSD_LISTS, 0), "a");
        // Down from row 0 moves it.
        Press(dialog, IDC_LSD_DOWN);
        EXPECT_EQ(RowText(dialog, IDC_LSD_LISTS, 1), "a");
        Press(dialog, IDCANCEL);
    };
    EXPECT_EQ(RunModal(selection, nullptr, IDD_LIST_SELECTION), 0);
    EXPECT_EQ(Registered(), (std::vector<std::string>{"b", "a", "c"}));
}

TEST_F(EditorsTest, FolderListDialogSortsItsWildcardsAndAsksForMissingFields) {
    Scripted<FolderListDialog> dialog;
    dialog.answers = {IDOK, IDOK};
    std::vector<std::string> patterns;
    dialog.script = [&](HWND window) {
        for (int row = 0; row < 3; ++row) {
            char text[64] = {};
            SendDlgItemMessageA(window, IDC_FLD_WILDCARD, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
            patterns.emplace_back(text);
        }
        Press(window, IDOK);
        Type(window, IDC_FLD_NAME, "Waves");
        Press(window, IDOK);
        Type(window, IDC_FLD_FOLDER, "C:\\W");
        Press(window, IDOK);
    };
    ASSERT_EQ(EditFolderList(nullptr, dialog), 1);
    EXPECT_EQ(patterns, (std::vector<std::string>{"*.mid;*.smf", "*.wav", "*.wav;*.mid;*.smf"}));
    EXPECT_EQ(dialog.asked, (std::vector<std::string>{kMissingListNameText, kMissingFolderText}));
    EXPECT_STREQ(dialog.listName, "Waves");
    EXPECT_STREQ(dialog.folder, "C:\\W");
    EXPECT_STREQ(dialog.wildcard, "*.wav");
}

namespace {

constexpr std::uint32_t kTwelveTracks = 0x0A1E2D0C;
constexpr std::uint32_t kThreeTracks = 0x01020303;

std::vector<int> OrderOf(std::uint32_t discId, const std::string& folder) {
    CdListFile list(discId, folder.c_str());
    list.Load();
    std::vector<int> order;
    for (std::int32_t i = 0; i < list.OrderCount(); ++i) {
        order.push_back(list.GetOrder(i) + 1);
    }
    return order;
}

}  // namespace

TEST_F(EditorsTest, CdEditorShowsDefaultTracksAndAppendsOnTheEmptyRow) {
    const std::string cd = folder.MakeFolder("Cd");
    Scripted<CdListEditor> editor(kTwelveTracks, cd.c_str());
    editor.script = [&](HWND dialog) {
        EXPECT_EQ(RowCount(dialog, IDC_CLE_TRACKS), 12);
        EXPECT_EQ(RowCount(dialog, IDC_CLE_ORDER), 13);
        EXPECT_EQ(RowText(dialog, IDC_CLE_TRACKS, 0), "<01> ﾄﾗｯｸ1");
        EXPECT_EQ(RowText(dialog, IDC_CLE_ORDER, 12), "");
        ChooseRow(dialog, IDC_CLE_TRACKS, 4);
        SendDlgItemMessageA(dialog, IDC_CLE_ORDER, LB_SETCURSEL, 12, 0);
        Press(dialog, IDC_CLE_INSERT);
        EXPECT_EQ(RowText(dialog, IDC_CLE_ORDER, 12), "<05> ﾄﾗｯｸ5");
        // The empty row can be neither deleted nor moved.
        SendDlgItemMessageA(dialog, IDC_CLE_ORDER, LB_SETCURSEL, 13, 0);
        Press(dialog, IDC_CLE_DELETE);
        Press(dialog, IDC_CLE_UP);
        EXPECT_EQ(RowCount(dialog, IDC_CLE_ORDER), 14);
        EXPECT_EQ(RowText(dialog, IDC_CLE_ORDER, 13), "");
        Press(dialog, IDOK);
    };
    ASSERT_EQ(RunModal(editor, nullptr, IDD_CD_LIST_EDITOR), 1);
    EXPECT_EQ(OrderOf(kTwelveTracks, cd), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 5}));
}

TEST_F(EditorsTest, CdEditorInsertAllAndMoveThenOkWritesTheNewOrder) {
    const std::string cd = folder.MakeFolder("Cd");
    Scripted<CdListEditor> editor(kThreeTracks, cd.c_str());
    editor.script = [&](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_CLE_ORDER, LB_SETCURSEL, 1, 0);
        Press(dialog, IDC_CLE_INSERT_ALL);
        EXPECT_EQ(RowCount(dialog, IDC_CLE_ORDER), 7);
        SendDlgItemMessageA(dialog, IDC_CLE_ORDER, LB_SETCURSEL, 0, 0);
        Press(dialog, IDC_CLE_DOWN);
        Press(dialog, IDOK);
    };
    ASSERT_EQ(RunModal(editor, nullptr, IDD_CD_LIST_EDITOR), 1);
    EXPECT_EQ(OrderOf(kThreeTracks, cd), (std::vector<int>{1, 1, 2, 3, 2, 3}));
}

TEST_F(EditorsTest, CdEditorCancelAfterAChangeAsksAndNoKeepsTheEdits) {
    const std::string cd = folder.MakeFolder("Cd");
    Scripted<CdListEditor> editor(kThreeTracks, cd.c_str());
    editor.answers = {IDNO, IDYES};
    editor.script = [&](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_CLE_ORDER, LB_SETCURSEL, 0, 0);
        Press(dialog, IDC_CLE_DELETE);
        Press(dialog, IDCANCEL);
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_EQ(RowCount(dialog, IDC_CLE_ORDER), 3);
        Press(dialog, IDCANCEL);
    };
    EXPECT_EQ(RunModal(editor, nullptr, IDD_CD_LIST_EDITOR), 0);
    EXPECT_EQ(editor.asked.size(), 2u);
    EXPECT_EQ(editor.asked[0], kDiscardChangesText);
    EXPECT_EQ(GetFileAttributesA((cd + "\\01020303.cdl").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(EditorsTest, CdEditorKeepsItsContentsWhenTheListCannotBeWritten) {
    const std::string gone = folder.Sub("NoSuchFolder");
    Scripted<CdListEditor> editor(kThreeTracks, gone.c_str());
    editor.answers = {IDOK, IDYES};
    editor.script = [&](HWND dialog) {
        Type(dialog, IDC_CLE_LIST_TITLE, "Kept");
        Press(dialog, IDOK);
        EXPECT_TRUE(IsWindow(dialog));
        char title[64] = {};
        GetDlgItemTextA(dialog, IDC_CLE_LIST_TITLE, title, sizeof title);
        EXPECT_STREQ(title, "Kept");
        Press(dialog, IDCANCEL);
    };
    EXPECT_EQ(RunModal(editor, nullptr, IDD_CD_LIST_EDITOR), 0);
    ASSERT_GE(editor.asked.size(), 1u);
    EXPECT_EQ(editor.asked[0], kListWriteFailedText);
}

// Opening the editor on a 5,000-song list and on a folder of 5,000 files: the time until the
// dialog's script runs (it is shown and filled by then). Printed; the goal is under 0.5 s each.
TEST_F(EditorsTest, OpensOnLargeListsAndFoldersQuickly) {
    std::string text = ListLine("Big");
    for (int i = 0; i < 5000; ++i) {
        text += "C:\\Music\\song" + std::to_string(i) + ".mid,Song " + std::to_string(i) + ",,100,-300,0\r\n";
    }
    folder.Write("Lists\\big.rpl", text);
    const std::string many = folder.MakeFolder("Many");
    for (int i = 0; i < 5000; ++i) {
        folder.Write("Many\\file" + std::to_string(i) + ".mid", "");
    }
    struct Case {
        const char* what;
        std::string list;
        std::string browse;
    };
    for (const Case& c : {Case{"5000 songs", lists + "\\big.rpl", music}, Case{"5000 files", "", many}}) {
        CopyShiftJis(gSettings.file.ListEditLastDirectory, kPathBytes, c.browse.c_str());
        char path[kMaxPathBytes];
        CopyShiftJis(path, sizeof path, c.list.c_str());
        Scripted<PlayListEditor> editor(path);
        const auto start = std::chrono::steady_clock::now();
        double seconds = 0;
        editor.script = [&](HWND dialog) {
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            EXPECT_GE(RowCount(dialog, IDC_PLE_SONGS) + RowCount(dialog, IDC_PLE_FILES), 5000);
            Press(dialog, IDCANCEL);
        };
        RunModal(editor, nullptr, IDD_PLAY_LIST_EDITOR);
        std::printf("editor opened on %s in %.3f s\n", c.what, seconds);
        RecordProperty(c.what, std::to_string(seconds));
    }
}
