// Start-up steps before the windows exist.
#include "app/StartupSequence.h"

#include <cstdio>
#include <string>

#include "app/ArgumentTable.h"
#include "app/CommandLineParser.h"
#include "app/InstanceSystem.h"
#include "app/Settings.h"
#include "app/SingleInstanceRule.h"
#include "app/StartOptions.h"
#include "app/StartupUi.h"
#include "app/containers/ShiftJis.h"

char gHelpFilePath[kMaxPathBytes];
char gProgramDirectory[kMaxPathBytes];

namespace {

constexpr char kHelpFileName[] = "Melodrix.chm";

void ComputeProgramPaths(const char* programPath) {
    DirectoryOf(gProgramDirectory, programPath);
    // Cut at a character boundary if a very deep directory leaves no room for the name.
    const std::string helpPath = std::string(gProgramDirectory) + kHelpFileName;
    CopyShiftJis(gHelpFilePath, sizeof gHelpFilePath, helpPath.c_str());
}

// The play-list and CD-list folders default to the program's directory; set before loading so
// that a stored folder still wins.
void DefaultFoldersToProgramDirectory() {
    if (gSettings.directory.List[0] == '\0') {
        std::snprintf(gSettings.directory.List, sizeof gSettings.directory.List, "%s", gProgramDirectory);
    }
    if (gSettings.directory.CD[0] == '\0') {
        std::snprintf(gSettings.directory.CD, sizeof gSettings.directory.CD, "%s", gProgramDirectory);
    }
}

// Passes the kill-failure question on but keeps quiet about tokens already reported once.
class SecondPassUi : public StartupUi {
public:
    explicit SecondPassUi(StartupUi& ui) : ui(ui) {}
    void ShowCommandLineWarning(const std::string&) override {}
    KillFailureChoice AskKillFailed() override { return ui.AskKillFailed(); }

private:
    StartupUi& ui;
};

}  // namespace

StartDecision PrepareStart(const char* programPath, const char* commandLine, InstanceSystem& system,
                           StartupUi& ui) {
    ComputeProgramPaths(programPath);
    DefaultFoldersToProgramDirectory();
    LoadSettings();
    CopyStartOptionsFromSettings(gStartOptions);

    const ArgumentTable arguments(programPath, commandLine);
    ApplyCommandLine(arguments, gStartOptions, ui);

    switch (ApplySingleInstanceRule(system, ui, gStartOptions.singleInstance != 0, gStartOptions.killOthers != 0)) {
        case InstanceOutcome::kEnd:
            return StartDecision::kEnd;
        case InstanceOutcome::kGoOn:
            return StartDecision::kRun;
        case InstanceOutcome::kTookOver:
            break;
    }
    // The player that just ended has saved its state: start from it, then apply this command
    // line again, so added songs land after its history. Its warnings were shown the first time.
    FileHistory.Clear();
    LoadSettings();
    CopyStartOptionsFromSettings(gStartOptions);
    SecondPassUi quiet(ui);
    ApplyCommandLine(arguments, gStartOptions, quiet);
    return StartDecision::kRun;
}
