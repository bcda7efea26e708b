// Registry key ownership and the value operations every key object shares.
#include "app/RegKey.h"

RegKey::~RegKey() {
    Close();
}

int RegKey::Close() {
    if (!isOpen) {
        return 0;
    }
    store->CloseKey(handle);
    handle = 0;
    isOpen = 0;
    store = nullptr;
    return 1;
}

int RegKey::DeleteValue(const char* name) {
    return isOpen && store->DeleteValue(handle, name) ? 1 : 0;
}

int RegKey::DeleteSubKey(const char* name) {
    return isOpen && store->DeleteSubKey(handle, name) ? 1 : 0;
}

int RegKey::OpenForReading(RegRoot root, const char* path) {
    return Acquire(root, path, false);
}

int RegKey::OpenOrCreate(RegRoot root, const char* path) {
    return Acquire(root, path, true);
}

int RegKey::Acquire(RegRoot root, const char* path, bool create) {
    Close();
    RegistryStore& registry = ActiveRegistry();
    RegHandle opened = 0;
    const bool done = create ? registry.CreateKey(root, path, &opened) : registry.OpenKey(root, path, &opened);
    if (!done) {
        return 0;
    }
    store = &registry;
    handle = opened;
    isOpen = 1;
    return 1;
}

RegStatus RegKey::QueryValue(const char* name, std::uint32_t* type, void* data, std::uint32_t* size) {
    if (!isOpen) {
        return RegStatus::kFailed;
    }
    return store->QueryValue(handle, name, type, data, size);
}

int RegKey::SetValue(const char* name, std::uint32_t type, const void* data, std::uint32_t size) {
    return isOpen && store->SetValue(handle, name, type, data, size) ? 1 : 0;
}
