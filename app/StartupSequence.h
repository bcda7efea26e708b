// Start-up up to the first window: program paths, settings, start options, command line and
// the single-instance rule.
#pragma once

#include "app/containers/PathHelpers.h"

class InstanceSystem;
class StartupUi;

// The help file beside the program, and the program's directory with a trailing backslash.
extern char gHelpFilePath[kMaxPathBytes];
extern char gProgramDirectory[kMaxPathBytes];

enum class StartDecision { kRun, kEnd };

// Runs the start-up steps that come before the windows. On kRun the settings, gStartOptions and
// the song history are ready for the main window; on kEnd the program returns at once.
StartDecision PrepareStart(const char* programPath, const char* commandLine, InstanceSystem& system,
                           StartupUi& ui);
