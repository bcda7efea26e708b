// The registered play lists and folder lists.
#include "editors/RegisteredLists.h"

#include <algorithm>
#include <cstring>

#include "app/Settings.h"
#include "app/SettingsKeyReader.h"
#include "app/SettingsKeyWriter.h"
#include "app/containers/FileSystem.h"
#include "editors/FolderListEntry.h"
#include "songfiles/PlayListFile.h"

namespace {

std::string KeyPath() {
    return std::string(kSettingsBasePath) + "\\" + kRegisteredListsKey;
}

}  // namespace

std::vector<std::int32_t> ValidRowsInOrder(std::vector<std::int32_t> rows, std::int32_t count) {
    rows.erase(std::remove_if(rows.begin(), rows.end(), [count](std::int32_t row) { return row < 0 || row >= count; }),
               rows.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void RegisteredLists::Load() {
    entries.Clear();
    SettingsKeyReader key;
    if (key.Open(kSettingsRoot, KeyPath().c_str())) {
        key.NumberedList(entries);
    }
    modified = false;
}

int RegisteredLists::SaveIfModified() {
    if (!modified) {
        return 1;
    }
    SettingsKeyWriter key;
    if (!key.Open(kSettingsRoot, KeyPath().c_str())) {
        return 0;
    }
    const int written = key.NumberedList(entries);
    if (written) {
        modified = false;
    }
    return written;
}

std::string RegisteredLists::RowText(std::int32_t row) const {
    const char* entry = entries.StringAt(row);
    if (entry == nullptr) {
        return std::string();
    }
    if (IsFolderListEntry(entry)) {
        return "* " + DecodeFolderList(entry).name;
    }
    char title[kListTextBytes];
    if (std::strlen(entry) < kMaxPathBytes && PlayListFile::ReadTitle(entry, title, sizeof title)) {
        return title;
    }
    return entry;
}

int RegisteredLists::Append(const char* entry) {
    if (entry == nullptr || entry[0] == '\0' || std::strlen(entry) >= kRegisteredEntryBytes ||
        !entries.InsertString(-1, entry)) {
        return 0;
    }
    modified = true;
    return 1;
}

int RegisteredLists::Replace(std::int32_t row, const char* entry) {
    if (entry == nullptr || entry[0] == '\0' || std::strlen(entry) >= kRegisteredEntryBytes) {
        return 0;
    }
    // An edit confirmed without a change leaves the registry alone.
    const char* stored = entries.StringAt(row);
    if (stored != nullptr && std::strcmp(stored, entry) == 0) {
        return 1;
    }
    if (!entries.SetString(row, entry)) {
        return 0;
    }
    modified = true;
    return 1;
}

std::int32_t RegisteredLists::Choose(const std::vector<std::int32_t>& selectedRows, StringList& chosen) const {
    const std::vector<std::int32_t> rows = ValidRowsInOrder(selectedRows, entries.Count());
    if (rows.empty()) {
        return 0;
    }
    chosen.Clear();
    std::int32_t copied = 0;
    for (std::int32_t row : rows) {
        copied += chosen.InsertString(-1, entries.StringAt(row)) ? 1 : 0;
    }
    return copied;
}

std::int32_t RegisteredLists::Remove(const std::vector<std::int32_t>& selectedRows, bool deleteFiles) {
    const std::vector<std::int32_t> rows = ValidRowsInOrder(selectedRows, entries.Count());
    // From the last row up, so the rows still to go keep their numbers.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const char* entry = entries.StringAt(*row);
        if (deleteFiles && !IsFolderListEntry(entry)) {
            ActiveFileSystem().RemoveFile(entry);
        }
        entries.RemoveString(*row);
    }
    if (!rows.empty()) {
        modified = true;
    }
    return static_cast<std::int32_t>(rows.size());
}

std::int32_t RegisteredLists::Move(std::int32_t row, int step) {
    const std::int32_t target = row + step;
    if (row < 0 || row >= entries.Count() || target < 0 || target >= entries.Count()) {
        return -1;
    }
    entries.SwapStrings(row, target);
    modified = true;
    return target;
}
