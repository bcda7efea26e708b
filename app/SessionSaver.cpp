// The session fingerprint: every name of the history and the numbers that say where the
// player was, joined so that any change shows.
#include "app/SessionSaver.h"

#include "app/Settings.h"
#include "app/containers/StringList.h"

bool SessionSaver::TakeChanges(const Settings& settings, const StringList& history) {
    std::string session;
    for (const std::int32_t number :
         {settings.file.LastSong, settings.play.FilePlayMode, settings.play.CDPlayMode, settings.player.LastMode}) {
        session += std::to_string(number);
        session += '\n';
    }
    session += settings.cd.LastDrive;
    for (std::int32_t i = 0; i < history.Count(); ++i) {
        // A NUL cannot be part of a name, so names never run into each other.
        session += '\0';
        session += history.StringAt(i);
    }
    if (session == taken) {
        return false;
    }
    taken.swap(session);
    return true;
}
