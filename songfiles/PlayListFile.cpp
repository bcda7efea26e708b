// Play list files: reading, writing and the entry operations.
#include "songfiles/PlayListFile.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "app/containers/CsvFields.h"
#include "app/containers/FileSystem.h"
#include "app/containers/NumberText.h"
#include "app/containers/ShiftJis.h"
#include "songfiles/ListFileText.h"

namespace {

constexpr int kHeaderFields = 4;
constexpr int kSongFields = 6;

// Copies a field into its buffer, cut to capacity at a character boundary, optionally without
// trailing blanks and tabs.
void TakeField(char* out, std::size_t outSize, const std::string& field, bool trim) {
    CopyShiftJis(out, outSize, field.c_str());
    if (trim) {
        TrimRight(out);
    }
}

// Reads the header line: the magic, cut of trailing blanks, must match exactly.
bool ReadHeader(ListLineReader& reader, std::vector<std::string>& fields, int count) {
    std::string line;
    if (!reader.NextLine(line)) {
        return false;
    }
    if (reader.FirstLineRefused()) {
        return false;  // the first line is the header or nothing
    }
    SplitCsvFields(fields, count, line.c_str());
    char magic[sizeof PlayListFile::kMagic + 1];
    TakeField(magic, sizeof magic, fields[0], true);
    return std::strcmp(magic, PlayListFile::kMagic) == 0;
}

// The field's length without the trailing blanks and tabs that TakeField drops.
std::size_t TrimmedLength(const std::string& field) {
    std::size_t length = field.size();
    while (length > 0 && (field[length - 1] == ' ' || field[length - 1] == '\t')) {
        --length;
    }
    return length;
}

std::string Decimal(std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    return text;
}

}  // namespace

PlayListFile::~PlayListFile() {
    Clear();
}

int PlayListFile::Load(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadListFile(path, bytes)) {
        return 0;
    }
    ListLineReader reader(bytes);
    std::vector<std::string> fields;
    if (!ReadHeader(reader, fields, kHeaderFields)) {
        return 0;
    }
    TakeField(title, sizeof title, fields[1], true);
    volume = ParseIntOr(fields[2].c_str(), 100);
    TakeField(fontName, sizeof fontName, fields[3], false);

    std::string line;
    PlayListEntry entry;
    std::int32_t longPaths = 0;
    while (reader.NextLine(line)) {
        if (line[0] == ';') {
            continue;
        }
        // An empty line still makes an entry (with an empty path), as lists have always been read.
        SplitCsvFields(fields, kSongFields, line.c_str());
        if (TrimmedLength(fields[0]) >= sizeof entry.path) {
            ++longPaths;  // cut, it would name another file
            continue;
        }
        TakeField(entry.path, sizeof entry.path, fields[0], true);
        TakeField(entry.title, sizeof entry.title, fields[1], true);
        TakeField(entry.comment, sizeof entry.comment, fields[2], true);
        entry.volume = ParseIntOr(fields[3].c_str(), 100);
        entry.balance = ParseIntOr(fields[4].c_str(), kBalanceUnchanged);
        entry.silenceMs = ParseIntOr(fields[5].c_str(), 0);
        if (!InsertEntry(-1, entry)) {
            return 0;
        }
    }
    refusedEntries = static_cast<std::int32_t>(reader.RefusedLines()) + longPaths;
    return 1;
}

int PlayListFile::Save(const char* path) const {
    std::string text;
    AppendListLine(text, {kMagic, title, Decimal(volume), fontName});
    for (std::int32_t i = 0; i < entries.Count(); ++i) {
        const PlayListEntry& entry = *EntryAt(i);
        AppendListLine(text, {entry.path, entry.title, entry.comment, Decimal(entry.volume), Decimal(entry.balance),
                              Decimal(entry.silenceMs)});
    }
    return path != nullptr && path[0] != '\0' && ActiveFileSystem().WriteFileReplacing(path, text.data(), text.size())
               ? 1
               : 0;
}

int PlayListFile::ReadTitle(const char* path, char* title, std::size_t titleSize) {
    if (titleSize > 0) {
        title[0] = '\0';
    }
    std::vector<std::uint8_t> bytes;
    if (!ReadListFile(path, bytes)) {
        return 0;
    }
    ListLineReader reader(bytes);
    std::vector<std::string> fields;
    if (!ReadHeader(reader, fields, 3)) {
        return 0;
    }
    if (titleSize > 0) {
        TakeField(title, titleSize, fields[1], true);
    }
    return 1;
}

int PlayListFile::GetEntry(std::int32_t index, PlayListEntry& entry) const {
    const PlayListEntry* stored = EntryAt(index);
    if (stored == nullptr) {
        return 0;
    }
    entry = *stored;
    return 1;
}

int PlayListFile::SetEntry(std::int32_t index, const PlayListEntry& entry) {
    PlayListEntry* stored = EntryAt(index);
    if (stored == nullptr) {
        return 0;
    }
    *stored = entry;
    return 1;
}

int PlayListFile::InsertEntry(std::int32_t index, const PlayListEntry& entry) {
    std::unique_ptr<PlayListEntry> copy(new (std::nothrow) PlayListEntry(entry));
    if (!copy || !entries.Insert(index, copy.get())) {
        return 0;
    }
    copy.release();
    return 1;
}

int PlayListFile::DeleteEntry(std::int32_t index) {
    PlayListEntry* stored = EntryAt(index);
    if (stored == nullptr) {
        return 0;
    }
    entries.Remove(index);
    delete stored;
    return 1;
}

int PlayListFile::MoveEntry(std::int32_t from, std::int32_t to) {
    PlayListEntry* stored = EntryAt(from);
    if (stored == nullptr || to < 0 || to >= entries.Count()) {
        return 0;
    }
    // Neighbour swaps never touch the block, so a move cannot fail half-way for want of memory.
    for (std::int32_t i = from; i < to; ++i) {
        entries.Swap(i, i + 1);
    }
    for (std::int32_t i = from; i > to; --i) {
        entries.Swap(i, i - 1);
    }
    return 1;
}

void PlayListFile::Clear() {
    for (std::int32_t i = 0; i < entries.Count(); ++i) {
        delete EntryAt(i);
    }
    entries.Reset();
}
