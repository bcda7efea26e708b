#pragma once
// The one way into the program's help: every help button, PSN_HELP, F1 and the help command
// go through these, so the file and the viewer are chosen in one place.
#include <windows.h>

#include "ui/HelpFile.h"

// Shows the help file's contents. Answers nonzero when the viewer opened; otherwise the user
// has been told why in a message box.
int ShowHelpContents(HWND owner);

// Shows the page indexed under keyword (one of ui/HelpKeywords.h). Answers nonzero when the
// viewer opened; otherwise the user has been told why in a message box.
int ShowHelpKeyword(HWND owner, const char* keyword);

// The same without the message box: what went wrong, or kNone.
HelpProblem TryShowHelpContents(HWND owner);
HelpProblem TryShowHelpKeyword(HWND owner, const char* keyword);

// The viewer's entry point (HtmlHelpA). hhctrl.ocx's own unless a test set another; nullptr
// puts hhctrl.ocx's back.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
void SetHtmlHelpFunction(HtmlHelpFunction replacement);

// Closes every help window the program opened; the viewer must not outlive the program's windows.
void CloseAllHelp();
