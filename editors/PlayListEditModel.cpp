// Changes the play list editor makes to its list.
#include "editors/PlayListEditModel.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/containers/NumberText.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "songfiles/FileTypes.h"

int PlayListEditModel::Open(const char* path) {
    list.Clear();
    const int loaded = path != nullptr && path[0] != '\0' ? list.Load(path) : 0;
    if (list.volume < 0) {
        list.volume = 100;
    }
    modified = false;
    titleChanged = false;
    return loaded;
}

std::int32_t PlayListEditModel::ClampSongRow(std::int32_t wanted) const {
    return std::max<std::int32_t>(0, std::min(wanted, list.EntryCount() - 1));
}

std::int32_t PlayListEditModel::AddFiles(std::int32_t index,
                                         const char* folder,
                                         const std::vector<std::string>& names) {
    if (index < 0 || index > list.EntryCount() || names.empty()) {
        return -1;
    }
    char base[kMaxPathBytes];
    if (!CopyShiftJis(base, sizeof base, folder != nullptr ? folder : "")) {
        return -1;
    }
    AppendBackslash(base);
    // One record reused for every song: an entry is over a kilobyte.
    auto entry = std::make_unique<PlayListEntry>();
    const std::int32_t first = index;
    for (const std::string& name : names) {
        *entry = PlayListEntry();
        const int written = std::snprintf(entry->path, sizeof entry->path, "%s%s", base, name.c_str());
        if (written < 0 || static_cast<std::size_t>(written) >= sizeof entry->path) {
            continue;
        }
        GetSongTitle(entry->path, entry->title, entry->comment);
        if (list.InsertEntry(index, *entry)) {
            ++index;
        }
    }
    modified = modified || index > first;
    return ClampSongRow(index);
}

std::int32_t PlayListEditModel::DeleteSong(std::int32_t row) {
    if (row < 0 || row >= list.EntryCount() || !list.DeleteEntry(row)) {
        return -1;
    }
    modified = true;
    return ClampSongRow(row);
}

std::int32_t PlayListEditModel::DeleteAllSongs() {
    if (list.EntryCount() == 0) {
        return -1;
    }
    list.Clear();
    modified = true;
    return 0;
}

std::int32_t PlayListEditModel::MoveSong(std::int32_t row, int step) {
    const std::int32_t target = row + step;
    if (row < 0 || row >= list.EntryCount() || target < 0 || target >= list.EntryCount() ||
        !list.MoveEntry(row, target)) {
        return -1;
    }
    modified = true;
    return target;
}

SongFieldTexts PlayListEditModel::SongFields(std::int32_t row) const {
    SongFieldTexts fields;
    auto entry = std::make_unique<PlayListEntry>();
    if (!list.GetEntry(row, *entry)) {
        return fields;
    }
    fields.title = entry->title;
    fields.comment = entry->comment;
    fields.volume = std::to_string(entry->volume);
    fields.silence = std::to_string(entry->silenceMs);
    fields.balance = ShowBalance(entry->balance);
    return fields;
}

int PlayListEditModel::ApplySongFields(std::int32_t row, const SongFieldTexts& fields) {
    auto entry = std::make_unique<PlayListEntry>();
    if (!list.GetEntry(row, *entry)) {
        return 0;
    }
    CopyShiftJis(entry->title, sizeof entry->title, fields.title.c_str());
    CopyShiftJis(entry->comment, sizeof entry->comment, fields.comment.c_str());
    entry->volume = ParseIntOr(fields.volume.c_str(), 100);
    entry->silenceMs = ParseIntOr(fields.silence.c_str(), 0);
    entry->balance = BalanceFromControls(fields.balance.checked, fields.balance.position);
    list.SetEntry(row, *entry);
    modified = true;
    return 1;
}

void PlayListEditModel::SetTitle(const char* text) {
    CopyShiftJis(list.title, sizeof list.title, text != nullptr ? text : "");
    titleChanged = true;
    modified = true;
}

void PlayListEditModel::SetVolumeText(const char* text) {
    list.volume = ListVolumeFromText(text);
    modified = true;
}

void PlayListEditModel::SetFont(bool on, const char* face) {
    CopyShiftJis(list.fontName, sizeof list.fontName, on && face != nullptr ? face : "");
    modified = true;
}
