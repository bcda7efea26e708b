// The failure record of an installation and its summary for the finishing page.
#include "installer/InstallReport.h"

#include <cstring>

#include "installer/InstallerTexts.h"

void InstallReport::Fail(const char* format, const std::string& subject) {
    std::string text;
    const char* mark = std::strstr(format, "%s");
    if (mark == nullptr) {
        text = format;
    } else {
        text.assign(format, mark);
        text += subject;
        text += mark + 2;
    }
    failures.push_back(std::move(text));
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
