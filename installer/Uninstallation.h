// Removal of an installation: the shortcuts that point at the installed player, the program
// files the installer copied, the uninstall entry and the local-machine key, the program folder
// when it is empty; and, only when the user asks for it, the player's settings and the play list
// and CD list files in the list and CD folders.
#pragma once

#include <string>

#include "installer/InstallReport.h"
#include "installer/InstallTarget.h"

struct UninstallFolders {
    std::string program;
    std::string list;
    std::string cd;
};

class Uninstallation {
public:
    explicit Uninstallation(InstallTarget& target) : target(target) {}

    // The folders of the installation: the program folder from the uninstall entry's
    // InstallLocation, else from the current user's Directory key, else fallbackProgram (the
    // folder the uninstaller was started from); the list and CD folders from the Directory key.
    static UninstallFolders FindFolders(const std::string& fallbackProgram);

    // Removes the installation; with removeUserData also the settings and the list files.
    const InstallReport& Run(const UninstallFolders& folders, bool removeUserData);

private:
    void RemoveShortcuts(const std::string& player);
    void RemoveProgramFiles(const std::string& program);
    void RemoveMachineKeys();
    void RemoveUserSettings();
    // Removes the files of folder that end in extension (".rpl"), then the folder if it is empty.
    void RemoveListFiles(const std::string& folder, const char* extension);

    InstallTarget& target;
    InstallReport report;
};
