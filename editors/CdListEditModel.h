// The CD list being edited in the CD list editor and every change the editor makes to it: the
// play order commands (whose list ends in an empty row standing for the place after the last
// entry), the track fields and the list's title, volume and font.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "editors/BalanceRules.h"
#include "songfiles/CdListFile.h"

// The track fields as the dialog's controls hold them.
struct TrackFieldTexts {
    std::string title;
    std::string comment;
    std::string volume;
    BalanceView balance;
};

class CdListEditModel {
public:
    // The list of the disc, loaded from its file (a missing or unreadable file leaves the
    // defaults); a negative overall volume becomes 100. The second form keeps the file in folder.
    explicit CdListEditModel(std::uint32_t discId);
    CdListEditModel(std::uint32_t discId, const char* folder);

    // Rows of the order list: one per entry, then the empty row.
    std::int32_t OrderRowCount() const { return list->OrderCount() + 1; }
    std::int32_t TrackCount() const { return list->TrackCount(); }
    // "<%02d> %s" for a track row; an order row shows its track the same way, the empty row "".
    std::string TrackRowText(std::int32_t track) const;
    std::string OrderRowText(std::int32_t row) const;
    // A wanted row clamped to the rows there are (0 when there are none).
    static std::int32_t ClampRow(std::int32_t wanted, std::int32_t rows);

    // The order commands answer the order row to select, or -1 when nothing happened. p is the
    // selected order row, t the selected track row.
    std::int32_t AddTrack(std::int32_t t) { return InsertTrack(list->OrderCount(), t); }
    std::int32_t InsertTrack(std::int32_t p, std::int32_t t);
    std::int32_t InsertAllTracks(std::int32_t p);
    std::int32_t RemoveEntry(std::int32_t p);
    std::int32_t RemoveAllEntries();
    std::int32_t MoveEntry(std::int32_t p, int step);

    TrackFieldTexts TrackFields(std::int32_t track) const;
    // Takes the fields into the track (texts cut to their capacity, volume 100 for text that is
    // no number). 0 for an invalid track.
    int ApplyTrackFields(std::int32_t track, const TrackFieldTexts& fields);

    void SetTitle(const char* text);
    // Takes the overall volume and answers it (100 for no number or a negative one).
    std::int32_t SetVolumeText(const char* text);
    void SetFont(bool on, const char* face);

    // Writes the list file. 1 on success.
    int Save() const { return list->Save(); }

    const CdListFile& List() const { return *list; }
    bool Modified() const { return modified; }
    // What the dialog put into its own controls while opening is no change of the user's.
    void ForgetChanges() { modified = false; }

private:
    void Opened();

    std::unique_ptr<CdListFile> list;
    bool modified = false;
};
