// Plays MP3 files through the wave stream player: waveOut is opened with an MPEG Layer-3
// format and the system's audio compression manager decodes behind the wave mapper.
#pragma once

#include "devices/WaveFileDevice_win.h"

class Mp3FileDevice : public WaveFileDevice {
public:
    explicit Mp3FileDevice(OwnerWindow owner) : WaveFileDevice(owner) {}

    // Refuses a file without a Layer III frame header near its start (behind any ID3 version 2
    // tag), so that the caller can hand it to MCI instead.
    int Open(const char* fileName) override;
};
