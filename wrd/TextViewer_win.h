// The text viewer: a top-level window showing a song's companion text read-only in a scrollable
// edit control, at the position and size the user gave it last time.
#pragma once

#include <windows.h>

#include "app/containers/WindowMessages.h"  // WM_TEXTVIEWER_CLOSED, sent to the owner
#include "ui/framework/Window_win.h"

constexpr char kTextViewerClass[] = "TextViewer";
constexpr int kTextViewerEditId = 101;

// Registers the window class once at start-up.
void RegisterTextViewerClass(HINSTANCE instance);

class TextViewer : public Window {
public:
    // Reads the file and shows it in a new window titled with its path; the keyboard focus stays
    // where it was.
    TextViewer(HWND owner, const char* path);
    ~TextViewer() override;

    // The window still exists (the user may close it while the object lives on).
    bool IsOpen() const { return hwnd != nullptr; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool OnCreate();
    void OnSize(int clientWidth, int clientHeight);
    void OnMove();
    void OnDestroy();
    void OnDestroyed() override;
    LRESULT OnControlColour(HDC dc);

    HWND owner;
    char path[260] = {};
    HWND edit = nullptr;
};
