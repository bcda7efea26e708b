// Start-up of the installer: where it runs from, where the program goes, what a previous
// installation chose.
#include "installer/InstallState.h"

#include <vector>

#include "app/SettingsKeyReader.h"
#include "app/containers/ShiftJis.h"
#include "installer/FolderPath.h"
#include "installer/InstallerNames.h"

namespace {

// A string value of at most kLongValueBytes - 1 bytes; false when missing, too long or empty.
bool ReadLongText(SettingsKeyReader& key, const char* name, std::string& out) {
    std::vector<char> buffer(kLongValueBytes, '\0');
    if (!key.Text(name, buffer.data(), static_cast<std::uint32_t>(buffer.size())) || buffer[0] == '\0') {
        return false;
    }
    out = buffer.data();
    return true;
}

}  // namespace

std::string InstallState::SourceFolderOf(const std::string& executablePath) {
    // The last single-byte backslash or colon ends the folder; double-byte characters are stepped over.
    std::size_t end = 0;
    for (std::size_t i = 0; i < executablePath.size();) {
        const char c = executablePath[i];
        const std::size_t length = ShiftJisCharLength(executablePath.c_str() + i);
        if (length == 1 && (c == '\\' || c == '/' || c == ':')) {
            end = i + 1;
        }
        i += length;
    }
    std::string folder = executablePath.substr(0, end);
    if (!folder.empty() && folder.back() == '/') {
        folder.back() = '\\';
    }
    return folder;
}

std::string InstallState::DefaultProgramFolder(const std::string& systemDirectory) {
    std::string folder = "C:\\Program Files\\";
    if (systemDirectory.size() >= 3) {
        folder = systemDirectory.substr(0, 3) + "Program Files\\";
    }
    SettingsKeyReader windows(RegRoot::kLocalMachine, kWindowsVersionPath);
    std::string programFiles;
    if (windows.isOpen && ReadLongText(windows, kProgramFilesValue, programFiles)) {
        folder = JoinPath(programFiles, "");
    }
    return folder + "Veqo\\Melodrix";
}

void InstallState::Start(const std::string& executablePath, const std::string& systemDirectory) {
    source = SourceFolderOf(executablePath);
    program = DefaultProgramFolder(systemDirectory);
    SettingsKeyReader directory(RegRoot::kCurrentUser, kDirectoryKeyPath);
    if (!directory.isOpen) {
        return;
    }
    ReadLongText(directory, kProgramValue, program);
    ReadLongText(directory, kListValue, list);
    ReadLongText(directory, kCdValue, cd);
    previousState = kPreviousInstallation;
}

void InstallState::DeriveListFolders() {
    if (!list.empty()) {
        return;
    }
    list = JoinPath(program, "List");
    cd = JoinPath(program, "CD");
}
