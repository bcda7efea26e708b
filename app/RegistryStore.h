// The registry as the portable core sees it: opaque key handles, two roots, typed values.
// The Win32 registry implements it on Windows; MemoryRegistry stands in for it natively and in tests.
#pragma once

#include <cstdint>

using RegHandle = std::uintptr_t;

enum class RegRoot { kCurrentUser, kLocalMachine };

// Value types carry the numbers the Win32 registry uses, so they pass through unchanged.
enum RegType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
};

enum class RegStatus {
    kOk,
    kNotFound,
    kMoreData,  // the value exists but is larger than the caller's buffer; the size holds what it needs
    kFailed,
};

class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // Opens an existing key for reading. Paths separate keys with backslashes; "" is the root itself.
    virtual bool OpenKey(RegRoot root, const char* path, RegHandle* handle) = 0;
    // Opens the key with full access, creating it and any missing parent keys.
    virtual bool CreateKey(RegRoot root, const char* path, RegHandle* handle) = 0;
    virtual void CloseKey(RegHandle handle) = 0;

    // On entry *size is the capacity of data; on kOk it is the stored size, on kMoreData the size needed.
    // The contents of data are undefined unless the result is kOk.
    virtual RegStatus QueryValue(RegHandle key, const char* name, std::uint32_t* type, void* data,
                                 std::uint32_t* size) = 0;
    virtual bool SetValue(RegHandle key, const char* name, std::uint32_t type, const void* data,
                          std::uint32_t size) = 0;
    virtual bool DeleteValue(RegHandle key, const char* name) = 0;
    // Deletes a subkey that has no subkeys of its own, as the Win32 registry does.
    virtual bool DeleteSubKey(RegHandle key, const char* name) = 0;
};

// The registry every key object opens through. SetActiveRegistry(nullptr) restores the default: the Win32
// registry on Windows, a process-wide MemoryRegistry elsewhere. Not thread-safe: set it before keys open.
RegistryStore& ActiveRegistry();
void SetActiveRegistry(RegistryStore* store);

// The platform's default registry; each build links exactly one definition.
RegistryStore& DefaultRegistry();
