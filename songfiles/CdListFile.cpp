// CD list files: naming, reading, writing and the take-over of version-1 settings.
#include "songfiles/CdListFile.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/Settings.h"
#include "app/containers/CsvFields.h"
#include "app/containers/FileSystem.h"
#include "app/containers/NumberText.h"
#include "app/containers/ShiftJis.h"
#include "songfiles/ListFileText.h"
#include "songfiles/ProfileReader.h"

namespace {

// "ﾄﾗｯｸ%d" (half-width katakana) written as its Shift-JIS bytes, so every compiler stores the same text.
constexpr char kDefaultTrackTitleFormat[] = "\xC4\xD7\xAF\xB8%d";
// A version-1 track value: title, comment, volume (and balance).
constexpr char kVersion1TrackDefaultFormat[] = "\xC4\xD7\xAF\xB8%d,,100";
constexpr char kTrackKeyword[] = "Track";
constexpr std::size_t kTrackKeywordLength = sizeof kTrackKeyword - 1;
// Large enough for any version-1 track value: title and comment at full length, two numbers.
constexpr std::size_t kVersion1ValueBytes = 2 * kListTextBytes + 32;

std::string Decimal(std::int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    return text;
}

void* IndexItem(std::int32_t index) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(index));
}

// Fills a track from the fields title, comment, volume and balance.
void TakeTrackFields(CdListTrack& track, const std::vector<std::string>& fields, std::size_t first) {
    CopyShiftJis(track.title, sizeof track.title, fields[first].c_str());
    CopyShiftJis(track.comment, sizeof track.comment, fields[first + 1].c_str());
    track.volume = ParseIntOr(fields[first + 2].c_str(), 100);
    track.balance = ParseIntOr(fields[first + 3].c_str(), kBalanceUnchanged);
}

}  // namespace

CdListFile::CdListFile(std::uint32_t discId) : CdListFile(discId, gSettings.directory.CD) {}

CdListFile::CdListFile(std::uint32_t discId, const char* folder)
    : discId(discId), trackCount(static_cast<std::int32_t>(discId & 0xFF)), tracks(discId & 0xFF) {
    for (std::int32_t i = 0; i < trackCount; ++i) {
        std::snprintf(tracks[i].title, sizeof tracks[i].title, kDefaultTrackTitleFormat, static_cast<int>(i + 1));
    }
    ResetOrder();
    char name[16];
    std::snprintf(name, sizeof name, "%08x.cdl", static_cast<unsigned>(discId));
    char folderPath[kMaxPathBytes];
    // A folder that has to be cut would name some other place, so the list then has no file. When
    // the backslash does not fit, the name cannot fit either.
    if (CopyShiftJis(folderPath, sizeof folderPath, folder != nullptr ? folder : "")) {
        AppendBackslash(folderPath, sizeof folderPath);
        const std::size_t folderLength = std::strlen(folderPath);
        const std::size_t nameLength = std::strlen(name);
        if (folderLength + nameLength < sizeof path) {
            std::memcpy(path, folderPath, folderLength);
            std::memcpy(path + folderLength, name, nameLength + 1);
        }
    }
}

int CdListFile::Load() {
    std::vector<std::uint8_t> bytes;
    if (!ReadListFile(path, bytes)) {
        return kCdListCannotOpen;
    }
    ListLineReader reader(bytes);
    std::string line;
    if (!reader.NextLine(line)) {
        return kCdListEmpty;
    }
    std::vector<std::string> fields;
    SplitCsvFields(fields, 4, line.c_str());
    if (fields[0] != kMagic) {
        return kCdListBadMagic;
    }
    CopyShiftJis(title, sizeof title, fields[1].c_str());
    volume = ParseIntOr(fields[2].c_str(), 100);
    CopyShiftJis(fontName, sizeof fontName, fields[3].c_str());
    order.Reset();
    while (reader.NextLine(line)) {
        ReadBodyLine(line.c_str());
    }
    return kCdListLoaded;
}

void CdListFile::ReadBodyLine(const char* line) {
    char text[kMaxListLineBytes + 1];
    CopyShiftJis(text, sizeof text, line);
    TrimRight(text);
    if (text[0] >= '0' && text[0] <= '9') {
        InsertOrder(-1, ParseIntOr(text, 0) - 1);
        return;
    }
    if (!StartsWithNoCase(text, kTrackKeyword)) {
        // Empty lines, comments and anything unknown.
        return;
    }
    std::vector<std::string> fields;
    SplitCsvFields(fields, 5, text + kTrackKeywordLength);
    const std::int32_t number = ParseIntOr(fields[0].c_str(), 0);
    if (number >= 1 && number <= trackCount) {
        TakeTrackFields(tracks[number - 1], fields, 1);
    }
}

int CdListFile::Save() const {
    std::string text;
    AppendListLine(text, {kMagic, title, Decimal(volume), fontName});
    for (std::int32_t i = 0; i < trackCount; ++i) {
        const CdListTrack& track = tracks[i];
        AppendListLine(text, {kTrackKeyword + Decimal(i + 1), track.title, track.comment, Decimal(track.volume),
                              Decimal(track.balance)});
    }
    for (std::int32_t i = 0; i < order.Count(); ++i) {
        text += Decimal(GetOrder(i) + 1);
        text += "\r\n";
    }
    return path[0] != '\0' && ActiveFileSystem().WriteFileReplacing(path, text.data(), text.size()) ? 1 : 0;
}

int CdListFile::MigrateVersion1(std::uint32_t version1Id) {
    ProfileReader& profile = ActiveProfileReader();
    char section[16];
    std::snprintf(section, sizeof section, "%08x", static_cast<unsigned>(version1Id));
    profile.ReadString(section, "ListName", "", title, sizeof title, kVersion1ProfileName);
    volume = profile.ReadInt(section, "AllVol", 100, kVersion1ProfileName);

    std::vector<std::string> fields;
    for (std::int32_t i = 0; i < trackCount; ++i) {
        char key[16];
        char defaultValue[32];
        char value[kVersion1ValueBytes];
        std::snprintf(key, sizeof key, "Track%d", static_cast<int>(i));
        std::snprintf(defaultValue, sizeof defaultValue, kVersion1TrackDefaultFormat, static_cast<int>(i + 1));
        profile.ReadString(section, key, defaultValue, value, sizeof value, kVersion1ProfileName);
        SplitCsvFields(fields, 4, value);
        TakeTrackFields(tracks[i], fields, 0);
    }

    order.Reset();
    if (profile.ReadInt(section, "Num", 0, kVersion1ProfileName) == 0) {
        ResetOrder();
        return 1;
    }
    for (std::int32_t j = 0; j < trackCount; ++j) {
        char key[16];
        std::snprintf(key, sizeof key, "%d", static_cast<int>(j));
        InsertOrder(-1, profile.ReadInt(section, key, 0, kVersion1ProfileName));
    }
    return 1;
}

int CdListFile::GetTrack(std::int32_t index, CdListTrack& track) const {
    if (index < 0 || index >= trackCount) {
        return 0;
    }
    track = tracks[index];
    return 1;
}

int CdListFile::SetTrack(std::int32_t index, const CdListTrack& track) {
    if (index < 0 || index >= trackCount) {
        return 0;
    }
    tracks[index] = track;
    return 1;
}

std::int32_t CdListFile::GetOrder(std::int32_t position) const {
    if (position < 0 || position >= order.Count()) {
        return -1;
    }
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(order.Get(position)));
}

int CdListFile::InsertOrder(std::int32_t position, std::int32_t trackIndex) {
    if (trackIndex < 0 || trackIndex >= trackCount) {
        return 0;
    }
    return order.Insert(position, IndexItem(trackIndex)) ? 1 : 0;
}

int CdListFile::RemoveOrder(std::int32_t position) {
    if (position < 0 || position >= order.Count()) {
        return 0;
    }
    order.Remove(position);
    return 1;
}

void CdListFile::ResetOrder() {
    order.Reset();
    for (std::int32_t i = 0; i < trackCount; ++i) {
        order.Insert(-1, IndexItem(i));
    }
}
