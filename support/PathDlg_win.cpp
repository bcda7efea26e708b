// The folder picker: the shell's folder browser, opened on the caller's folder.
#include "support/MxLib.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

#include "app/containers/SystemFunction_win.h"

namespace {

constexpr int kPathBytes = MAX_PATH;

// The shell and COM are loaded only when a folder is picked, not when a program using this
// library starts.
struct ShellFunctions {
    HRESULT(WINAPI* coInitialize)(LPVOID) = SystemFunction<decltype(coInitialize)>("ole32.dll", "CoInitialize");
    void(WINAPI* coUninitialize)() = SystemFunction<decltype(coUninitialize)>("ole32.dll", "CoUninitialize");
    void(WINAPI* coTaskMemFree)(LPVOID) = SystemFunction<decltype(coTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    PIDLIST_ABSOLUTE(WINAPI* browseForFolder)(LPBROWSEINFOA) =
        SystemFunction<decltype(browseForFolder)>("shell32.dll", "SHBrowseForFolderA");
    BOOL(WINAPI* pathFromIdList)(PCIDLIST_ABSOLUTE, LPSTR) =
        SystemFunction<decltype(pathFromIdList)>("shell32.dll", "SHGetPathFromIDListA");
    bool Complete() const {
        return coInitialize && coUninitialize && coTaskMemFree && browseForFolder && pathFromIdList;
    }
};

struct PidlFree {
    const ShellFunctions* shell;
    void operator()(ITEMIDLIST* pidl) const { shell->coTaskMemFree(pidl); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

// COM for the calling thread when it has none yet; a thread already in another apartment keeps it.
class ComScope {
public:
    explicit ComScope(const ShellFunctions& shell)
        : shell(shell), initialised(SUCCEEDED(shell.coInitialize(nullptr))) {}
    ~ComScope() {
        if (initialised) {
            shell.coUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    const ShellFunctions& shell;
    bool initialised;
};

// Drops a trailing backslash (not the one of a drive root such as "C:\"), stepping over
// double-byte characters whose trail byte is 0x5C.
void TrimTrailingBackslash(char* path) {
    char* last = nullptr;
    for (char* p = path; *p; ++p) {
        last = p;
        if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) {
            ++p;
        }
    }
    if (last && *last == '\\' && last != path && last[-1] != ':') {
        *last = '\0';
    }
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
    try {
        const char* start = reinterpret_cast<const char*>(data);
        if (message == BFFM_INITIALIZED && start && *start) {
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start));
        }
    } catch (...) {
    }
    return 0;
}

}  // namespace

CPathDlg::CPathDlg() = default;

CPathDlg::~CPathDlg() = default;

int CPathDlg::GetDir(HWND owner, char* path) {
    if (!path) {
        return 0;
    }
    try {
        char start[kPathBytes];
        lstrcpynA(start, path, kPathBytes);
        TrimTrailingBackslash(start);

        const ShellFunctions shell;
        if (!shell.Complete()) {
            return 0;
        }
        ComScope com(shell);
        char displayName[kPathBytes] = {};
        BROWSEINFOA info = {};
        info.hwndOwner = owner;
        info.pszDisplayName = displayName;
        info.lpszTitle = "フォルダを選択してください";
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        info.lpfn = BrowseCallback;
        info.lParam = reinterpret_cast<LPARAM>(start);
        UniquePidl chosen(shell.browseForFolder(&info), PidlFree{&shell});
        if (!chosen) {
            return 0;
        }
        // Virtual folders (the desktop's printers, the network) have no path: treat as cancel.
        char result[kPathBytes] = {};
        if (!shell.pathFromIdList(chosen.get(), result) || !result[0]) {
            return 0;
        }
        lstrcpynA(path, result, kPathBytes);
        return 1;
    } catch (...) {
        return 0;
    }
}
