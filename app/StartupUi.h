// What start-up asks of the user interface: the boxes it shows before any window exists.
#pragma once

#include <string>

enum class KillFailureChoice { kAbort, kRetry, kIgnore };

class StartupUi {
public:
    virtual ~StartupUi() = default;
    // A warning box about the command line (its text is built by the parser); parsing goes on.
    virtual void ShowCommandLineWarning(const std::string& text) = 0;
    // The running player did not end when asked.
    virtual KillFailureChoice AskKillFailed() = 0;
};
