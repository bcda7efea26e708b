// In-memory file system.
#include "app/containers/MemoryFileSystem.h"

#include <algorithm>

#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"

namespace {

// The comparison key of a path, see MemoryFileSystem::entries.
std::string KeyOf(const char* path) {
    return PathKey(path);
}

// Offset where the last component of a key begins (after its last separator, or after "x:").
size_t LastComponent(const std::string& key) {
    size_t start = 0;
    for (size_t position = 0; position < key.size();) {
        size_t step = ShiftJisCharLength(key.c_str() + position);
        if (step == 1 && (key[position] == '\\' || key[position] == ':')) {
            start = position + 1;
        }
        position += step;
    }
    return start;
}

// The key of the parent directory: "c:\a" for "c:\a\b", "c:" for "c:\a", "" for "a".
std::string ParentKey(const std::string& key) {
    size_t start = LastComponent(key);
    if (start > 0 && key[start - 1] == '\\') {
        --start;
    }
    return key.substr(0, start);
}

}  // namespace

void MemoryFileSystem::AddFile(const char* path, bool hidden) {
    Add(path, false, hidden);
}

void MemoryFileSystem::AddDirectory(const char* path, bool hidden) {
    Add(path, true, hidden);
}

void MemoryFileSystem::Add(const char* path, bool isDirectory, bool hidden) {
    std::string key = KeyOf(path);
    if (key.empty() || key.back() == ':') {
        // Drives exist by themselves once something lives on them.
        return;
    }
    // Keys keep every byte's position, so the spelling the path was added with (which a listing
    // shows) is the same prefix of path.
    std::string spelled(path, key.size());
    Entry& entry = entries[key];
    entry.parentKey = ParentKey(key);
    entry.entry.name = spelled.substr(LastComponent(key));
    entry.entry.isDirectory = isDirectory;
    entry.entry.isHidden = hidden;

    for (std::string parent = entry.parentKey; !parent.empty() && parent.back() != ':';) {
        Entry& directory = entries[parent];
        if (directory.entry.name.empty()) {
            size_t start = LastComponent(parent);
            directory.parentKey = ParentKey(parent);
            directory.entry.name = spelled.substr(start, parent.size() - start);
            directory.entry.isDirectory = true;
        }
        parent = directory.parentKey;
    }
}

bool MemoryFileSystem::Remove(const char* path) {
    return entries.erase(KeyOf(path)) > 0;
}

bool MemoryFileSystem::Exists(const char* path) {
    if (path == nullptr) {
        return false;
    }
    std::string key = KeyOf(path);
    if (!key.empty() && key.back() == ':') {
        // A drive exists when anything lives on it.
        for (const auto& item : entries) {
            if (item.first.compare(0, key.size(), key) == 0) {
                return true;
            }
        }
        return false;
    }
    return entries.count(key) > 0;
}

bool MemoryFileSystem::ListDirectory(const char* directory, const std::function<void(const DirectoryEntry&)>& visit) {
    std::string key = KeyOf(directory != nullptr ? directory : "");
    bool known = key.empty() || Exists(directory);
    auto found = entries.find(key);
    if (!known || (found != entries.end() && !found->second.entry.isDirectory)) {
        return false;
    }
    for (const auto& item : entries) {
        if (item.second.parentKey == key) {
            visit(item.second.entry);
        }
    }
    return true;
}

void MemoryFileSystem::AddFile(const char* path, const std::string& contents, bool hidden) {
    Add(path, false, hidden);
    auto found = entries.find(KeyOf(path));
    if (found != entries.end()) {
        found->second.contents.assign(contents.begin(), contents.end());
    }
}

const std::vector<std::uint8_t>* MemoryFileSystem::Contents(const char* path) const {
    auto found = entries.find(KeyOf(path != nullptr ? path : ""));
    if (found == entries.end() || found->second.entry.isDirectory) {
        return nullptr;
    }
    return &found->second.contents;
}

bool MemoryFileSystem::ReadFile(const char* path, std::vector<std::uint8_t>& contents, std::size_t maxBytes) {
    contents.clear();
    const std::vector<std::uint8_t>* stored = Contents(path);
    if (stored == nullptr || stored->size() > maxBytes) {
        return false;
    }
    contents = *stored;
    return true;
}

bool MemoryFileSystem::WriteFileReplacing(const char* path, const void* data, std::size_t size) {
    if (failWrites || path == nullptr) {
        return false;
    }
    const std::string key = KeyOf(path);
    auto found = entries.find(key);
    if (found != entries.end() && found->second.entry.isDirectory) {
        return false;
    }
    // Like the real thing, a file is only made inside a folder that exists.
    const std::string parent = ParentKey(key);
    if (key.empty() || (!parent.empty() && parent.back() != ':' && entries.count(parent) == 0)) {
        return false;
    }
    Add(path, false, found != entries.end() && found->second.entry.isHidden);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    entries[key].contents.assign(bytes, bytes + size);
    return true;
}

bool MemoryFileSystem::ReadFileTail(const char* path, std::vector<std::uint8_t>& tail, std::size_t count) {
    tail.clear();
    const std::vector<std::uint8_t>* stored = Contents(path);
    if (stored == nullptr) {
        return false;
    }
    const std::size_t taken = std::min(count, stored->size());
    tail.assign(stored->end() - static_cast<std::ptrdiff_t>(taken), stored->end());
    return true;
}

bool MemoryFileSystem::ReadFileRange(const char* path,
                                     std::uint64_t offset,
                                     std::size_t count,
                                     std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    const std::vector<std::uint8_t>* stored = Contents(path);
    if (stored == nullptr) {
        return false;
    }
    if (offset < stored->size()) {
        const std::size_t taken = std::min<std::size_t>(count, stored->size() - static_cast<std::size_t>(offset));
        const auto first = stored->begin() + static_cast<std::ptrdiff_t>(offset);
        bytes.assign(first, first + static_cast<std::ptrdiff_t>(taken));
    }
    return true;
}

bool MemoryFileSystem::RenameFile(const char* from, const char* to) {
    if (from == nullptr || to == nullptr || renamesLeft == 0) {
        return false;
    }
    const std::string fromKey = KeyOf(from);
    const std::string toKey = KeyOf(to);
    auto found = entries.find(fromKey);
    if (found == entries.end() || found->second.entry.isDirectory || entries.count(toKey) > 0) {
        return false;
    }
    const std::string parent = ParentKey(toKey);
    if (toKey.empty() || (!parent.empty() && parent.back() != ':' && entries.count(parent) == 0)) {
        return false;
    }
    if (renamesLeft > 0) {
        --renamesLeft;
    }
    std::vector<std::uint8_t> contents = std::move(found->second.contents);
    const bool hidden = found->second.entry.isHidden;
    entries.erase(found);
    Add(to, false, hidden);
    entries[toKey].contents = std::move(contents);
    return true;
}

bool MemoryFileSystem::RemoveFile(const char* path) {
    if (path == nullptr || failWrites) {
        return false;
    }
    auto found = entries.find(KeyOf(path));
    if (found == entries.end() || found->second.entry.isDirectory) {
        return false;
    }
    entries.erase(found);
    return true;
}
