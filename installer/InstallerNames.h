// Names the installer, the uninstaller, the player and the shell agree on: registry keys and
// values, the files of the distribution and of an installation.
#pragma once

#include <cstddef>

// Under the local-machine root.
constexpr char kMachineKeyPath[] = "SOFTWARE\\Veqo\\Melodrix\\2";
constexpr char kUninstallParentPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kUninstallEntryName[] = "MelodrixV2";
constexpr char kUninstallEntryPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\MelodrixV2";
constexpr char kWindowsVersionPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char kProgramFilesValue[] = "ProgramFilesDir";

// Under the current-user root (the player's own settings tree).
constexpr char kDirectoryKeyPath[] = "Software\\Veqo\\Melodrix\\2\\Directory";
constexpr char kRegListKeyPath[] = "Software\\Veqo\\Melodrix\\2\\File\\RegList";
constexpr char kProgramValue[] = "Program";
constexpr char kListValue[] = "List";
constexpr char kCdValue[] = "CD";

// What the shell's list of programs shows for the uninstall entry.
constexpr char kDisplayName[] = "Melodrix Ver2";
constexpr char kDisplayVersion[] = "2.0";
constexpr char kPublisher[] = "Veqo";

// The version-1 settings file, read by bare name from the Windows folder.
constexpr char kVersion1IniName[] = "Melodrix.ini";

constexpr char kPlayerFileName[] = "Melodrix.exe";
constexpr char kUninstallerFileName[] = "Uninst.exe";
constexpr char kInstallerFileName[] = "install.exe";
// The help system's index next to an old help file; deleted so that it cannot go stale.
constexpr char kHelpIndexFileName[] = "Melodrix.GID";

// One file of the distribution and the name it is installed under.
struct DistributionFile {
    const char* sourceName;
    const char* installedName;
};

// Copied in this order into the program folder, each replacing an older copy.
constexpr DistributionFile kDistributionFiles[] = {
    {"Melodrix.bin", "Melodrix.exe"}, {"MxLib.dll", "MxLib.dll"},       {"Melodrix.chm", "Melodrix.chm"},
    {"Melodrix.doc", "Melodrix.doc"}, {"Melodrix.log", "Melodrix.log"}, {"Uninst.bin", "Uninst.exe"},
};
constexpr std::size_t kDistributionFileCount = sizeof kDistributionFiles / sizeof kDistributionFiles[0];
