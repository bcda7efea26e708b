// The installer driver: the wizard through the property sheet's own messages, which work across
// processes, and the machine state read back with the plain Win32 functions.
#include "tests/scenario/InstallerDriver_win.h"

#include <commctrl.h>

#include <chrono>

#include "installer/InstallerNames.h"
#include "resources/InstallWizard.h"

namespace {

// The wizard's buttons (comctl32's fixed ids).
constexpr int kNextButton = 0x3024;

template <typename Condition>
bool WaitFor(Condition condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

struct DialogSearch {
    const char* caption;
    DWORD processId;  // 0: any
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    char className[32] = {};
    char caption[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window) &&
        (search->caption == nullptr || lstrcmpA(caption, search->caption) == 0) &&
        (search->processId == 0 || search->processId == processId)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopDialog(const char* caption, DWORD processId) {
    DialogSearch search{caption, processId, nullptr};
    EnumWindows(&FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK FindStatic(HWND child, LPARAM parameter) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && GetWindowTextLengthA(child) > 0) {
        *reinterpret_cast<HWND*>(parameter) = child;
        return FALSE;
    }
    return TRUE;
}

std::string TextOf(HWND window) {
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 2, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

}  // namespace

HWND WaitForDialog(const char* caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindTopDialog(caption, 0)) != nullptr; }, timeoutMs);
    return found;
}

std::string MessageText(HWND box) {
    HWND text = nullptr;
    EnumChildWindows(box, &FindStatic, reinterpret_cast<LPARAM>(&text));
    return text != nullptr ? TextOf(text) : std::string();
}

void PressBoxButton(HWND box, int buttonId) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

InstallerRun::~InstallerRun() {
    if (info.hProcess != nullptr) {
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info.hProcess, 99);
        }
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
}

bool InstallerRun::Start(const std::string& distFolder) {
    const std::string program = distFolder + "\\" + kInstallerFileName;
    std::string commandLine = "\"" + program + "\"";
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, distFolder.c_str(),
                        &startup, &info)) {
        return false;
    }
    // The sheet is the dialog of this process that has the wizard's Next button.
    return WaitFor(
        [&] {
            HWND candidate = FindTopDialog(nullptr, info.dwProcessId);
            if (candidate != nullptr && GetDlgItem(candidate, kNextButton) != nullptr) {
                wizard = candidate;
            }
            return wizard != nullptr && PageNumber() == 1;
        },
        15000);
}

HWND InstallerRun::Page() const {
    return wizard != nullptr ? reinterpret_cast<HWND>(SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0)) : nullptr;
}

int InstallerRun::PageNumber() const {
    HWND page = Page();
    if (page == nullptr) {
        return 0;
    }
    // Each page is told by a control only it has.
    if (GetDlgItem(page, IDC_FOLDER_WELCOME) != nullptr) {
        return 1;
    }
    if (GetDlgItem(page, IDC_DIRECTORIES_CD_BROWSE) != nullptr) {
        return 2;
    }
    if (GetDlgItem(page, IDC_STARTMENU_DESKTOP) != nullptr) {
        return 3;
    }
    return GetDlgItem(page, IDC_FINISH_TEXT) != nullptr ? 4 : 0;
}

std::string InstallerRun::ItemText(int controlId) const {
    return TextOf(GetDlgItem(Page(), controlId));
}

void InstallerRun::SetItemText(int controlId, const std::string& text) const {
    SendMessageA(GetDlgItem(Page(), controlId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool InstallerRun::Checked(int controlId) const {
    return SendMessageA(GetDlgItem(Page(), controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void InstallerRun::SetChecked(int controlId, bool checked) const {
    SendMessageA(GetDlgItem(Page(), controlId), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void InstallerRun::PressNext() const {
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
}

void InstallerRun::PressBack() const {
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_BACK, 0);
}

void InstallerRun::PressFinish() const {
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
}

void InstallerRun::PressCancel() const {
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

bool InstallerRun::WaitForPage(int number, DWORD timeoutMs) const {
    return WaitFor([&] { return PageNumber() == number; }, timeoutMs);
}

long InstallerRun::WaitForExit(DWORD timeoutMs) {
    if (info.hProcess == nullptr || WaitForSingleObject(info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    return static_cast<long>(code);
}

std::string InstallThroughWizard(const std::string& distFolder,
                                 const std::string& programFolder,
                                 double* installSeconds) {
    InstallerRun run;
    if (!run.Start(distFolder)) {
        return std::string();
    }
    if (!programFolder.empty()) {
        run.SetItemText(IDC_FOLDER_EDIT, programFolder);
    }
    run.PressNext();
    if (!run.WaitForPage(2)) {
        return std::string();
    }
    run.PressNext();
    if (!run.WaitForPage(3)) {
        return std::string();
    }
    const auto start = std::chrono::steady_clock::now();
    run.PressNext();
    if (!run.WaitForPage(4)) {
        return std::string();
    }
    if (installSeconds != nullptr) {
        *installSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const std::string text = run.ItemText(IDC_FINISH_TEXT);
    run.PressFinish();
    run.WaitForExit();
    return text;
}

bool FileThere(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderThere(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string ReadWholeFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<none>";
    }
    std::string contents;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        contents.append(buffer, got);
    }
    CloseHandle(file);
    return contents;
}

bool WriteWholeFile(const std::string& path, const std::string& contents) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool ok = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
                    written == contents.size();
    CloseHandle(file);
    return ok;
}

bool CopyFolder(const std::string& from, const std::string& to) {
    RemoveTree(to);
    if (!CreateDirectoryA(to.c_str(), nullptr)) {
        return false;
    }
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            ok = CopyFileA((from + "\\" + found.cFileName).c_str(), (to + "\\" + found.cFileName).c_str(), FALSE) && ok;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

std::string WindowsFolder() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, sizeof path);
    return path;
}

std::string RegText(HKEY root, const char* path, const char* name) {
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return "<none>";
    }
    const LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::string(value) : std::string("<none>");
}

DWORD RegDword(HKEY root, const char* path, const char* name) {
    DWORD value = 0xDEADBEEF;
    DWORD size = sizeof value;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
            type != REG_DWORD) {
            value = 0xDEADBEEF;
        }
        RegCloseKey(key);
    }
    return value;
}

bool RegKeyThere(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void ForgetInstallations() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Veqo");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Veqo");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Veqo");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Veqo");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallEntryPath);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallEntryPath);
}
