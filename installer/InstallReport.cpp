// The failure record of an installation and its summary for the finishing page.
#include "installer/InstallReport.h"

#include <cstring>

#include "installer/InstallerTexts.h"

std::string FormatText(const char* format, const std::string& subject) {
    const char* mark = std::strstr(format, "%s");
    if (mark == nullptr) {
        return format;
    }
    std::string text(format, mark);
    text += subject;
    text += mark + 2;
    return text;
}

void InstallReport::Fail(const char* format, const std::string& subject) {
    failures.push_back(FormatText(format, subject));
}

std::string InstallReport::FinishText() const {
    if (failures.empty()) {
        return kFinishedText;
    }
    std::string text = kIncompleteHeading;
    for (const std::string& failure : failures) {
        text += "\r\n ・";
        text += failure;
    }
    text += "\r\n";
    text += kIncompleteFooter;
    return text;
}
