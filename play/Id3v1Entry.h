// Takes an MP3 file's ID3 title and artist into a song record.
#pragma once

#include "play/SongEntry.h"

// With a tag present: the tag's artist becomes the comment and its title the title (a blank tag
// title keeps the title the song already has, so that no song is listed without a name). Without
// a tag, or when the file cannot be read, the entry is untouched. True when a tag was read.
bool ReadId3v1(SongEntry& entry, const char* path);

// The title of an ID3 version 2 tag at the file's start, with its artist as the comment when the
// entry has none; without a version 2 title, the version 1 tag as above. True when a tag was read.
bool ReadMp3Tags(SongEntry& entry, const char* path);
