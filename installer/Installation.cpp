// The installation steps and their failure record.
#include "installer/Installation.h"

#include <string>

#include "app/SettingsKeyWriter.h"
#include "installer/FolderPath.h"
#include "installer/InstallerNames.h"
#include "installer/InstallerTexts.h"
#include "installer/PlayListConversion.h"

namespace {

// Writes a string value; false when the key is not open or the value was not written.
bool PutText(SettingsKeyWriter& key, const char* name, const std::string& value) {
    std::string copy = value;
    return key.Text(name, &copy[0], static_cast<std::uint32_t>(copy.size() + 1)) != 0;
}

bool PutInt(SettingsKeyWriter& key, const char* name, std::int32_t value) {
    return key.Int(name, value) != 0;
}

}  // namespace

const InstallReport& Installation::Run() {
    MakeFolders();
    CopyFiles();
    WriteMachineKeys();
    WriteFolderValues();
    if (state.previousState < kPreviousInstallation) {
        ConvertVersion1Lists();
    }
    MakeShortcuts();
    return report;
}

void Installation::MakeFolders() {
    for (const std::string* folder : {&state.program, &state.list, &state.cd}) {
        if (CreateFolder(target, *folder) != FolderResult::kOk) {
            report.Fail(kFailFolder, *folder);
        }
    }
}

void Installation::CopyFiles() {
    for (const DistributionFile& file : kDistributionFiles) {
        const std::string from = state.source + file.sourceName;
        const std::string to = JoinPath(state.program, file.installedName);
        if (!target.IsFile(from.c_str())) {
            report.Fail(kFailMissingSource, file.sourceName);
            continue;
        }
        if (!target.CopyOver(from.c_str(), to.c_str())) {
            report.Fail(kFailCopy, to);
            continue;
        }
        installedBytes += target.FileBytes(to.c_str());
    }
    // The old help system's index is rebuilt from its help file; there is nothing to rebuild it
    // from any more, and a missing index is no failure.
    const std::string index = JoinPath(state.program, kHelpIndexFileName);
    if (target.IsFile(index.c_str())) {
        target.RemoveFile(index.c_str());
    }
}

void Installation::WriteMachineKeys() {
    SettingsKeyWriter machine(RegRoot::kLocalMachine, kMachineKeyPath);
    if (!machine.isOpen) {
        report.Fail(kFailRegistry, std::string("HKEY_LOCAL_MACHINE\\") + kMachineKeyPath);
    }
    SettingsKeyWriter entry(RegRoot::kLocalMachine, kUninstallEntryPath);
    const std::string player = JoinPath(state.program, kPlayerFileName);
    // Quoted, so that a folder with blanks ("Program Files") cannot be split into another program.
    const std::string uninstaller = "\"" + JoinPath(state.program, kUninstallerFileName) + "\"";
    const auto kilobytes = static_cast<std::int32_t>((installedBytes + 1023) / 1024);
    bool ok = PutText(entry, "DisplayName", kDisplayName);
    ok = PutText(entry, "UninstallString", uninstaller) && ok;
    ok = PutText(entry, "DisplayIcon", player + ",0") && ok;
    ok = PutText(entry, "DisplayVersion", kDisplayVersion) && ok;
    ok = PutText(entry, "Publisher", kPublisher) && ok;
    ok = PutText(entry, "InstallLocation", state.program) && ok;
    ok = PutInt(entry, "EstimatedSize", kilobytes) && ok;
    ok = PutInt(entry, "NoModify", 1) && ok;
    ok = PutInt(entry, "NoRepair", 1) && ok;
    if (!ok) {
        report.Fail(kFailRegistry, std::string("HKEY_LOCAL_MACHINE\\") + kUninstallEntryPath);
    }
}

void Installation::WriteFolderValues() {
    SettingsKeyWriter directory(RegRoot::kCurrentUser, kDirectoryKeyPath);
    bool ok = PutText(directory, kProgramValue, state.program);
    ok = PutText(directory, kListValue, state.list) && ok;
    ok = PutText(directory, kCdValue, state.cd) && ok;
    if (!ok) {
        report.Fail(kFailRegistry, std::string("HKEY_CURRENT_USER\\") + kDirectoryKeyPath);
    }
}

void Installation::ConvertVersion1Lists() {
    PlayListConversion conversion(profiles, report);
    conversion.Run(state.list);
}

void Installation::MakeShortcuts() {
    const std::string player = JoinPath(state.program, kPlayerFileName);
    if (state.startMenu && !target.MakeShortcut(ShortcutPlace::kPrograms, player.c_str(), state.program.c_str())) {
        report.Fail(kFailShortcutPrograms);
    }
    if (state.desktop && !target.MakeShortcut(ShortcutPlace::kDesktop, player.c_str(), state.program.c_str())) {
        report.Fail(kFailShortcutDesktop);
    }
}
