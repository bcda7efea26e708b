#pragma once
// The one way into the program's help: every help button, PSN_HELP, F1 and the help command
// go through these, so the file and the viewer are chosen in one place.
#include <windows.h>

// Shows the help file's contents. Answers nonzero when the viewer opened.
int ShowHelpContents(HWND owner);

// Shows the page indexed under keyword (one of ui/HelpKeywords.h). Answers nonzero when the
// viewer opened.
int ShowHelpKeyword(HWND owner, const char* keyword);
