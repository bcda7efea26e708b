// Device, companion and title rules by extension.
#include "songfiles/FileTypes.h"

#include <cstring>

#include "app/containers/ShiftJis.h"
#include "songfiles/Id3v1.h"
#include "songfiles/Id3v2.h"
#include "songfiles/ListFileText.h"
#include "songfiles/RcpSongInfo.h"
#include "songfiles/SmfSongInfo.h"

namespace {

// Copies path into a path buffer; false when it does not fit (a cut path names another file).
bool CopyPath(char* out, const char* path) {
    return CopyShiftJis(out, kMaxPathBytes, path != nullptr ? path : "");
}

// out := path with extension, when that file exists.
bool ExistsWithExtension(char* out, const char* path, const char* extension) {
    return ReplaceExtension(out, path, extension) && FileExists(out);
}

// Title and comment from a reader; a song without a title keeps its file name.
void TakeReaderTexts(const SongInfo& reader, const char* baseName, char* title, char* comment) {
    reader.GetTitle(title, kListTextBytes);
    reader.GetComment(comment, kListTextBytes);
    if (title[0] == '\0') {
        CopyShiftJis(title, kListTextBytes, baseName);
    }
}

}  // namespace

bool HasExtension(const char* path, const char* extension) {
    char actual[kMaxPathBytes];
    if (path == nullptr || !ExtensionOf(actual, path)) {
        return false;
    }
    return std::strlen(actual) == std::strlen(extension) && StartsWithNoCase(actual, extension);
}

bool IsRecomposerSong(const char* path) {
    return HasExtension(path, ".rcp") || HasExtension(path, ".r36") || HasExtension(path, ".g36") ||
           HasExtension(path, ".g18");
}

int ResolveWrdSong(char* path) {
    if (!HasExtension(path, ".wrd")) {
        return 0;
    }
    static const char* const kSongExtensions[] = {".mid", ".rcp", ".r36", ".g36", ".g18"};
    return FindCompanionFile(path, kSongExtensions, 5);
}

SongDevice ChooseDevice(const char* path, bool selfPlay, SongDeviceOpener& opener, char* openedPath) {
    if (!CopyPath(openedPath, path)) {
        openedPath[0] = '\0';
        return SongDevice::kNone;
    }
    ResolveWrdSong(openedPath);
    if (HasExtension(openedPath, ".wav") && selfPlay) {
        if (opener.OpenWave(openedPath)) {
            return SongDevice::kWave;
        }
    } else if (HasExtension(openedPath, ".mp3")) {
        if (opener.OpenMp3(openedPath)) {
            return SongDevice::kMp3;
        }
    }
    // MCI picks its driver by extension and plays whatever the own devices do not.
    return opener.OpenMci(openedPath) ? SongDevice::kMci : SongDevice::kNone;
}

SongCompanions FindSongCompanions(const char* songPath, std::int32_t deviceType) {
    SongCompanions companions;
    if (deviceType == kDeviceTypeSequencer) {
        companions.hasWrd = ExistsWithExtension(companions.wrdPath, songPath, ".wrd");
    }
    // The viewer prefers the .doc file when both exist.
    companions.hasText = ExistsWithExtension(companions.textPath, songPath, ".doc") ||
                         ExistsWithExtension(companions.textPath, songPath, ".txt");
    if (!companions.hasWrd) {
        companions.wrdPath[0] = '\0';
    }
    if (!companions.hasText) {
        companions.textPath[0] = '\0';
    }
    return companions;
}

MeasureReader ChooseMeasureReader(const char* path) {
    if (HasExtension(path, ".mid") || HasExtension(path, ".smp")) {
        return MeasureReader::kSequence;
    }
    return IsRecomposerSong(path) ? MeasureReader::kRcp : MeasureReader::kNone;
}

void GetSongTitle(const char* path, char* title, char* comment) {
    char baseName[kMaxPathBytes];
    BaseNameOf(baseName, path);
    CopyShiftJis(title, kListTextBytes, baseName);
    comment[0] = '\0';

    char songPath[kMaxPathBytes];
    if (!CopyPath(songPath, path)) {
        return;
    }
    if (HasExtension(songPath, ".wrd")) {
        // The last candidate lacks its dot on purpose: ReplaceExtension adds it.
        static const char* const kCompanions[] = {".mid", ".smf", ".rcp", ".r36", ".g36", ".g18", "mp3"};
        if (!FindCompanionFile(songPath, kCompanions, 7)) {
            return;
        }
    }

    if (HasExtension(songPath, ".mp3")) {
        Id3v2Text tag2;
        if (ReadId3v2(tag2, songPath) && !tag2.title.empty()) {
            CopyShiftJis(title, kListTextBytes, tag2.title.c_str());
            CopyShiftJis(comment, kListTextBytes, tag2.artist.c_str());
            return;
        }
        Id3v1Tag tag;
        if (ReadId3v1(tag, songPath)) {
            // A tag with a blank title keeps the file name: a song is never listed without a name.
            if (tag.title[0] != '\0') {
                CopyShiftJis(title, kListTextBytes, tag.title);
            }
            CopyShiftJis(comment, kListTextBytes, tag.artist);
        }
        return;
    }
    if (HasExtension(songPath, ".mid") || HasExtension(songPath, ".smf")) {
        TakeReaderTexts(SmfSongInfo(songPath), baseName, title, comment);
    } else if (IsRecomposerSong(songPath)) {
        TakeReaderTexts(RcpSongInfo(songPath), baseName, title, comment);
    }
}
