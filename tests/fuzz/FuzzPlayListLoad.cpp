// Fuzzes the play list reader: any bytes load without touching memory out of bounds, and a loaded
// list saves to a file that loads back with every entry. Saving writes line breaks inside texts as
// blanks, which the next load may trim, so from the second save on the bytes must stay the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "songfiles/PlayListFile.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

std::string Saved(MemoryFileSystem& files, const PlayListFile& list, const char* path) {
    Check(list.Save(path) == 1);
    const std::vector<std::uint8_t>* contents = files.Contents(path);
    return std::string(contents->begin(), contents->end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFileSystem files;
    FileSystem* previous = SetActiveFileSystem(&files);
    files.AddFile("C:\\in.rpl", std::string(reinterpret_cast<const char*>(data), size));

    PlayListFile list;
    char title[kListTextBytes];
    const int titleResult = PlayListFile::ReadTitle("C:\\in.rpl", title);
    const int loaded = list.Load("C:\\in.rpl");
    Check(titleResult == loaded);
    if (loaded) {
        Saved(files, list, "C:\\first.rpl");
        PlayListFile second;
        Check(second.Load("C:\\first.rpl") == 1);
        Check(second.EntryCount() == list.EntryCount());
        const std::string secondText = Saved(files, second, "C:\\second.rpl");
        PlayListFile third;
        Check(third.Load("C:\\second.rpl") == 1);
        Check(third.EntryCount() == list.EntryCount());
        Check(Saved(files, third, "C:\\third.rpl") == secondText);
    }
    SetActiveFileSystem(previous);
    return 0;
}
