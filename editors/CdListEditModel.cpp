// Changes the CD list editor makes to its list.
#include "editors/CdListEditModel.h"

#include <algorithm>
#include <cstdio>

#include "app/containers/NumberText.h"
#include "app/containers/ShiftJis.h"
#include "editors/EditorTexts.h"

CdListEditModel::CdListEditModel(std::uint32_t discId) : list(std::make_unique<CdListFile>(discId)) {
    Opened();
}

CdListEditModel::CdListEditModel(std::uint32_t discId, const char* folder)
    : list(std::make_unique<CdListFile>(discId, folder)) {
    Opened();
}

void CdListEditModel::Opened() {
    list->Load();
    if (list->volume < 0) {
        list->volume = 100;
    }
    modified = false;
}

std::string CdListEditModel::TrackRowText(std::int32_t track) const {
    CdListTrack fields;
    if (!list->GetTrack(track, fields)) {
        return std::string();
    }
    char row[kListTextBytes + 16];
    std::snprintf(row, sizeof row, kCdTrackRowFormat, track + 1, fields.title);
    return row;
}

std::string CdListEditModel::OrderRowText(std::int32_t row) const {
    return TrackRowText(list->GetOrder(row));
}

std::int32_t CdListEditModel::ClampRow(std::int32_t wanted, std::int32_t rows) {
    return std::max<std::int32_t>(0, std::min(wanted, rows - 1));
}

std::int32_t CdListEditModel::InsertTrack(std::int32_t p, std::int32_t t) {
    if (p < 0 || p > list->OrderCount() || t < 0 || t >= list->TrackCount() || !list->InsertOrder(p, t)) {
        return -1;
    }
    modified = true;
    return ClampRow(p + 1, OrderRowCount());
}

std::int32_t CdListEditModel::InsertAllTracks(std::int32_t p) {
    if (p < 0 || p > list->OrderCount()) {
        return -1;
    }
    const std::int32_t n = list->TrackCount();
    for (std::int32_t track = 0; track < n; ++track) {
        list->InsertOrder(p + track, track);
    }
    modified = true;
    return ClampRow(p + n + 1, OrderRowCount());
}

std::int32_t CdListEditModel::RemoveEntry(std::int32_t p) {
    // The empty row stands for no entry and cannot be removed.
    if (p < 0 || p >= list->OrderCount() || !list->RemoveOrder(p)) {
        return -1;
    }
    modified = true;
    return ClampRow(p, OrderRowCount());
}

std::int32_t CdListEditModel::RemoveAllEntries() {
    if (list->OrderCount() == 0) {
        return -1;
    }
    list->ClearOrder();
    modified = true;
    return 0;
}

std::int32_t CdListEditModel::MoveEntry(std::int32_t p, int step) {
    const std::int32_t q = p + step;
    const std::int32_t count = list->OrderCount();
    if (p < 0 || p >= count || q < 0 || q >= count) {
        return -1;
    }
    const std::int32_t moving = list->GetOrder(p);
    list->RemoveOrder(p);
    list->InsertOrder(q, moving);
    modified = true;
    return q;
}

TrackFieldTexts CdListEditModel::TrackFields(std::int32_t track) const {
    TrackFieldTexts fields;
    CdListTrack stored;
    if (!list->GetTrack(track, stored)) {
        return fields;
    }
    fields.title = stored.title;
    fields.comment = stored.comment;
    fields.volume = std::to_string(stored.volume);
    fields.balance = ShowBalance(stored.balance);
    return fields;
}

int CdListEditModel::ApplyTrackFields(std::int32_t track, const TrackFieldTexts& fields) {
    CdListTrack stored;
    if (!list->GetTrack(track, stored)) {
        return 0;
    }
    CopyShiftJis(stored.title, sizeof stored.title, fields.title.c_str());
    CopyShiftJis(stored.comment, sizeof stored.comment, fields.comment.c_str());
    stored.volume = ParseIntOr(fields.volume.c_str(), 100);
    stored.balance = BalanceFromControls(fields.balance.checked, fields.balance.position);
    list->SetTrack(track, stored);
    modified = true;
    return 1;
}

void CdListEditModel::SetTitle(const char* text) {
    CopyShiftJis(list->title, sizeof list->title, text != nullptr ? text : "");
    modified = true;
}

std::int32_t CdListEditModel::SetVolumeText(const char* text) {
    list->volume = ListVolumeFromText(text);
    modified = true;
    return list->volume;
}

void CdListEditModel::SetFont(bool on, const char* face) {
    CopyShiftJis(list->fontName, sizeof list->fontName, on && face != nullptr ? face : "");
    modified = true;
}
