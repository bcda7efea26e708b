// Owner of one open registry key: closes it when it goes out of scope. Not copyable.
#pragma once

#include <cstdint>

#include "app/RegistryStore.h"

class RegKey {
public:
    RegKey() = default;
    virtual ~RegKey();
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Closes the key when it is open; answers 1 when a key was closed.
    int Close();

    int DeleteValue(const char* name);
    int DeleteSubKey(const char* name);

    RegHandle handle = 0;
    std::int32_t isOpen = 0;

protected:
    // Both close any key held first. They bind the key to the registry active at this moment, so it is
    // closed through the same registry even if the active one changes meanwhile.
    int OpenForReading(RegRoot root, const char* path);
    int OpenOrCreate(RegRoot root, const char* path);

    RegStatus QueryValue(const char* name, std::uint32_t* type, void* data, std::uint32_t* size);
    int SetValue(const char* name, std::uint32_t type, const void* data, std::uint32_t size);

private:
    int Acquire(RegRoot root, const char* path, bool create);

    RegistryStore* store = nullptr;
};
