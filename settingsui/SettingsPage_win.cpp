// The settings pages' shared behaviour: storing on OK, the help keyword, control helpers.
#include "settingsui/SettingsPage_win.h"

#include <cstdio>

#include "ui/HelpViewer_win.h"

bool SettingsPage::OnApply() {
    Store();
    return true;
}

bool SettingsPage::OnWizardFinish() {
    Store();
    return true;
}

void SettingsPage::OnHelp() {
    ShowHelpKeyword(hwnd, helpKeyword);
}

INT_PTR SettingsPage::HandleMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    if (message == WM_HELP) {
        OnHelp();
        return TRUE;
    }
    return FALSE;
}

bool SettingsPage::Checked(int controlId) const {
    return SendItem(controlId, BM_GETCHECK) == BST_CHECKED;
}

void SettingsPage::Check(int controlId, bool checked) const {
    SendItem(controlId, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void SettingsPage::SetNumber(int controlId, std::int32_t value) const {
    char text[16];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(value));
    SetDlgItemTextA(hwnd, controlId, text);
}

SettingsPage::EditText SettingsPage::TextOf(int controlId) const {
    EditText edit{};
    GetDlgItemTextA(hwnd, controlId, edit.text, static_cast<int>(sizeof edit.text));
    edit.text[sizeof edit.text - 1] = '\0';
    return edit;
}

void SettingsPage::FillChoices(int controlId,
                               const std::vector<DeviceChoice>& choices,
                               std::optional<std::size_t> index) const {
    SendItem(controlId, CB_RESETCONTENT);
    for (const DeviceChoice& choice : choices) {
        const LRESULT item = SendItem(controlId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.name.c_str()));
        if (item >= 0) {
            SendItem(controlId, CB_SETITEMDATA, static_cast<WPARAM>(item), static_cast<LPARAM>(choice.data));
        }
    }
    SendItem(controlId, CB_SETCURSEL, index ? static_cast<WPARAM>(*index) : static_cast<WPARAM>(-1));
}

std::optional<std::uint32_t> SettingsPage::SelectedData(int controlId) const {
    const LRESULT item = SendItem(controlId, CB_GETCURSEL);
    if (item == CB_ERR) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(SendItem(controlId, CB_GETITEMDATA, static_cast<WPARAM>(item)));
}
