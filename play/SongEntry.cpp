// The song record's blanking rule.
#include "play/SongEntry.h"

void BlankSongTexts(SongEntry& entry) {
    entry.path[0] = '\0';
    entry.listTitle[0] = '\0';
    entry.title[0] = '\0';
    entry.comment[0] = '\0';
    entry.fontName[0] = '\0';
    entry.volume = kDefaultSongVolume;
    entry.balance = kBalanceUnchanged;
    entry.origin = kOriginNone;
}
