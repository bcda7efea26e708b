// The registered entries of the play list selection dialog (play list paths and "*" folder
// lists) in display order: read once from the registry when the dialog opens, changed by its
// commands, and written back once when it closes if anything changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/containers/StringList.h"

// The registry key of the registered entries, below the settings key.
constexpr char kRegisteredListsKey[] = "File\\RegList";
// Capacity of one registered entry, terminator included.
constexpr std::size_t kRegisteredEntryBytes = 4096;

class RegisteredLists {
public:
    // Reads the entries (none when the key is missing). Nothing counts as changed afterwards.
    void Load();
    // Writes the entries when they changed since Load (creating the key). Answers 1 when nothing
    // had to be written or the write succeeded.
    int SaveIfModified();

    std::int32_t Count() const { return entries.Count(); }
    const char* EntryAt(std::int32_t row) const { return entries.StringAt(row); }
    // What a row shows: "* " and the name of a folder list; a play list's title, or its path
    // when the title cannot be read.
    std::string RowText(std::int32_t row) const;

    // Appends an entry; 0 (nothing stored) for an empty entry or one longer than an entry holds.
    int Append(const char* entry);
    // Replaces the entry of row; the same text again counts as no change.
    int Replace(std::int32_t row, const char* entry);
    // Copies the entries of the selected rows into chosen in row order, whatever order the rows
    // come in. Answers the number copied; 0 (chosen untouched) when no valid row is selected.
    std::int32_t Choose(const std::vector<std::int32_t>& selectedRows, StringList& chosen) const;
    // Removes exactly the entries of the selected rows; with deleteFiles also the file of each
    // removed play list (a failed deletion is ignored). Answers the number removed.
    std::int32_t Remove(const std::vector<std::int32_t>& selectedRows, bool deleteFiles);
    // Exchanges row with its neighbour (step -1 up, +1 down). Answers the neighbour's row, or -1
    // when there is none.
    std::int32_t Move(std::int32_t row, int step);

    bool Modified() const { return modified; }

private:
    StringList entries;
    bool modified = false;
};

// The rows sorted and without duplicates or rows outside 0 ... count - 1.
std::vector<std::int32_t> ValidRowsInOrder(std::vector<std::int32_t> rows, std::int32_t count);
