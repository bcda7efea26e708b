// The two passes that build the file play mode's queue.
#include "play/FileQueueBuilder.h"

#include <cstring>
#include <limits>
#include <string>

#include "app/containers/CsvFields.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "play/Id3v1Entry.h"
#include "songfiles/FileTypes.h"
#include "songfiles/FindFiles.h"
#include "songfiles/ForeignPlayList.h"
#include "songfiles/PlayListFile.h"
#include "songfiles/RcpSongInfo.h"
#include "songfiles/SmfSongInfo.h"

namespace {

// A name fits a path buffer; longer ones would have to be cut, and a cut path names another file.
bool FitsPath(const char* text) {
    return std::strlen(text) < kMaxPathBytes;
}

QueuedSong FileSong(const char* path, const char* listTitle) {
    QueuedSong song;
    song.SetPath(path);
    song.SetListTitle(listTitle);
    song.origin = kOriginFile;
    return song;
}

void ExpandFolderEntry(const char* entry, std::vector<QueuedSong>& songs) {
    std::vector<std::string> fields;
    SplitCsvFields(fields, 3, entry + 1);
    char folder[kMaxPathBytes];
    // An entry without a folder names none: it does not mean the current folder.
    if (fields[1].empty() || !CopyShiftJis(folder, sizeof folder, fields[1].c_str())) {
        return;
    }
    if (AppendBackslash(folder, sizeof folder) == std::strlen(folder)) {
        return;  // no room for the backslash
    }
    StringList files;
    FindFilesByPattern(files, folder, fields[2].c_str());
    const std::string prefix(folder);
    for (std::int32_t i = 0; i < files.Count(); ++i) {
        const std::string path = prefix + files.StringAt(i);
        if (FitsPath(path.c_str())) {
            songs.push_back(FileSong(path.c_str(), fields[0].c_str()));
        }
    }
}

void ExpandPlayList(const char* path, std::vector<QueuedSong>& songs, RefusedEntries* refused) {
    PlayListFile list;
    if (!list.Load(path)) {
        return;
    }
    if (refused != nullptr && list.refusedEntries > 0) {
        if (refused->count == 0) {
            refused->firstList = path;
        }
        refused->count += list.refusedEntries;
    }
    PlayListEntry entry;
    for (std::int32_t i = 0; i < list.EntryCount(); ++i) {
        if (!list.GetEntry(i, entry)) {
            continue;
        }
        QueuedSong song;
        song.SetPath(entry.path);
        song.SetTitle(entry.title);
        song.SetComment(entry.comment);
        song.SetListTitle(list.title);
        song.volume = EffectiveVolume(list.volume, entry.volume);
        song.balance = entry.balance;
        song.silenceMs = entry.silenceMs;
        song.origin = kOriginPlayList;
        song.SetFontName(list.fontName);
        songs.push_back(std::move(song));
    }
}

// The songs of another player's list, titled where the list names them; the list's file name is
// their list title.
void ExpandForeignList(const char* path, std::vector<QueuedSong>& songs, RefusedEntries* refused) {
    ForeignPlayList list;
    if (!LoadForeignPlayList(path, list)) {
        return;
    }
    if (refused != nullptr && list.refusedEntries > 0) {
        if (refused->count == 0) {
            refused->firstList = path;
        }
        refused->count += list.refusedEntries;
    }
    char listTitle[kMaxPathBytes];
    BaseNameOf(listTitle, path);
    for (const ForeignListEntry& entry : list.entries) {
        QueuedSong song;
        song.SetPath(entry.path.c_str());
        song.SetTitle(entry.title.c_str());
        song.SetListTitle(listTitle);
        song.origin = kOriginPlayList;
        songs.push_back(std::move(song));
    }
}

// Title and comment from a MIDI or Recomposer reader; an empty title keeps the base name.
void TakeReaderTexts(const SongInfo& reader, QueuedSong& song) {
    char text[kListTextBytes];
    if (reader.GetTitle(text, sizeof text) > 0) {
        song.SetTitle(text);
    }
    if (song.Comment()[0] == '\0' && reader.GetComment(text, sizeof text) > 0) {
        song.SetComment(text);
    }
}

void CompleteSong(QueuedSong& song) {
    char path[kMaxPathBytes];
    if (!CopyShiftJis(path, sizeof path, song.Path())) {
        return;
    }
    if (ResolveWrdSong(path)) {
        song.SetPath(path);
    }
    if (song.Title()[0] != '\0') {
        return;
    }
    char name[kMaxPathBytes];
    if (song.ListTitle()[0] == '\0') {
        FileNameOf(name, path);
        song.SetListTitle(name);
    }
    BaseNameOf(name, path);
    song.SetTitle(name);
    if (HasExtension(path, ".mid") || HasExtension(path, ".smf")) {
        TakeReaderTexts(SmfSongInfo(path), song);
    } else if (IsRecomposerSong(path)) {
        TakeReaderTexts(RcpSongInfo(path), song);
    } else if (HasExtension(path, ".mp3")) {
        SongEntry entry;
        SetSongField(entry.title, song.Title());
        SetSongField(entry.comment, song.Comment());
        if (ReadMp3Tags(entry, path)) {
            song.SetTitle(entry.title);
            song.SetComment(entry.comment);
        }
    }
}

}  // namespace

std::int32_t EffectiveVolume(std::int32_t listVolume, std::int32_t entryVolume) {
    const std::int64_t volume = static_cast<std::int64_t>(listVolume) * entryVolume / 100;
    if (volume > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (volume < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(volume);
}

void ExpandNames(const StringList& names,
                 std::vector<QueuedSong>& songs,
                 AddedSongsStart* start,
                 RefusedEntries* refused) {
    songs.clear();
    for (std::int32_t i = 0; i < names.Count(); ++i) {
        const char* name = names.StringAt(i);
        if (name[0] == '*') {
            ExpandFolderEntry(name, songs);
        } else if (name[0] != '\0' && FitsPath(name)) {
            if (HasExtension(name, ".rpl")) {
                ExpandPlayList(name, songs, refused);
            } else if (IsForeignPlayList(name)) {
                ExpandForeignList(name, songs, refused);
            } else {
                songs.push_back(FileSong(name, ""));
            }
        }
        // Checked after every kind of name, folder entries included, so that the start is found
        // whatever the name before the first added one was.
        if (start != nullptr && start->pending && i + 1 == start->firstAddedName) {
            start->startSong = static_cast<std::int32_t>(songs.size());
            start->pending = false;
        }
    }
}

void CompleteSongs(std::vector<QueuedSong>& songs) {
    for (QueuedSong& song : songs) {
        CompleteSong(song);
    }
    // The queue lives as long as its names; growth slack would be a third of its size.
    songs.shrink_to_fit();
}
