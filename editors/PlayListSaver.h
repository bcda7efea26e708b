// Saves the play list editor's list: a new list under a new unique name made from its title in the
// list folder; a list in the list folder whose title changed under a name made from the new title,
// moving the old file to a temporary name first so the old name is free and the old list is never
// lost; any other list under its own name.
#pragma once

#include <cstdint>

#include "app/containers/PathHelpers.h"
#include "songfiles/PlayListFile.h"

enum class ListSaveResult {
    kSaved,
    kWriteFailed,   // nothing changed on disk (the old list is back under its name)
    kRenameFailed,  // the old list could not be moved aside; nothing was written
    kKeptTemporary  // written nowhere, and the old list stays under temporaryPath
};

struct ListSaveOutcome {
    ListSaveResult result = ListSaveResult::kWriteFailed;
    char savedPath[kMaxPathBytes] = {};      // the file the list now lives in (kSaved)
    char temporaryPath[kMaxPathBytes] = {};  // where the old list stays (kKeptTemporary)
};

// Saves list for the editor. path is the list's file ("" for a new list); listFolder the folder of
// new lists; inListFolder tells whether path lies in listFolder (the caller compares the two the
// way the system resolves them).
ListSaveOutcome SavePlayList(const PlayListFile& list,
                             const char* path,
                             const char* listFolder,
                             bool titleChanged,
                             bool inListFolder);

// True when two folder paths name the same folder as text: ASCII letters in any case, '/' as '\',
// trailing separators ignored.
bool SameFolderText(const char* first, const char* second);
