// Conversion of the play lists that version 1 kept in its settings file "Melodrix.ini" into play
// list files, registered in the player's list of registered play lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/containers/StringList.h"

class InstallReport;
class ProfileReader;

// Bounds that keep a damaged settings file (a huge "Num") from running for hours.
constexpr std::int32_t kMaxVersion1Lists = 1000;
constexpr std::int32_t kMaxVersion1SongReads = 100000;
// Longest song line version 1 wrote.
constexpr std::size_t kVersion1SongBytes = 4096;

class PlayListConversion {
public:
    PlayListConversion(ProfileReader& reader, InstallReport& report) : reader(reader), report(report) {}

    // Converts every list into listFolder, then writes the files that were written completely, in
    // order, as the registered play lists. Answers the number of files converted.
    int Run(const std::string& listFolder);

    // Full paths of the files written, in the order of the settings file.
    const StringList& Converted() const { return converted; }

private:
    // Writes one list; false (with the failure recorded) when no complete file was written.
    bool ConvertList(const std::string& listFolder, const std::string& name);
    // The song line of entry, or false when the entry cannot be kept (too long, or no room for
    // its path).
    bool SongLine(const char* entry, std::string& line) const;
    // The value of key in section; false when it is longer than limit - 1 bytes.
    bool ReadValue(const char* section, const char* key, std::size_t limit, std::string& value);

    ProfileReader& reader;
    InstallReport& report;
    StringList converted;
    std::int32_t songReads = 0;
};
