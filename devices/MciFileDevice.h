// A song file played by whatever MCI driver the system has for its extension (the sequencer for
// MIDI, video, WAVE and MP3 as a fallback). MIDI songs also get a song information reader so that
// the current tick and measure positions can be given to the WRD player. A Recomposer song that
// MCI cannot open (no driver for it, as on today's systems) is converted into a temporary MIDI file
// for the system's sequencer; its measures still come from the Recomposer header.
#pragma once

#include <cstdint>
#include <memory>

#include "devices/MciHandle.h"
#include "devices/MediaDevice.h"
#include "devices/TempFilePort.h"
#include "songfiles/SongInfo.h"

class MciFileDevice : public MediaDevice {
public:
    explicit MciFileDevice(OwnerWindow owner,
                           MciPort& port = SystemMciPort(),
                           TempFilePort& tempFiles = SystemTempFilePort());
    ~MciFileDevice();

    int Open(const char* fileName) override;
    void Close() override;
    // Asks MCI to notify the owner window when the play ends.
    int Play() override;
    // Back to the start of the song; 1 on success.
    int Stop() override;
    // A stopped song is started first, so that the pause primes the output.
    int Pause() override;
    // Clamps to 0 ... lengthMs - 1 and answers the clamped value, or -1 when MCI refuses.
    int Seek(std::uint32_t milliseconds) override;
    // Milliseconds from the start of the song, never below 0 nor past lengthMs.
    int GetPosition() override;
    // Whatever mode MCI reports.
    int GetMode() override;
    // The current MIDI tick of a sequencer song with a reader: song position (sixteenths) x
    // timebase / 4. 0 for every other song.
    int GetTickPosition() override;
    int MeasureToPosition(MeasurePosition& position, std::int32_t measure) override;
    int PositionToMeasure(MeasurePosition& position, std::int32_t tick) override;

    std::uint32_t MciId() const { return mci.Id(); }
    bool HasSongInfo() const { return songInfo != nullptr; }
    // The temporary MIDI file a converted Recomposer song plays from; null for every other song.
    const char* ConvertedPath() const { return convertedSong ? convertedSong->Path() : nullptr; }

    // MIDI only: the song's length in song-position units (sixteenth notes); 0 otherwise.
    std::uint32_t songPointerLength = 0;
    // MIDI only: ticks per quarter note from the reader; 0 without one.
    std::uint16_t timebase = 0;
    // The medium's start position in milliseconds, taken off every position and added to every seek.
    std::uint32_t startPosition = 0;

private:
    std::uint32_t StatusOrZero(const MciStatusQuery& query);
    void AttachSongInfo(const char* fileName);
    // Converts a Recomposer song into a temporary MIDI file and opens that; false when either fails.
    bool OpenConverted(const char* fileName);

    MciHandle mci;
    TempFilePort& tempFiles;
    std::unique_ptr<SongInfo> songInfo;
    // Closed after MCI has let go of it.
    std::unique_ptr<TemporaryFile> convertedSong;
    // Ticks of setup messages the conversion put before the song's first tick.
    std::uint32_t leadInTicks = 0;
};
