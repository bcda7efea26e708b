// Selection of the active file system.
#include "app/containers/FileSystem.h"

namespace {

FileSystem* gActiveFileSystem = nullptr;

}  // namespace

FileSystem& ActiveFileSystem() {
    return gActiveFileSystem != nullptr ? *gActiveFileSystem : HostFileSystemInstance();
}

FileSystem* SetActiveFileSystem(FileSystem* replacement) {
    FileSystem* previous = gActiveFileSystem;
    gActiveFileSystem = replacement;
    return previous;
}
