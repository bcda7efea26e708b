// Substring search over Shift-JIS titles, folding ASCII case only.
#include "play/SongFilter.h"

#include "app/containers/ShiftJis.h"

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when query matches title at this character start. Both walk character by character, so
// a trail byte of the title is never compared with the start of a query character.
bool MatchesAt(const char* title, const char* query) {
    while (*query != '\0') {
        const std::size_t queryLength = ShiftJisCharLength(query);
        const std::size_t titleLength = ShiftJisCharLength(title);
        if (*title == '\0' || queryLength != titleLength) {
            return false;
        }
        if (queryLength == 1) {
            if (FoldAscii(*title) != FoldAscii(*query)) {
                return false;
            }
        } else if (title[0] != query[0] || title[1] != query[1]) {
            return false;
        }
        title += titleLength;
        query += queryLength;
    }
    return true;
}

}  // namespace

bool TitleContains(const char* title, const char* query) {
    if (*query == '\0') {
        return true;
    }
    for (const char* start = title; *start != '\0'; start += ShiftJisCharLength(start)) {
        if (MatchesAt(start, query)) {
            return true;
        }
    }
    return false;
}

std::vector<std::int32_t> FilterSongPositions(const std::vector<std::string>& titles, const std::string& query) {
    std::vector<std::int32_t> positions;
    positions.reserve(titles.size());
    for (std::size_t i = 0; i < titles.size(); ++i) {
        if (TitleContains(titles[i].c_str(), query.c_str())) {
            positions.push_back(static_cast<std::int32_t>(i));
        }
    }
    return positions;
}
