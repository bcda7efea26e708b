// The rules that tell from a file name's extension (any letter case) which device plays a song,
// which companion files belong to it and which reader supplies its title.
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/containers/PathHelpers.h"
#include "devices/MediaDevice.h"  // kDeviceTypeSequencer
#include "songfiles/PlayListFile.h"

// True when the extension of path (after its last dot) is extension (".mid"), ignoring ASCII case.
bool HasExtension(const char* path, const char* extension);

// True for a Recomposer song: .rcp, and the 36-track .r36, .g36 and .g18.
bool IsRecomposerSong(const char* path);

// A .wrd script is played through its companion song: path becomes the .mid file beside it if that
// exists, else the Recomposer song (.rcp, .r36, .g36, .g18 in this order). Answers 1 when path was replaced, 0 (path
// unchanged) otherwise, and for any path that is not a .wrd file.
int ResolveWrdSong(char* path);

// The devices a song can be opened on. Each call tries to open path and answers true on success;
// the play mode wires them to its own devices.
class SongDeviceOpener {
public:
    virtual ~SongDeviceOpener() = default;
    virtual bool OpenWave(const char* path) = 0;
    virtual bool OpenMp3(const char* path) = 0;
    virtual bool OpenMci(const char* path) = 0;
};

enum class SongDevice { kNone, kWave, kMp3, kMci };

// Opens a song: a .wrd file through its companion; a .wav file on the own wave device when
// selfPlay is set; an .mp3 file on the own MP3 device; and MCI for everything else or when the own
// device refused the file. openedPath (kMaxPathBytes) gets the path that was opened. Answers the
// device that opened it, or kNone when none could.
SongDevice ChooseDevice(const char* path, bool selfPlay, SongDeviceOpener& opener, char* openedPath);

// The files that go with an opened song.
struct SongCompanions {
    // The song's WRD script; only MIDI played through the MCI sequencer has one.
    bool hasWrd = false;
    char wrdPath[kMaxPathBytes] = {};
    // The text document for the text viewer: the .doc file, else the .txt file.
    bool hasText = false;
    char textPath[kMaxPathBytes] = {};
};

// Looks for the companions of songPath (the path that was opened) on a device of deviceType.
SongCompanions FindSongCompanions(const char* songPath, std::int32_t deviceType);

// The reader that gives measure information for a song opened through MCI.
enum class MeasureReader { kNone, kSequence, kRcp };
MeasureReader ChooseMeasureReader(const char* path);

// Fills title and comment (kListTextBytes each) for showing a song in lists: the texts of a MIDI,
// Recomposer or MP3 file (a .wrd file's from its companion), else the file name without folder and
// extension and an empty comment.
void GetSongTitle(const char* path, char* title, char* comment);
