// Shortcuts to the player through the shell's ShellLink object, and where the shell keeps them.
#pragma once

#include <string>

#include "installer/InstallTarget.h"

// The full path of "Melodrix.lnk" in the user's Start-menu programs folder or on the desktop;
// empty when the shell cannot name the folder.
std::string ShortcutPath(ShortcutPlace place);

// Saves a shortcut at linkPath (replacing an older one) that starts target in workingFolder,
// described as "Melodrix". False when any step fails.
bool CreateShellLink(const std::string& linkPath, const char* target, const char* workingFolder);

// The path a shortcut points at; empty when it cannot be read.
std::string ShellLinkTarget(const std::string& linkPath);
