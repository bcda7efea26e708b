// An in-memory machine for the installer's tests: folders and files in a MemoryFileSystem,
// shortcuts as the target they point at, and switches that make chosen operations fail.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "app/containers/ShiftJis.h"
#include "installer/InstallTarget.h"

class MemoryInstallTarget : public InstallTarget {
public:
    explicit MemoryInstallTarget(MemoryFileSystem& files) : files(files) {}

    bool IsFolder(const char* path) override { return files.Exists(path) && files.Contents(path) == nullptr; }

    bool MakeFolder(const char* path) override {
        if (readOnly || failingFolders.count(path) > 0 || files.Exists(path) || !IsFolder(Parent(path).c_str())) {
            return false;
        }
        files.AddDirectory(path);
        made.push_back(path);
        return true;
    }

    bool RemoveFolder(const char* path) override {
        if (!IsFolder(path) || readOnly) {
            return false;
        }
        bool empty = true;
        files.ListDirectory(path, [&](const DirectoryEntry&) { empty = false; });
        return empty && files.Remove(path);
    }

    bool IsFile(const char* path) override { return files.Contents(path) != nullptr; }

    bool CopyOver(const char* from, const char* to) override {
        const std::vector<std::uint8_t>* source = files.Contents(from);
        if (source == nullptr || readOnly || !IsFolder(Parent(to).c_str()) || IsFolder(to)) {
            return false;
        }
        files.AddFile(to, std::string(source->begin(), source->end()));
        return true;
    }

    bool RemoveFile(const char* path) override {
        return !readOnly && undeletable.count(path) == 0 && IsFile(path) && files.Remove(path);
    }

    std::uint64_t FileBytes(const char* path) override {
        const std::vector<std::uint8_t>* contents = files.Contents(path);
        return contents != nullptr ? contents->size() : 0;
    }

    bool ListFiles(const char* folder, std::vector<std::string>& names) override {
        return files.ListDirectory(folder, [&](const DirectoryEntry& entry) {
            if (!entry.isDirectory) {
                names.push_back(entry.name);
            }
        });
    }

    bool MakeShortcut(ShortcutPlace place, const char* target, const char* workingFolder) override {
        if (readOnly || failShortcuts) {
            return false;
        }
        shortcuts[place] = {target, workingFolder};
        return true;
    }

    bool ShortcutPointsAt(ShortcutPlace place, const char* target) override {
        auto found = shortcuts.find(place);
        return found != shortcuts.end() && SameText(found->second.target, target);
    }

    bool RemoveShortcut(ShortcutPlace place) override { return !readOnly && shortcuts.erase(place) > 0; }

    struct Shortcut {
        std::string target;
        std::string workingFolder;
    };

    MemoryFileSystem& files;
    // Every change fails: a read-only disk.
    bool readOnly = false;
    bool failShortcuts = false;
    // Folders whose creation fails, and files that cannot be deleted, spelled as passed.
    std::set<std::string> failingFolders;
    std::set<std::string> undeletable;
    // Folders made, in order.
    std::vector<std::string> made;
    std::map<ShortcutPlace, Shortcut> shortcuts;

private:
    static std::string Parent(const char* path) {
        const std::string text = path;
        std::size_t slash = std::string::npos;
        for (std::size_t i = 0; i < text.size(); i += ShiftJisCharLength(text.c_str() + i)) {
            if (text[i] == '\\') {
                slash = i;
            }
        }
        if (slash == std::string::npos) {
            return "";
        }
        // The parent of "C:\x" is the drive root "C:\".
        return slash == 2 ? text.substr(0, 3) : text.substr(0, slash);
    }

    static bool SameText(const std::string& a, const std::string& b) {
        if (a.size() != b.size()) {
            return false;
        }
        for (std::size_t i = 0; i < a.size(); ++i) {
            auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
            if (fold(a[i]) != fold(b[i])) {
                return false;
            }
        }
        return true;
    }
};
