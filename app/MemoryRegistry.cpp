// In-memory registry for the native build, tests and fuzzing.
#include "app/MemoryRegistry.h"

#include <cstring>

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Splits a backslash-separated path; an empty component (leading, doubled or trailing backslash) makes it
// invalid. The empty path names the root itself.
bool SplitPath(const char* path, std::vector<std::string>* parts) {
    parts->clear();
    if (!path || !*path) {
        return true;
    }
    const char* start = path;
    for (const char* p = path;; ++p) {
        if (*p == '\\' || *p == '\0') {
            if (p == start) {
                return false;
            }
            parts->emplace_back(start, p);
            if (*p == '\0') {
                return true;
            }
            start = p + 1;
        }
    }
}

std::string NameOf(const char* name) {
    return name ? std::string(name) : std::string();
}

void Assign(MemoryRegistry::Value* value, std::uint32_t type, const void* data, std::uint32_t size) {
    value->type = type;
    const std::uint8_t* bytes = static_cast<const std::uint8_t*>(data);
    value->data.assign(bytes, bytes + size);
}

}  // namespace

bool MemoryRegistry::NameLess::operator()(const std::string& a, const std::string& b) const {
    const std::size_t length = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char ca = static_cast<unsigned char>(AsciiLower(a[i]));
        const unsigned char cb = static_cast<unsigned char>(AsciiLower(b[i]));
        if (ca != cb) {
            return ca < cb;
        }
    }
    return a.size() < b.size();
}

MemoryRegistry::MemoryRegistry() : currentUser(std::make_shared<Node>()), localMachine(std::make_shared<Node>()) {}

MemoryRegistry::~MemoryRegistry() = default;

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::Walk(RegRoot root, const char* path, bool create) {
    std::vector<std::string> parts;
    if (!SplitPath(path, &parts)) {
        return nullptr;
    }
    std::shared_ptr<Node> node = root == RegRoot::kCurrentUser ? currentUser : localMachine;
    for (const std::string& part : parts) {
        auto found = node->subkeys.find(part);
        if (found == node->subkeys.end()) {
            if (!create) {
                return nullptr;
            }
            found = node->subkeys.emplace(part, std::make_shared<Node>()).first;
        }
        node = found->second;
    }
    return node;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::FindKey(RegRoot root, const char* path) const {
    return const_cast<MemoryRegistry*>(this)->Walk(root, path, false);
}

MemoryRegistry::Node* MemoryRegistry::NodeOf(RegHandle handle) const {
    auto found = handles.find(handle);
    if (found == handles.end() || found->second->deleted) {
        return nullptr;
    }
    return found->second.get();
}

bool MemoryRegistry::OpenOrCreate(RegRoot root, const char* path, bool create, RegHandle* handle) {
    if (!handle || failingKeys.count(NameOf(path))) {
        return false;
    }
    std::shared_ptr<Node> node = Walk(root, path, create);
    if (!node) {
        return false;
    }
    *handle = nextHandle;
    nextHandle += 4;
    handles.emplace(*handle, std::move(node));
    return true;
}

bool MemoryRegistry::OpenKey(RegRoot root, const char* path, RegHandle* handle) {
    return OpenOrCreate(root, path, false, handle);
}

bool MemoryRegistry::CreateKey(RegRoot root, const char* path, RegHandle* handle) {
    return OpenOrCreate(root, path, true, handle);
}

void MemoryRegistry::CloseKey(RegHandle handle) {
    handles.erase(handle);
}

RegStatus MemoryRegistry::QueryValue(RegHandle key, const char* name, std::uint32_t* type, void* data,
                                     std::uint32_t* size) {
    const Node* node = NodeOf(key);
    if (!node || !size) {
        return RegStatus::kFailed;
    }
    auto found = node->values.find(NameOf(name));
    if (found == node->values.end()) {
        return RegStatus::kNotFound;
    }
    const Value& value = found->second;
    const std::uint32_t stored = static_cast<std::uint32_t>(value.data.size());
    if (type) {
        *type = value.type;
    }
    if (data && stored > *size) {
        *size = stored;
        return RegStatus::kMoreData;
    }
    if (data && stored) {
        std::memcpy(data, value.data.data(), stored);
    }
    *size = stored;
    return RegStatus::kOk;
}

bool MemoryRegistry::SetValue(RegHandle key, const char* name, std::uint32_t type, const void* data,
                              std::uint32_t size) {
    Node* node = NodeOf(key);
    if (!node || (size && !data)) {
        return false;
    }
    Assign(&node->values[NameOf(name)], type, data, size);
    return true;
}

bool MemoryRegistry::DeleteValue(RegHandle key, const char* name) {
    Node* node = NodeOf(key);
    return node && node->values.erase(NameOf(name)) > 0;
}

bool MemoryRegistry::DeleteSubKey(RegHandle key, const char* name) {
    Node* parent = NodeOf(key);
    std::vector<std::string> parts;
    if (!parent || !SplitPath(name, &parts) || parts.empty()) {
        return false;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        auto found = parent->subkeys.find(parts[i]);
        if (found == parent->subkeys.end()) {
            return false;
        }
        parent = found->second.get();
    }
    auto found = parent->subkeys.find(parts.back());
    if (found == parent->subkeys.end() || !found->second->subkeys.empty()) {
        return false;
    }
    // Handles still open on the deleted key fail from now on, as Win32 handles do.
    found->second->deleted = true;
    parent->subkeys.erase(found);
    return true;
}

void MemoryRegistry::FailKey(const char* path) {
    failingKeys.insert(NameOf(path));
}

bool MemoryRegistry::Put(RegRoot root, const char* path, const char* name, std::uint32_t type, const void* data,
                         std::uint32_t size) {
    std::shared_ptr<Node> node = Walk(root, path, true);
    if (!node || (size && !data)) {
        return false;
    }
    Assign(&node->values[NameOf(name)], type, data, size);
    return true;
}

const MemoryRegistry::Value* MemoryRegistry::Find(RegRoot root, const char* path, const char* name) const {
    std::shared_ptr<Node> node = FindKey(root, path);
    if (!node) {
        return nullptr;
    }
    auto found = node->values.find(NameOf(name));
    return found == node->values.end() ? nullptr : &found->second;
}

bool MemoryRegistry::KeyExists(RegRoot root, const char* path) const {
    return FindKey(root, path) != nullptr;
}

std::vector<std::string> MemoryRegistry::ValueNames(RegRoot root, const char* path) const {
    std::vector<std::string> names;
    if (std::shared_ptr<Node> node = FindKey(root, path)) {
        for (const auto& entry : node->values) {
            names.push_back(entry.first);
        }
    }
    return names;
}

void MemoryRegistry::Clear() {
    currentUser = std::make_shared<Node>();
    localMachine = std::make_shared<Node>();
    failingKeys.clear();
}
