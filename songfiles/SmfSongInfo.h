// Title and copyright notice of a Standard MIDI File, from a quick scan of its first track only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "songfiles/SongInfo.h"

class SmfSongInfo : public SongInfo {
public:
    // Reads the file through the active file system; an unreadable file leaves the reader unloaded.
    explicit SmfSongInfo(const char* path);
    // Reads the texts from the file's bytes (what the constructor does once the file is read).
    SmfSongInfo(const std::uint8_t* data, std::size_t size);

    bool IsLoaded() const { return loaded; }

    std::uint16_t GetTimebase() const override { return 0; }
    int GetTitle(char* text, std::size_t capacity) const override;
    int GetComment(char* text, std::size_t capacity) const override;
    int MeasureToPosition(MeasurePosition&, std::uint32_t) const override { return 0; }
    int PositionToMeasure(MeasurePosition&, std::uint32_t) const override { return 0; }

private:
    void Parse(const std::uint8_t* data, std::size_t size);
    void ScanFirstTrack(const std::uint8_t* track, std::uint32_t length);

    bool loaded = false;
    bool hasTitle = false;
    bool hasNotice = false;
    std::string title;
    std::string noticeText;
};
