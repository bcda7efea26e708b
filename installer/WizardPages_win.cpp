// The wizard pages. The folder rules and the installation itself live in the portable files;
// the pages move text between the edits and the context and say when a folder is refused.
#include "installer/WizardPages_win.h"

#include <vector>

#include "installer/FolderPath.h"
#include "installer/InstallReport.h"
#include "installer/Installation.h"
#include "installer/InstallerTexts.h"
#include "resources/InstallWizard.h"
#include "songfiles/ProfileReader.h"
#include "support/MxLib.h"

namespace {

// An edit's whole text. The buffer is larger than any folder, so an overlong entry is refused by
// the folder test rather than cut into another folder.
std::string EditText(HWND edit) {
    std::vector<char> buffer(kLongValueBytes, '\0');
    GetWindowTextA(edit, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

// Runs the folder test; on failure tells the user and answers false.
bool FolderAccepted(HWND page, WizardContext& context, const std::string& folder) {
    if (TestFolder(context.target, folder) == FolderResult::kOk) {
        return true;
    }
    MessageBoxA(page, FormatText(kFolderFailedFormat, folder).c_str(), kInstallerCaption, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

// The folder picker, starting from the edit's text; a confirmed choice replaces folder and the
// edit's text.
void BrowseInto(HWND page, HWND edit, std::string& folder) {
    char path[260] = {};
    lstrcpynA(path, EditText(edit).c_str(), sizeof path);
    CPathDlg picker;
    if (picker.GetDir(page, path)) {
        folder = path;
        SetWindowTextA(edit, path);
    }
}

void CenterOverOwner(HWND window) {
    HWND owner = GetWindow(window, GW_OWNER);
    RECT area{};
    if (owner != nullptr) {
        GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own{};
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Clicked(WPARAM wParam, int controlId) {
    return LOWORD(wParam) == controlId && HIWORD(wParam) == BN_CLICKED;
}

}  // namespace

InstallFolderPage::InstallFolderPage(WizardContext& context) : PropertyPage(IDD_WIZARD_FOLDER), context(context) {}

bool InstallFolderPage::OnInitDialog() {
    CenterOverOwner(Sheet());
    SetDlgItemTextA(hwnd, IDC_FOLDER_WELCOME, kWelcomeText);
    SendItem(IDC_FOLDER_EDIT, EM_LIMITTEXT, 260);
    SetDlgItemTextA(hwnd, IDC_FOLDER_EDIT, context.state.program.c_str());
    return true;
}

INT_PTR InstallFolderPage::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message == WM_COMMAND && Clicked(wParam, IDC_FOLDER_BROWSE)) {
        BrowseInto(hwnd, Item(IDC_FOLDER_EDIT), context.state.program);
        return TRUE;
    }
    return FALSE;
}

int InstallFolderPage::OnSetActive() {
    SetWizardButtons(PSWIZB_NEXT);
    return 0;
}

int InstallFolderPage::OnWizardNext() {
    nextPressed = true;
    return 0;
}

bool InstallFolderPage::OnKillActive() {
    if (!nextPressed) {
        return true;
    }
    nextPressed = false;
    context.state.program = TidyFolder(EditText(Item(IDC_FOLDER_EDIT)));
    if (!FolderAccepted(hwnd, context, context.state.program)) {
        return false;
    }
    context.state.DeriveListFolders();
    return true;
}

DirectoriesPage::DirectoriesPage(WizardContext& context) : PropertyPage(IDD_WIZARD_DIRECTORIES), context(context) {}

bool DirectoriesPage::OnInitDialog() {
    SendItem(IDC_DIRECTORIES_LIST, EM_LIMITTEXT, 260);
    SendItem(IDC_DIRECTORIES_CD, EM_LIMITTEXT, 260);
    return true;
}

INT_PTR DirectoriesPage::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    if (message != WM_COMMAND) {
        return FALSE;
    }
    if (Clicked(wParam, IDC_DIRECTORIES_LIST_BROWSE)) {
        BrowseInto(hwnd, Item(IDC_DIRECTORIES_LIST), context.state.list);
        return TRUE;
    }
    if (Clicked(wParam, IDC_DIRECTORIES_CD_BROWSE)) {
        BrowseInto(hwnd, Item(IDC_DIRECTORIES_CD), context.state.cd);
        return TRUE;
    }
    return FALSE;
}

int DirectoriesPage::OnSetActive() {
    SetDlgItemTextA(hwnd, IDC_DIRECTORIES_LIST, context.state.list.c_str());
    SetDlgItemTextA(hwnd, IDC_DIRECTORIES_CD, context.state.cd.c_str());
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return 0;
}

int DirectoriesPage::OnWizardNext() {
    validate = true;
    return 0;
}

int DirectoriesPage::OnWizardBack() {
    validate = false;
    return 0;
}

bool DirectoriesPage::OnKillActive() {
    context.state.list = TidyFolder(EditText(Item(IDC_DIRECTORIES_LIST)));
    context.state.cd = TidyFolder(EditText(Item(IDC_DIRECTORIES_CD)));
    if (!validate) {
        return true;
    }
    return FolderAccepted(hwnd, context, context.state.list) && FolderAccepted(hwnd, context, context.state.cd);
}

StartMenuPage::StartMenuPage(WizardContext& context) : PropertyPage(IDD_WIZARD_STARTMENU), context(context) {}

bool StartMenuPage::OnInitDialog() {
    CheckDlgButton(hwnd, IDC_STARTMENU_PROGRAMS, BST_CHECKED);
    CheckDlgButton(hwnd, IDC_STARTMENU_DESKTOP, BST_CHECKED);
    return true;
}

int StartMenuPage::OnSetActive() {
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return 0;
}

void StartMenuPage::ReadChoices() {
    context.state.startMenu = IsDlgButtonChecked(hwnd, IDC_STARTMENU_PROGRAMS) == BST_CHECKED;
    context.state.desktop = IsDlgButtonChecked(hwnd, IDC_STARTMENU_DESKTOP) == BST_CHECKED;
}

bool StartMenuPage::OnKillActive() {
    ReadChoices();
    return true;
}

int StartMenuPage::OnWizardNext() {
    ReadChoices();
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    Installation installation(context.target, ActiveProfileReader(), context.state);
    context.finishText = installation.Run().FinishText();
    SetCursor(previous);
    return 0;
}

FinishPage::FinishPage(WizardContext& context) : PropertyPage(IDD_WIZARD_FINISH), context(context) {}

int FinishPage::OnSetActive() {
    ShowWindow(Sheet(), SW_SHOW);
    SetDlgItemTextA(hwnd, IDC_FINISH_TEXT, context.finishText.c_str());
    // The installation is done: no way back, and nothing left to cancel.
    SetWizardButtons(PSWIZB_FINISH);
    EnableWindow(GetDlgItem(Sheet(), IDCANCEL), FALSE);
    return 0;
}
