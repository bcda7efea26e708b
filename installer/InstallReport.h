// What an installation or an uninstallation could not do, step by step, and the text that
// tells the user: success only when every step succeeded.
#pragma once

#include <string>
#include <vector>

// format with its one %s replaced by subject (texts are built with it, never with printf, so a
// folder holding "%" cannot break them).
std::string FormatText(const char* format, const std::string& subject);

class InstallReport {
public:
    // Records a failure; format holds one %s that subject replaces.
    void Fail(const char* format, const std::string& subject);
    void Fail(const char* text) { failures.emplace_back(text); }

    bool Complete() const { return failures.empty(); }
    const std::vector<std::string>& Failures() const { return failures; }

    // The finishing page's text: the plain success text, or the incomplete heading, one line per
    // failure and the footer. Lines end in CR LF for the multi-line edit.
    std::string FinishText() const;

private:
    std::vector<std::string> failures;
};
