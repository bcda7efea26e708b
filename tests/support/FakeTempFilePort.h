// Temporary files kept in a MemoryFileSystem under "T:\", with a record of what was created and
// removed, and a switch that makes creation fail.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "devices/TempFilePort.h"

class FakeTempFilePort : public TempFilePort {
public:
    explicit FakeTempFilePort(MemoryFileSystem& files) : files(files) {}

    bool failCreate = false;
    std::vector<std::string> created;
    std::vector<std::string> removed;
    int leftoverSweeps = 0;

    std::unique_ptr<TemporaryFile> Create(const std::uint8_t* data, std::size_t size, const char* extension) override {
        if (failCreate) {
            return nullptr;
        }
        char name[64];
        std::snprintf(name, sizeof name, "T:\\mxrcp%d%s", static_cast<int>(created.size()), extension);
        files.AddFile(name, std::string(reinterpret_cast<const char*>(data), size));
        created.push_back(name);
        return std::make_unique<File>(*this, name);
    }
    void RemoveLeftovers() override { ++leftoverSweeps; }

private:
    class File : public TemporaryFile {
    public:
        File(FakeTempFilePort& owner, const std::string& name) : owner(owner) { path = name; }
        ~File() override {
            owner.files.Remove(path.c_str());
            owner.removed.push_back(path);
        }

    private:
        FakeTempFilePort& owner;
    };

    MemoryFileSystem& files;
};
