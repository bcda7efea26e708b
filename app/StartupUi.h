// What start-up asks of the user interface: the boxes it shows before any window exists.
#pragma once

enum class KillFailureChoice { kAbort, kRetry, kIgnore };

class StartupUi {
public:
    virtual ~StartupUi() = default;
    // A command-line token that is no known option (or cannot be a file name); parsing goes on.
    virtual void ShowInvalidCommand(const char* token) = 0;
    // The running player did not end when asked.
    virtual KillFailureChoice AskKillFailed() = 0;
};
