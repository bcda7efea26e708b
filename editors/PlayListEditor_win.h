// The play list editor: one play list file's title, volume, font and songs, with a file browser
// from which songs are added. It saves the file itself.
#pragma once

#include <windows.h>

#include <cstdint>

#include "editors/EditorControls_win.h"
#include "editors/FileBrowser_win.h"
#include "editors/PlayListEditModel.h"

class PlayListEditor : public EditorDialog {
public:
    // path: the caller's kMaxPathBytes buffer, "" for a new list; receives the saved file's path.
    explicit PlayListEditor(char* path) : path(path) {}

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    const FileBrowser& Browser() const { return browser; }

protected:
    // True when the list file lies in the list folder, both resolved as the system resolves them.
    virtual bool InListFolder(const char* file);

private:
    void OnInitDialog();
    void WarnOfUnreadEntries(int loaded, std::int32_t refused);
    bool OnCommand(int controlId, int code, HWND control);
    void OnBalanceScroll(int code, int thumb);
    void RebuildSongs(std::int32_t select);
    void ShowSong();
    void ApplySong();
    void ApplyListField(int controlId);
    void OnFontCheck();
    void OnFontChoose();
    void AddFiles(std::int32_t index);
    void DeleteSong();
    void DeleteAllSongs();
    void MoveSong(int step);
    void OnEnter();
    bool SaveList();
    std::int32_t SelectedSong() const;

    char* path;
    PlayListEditModel model;
    FileBrowser browser;
    std::int32_t currentIndex = -1;
};

// Runs the editor modal to owner on path (kMaxPathBytes; "" for a new list). 1 when the user
// confirmed and the list was saved (path then holds the file), 0 otherwise.
int EditPlayList(HWND owner, char* path);
