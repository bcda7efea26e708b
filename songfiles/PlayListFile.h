// A play list (.rpl): songs in play order, each with its own texts, volume, balance and silence
// before it, kept in memory and read from and written to its comma-separated text file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/SettingsRecords.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/PtrArray.h"

// Capacity of titles, comments and list texts, terminator included.
constexpr std::size_t kListTextBytes = 512;
// A balance value outside -100 ... 100: no balance, slider centred.
constexpr std::int32_t kBalanceUnchanged = -300;

// One song of a play list; copied whole when read or replaced.
struct PlayListEntry {
    char path[kMaxPathBytes] = {};
    char title[kListTextBytes] = {};
    char comment[kListTextBytes] = {};
    std::int32_t volume = 100;                 // percent
    std::int32_t balance = kBalanceUnchanged;  // -100 (left) ... 100 (right) applies a balance; else none
    std::int32_t silenceMs = 0;                // silence before the song
};

class PlayListFile {
public:
    static constexpr char kMagic[] = "Melodrix2.0 PlayList";

    PlayListFile() = default;
    ~PlayListFile();
    PlayListFile(const PlayListFile&) = delete;
    PlayListFile& operator=(const PlayListFile&) = delete;

    // Appends the file's songs and takes its title, volume and font. 1 on success; 0 when the file
    // cannot be read or does not begin with the magic (the object is then unchanged).
    int Load(const char* path);
    // Writes the whole list in one go; the old file stays as it was unless everything was written.
    // 1 on success, 0 on failure.
    int Save(const char* path) const;
    // Reads only the header's title into title (titleSize bytes). 1 when the magic matches; otherwise
    // title is "" and the result is 0.
    static int ReadTitle(const char* path, char* title, std::size_t titleSize = kListTextBytes);

    std::int32_t EntryCount() const { return entries.Count(); }
    // The entry operations answer 0 and change nothing for an invalid index.
    int GetEntry(std::int32_t index, PlayListEntry& entry) const;
    int SetEntry(std::int32_t index, const PlayListEntry& entry);
    // Inserts a copy before index; -1 appends. 0 when index is invalid or memory runs out.
    int InsertEntry(std::int32_t index, const PlayListEntry& entry);
    int DeleteEntry(std::int32_t index);
    // Takes the entry out at from and puts it back so that it ends up at index to.
    int MoveEntry(std::int32_t from, std::int32_t to);
    void Clear();

    char title[kListTextBytes] = {};
    std::int32_t volume = 100;  // percent, applied on top of every entry's own volume
    char fontName[kFaceNameBytes] = {};
    // Entries the last Load passed over: lines too long for an entry, characters code page 932
    // lacks (in a Unicode list), paths too long for the system. The caller tells the user.
    std::int32_t refusedEntries = 0;

private:
    PlayListEntry* EntryAt(std::int32_t index) const { return static_cast<PlayListEntry*>(entries.Get(index)); }

    // Owned PlayListEntry records in play order.
    PtrArray entries;
};
