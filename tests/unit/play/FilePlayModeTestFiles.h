// Song and list files for the file play mode's tests, made in memory.
#pragma once

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/support/SmfBuilder.h"
#include "tests/support/SongFileBytes.h"

// The 518-byte header of a Recomposer file with a title.
inline std::string RcpWithTitle(const std::string& title) {
    RcpFileBytes file;
    file.title = title;
    file.timebase = 48;
    return file.Build();
}

// Some audio bytes followed by an ID3 version 1 tag.
inline std::string Mp3WithTag(const std::string& title, const std::string& artist) {
    return std::string(400, '\x55') + Id3v1TagBytes(title, artist, ' ', ' ');
}

// A play list file: the header's title, volume and font, then the song lines as given.
inline std::string PlayListText(const std::string& header, const std::string& lines) {
    return "Melodrix2.0 PlayList," + header + "\r\n" + lines;
}
