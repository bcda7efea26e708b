// The CD list editor: the list of the disc in the drive, its tracks' texts, volumes and balances
// and its play order.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/CdListEditModel.h"
#include "editors/EditorControls_win.h"

class CdListEditor : public EditorDialog {
public:
    // The list of discId, kept in the CD data folder of the settings, or in folder when given.
    explicit CdListEditor(std::uint32_t discId, const char* folder = nullptr)
        : discId(discId), folder(folder != nullptr ? folder : "") {}

    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnInitDialog();
    bool OnCommand(int controlId, int code, HWND control);
    void RebuildTracks(std::int32_t select);
    void RebuildOrder(std::int32_t select);
    void ShowTrack();
    void ApplyTrack();
    void OnVolumeDone(HWND control);
    void OnFontCheck();
    void OnFontChoose();
    void ApplyOrder(std::int32_t select);
    void DeleteAll();
    void OnEnter();
    void OnCancel();
    std::int32_t SelectedRow(int listId) const;

    std::uint32_t discId;
    std::string folder;
    std::unique_ptr<CdListEditModel> model;
    std::int32_t currentIndex = -1;
};

// Runs the editor modal to owner on the list of discId. 1 when the user confirmed with OK (and
// the list, when changed, was written), 0 otherwise.
int EditCdList(HWND owner, std::uint32_t discId);
