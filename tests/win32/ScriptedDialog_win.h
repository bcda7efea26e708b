// Runs a real dialog of the program with a script: the script runs once the dialog has opened,
// acting on its controls as a user would, and every question the dialog asks is answered from
// a list instead of a message box.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

constexpr UINT kRunScriptMessage = WM_APP + 40;
// A script that forgets to close its dialog ends it with this after a while.
constexpr INT_PTR kScriptTimedOut = -2;
constexpr UINT kScriptTimeoutMs = 30000;

template <typename Base>
class Scripted : public Base {
public:
    template <typename... Args>
    explicit Scripted(Args&&... args) : Base(std::forward<Args>(args)...) {}

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kRunScriptMessage) {
            if (script) {
                script(this->hwnd);
            }
            return TRUE;
        }
        if (message == WM_TIMER && wParam == kTimeoutTimer) {
            EndDialog(this->hwnd, kScriptTimedOut);
            return TRUE;
        }
        const INT_PTR result = Base::HandleMessage(message, wParam, lParam);
        if (message == WM_INITDIALOG) {
            SetTimer(this->hwnd, kTimeoutTimer, kScriptTimeoutMs, nullptr);
            PostMessageA(this->hwnd, kRunScriptMessage, 0, 0);
        }
        return result;
    }

    int Ask(const char* text, const char* /*caption*/, UINT /*flags*/) override {
        asked.emplace_back(text);
        if (answers.empty()) {
            return IDCANCEL;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::function<void(HWND)> script;
    std::deque<int> answers;
    std::vector<std::string> asked;

private:
    static constexpr UINT_PTR kTimeoutTimer = 0x5C;
};

// A click on a button: it takes the focus first, as under the mouse.
inline void Press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    SetFocus(button);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// Enter with the focus on control: the dialog gets IDOK, as from the keyboard.
inline void EnterIn(HWND dialog, int id) {
    SetFocus(GetDlgItem(dialog, id));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Typing into an edit: the text replaces what is there and the edit reports itself modified.
inline void Type(HWND dialog, int id, const char* text) {
    SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(dialog, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

// A click on a check box: its state flips and the dialog hears of it.
inline void Click(HWND dialog, int id) {
    HWND box = GetDlgItem(dialog, id);
    CheckDlgButton(dialog, id, IsDlgButtonChecked(dialog, id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
}

// Chooses a row of a single-selection list box as the user would.
inline void ChooseRow(HWND dialog, int id, int row) {
    SendDlgItemMessageA(dialog, id, LB_SETCURSEL, row, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline std::string RowText(HWND dialog, int id, int row) {
    const LRESULT length = SendDlgItemMessageA(dialog, id, LB_GETTEXTLEN, row, 0);
    if (length < 0) {
        return "<none>";
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendDlgItemMessageA(dialog, id, LB_GETTEXT, row, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

inline int RowCount(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0));
}

// A folder of its own under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const char* name) {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        path = std::string(base) + name + std::to_string(GetCurrentProcessId());
        Remove(path);
        CreateDirectoryA(path.c_str(), nullptr);
    }
    // The editor's browser leaves the process in the folder it showed: step out before removing.
    ~TemporaryFolder() {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        SetCurrentDirectoryA(base);
        Remove(path);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string Sub(const std::string& name) const { return path + "\\" + name; }
    std::string MakeFolder(const std::string& name) const {
        const std::string folder = Sub(name);
        CreateDirectoryA(folder.c_str(), nullptr);
        return folder;
    }
    void Write(const std::string& name, const std::string& contents) const {
        HANDLE file = CreateFileA(Sub(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
            CloseHandle(file);
        }
    }

    std::string path;

private:
    static void Remove(const std::string& folder) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name == "." || name == "..") {
                    continue;
                }
                const std::string child = folder + "\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(child);
                } else {
                    SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(child.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }
};
