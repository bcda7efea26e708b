// Expands the file play mode's names (song files, play lists, folder entries) into its queue of
// songs, and fills in the titles of the songs that came without one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/containers/StringList.h"
#include "play/QueuedSong.h"

// Play lists whose entries were passed over while the queue was built (lines too long, characters
// code page 932 lacks, paths too long): the first such list and the count over all lists.
struct RefusedEntries {
    std::string firstList;
    std::int32_t count = 0;
};

// The command line's request to start at the first song of the first name it added.
struct AddedSongsStart {
    bool pending = false;             // the command line added names this run
    std::int32_t firstAddedName = 0;  // index of the first added name in the names
    std::int32_t startSong = -1;      // out: index of the first song of that name, -1 if none
};

// First pass: appends the songs of every name in order. A folder entry ("*title,folder,patterns")
// gives the folder's files matching each ';'-separated pattern in pattern order; a .rpl name gives
// its play list's entries (an .m3u, .m3u8 or .pls name those of another player's list) (nothing when the list cannot be
// read); any other name is one song. Names that cannot be a path (empty, or too long for a path buffer) give no song.
// start may be null. refused may be null.
void ExpandNames(const StringList& names,
                 std::vector<QueuedSong>& songs,
                 AddedSongsStart* start,
                 RefusedEntries* refused = nullptr);

// Second pass: a .wrd song is played through its .mid (else Recomposer) companion; a song without a
// title gets its list title (the file name when empty), the base name as title, and then the
// title and comment of its MIDI, Recomposer or MP3 file where the file has them.
void CompleteSongs(std::vector<QueuedSong>& songs);

// A play list entry's volume on top of its list's volume, in percent: list x entry / 100,
// kept within the 32-bit range.
std::int32_t EffectiveVolume(std::int32_t listVolume, std::int32_t entryVolume);
