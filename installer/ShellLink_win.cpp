// Shell-link shortcuts. The component library is initialised for each call and released after
// it, so the wizard's thread is in no apartment the rest of the time.
#include "installer/ShellLink_win.h"

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

#include "installer/FolderPath.h"

namespace {

constexpr char kLinkName[] = "Melodrix.lnk";
constexpr char kLinkDescription[] = "Melodrix";

// Holds one reference to a COM object and releases it.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (object != nullptr) {
            object->Release();
        }
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* operator->() const { return object; }
    Interface* Get() const { return object; }
    void** Out() { return reinterpret_cast<void**>(&object); }

private:
    Interface* object = nullptr;
};

// The component library for one call; released only when this call initialised it.
class ComScope {
public:
    ComScope() : initialised(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialised) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised;
};

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::vector<wchar_t> wide(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    return wide.data();
}

}  // namespace

std::string ShortcutPath(ShortcutPlace place) {
    ComScope com;
    const int folderId = place == ShortcutPlace::kPrograms ? CSIDL_PROGRAMS : CSIDL_DESKTOPDIRECTORY;
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folderId, &items))) {
        return std::string();
    }
    // The desktop folder names the special folder as a file-system path.
    std::string folder;
    ComRef<IShellFolder> desktop;
    STRRET name{};
    char path[MAX_PATH] = {};
    if (SUCCEEDED(SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.Out()))) &&
        SUCCEEDED(desktop->GetDisplayNameOf(items, SHGDN_FORPARSING, &name)) &&
        SUCCEEDED(StrRetToBufA(&name, items, path, sizeof path))) {
        folder = path;
    }
    CoTaskMemFree(items);
    return folder.empty() ? folder : JoinPath(folder, kLinkName);
}

bool CreateShellLink(const std::string& linkPath, const char* target, const char* workingFolder) {
    if (linkPath.empty()) {
        return false;
    }
    ComScope com;
    ComRef<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out()))) {
        return false;
    }
    if (FAILED(link->SetWorkingDirectory(workingFolder)) || FAILED(link->SetPath(target)) ||
        FAILED(link->SetDescription(kLinkDescription))) {
        return false;
    }
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) {
        return false;
    }
    const std::wstring wide = Wide(linkPath);
    return !wide.empty() && SUCCEEDED(file->Save(wide.c_str(), TRUE));
}

std::string ShellLinkTarget(const std::string& linkPath) {
    ComScope com;
    ComRef<IShellLinkA> link;
    ComRef<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Out())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) {
        return std::string();
    }
    const std::wstring wide = Wide(linkPath);
    char target[MAX_PATH] = {};
    if (wide.empty() || FAILED(file->Load(wide.c_str(), STGM_READ)) ||
        FAILED(link->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH))) {
        return std::string();
    }
    return target;
}
