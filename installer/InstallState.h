// What the installer holds for its whole run: the four folders, the two shortcut choices and
// whether this major version was installed before; and how start-up fills them.
#pragma once

#include <string>

// 0: no settings of this major version found; 2: its Directory key exists.
constexpr int kNoPreviousInstallation = 0;
constexpr int kPreviousInstallation = 2;

// Values longer than this read from the registry are left as they were. Anything longer than a
// folder may be is still taken whole, so that the folder test refuses it instead of a cut copy
// naming another folder.
constexpr unsigned kLongValueBytes = 1024;

class InstallState {
public:
    // The folder of the installer's executable with a trailing backslash; empty when the path
    // has no folder.
    static std::string SourceFolderOf(const std::string& executablePath);
    // The default program folder: the system drive's "Program Files\" (from systemDirectory,
    // e.g. "D:\WINDOWS\system32"; "C:\Program Files\" when it is shorter than three bytes), or the
    // registry's ProgramFilesDir when it can be read, followed by "Veqo\Melodrix".
    static std::string DefaultProgramFolder(const std::string& systemDirectory);

    // The start-up steps: source folder, default program folder, then the folders of a previous
    // installation from the current user's Directory key (an empty or missing value leaves its
    // folder as it was).
    void Start(const std::string& executablePath, const std::string& systemDirectory);

    // After the program folder passed its test: an empty list folder becomes program\List and the
    // CD folder program\CD.
    void DeriveListFolders();

    std::string source;
    std::string program;
    std::string list;
    std::string cd;
    bool startMenu = true;
    bool desktop = true;
    int previousState = kNoPreviousInstallation;
};
