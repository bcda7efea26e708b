// Version-1 play lists into play list files. Each list is put together in memory and written in
// one go, so a list that fails half-way leaves no file behind and is never registered.
#include "installer/PlayListConversion.h"

#include <cstdio>
#include <vector>

#include "app/RegistryStore.h"
#include "app/SettingsKeyWriter.h"
#include "app/containers/CsvFields.h"
#include "app/containers/FileSystem.h"
#include "app/containers/NumberText.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "app/containers/UniqueFileName.h"
#include "installer/InstallReport.h"
#include "installer/InstallerNames.h"
#include "installer/InstallerTexts.h"
#include "songfiles/PlayListFile.h"
#include "songfiles/ProfileReader.h"

namespace {

constexpr char kSection[] = "MxPlayList";
constexpr char kNumKey[] = "Num";

// A volume field as the player reads it: decimal, 100 when it is not a number or negative.
std::string VolumeText(const std::string& field) {
    std::int32_t volume = ParseIntOr(field.c_str(), 100);
    if (volume < 0) {
        volume = 100;
    }
    return std::to_string(volume);
}

// text cut at a character boundary to fit a buffer of size bytes.
std::string Fit(const std::string& text, std::size_t size) {
    return text.substr(0, ShiftJisFitLength(text.c_str(), text.size(), size - 1));
}

}  // namespace

bool PlayListConversion::ReadValue(const char* section, const char* key, std::size_t limit, std::string& value) {
    // Two bytes more than the limit tell a value that fits from one the reader had to cut, even
    // when the cut falls before a double-byte character.
    std::vector<char> buffer(limit + 2, '\0');
    const std::size_t length = reader.ReadString(section, key, "", buffer.data(), buffer.size(), kVersion1IniName);
    value.assign(buffer.data());
    return length < limit;
}

bool PlayListConversion::SongLine(const char* entry, std::string& line) const {
    std::vector<std::string> fields;
    SplitCsvFields(fields, 4, entry);
    std::string& path = fields[0];
    while (!path.empty() && (path.back() == ' ' || path.back() == '\t')) {
        path.pop_back();
    }
    if (path.size() >= kMaxPathBytes) {
        return false;
    }
    std::string title = fields[1];
    if (title.empty()) {
        char base[kMaxPathBytes];
        BaseNameOf(base, path.c_str());
        title = base;
    }
    line = JoinCsvFields({path, Fit(title, kListTextBytes), Fit(fields[2], kListTextBytes), VolumeText(fields[3]),
                          std::to_string(kBalanceUnchanged)});
    return true;
}

bool PlayListConversion::ConvertList(const std::string& listFolder, const std::string& name) {
    char fileName[kMaxPathBytes];
    if (!MakeUniqueFileName(fileName, listFolder.c_str(), name.c_str(), ".rpl")) {
        report.Fail(kFailListFile, name);
        return false;
    }
    std::string allVolume;
    ReadValue(name.c_str(), "AllVol", 32, allVolume);
    if (allVolume.empty()) {
        allVolume = "100";
    }
    std::string text = JoinCsvFields({PlayListFile::kMagic, name, VolumeText(allVolume)}) + "\r\n";

    std::int32_t songs = reader.ReadInt(name.c_str(), kNumKey, 0, kVersion1IniName);
    bool songsLost = false;
    if (songs > kMaxVersion1SongReads - songReads) {
        songs = kMaxVersion1SongReads - songReads;
        songsLost = true;
    }
    for (std::int32_t j = 0; j < songs; ++j) {
        ++songReads;
        std::string entry;
        std::string line;
        // A missing entry would become a song without a file: it is left out like a damaged one.
        if (!ReadValue(name.c_str(), std::to_string(j).c_str(), kVersion1SongBytes, entry) || entry.empty() ||
            !SongLine(entry.c_str(), line)) {
            songsLost = true;
            continue;
        }
        text += line + "\r\n";
    }
    if (!ActiveFileSystem().WriteFileReplacing(fileName, text.data(), text.size())) {
        report.Fail(kFailListFile, name);
        return false;
    }
    converted.InsertString(-1, fileName);
    if (songsLost) {
        report.Fail(kFailListSongs, name);
    }
    return true;
}

int PlayListConversion::Run(const std::string& listFolder) {
    std::int32_t lists = reader.ReadInt(kSection, kNumKey, 0, kVersion1IniName);
    if (lists > kMaxVersion1Lists) {
        report.Fail(kFailListCount, std::to_string(lists));
        lists = kMaxVersion1Lists;
    }
    for (std::int32_t i = 0; i < lists; ++i) {
        std::string name;
        if (!ReadValue(kSection, std::to_string(i).c_str(), kListTextBytes, name)) {
            // A cut name would read another list's section: leave it out.
            report.Fail(kFailListNameTooLong, std::to_string(i));
            continue;
        }
        if (!name.empty()) {
            ConvertList(listFolder, name);
        }
    }
    SettingsKeyWriter regList(RegRoot::kCurrentUser, kRegListKeyPath);
    if (!regList.NumberedList(converted)) {
        report.Fail(kFailRegList);
    }
    return converted.Count();
}
