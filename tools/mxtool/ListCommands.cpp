// mxtool song-title, rpl-dump, export-m3u8 and cdl-dump: the title lookup and the list files as the player reads them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/containers/FileSystem.h"
#include "app/containers/PathHelpers.h"
#include "app/containers/ShiftJis.h"
#include "songfiles/CdListFile.h"
#include "songfiles/FileTypes.h"
#include "songfiles/ForeignPlayList.h"
#include "songfiles/PlayListFile.h"
#include "tools/mxtool/Commands.h"

namespace {

// The disc identifier written as eight hexadecimal digits; false for any other text.
bool ParseDiscId(const char* text, std::uint32_t& discId) {
    if (std::strlen(text) != 8) {
        return false;
    }
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 16);
    if (*end != '\0' || text[0] == '+' || text[0] == '-') {
        return false;
    }
    discId = static_cast<std::uint32_t>(value);
    return true;
}

}  // namespace

int RunSongTitle(int, char** argv) {
    char title[kListTextBytes];
    char comment[kListTextBytes];
    GetSongTitle(argv[0], title, comment);
    std::printf("title: %s\ncomment: %s\n", title, comment);
    return 0;
}

int RunRplDump(int, char** argv) {
    PlayListFile list;
    const int result = list.Load(argv[0]);
    std::printf("result: %d\n", result);
    if (!result) {
        return 1;
    }
    std::printf("title: %s\nvolume: %d\nfont: %s\nentries: %d\n", list.title, static_cast<int>(list.volume),
                list.fontName, static_cast<int>(list.EntryCount()));
    PlayListEntry entry;
    for (int i = 0; list.GetEntry(i, entry); ++i) {
        std::printf("entry[%d].path: %s\n", i, entry.path);
        std::printf("entry[%d].title: %s\n", i, entry.title);
        std::printf("entry[%d].comment: %s\n", i, entry.comment);
        std::printf("entry[%d].volume: %d\n", i, static_cast<int>(entry.volume));
        std::printf("entry[%d].balance: %d\n", i, static_cast<int>(entry.balance));
        std::printf("entry[%d].silence: %d\n", i, static_cast<int>(entry.silenceMs));
    }
    return 0;
}

int RunExportM3u8(int, char** argv) {
    PlayListFile list;
    if (!list.Load(argv[0])) {
        std::fprintf(stderr, "mxtool: %s is no play list that can be read\n", argv[0]);
        return 1;
    }
    const std::string text = MakeM3u8(list);
    if (!ActiveFileSystem().WriteFileReplacing(argv[1], text.data(), text.size())) {
        std::fprintf(stderr, "mxtool: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("entries: %d\nbytes: %zu\n", static_cast<int>(list.EntryCount()), text.size());
    return 0;
}

int RunCdlDump(int argc, char** argv) {
    // The disc identifier gives the track count; by default it is the file's own name.
    char baseName[kMaxPathBytes];
    BaseNameOf(baseName, argv[0]);
    std::uint32_t discId = 0;
    if (!ParseDiscId(argc > 1 ? argv[1] : baseName, discId)) {
        std::fprintf(stderr, "mxtool: give DISCID as eight hexadecimal digits when the file is not named after it\n");
        return 2;
    }
    CdListFile list(discId, "");
    CopyShiftJis(list.path, sizeof list.path, argv[0]);
    const int result = list.Load();
    std::printf("disc: %08x\nresult: %d\n", static_cast<unsigned>(discId), result);
    if (result != kCdListLoaded) {
        return 1;
    }
    std::printf("title: %s\nvolume: %d\nfont: %s\ntracks: %d\n", list.title, static_cast<int>(list.volume),
                list.fontName, static_cast<int>(list.TrackCount()));
    CdListTrack track;
    for (int i = 0; list.GetTrack(i, track); ++i) {
        std::printf("track[%d].title: %s\n", i + 1, track.title);
        std::printf("track[%d].comment: %s\n", i + 1, track.comment);
        std::printf("track[%d].volume: %d\n", i + 1, static_cast<int>(track.volume));
        std::printf("track[%d].balance: %d\n", i + 1, static_cast<int>(track.balance));
    }
    std::printf("order:");
    for (int i = 0; i < list.OrderCount(); ++i) {
        std::printf(" %d", static_cast<int>(list.GetOrder(i) + 1));
    }
    std::printf("\n");
    return 0;
}
