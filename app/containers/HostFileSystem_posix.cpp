// POSIX implementation of the host file system for the native build.
#include "app/containers/HostFileSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/containers/ShiftJis.h"

bool HostFileSystem::RenameFile(const char* from, const char* to) {
    if (from == nullptr || to == nullptr || from[0] == '\0' || to[0] == '\0') {
        return false;
    }
    const std::string target = ToHostPath(to);
    struct stat status;
    // Windows refuses to move onto an existing file; so does this one.
    if (stat(target.c_str(), &status) == 0) {
        return false;
    }
    return std::rename(ToHostPath(from).c_str(), target.c_str()) == 0;
}

bool HostFileSystem::RemoveFile(const char* path) {
    return path != nullptr && path[0] != '\0' && unlink(ToHostPath(path).c_str()) == 0;
}

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

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// Opens a regular file for reading and tells its size; null for anything else (a folder too).
UniqueFile OpenRegularFile(const char* path, std::uint64_t& size) {
    UniqueFile file(std::fopen(HostFileSystem::ToHostPath(path).c_str(), "rb"));
    struct stat status;
    if (!file || fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode)) {
        return nullptr;
    }
    size = static_cast<std::uint64_t>(status.st_size);
    return file;
}

}  // namespace

bool HostFileSystem::ReadFile(const char* path, std::vector<std::uint8_t>& contents, std::size_t maxBytes) {
    contents.clear();
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    std::uint64_t size = 0;
    UniqueFile file = OpenRegularFile(path, size);
    if (!file || size > maxBytes) {
        return false;
    }
    contents.resize(static_cast<std::size_t>(size));
    if (!contents.empty() && std::fread(contents.data(), 1, contents.size(), file.get()) != contents.size()) {
        contents.clear();
        return false;
    }
    return true;
}

bool HostFileSystem::WriteFileReplacing(const char* path, const void* data, std::size_t size) {
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    const std::string target = ToHostPath(path);
    std::string temporary = target + ".XXXXXX";
    const int descriptor = mkstemp(&temporary[0]);
    if (descriptor < 0) {
        return false;
    }
    bool written = true;
    const auto* bytes = static_cast<const char*>(data);
    for (std::size_t done = 0; written && done < size;) {
        const ssize_t count = write(descriptor, bytes + done, size - done);
        written = count > 0;
        done += written ? static_cast<std::size_t>(count) : 0;
    }
    written = written && fsync(descriptor) == 0;
    written = close(descriptor) == 0 && written;
    // mkstemp makes the file private; a list file should get the usual permissions.
    written = written && chmod(temporary.c_str(), 0644) == 0;
    if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

namespace {

// Opens the file and reads up to count bytes from where start places them for its size.
template <typename Start>
bool ReadPart(const char* path, std::size_t count, std::vector<std::uint8_t>& bytes, Start start) {
    bytes.clear();
    if (path == nullptr || path[0] == '\0') {
        return false;
    }
    std::uint64_t size = 0;
    UniqueFile file = OpenRegularFile(path, size);
    if (!file) {
        return false;
    }
    const std::uint64_t first = std::min<std::uint64_t>(start(size), size);
    const std::size_t taken = static_cast<std::size_t>(std::min<std::uint64_t>(count, size - first));
    bytes.resize(taken);
    if (taken > 0 && (fseeko(file.get(), static_cast<off_t>(first), SEEK_SET) != 0 ||
                      std::fread(bytes.data(), 1, taken, file.get()) != taken)) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace

bool HostFileSystem::ReadFileTail(const char* path, std::vector<std::uint8_t>& tail, std::size_t count) {
    return ReadPart(path, count, tail,
                    [count](std::uint64_t size) { return size - std::min<std::uint64_t>(count, size); });
}

bool HostFileSystem::ReadFileRange(const char* path,
                                   std::uint64_t offset,
                                   std::size_t count,
                                   std::vector<std::uint8_t>& bytes) {
    return ReadPart(path, count, bytes, [offset](std::uint64_t) { return offset; });
}
