// The list being edited in the play list editor and every change the editor makes to it: songs
// added, inserted, deleted and moved, the song fields, the list's title, volume and font. The
// dialog shows what this model holds and forwards each user action to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editors/BalanceRules.h"
#include "songfiles/PlayListFile.h"

// The song fields as the dialog's controls hold them.
struct SongFieldTexts {
    std::string title;
    std::string comment;
    std::string volume;
    std::string silence;
    BalanceView balance;
};

class PlayListEditModel {
public:
    // Loads path (empty or unreadable: an empty list, volume 100, no font); a negative overall
    // volume becomes 100. Nothing counts as changed afterwards. Answers what Load answered (0 for
    // an empty path).
    int Open(const char* path);

    // The row a rebuilt song list selects for a wanted row: the last row at most, row 0 when that
    // is negative (also for an empty list).
    std::int32_t ClampSongRow(std::int32_t wanted) const;

    // Inserts one new entry per name (folder + backslash + name, title and comment from the song
    // file) before index, in the names' order. Nothing happens when index is negative or past the
    // end, or names is empty; the answer is then -1, else the row to select (the song after the
    // last one inserted). Names whose path does not fit in a path are left out.
    std::int32_t AddFiles(std::int32_t index, const char* folder, const std::vector<std::string>& names);
    // Delete, delete all and up/down answer the row to select, or -1 when nothing happened.
    std::int32_t DeleteSong(std::int32_t row);
    std::int32_t DeleteAllSongs();
    std::int32_t MoveSong(std::int32_t row, int step);

    // The fields of a song row; an invalid row gives empty texts and a centred, unchecked balance.
    SongFieldTexts SongFields(std::int32_t row) const;
    // Takes the fields into the song at row (texts cut to their capacity, volume 100 and silence 0
    // for text that is no number). 0 for an invalid row.
    int ApplySongFields(std::int32_t row, const SongFieldTexts& fields);

    void SetTitle(const char* text);
    void SetVolumeText(const char* text);
    // Checked: face (cut to a face name) becomes the list's font; unchecked: the list has none.
    void SetFont(bool on, const char* face);

    const PlayListFile& List() const { return list; }
    std::int32_t SongCount() const { return list.EntryCount(); }
    bool Modified() const { return modified; }
    bool TitleChanged() const { return titleChanged; }

private:
    PlayListFile list;
    bool modified = false;
    bool titleChanged = false;
};
