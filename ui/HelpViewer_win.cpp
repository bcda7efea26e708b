// Opens the HTML Help file beside the program through hhctrl.ocx, loaded on first use so that
// a system without the viewer still starts the player. A missing or damaged file, or a viewer
// that cannot start, ends in one message box instead of a silent button.
#include "ui/HelpViewer_win.h"

#include <htmlhelp.h>

#include "app/StartupSequence.h"
#include "app/containers/SystemFunction_win.h"

namespace {

HtmlHelpFunction gReplacement = nullptr;

HtmlHelpFunction HtmlHelp() {
    return gReplacement ? gReplacement : SystemFunction<HtmlHelpFunction>("hhctrl.ocx", "HtmlHelpA");
}

// Checks the file and the viewer, then calls it; the viewer answers its window, or null when it
// could not show the file.
HelpProblem CallViewer(HWND owner, UINT command, DWORD_PTR data) {
    const HelpProblem fileProblem = CheckHelpFile(gHelpFilePath);
    if (fileProblem != HelpProblem::kNone) {
        return fileProblem;
    }
    HtmlHelpFunction viewer = HtmlHelp();
    if (viewer == nullptr) {
        return HelpProblem::kViewerMissing;
    }
    return viewer(owner, gHelpFilePath, command, data) != nullptr ? HelpProblem::kNone : HelpProblem::kViewerFailed;
}

int Report(HWND owner, HelpProblem problem) {
    if (problem == HelpProblem::kNone) {
        return 1;
    }
    MessageBoxA(owner, HelpProblemMessage(problem, gHelpFilePath).c_str(), kHelpErrorCaption, MB_OK | MB_ICONWARNING);
    return 0;
}

}  // namespace

HelpProblem TryShowHelpContents(HWND owner) {
    return CallViewer(owner, HH_DISPLAY_TOC, 0);
}

HelpProblem TryShowHelpKeyword(HWND owner, const char* keyword) {
    HH_AKLINK link{};
    link.cbStruct = sizeof link;
    link.pszKeywords = keyword;
    link.fIndexOnFail = TRUE;
    const HelpProblem problem = CallViewer(owner, HH_KEYWORD_LOOKUP, reinterpret_cast<DWORD_PTR>(&link));
    // Some viewers (Wine's) cannot look keywords up; the keyword's page opens directly instead.
    const char* page = HelpPageOf(keyword);
    if (problem != HelpProblem::kViewerFailed || page == nullptr) {
        return problem;
    }
    return CallViewer(owner, HH_DISPLAY_TOPIC, reinterpret_cast<DWORD_PTR>(page));
}

int ShowHelpContents(HWND owner) {
    return Report(owner, TryShowHelpContents(owner));
}

int ShowHelpKeyword(HWND owner, const char* keyword) {
    return Report(owner, TryShowHelpKeyword(owner, keyword));
}

void SetHtmlHelpFunction(HtmlHelpFunction replacement) {
    gReplacement = replacement;
}

void CloseAllHelp() {
    // Only a viewer that is already loaded can have windows open; never load it just to close.
    if (gReplacement == nullptr && GetModuleHandleA("hhctrl.ocx") == nullptr) {
        return;
    }
    if (HtmlHelpFunction viewer = HtmlHelp()) {
        viewer(nullptr, nullptr, HH_CLOSE_ALL, 0);
    }
}
