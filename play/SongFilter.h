#pragma once
// The song jump dialog's search: which songs of the queue hold the typed text in their title.
#include <cstdint>
#include <string>
#include <vector>

// True when title holds query (both Shift-JIS) starting at a character boundary: ASCII
// letters match either case, every other character byte for byte, and a double-byte
// character never matches half of one. An empty query matches every title.
bool TitleContains(const char* title, const char* query);

// The play-order positions of the titles (index = play-order position) that hold query, in
// play order. An empty query keeps every position.
std::vector<std::int32_t> FilterSongPositions(const std::vector<std::string>& titles, const std::string& query);
