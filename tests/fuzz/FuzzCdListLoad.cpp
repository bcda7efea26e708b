// Fuzzes the CD list reader: any bytes load without touching memory out of bounds for a disc of any
// track count, and a loaded list saves to a file that loads back with the same order. Saving writes
// line breaks inside texts as blanks, so from the second save on the bytes must stay the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/containers/MemoryFileSystem.h"
#include "songfiles/CdListFile.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

std::string Saved(MemoryFileSystem& files, const CdListFile& list) {
    Check(list.Save() == 1);
    const std::vector<std::uint8_t>* contents = files.Contents(list.path);
    return std::string(contents->begin(), contents->end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    MemoryFileSystem files;
    FileSystem* previous = SetActiveFileSystem(&files);
    // The first byte is the track count, as the low byte of the disc identifier.
    const std::uint32_t discId = 0x12345600u | data[0];
    CdListFile list(discId, "C:\\");
    files.AddFile(list.path, std::string(reinterpret_cast<const char*>(data + 1), size - 1));

    const int result = list.Load();
    Check(result >= 0 && result <= 3);
    for (std::int32_t i = 0; i < list.OrderCount(); ++i) {
        Check(list.GetOrder(i) >= 0 && list.GetOrder(i) < list.TrackCount());
    }
    if (result == kCdListLoaded) {
        Saved(files, list);
        CdListFile second(discId, "C:\\");
        Check(second.Load() == kCdListLoaded);
        Check(second.OrderCount() == list.OrderCount());
        const std::string secondText = Saved(files, second);
        CdListFile third(discId, "C:\\");
        Check(third.Load() == kCdListLoaded);
        Check(third.OrderCount() == list.OrderCount());
        Check(Saved(files, third) == secondText);
    }
    SetActiveFileSystem(previous);
    return 0;
}
