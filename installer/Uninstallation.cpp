// Taking an installation away again, recording what could not be removed.
#include "installer/Uninstallation.h"

#include <vector>

#include "app/SettingsKeyReader.h"
#include "installer/FolderPath.h"
#include "installer/InstallState.h"
#include "installer/InstallerNames.h"
#include "installer/InstallerTexts.h"

namespace {

constexpr char kSettingsRoot[] = "Software\\Veqo\\Melodrix\\2";

// The player's settings keys below kSettingsRoot, deepest first, so each is empty when its turn
// comes (the registry deletes only keys without subkeys).
constexpr const char* kSettingsSubKeys[] = {
    "File\\History", "File\\RegList", "File", "Player", "Directory", "Play", "CD", "Wave", "Volume", "Record",
};

std::string ReadText(SettingsKeyReader& key, const char* name) {
    std::vector<char> buffer(kLongValueBytes, '\0');
    key.Text(name, buffer.data(), static_cast<std::uint32_t>(buffer.size()));
    return buffer.data();
}

// Splits "A\B\C" into the parent "A\B" and the name "C".
void SplitKeyPath(const std::string& path, std::string& parent, std::string& name) {
    const std::size_t slash = path.rfind('\\');
    parent = slash == std::string::npos ? std::string() : path.substr(0, slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
}

// Deletes the key at path when it exists. True when it is gone afterwards.
bool DeleteKey(RegRoot root, const std::string& path) {
    if (!SettingsKeyReader(root, path.c_str()).isOpen) {
        return true;
    }
    std::string parent;
    std::string name;
    SplitKeyPath(path, parent, name);
    SettingsKeyReader parentKey(root, parent.c_str());
    return parentKey.DeleteSubKey(name.c_str()) != 0;
}

bool HasExtension(const std::string& name, const char* extension) {
    const std::size_t length = std::char_traits<char>::length(extension);
    if (name.size() <= length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        char c = name[name.size() - length + i];
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (c != extension[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

UninstallFolders Uninstallation::FindFolders(const std::string& fallbackProgram) {
    UninstallFolders folders;
    SettingsKeyReader entry(RegRoot::kLocalMachine, kUninstallEntryPath);
    SettingsKeyReader directory(RegRoot::kCurrentUser, kDirectoryKeyPath);
    folders.program = ReadText(entry, "InstallLocation");
    if (folders.program.empty()) {
        folders.program = ReadText(directory, kProgramValue);
    }
    if (folders.program.empty()) {
        folders.program = TidyFolder(fallbackProgram);
    }
    folders.list = ReadText(directory, kListValue);
    folders.cd = ReadText(directory, kCdValue);
    return folders;
}

const InstallReport& Uninstallation::Run(const UninstallFolders& folders, bool removeUserData) {
    // A folder that could not be a folder of ours (empty, relative, overlong) is left alone.
    const bool programUsable = QualifyFolder(folders.program) == FolderResult::kOk;
    if (programUsable) {
        RemoveShortcuts(JoinPath(folders.program, kPlayerFileName));
        RemoveProgramFiles(folders.program);
    }
    RemoveMachineKeys();
    if (removeUserData) {
        RemoveUserSettings();
        for (const auto& [folder, extension] : {std::pair{&folders.list, ".rpl"}, std::pair{&folders.cd, ".cdl"}}) {
            if (QualifyFolder(*folder) == FolderResult::kOk) {
                RemoveListFiles(*folder, extension);
            }
        }
    }
    // Kept list folders inside the program folder keep it as well; that is no failure.
    if (programUsable && target.IsFolder(folders.program.c_str())) {
        target.RemoveFolder(folders.program.c_str());
    }
    return report;
}

void Uninstallation::RemoveShortcuts(const std::string& player) {
    for (const ShortcutPlace place : {ShortcutPlace::kPrograms, ShortcutPlace::kDesktop}) {
        if (target.ShortcutPointsAt(place, player.c_str()) && !target.RemoveShortcut(place)) {
            report.Fail(kFailRemoveShortcut, place == ShortcutPlace::kPrograms ? "スタートメニュー" : "デスクトップ");
        }
    }
}

void Uninstallation::RemoveProgramFiles(const std::string& program) {
    std::vector<std::string> names;
    for (const DistributionFile& file : kDistributionFiles) {
        names.emplace_back(file.installedName);
    }
    names.emplace_back(kHelpIndexFileName);
    for (const std::string& name : names) {
        const std::string path = JoinPath(program, name);
        if (target.IsFile(path.c_str()) && !target.RemoveFile(path.c_str())) {
            report.Fail(kFailRemoveFile, path);
        }
    }
}

void Uninstallation::RemoveMachineKeys() {
    for (const char* path : {kUninstallEntryPath, kMachineKeyPath}) {
        if (!DeleteKey(RegRoot::kLocalMachine, path)) {
            report.Fail(kFailRemoveKey, std::string("HKEY_LOCAL_MACHINE\\") + path);
        }
    }
    // The maker's keys above ours go only when nothing else of the maker lives in them.
    DeleteKey(RegRoot::kLocalMachine, "SOFTWARE\\Veqo\\Melodrix");
    DeleteKey(RegRoot::kLocalMachine, "SOFTWARE\\Veqo");
}

void Uninstallation::RemoveUserSettings() {
    for (const char* subKey : kSettingsSubKeys) {
        DeleteKey(RegRoot::kCurrentUser, std::string(kSettingsRoot) + "\\" + subKey);
    }
    if (!DeleteKey(RegRoot::kCurrentUser, kSettingsRoot)) {
        report.Fail(kFailRemoveKey, std::string("HKEY_CURRENT_USER\\") + kSettingsRoot);
    }
    DeleteKey(RegRoot::kCurrentUser, "Software\\Veqo\\Melodrix");
    DeleteKey(RegRoot::kCurrentUser, "Software\\Veqo");
}

void Uninstallation::RemoveListFiles(const std::string& folder, const char* extension) {
    std::vector<std::string> names;
    if (!target.ListFiles(folder.c_str(), names)) {
        return;
    }
    for (const std::string& name : names) {
        const std::string path = JoinPath(folder, name);
        if (HasExtension(name, extension) && !target.RemoveFile(path.c_str())) {
            report.Fail(kFailRemoveFile, path);
        }
    }
    // Files of other kinds keep the folder; they are the user's.
    target.RemoveFolder(folder.c_str());
}
