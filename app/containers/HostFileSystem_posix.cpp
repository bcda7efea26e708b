// POSIX implementation of the host file system for the native build.
#include "app/containers/HostFileSystem.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <memory>

#include "app/containers/ShiftJis.h"

namespace {

struct DirCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

}  // namespace

std::string HostFileSystem::ToHostPath(const char* path) {
    std::string hostPath;
    for (const char* p = path; *p != '\0';) {
        size_t step = ShiftJisCharLength(p);
        if (step == 1 && *p == '\\') {
            hostPath += '/';
        } else {
            hostPath.append(p, step);
        }
        p += step;
    }
    return hostPath;
}

bool HostFileSystem::Exists(const char* path) {
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    struct stat status;
    return stat(ToHostPath(path).c_str(), &status) == 0;
}

bool HostFileSystem::ListDirectory(const char* directory, const std::function<void(const DirectoryEntry&)>& visit) {
    std::string hostDirectory = ToHostPath(directory != nullptr && directory[0] != '\0' ? directory : ".");
    std::unique_ptr<DIR, DirCloser> handle(opendir(hostDirectory.c_str()));
    if (!handle) {
        return false;
    }
    while (const dirent* entry = readdir(handle.get())) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) {
            continue;
        }
        DirectoryEntry item;
        item.name = entry->d_name;
        // Dot files are the POSIX counterpart of the hidden attribute.
        item.isHidden = entry->d_name[0] == '.';
        struct stat status;
        std::string fullPath = hostDirectory + "/" + entry->d_name;
        item.isDirectory = stat(fullPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        visit(item);
    }
    return true;
}

FileSystem& HostFileSystemInstance() {
    static HostFileSystem instance;
    return instance;
}
