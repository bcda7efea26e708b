// Fuzzes the conversion of version-1 play lists: any "Melodrix.ini" converts without touching
// memory out of bounds, and every registered file exists, is a play list the player loads, and
// is registered once, in order.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/MemoryRegistry.h"
#include "app/containers/MemoryFileSystem.h"
#include "installer/InstallReport.h"
#include "installer/InstallerNames.h"
#include "installer/PlayListConversion.h"
#include "songfiles/IniProfileReader.h"
#include "songfiles/PlayListFile.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Inputs beyond a few kilobytes only make each profile read slower.
    if (size > 8192) {
        return 0;
    }
    MemoryFileSystem files;
    MemoryRegistry registry;
    FileSystem* previous = SetActiveFileSystem(&files);
    SetActiveRegistry(&registry);
    files.AddFile("C:\\WINDOWS\\Melodrix.ini", std::string(reinterpret_cast<const char*>(data), size));
    files.AddDirectory("C:\\Lists");

    IniProfileReader profiles("C:\\WINDOWS");
    InstallReport report;
    PlayListConversion conversion(profiles, report);
    const int converted = conversion.Run("C:\\Lists");
    Check(converted == conversion.Converted().Count());
    Check(converted <= kMaxVersion1Lists);
    for (int i = 0; i < converted; ++i) {
        const char* path = conversion.Converted().StringAt(i);
        PlayListFile list;
        Check(list.Load(path) == 1);
        char name[8];
        std::snprintf(name, sizeof name, "%04d", i);
        const MemoryRegistry::Value* value = registry.Find(RegRoot::kCurrentUser, kRegListKeyPath, name);
        Check(value != nullptr && std::string(value->data.begin(), value->data.end() - 1) == path);
    }
    char next[8];
    std::snprintf(next, sizeof next, "%04d", converted);
    Check(registry.Find(RegRoot::kCurrentUser, kRegListKeyPath, next) == nullptr);

    SetActiveRegistry(nullptr);
    SetActiveFileSystem(previous);
    return 0;
}
