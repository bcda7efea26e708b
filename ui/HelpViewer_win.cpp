// Opens the HTML Help file beside the program through hhctrl.ocx, loaded on first use so that
// a system without the viewer still starts the player.
#include "ui/HelpViewer_win.h"

#include <htmlhelp.h>

#include "app/StartupSequence.h"
#include "app/containers/SystemFunction_win.h"

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpFunction LoadHtmlHelp() {
    return SystemFunction<HtmlHelpFunction>("hhctrl.ocx", "HtmlHelpA");
}

}  // namespace

int ShowHelpContents(HWND owner) {
    HtmlHelpFunction htmlHelp = LoadHtmlHelp();
    return htmlHelp && htmlHelp(owner, gHelpFilePath, HH_DISPLAY_TOC, 0) != nullptr;
}

int ShowHelpKeyword(HWND owner, const char* keyword) {
    HtmlHelpFunction htmlHelp = LoadHtmlHelp();
    if (!htmlHelp) {
        return 0;
    }
    HH_AKLINK link{};
    link.cbStruct = sizeof link;
    link.pszKeywords = keyword;
    link.fIndexOnFail = TRUE;
    return htmlHelp(owner, gHelpFilePath, HH_KEYWORD_LOOKUP, reinterpret_cast<DWORD_PTR>(&link)) != nullptr;
}
