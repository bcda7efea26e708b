// Play lists of other players, read wherever a .rpl is: M3U (.m3u in code page 932 unless it
// carries a byte-order mark, .m3u8 in UTF-8) with #EXTINF titles, and PLS with FileN and TitleN
// in the order of their numbers. Relative entries resolve against the list's folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ForeignListEntry {
    std::string path;   // absolute, with backslashes
    std::string title;  // empty when the list gives none
};

struct ForeignPlayList {
    std::vector<ForeignListEntry> entries;
    // Entries passed over: names the code page cannot hold, paths too long, addresses that are
    // no files (http:// and the like), lines too long.
    std::int32_t refusedEntries = 0;
};

// True for the extensions .m3u, .m3u8 and .pls (any letter case).
bool IsForeignPlayList(const char* path);

class PlayListFile;

// The play list as an .m3u8 list for other players: UTF-8, #EXTINF titles, paths as stored.
std::string MakeM3u8(const PlayListFile& list);

// Reads the list through the active file system; false when it cannot be read (or a .pls has no
// [playlist] section).
bool LoadForeignPlayList(const char* path, ForeignPlayList& list);
