// A machine for the installer's tests: an in-memory registry, file system and shell, the
// version-1 settings file in C:\WINDOWS, and a complete distribution folder in E:\dist.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/MemoryRegistry.h"
#include "installer/InstallState.h"
#include "installer/InstallerNames.h"
#include "songfiles/IniProfileReader.h"
#include "tests/support/MemoryInstallTarget.h"
#include "tests/support/ScopedFileSystem.h"

class InstallerFixture : public ::testing::Test {
public:
    void SetUp() override {
        SetActiveRegistry(&registry);
        files.AddDirectory("C:\\WINDOWS\\system32");
        for (const DistributionFile& file : kDistributionFiles) {
            files.AddFile((std::string("E:\\dist\\") + file.sourceName).c_str(),
                          std::string("contents of ") + file.sourceName);
        }
        files.AddFile("E:\\dist\\install.exe", std::string("the installer"));
        state.Start("E:\\dist\\install.exe", "C:\\WINDOWS\\system32");
    }
    void TearDown() override { SetActiveRegistry(nullptr); }

    // The version-1 settings file, in the Windows folder.
    void PutIni(const std::string& text) { files.AddFile("C:\\WINDOWS\\Melodrix.ini", text); }

    std::string Text(RegRoot root, const char* path, const char* name) const {
        const MemoryRegistry::Value* value = registry.Find(root, path, name);
        if (value == nullptr || value->type != kRegSz || value->data.empty()) {
            return "<none>";
        }
        return std::string(value->data.begin(), value->data.end() - 1);
    }

    std::string FileText(const std::string& path) const {
        const std::vector<std::uint8_t>* contents = files.Contents(path.c_str());
        return contents != nullptr ? std::string(contents->begin(), contents->end()) : "<none>";
    }

    MemoryRegistry registry;
    MemoryFileSystem files;
    ScopedFileSystem fileScope{files};
    MemoryInstallTarget target{files};
    IniProfileReader profiles{"C:\\WINDOWS"};
    InstallState state;
};
