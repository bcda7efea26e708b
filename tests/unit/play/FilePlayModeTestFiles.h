// Song and list files for the file play mode's tests, made in memory.
#pragma once

#include <cstring>
#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "tests/unit/songfiles/TitledSmf.h"

// The 518-byte header of a Recomposer file with a title.
inline std::string RcpWithTitle(const std::string& title) {
    std::string bytes(518, '\0');
    const char kId[] = "RCM-PC98V2.0(C)COME ON MUSIC\r\n";
    std::memcpy(&bytes[0], kId, sizeof kId - 1);
    std::string field = title;
    field.resize(64, ' ');
    bytes.replace(32, 64, field);
    bytes.replace(96, 336, std::string(336, ' '));
    bytes[448] = 48;
    return bytes;
}

// Some audio bytes followed by an ID3 version 1 tag.
inline std::string Mp3WithTag(const std::string& title, const std::string& artist) {
    std::string tag(128, '\0');
    tag.replace(0, 3, "TAG");
    std::string field = title;
    field.resize(30, ' ');
    tag.replace(3, 30, field);
    field = artist;
    field.resize(30, ' ');
    tag.replace(33, 30, field);
    return std::string(400, '\x55') + tag;
}

// A play list file: the header's title, volume and font, then the song lines as given.
inline std::string PlayListText(const std::string& header, const std::string& lines) {
    return "Melodrix2.0 PlayList," + header + "\r\n" + lines;
}
