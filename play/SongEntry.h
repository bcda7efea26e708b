// The record that describes one song wherever a whole song is handed around: the current song
// of a play mode, what GetSong and OpenDevice take, what the recorder copies out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/containers/ShiftJis.h"
#include "songfiles/PlayListFile.h"  // kBalanceUnchanged

// Where a song came from.
constexpr std::int32_t kOriginNone = 0;
constexpr std::int32_t kOriginFile = 1;      // named directly or found by a wildcard
constexpr std::int32_t kOriginPlayList = 2;  // an entry of a play list
constexpr std::int32_t kOriginCdTrack = 4;

constexpr std::int32_t kDefaultSongVolume = 100;

struct SongEntry {
    char path[260] = {};  // file to open; a CD track's index as decimal text
    char listTitle[512] = {};
    char title[512] = {};
    char comment[512] = {};
    std::int32_t volume = kDefaultSongVolume;  // percent
    std::int32_t balance = kBalanceUnchanged;
    std::int32_t origin = kOriginNone;
    std::int32_t queueIndex = 0;  // index in the mode's song list
    std::int32_t silenceMs = 0;   // silence before the song starts from its beginning
    char fontName[32] = {};       // face for the titles; empty for none
};

// Texts empty, volume 100, balance unchanged, origin none; queueIndex and silence are kept.
void BlankSongTexts(SongEntry& entry);

// Copies text into one of the fixed fields, cut at a whole Shift-JIS character, always
// terminated; a null text gives the empty string.
template <std::size_t N>
void SetSongField(char (&field)[N], const char* text) {
    if (text == nullptr) {
        field[0] = '\0';
        return;
    }
    CopyShiftJis(field, N, text);
}
