// The Win32 registry behind the registry seam; the default registry of the Windows build.
#include <windows.h>

#include "app/RegistryStore.h"

namespace {

HKEY RootKey(RegRoot root) {
    return root == RegRoot::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

HKEY KeyOf(RegHandle handle) {
    return reinterpret_cast<HKEY>(handle);
}

class Win32Registry : public RegistryStore {
public:
    bool OpenKey(RegRoot root, const char* path, RegHandle* handle) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(RootKey(root), path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        *handle = reinterpret_cast<RegHandle>(key);
        return true;
    }

    bool CreateKey(RegRoot root, const char* path, RegHandle* handle) override {
        HKEY key = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExA(RootKey(root), path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                            &disposition) != ERROR_SUCCESS) {
            return false;
        }
        *handle = reinterpret_cast<RegHandle>(key);
        return true;
    }

    void CloseKey(RegHandle handle) override { RegCloseKey(KeyOf(handle)); }

    RegStatus QueryValue(RegHandle key, const char* name, std::uint32_t* type, void* data,
                         std::uint32_t* size) override {
        DWORD valueType = REG_NONE;
        DWORD bytes = *size;
        const LONG result = RegQueryValueExA(KeyOf(key), name, nullptr, &valueType, static_cast<BYTE*>(data), &bytes);
        if (type) {
            *type = valueType;
        }
        *size = bytes;
        switch (result) {
            case ERROR_SUCCESS:
                return RegStatus::kOk;
            case ERROR_MORE_DATA:
                return RegStatus::kMoreData;
            case ERROR_FILE_NOT_FOUND:
                return RegStatus::kNotFound;
            default:
                return RegStatus::kFailed;
        }
    }

    bool SetValue(RegHandle key, const char* name, std::uint32_t type, const void* data, std::uint32_t size) override {
        return RegSetValueExA(KeyOf(key), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    }

    bool DeleteValue(RegHandle key, const char* name) override {
        return RegDeleteValueA(KeyOf(key), name) == ERROR_SUCCESS;
    }

    bool DeleteSubKey(RegHandle key, const char* name) override {
        return RegDeleteKeyA(KeyOf(key), name) == ERROR_SUCCESS;
    }
};

}  // namespace

RegistryStore& DefaultRegistry() {
    static Win32Registry registry;
    return registry;
}
