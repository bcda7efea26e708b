// The ID3 version 1 tag of an MP3 file into a song record.
#include "play/Id3v1Entry.h"

#include "songfiles/Id3v1.h"
#include "songfiles/Id3v2.h"

bool ReadId3v1(SongEntry& entry, const char* path) {
    Id3v1Tag tag;
    if (path == nullptr || !ReadId3v1(tag, path)) {
        return false;
    }
    if (tag.title[0] != '\0') {
        SetSongField(entry.title, tag.title);
    }
    SetSongField(entry.comment, tag.artist);
    return true;
}

bool ReadMp3Tags(SongEntry& entry, const char* path) {
    Id3v2Text tag;
    if (path != nullptr && ReadId3v2(tag, path) && !tag.title.empty()) {
        SetSongField(entry.title, tag.title.c_str());
        if (entry.comment[0] == '\0' && !tag.artist.empty()) {
            SetSongField(entry.comment, tag.artist.c_str());
        }
        return true;
    }
    return ReadId3v1(entry, path);
}
