// The CD list (.cdl) of one audio disc: its title, each track's title, comment, volume and balance,
// and the play order, kept in a file named after the disc identifier in the CD data folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/SettingsRecords.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/PtrArray.h"
#include "songfiles/PlayListFile.h"

struct CdListTrack {
    char title[kListTextBytes] = {};
    char comment[kListTextBytes] = {};
    std::int32_t volume = 100;                 // percent
    std::int32_t balance = kBalanceUnchanged;  // same meaning as in a play list entry
};

// Results of CdListFile::Load.
constexpr int kCdListLoaded = 0;
constexpr int kCdListCannotOpen = 1;
constexpr int kCdListEmpty = 2;
constexpr int kCdListBadMagic = 3;

// The version-1 settings file that MigrateVersion1 reads; a bare name, so it lives in the Windows folder.
constexpr char kVersion1ProfileName[] = "Melodrix.ini";

class CdListFile {
public:
    static constexpr char kMagic[] = "Melodrix2.0 CD List";

    // A list with every track at its defaults and the disc order, kept in the CD data folder of the
    // settings (or, with the second form, in folder).
    explicit CdListFile(std::uint32_t discId);
    CdListFile(std::uint32_t discId, const char* folder);
    CdListFile(const CdListFile&) = delete;
    CdListFile& operator=(const CdListFile&) = delete;

    // Reads path. kCdListLoaded replaces the title, volume, font, the tracks the file names and the
    // order; the other results leave the object as it was.
    int Load();
    // Writes path in one go; the old file stays as it was unless everything was written. 1 on
    // success, 0 on failure.
    int Save() const;
    // Takes over the version-1 settings of the disc with version-1 identifier id (section "%08x" of
    // the version-1 settings file); missing values give the defaults. Always 1.
    int MigrateVersion1(std::uint32_t version1Id);

    std::uint32_t DiscId() const { return discId; }
    std::int32_t TrackCount() const { return trackCount; }
    // Copy a whole track; an index outside 0 ... TrackCount() - 1 does nothing and answers 0.
    int GetTrack(std::int32_t index, CdListTrack& track) const;
    int SetTrack(std::int32_t index, const CdListTrack& track);

    // The play order: 0-based track indexes, each track any number of times.
    std::int32_t OrderCount() const { return order.Count(); }
    // The track index at position, or -1 for an invalid position.
    std::int32_t GetOrder(std::int32_t position) const;
    // Inserts trackIndex before position (-1 appends). 0 for an invalid track or position.
    int InsertOrder(std::int32_t position, std::int32_t trackIndex);
    int RemoveOrder(std::int32_t position);
    void ClearOrder() { order.Reset(); }
    // The order 0, 1, ..., TrackCount() - 1.
    void ResetOrder();

    // Full path of the file: the folder, a backslash and the identifier as "%08x.cdl"; "" when that
    // does not fit in a path.
    char path[kMaxPathBytes] = {};
    char title[kListTextBytes] = {};
    std::int32_t volume = 100;
    char fontName[kFaceNameBytes] = {};

private:
    void ReadBodyLine(const char* line);

    std::uint32_t discId;
    std::int32_t trackCount;
    std::vector<CdListTrack> tracks;
    // Track indexes stored as pointer-sized integers.
    PtrArray order;
};
