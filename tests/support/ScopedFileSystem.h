// Makes a file system the active one for the life of a test.
#pragma once

#include "app/containers/FileSystem.h"

class ScopedFileSystem {
public:
    explicit ScopedFileSystem(FileSystem& fileSystem) : previous(SetActiveFileSystem(&fileSystem)) {}
    ~ScopedFileSystem() { SetActiveFileSystem(previous); }
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

private:
    FileSystem* previous;
};
