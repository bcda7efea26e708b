// An in-memory registry with the Win32 registry's rules: case-insensitive names, intermediate keys
// created on demand, subkeys deleted only when empty. Tests can make chosen keys fail to open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/RegistryStore.h"

class MemoryRegistry : public RegistryStore {
public:
    struct Value {
        std::uint32_t type = kRegNone;
        std::vector<std::uint8_t> data;
    };

    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

    bool OpenKey(RegRoot root, const char* path, RegHandle* handle) override;
    bool CreateKey(RegRoot root, const char* path, RegHandle* handle) override;
    void CloseKey(RegHandle handle) override;
    RegStatus QueryValue(RegHandle key, const char* name, std::uint32_t* type, void* data,
                         std::uint32_t* size) override;
    bool SetValue(RegHandle key, const char* name, std::uint32_t type, const void* data, std::uint32_t size) override;
    bool DeleteValue(RegHandle key, const char* name) override;
    bool DeleteSubKey(RegHandle key, const char* name) override;

    // Opens and creates of exactly this key (under either root) fail from now on.
    void FailKey(const char* path);

    // Direct access by path for tests and fuzzing; Put creates the key when needed.
    bool Put(RegRoot root, const char* path, const char* name, std::uint32_t type, const void* data,
             std::uint32_t size);
    const Value* Find(RegRoot root, const char* path, const char* name) const;
    bool KeyExists(RegRoot root, const char* path) const;
    std::vector<std::string> ValueNames(RegRoot root, const char* path) const;
    std::size_t OpenHandleCount() const { return handles.size(); }

    // Removes every key, value and failing key; handles still open stay valid but see detached keys.
    void Clear();

private:
    struct NameLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    struct Node {
        std::map<std::string, Value, NameLess> values;
        std::map<std::string, std::shared_ptr<Node>, NameLess> subkeys;
        bool deleted = false;
    };

    // The key at path, or null; with create, missing keys on the way are added.
    std::shared_ptr<Node> Walk(RegRoot root, const char* path, bool create);
    std::shared_ptr<Node> FindKey(RegRoot root, const char* path) const;
    Node* NodeOf(RegHandle handle) const;
    bool OpenOrCreate(RegRoot root, const char* path, bool create, RegHandle* handle);

    std::shared_ptr<Node> currentUser;
    std::shared_ptr<Node> localMachine;
    std::map<RegHandle, std::shared_ptr<Node>> handles;
    std::set<std::string, NameLess> failingKeys;
    RegHandle nextHandle = 0x1000;
};
