// Decides when the session (the song history, the current song, the play orders and mode) is
// written while the player runs, so that a player that is killed or loses power starts next
// time with the list it was playing. The main window asks about once a second and at the end
// of the Windows session.
#pragma once

#include <string>

class StringList;
struct Settings;

class SessionSaver {
public:
    // True when the session in the settings differs from the one last taken; takes it.
    bool TakeChanges(const Settings& settings, const StringList& history);

private:
    std::string taken;
};
