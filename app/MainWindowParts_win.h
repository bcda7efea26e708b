// What the main window holds between WM_CREATE and WM_DESTROY: the two play modes and the
// panel, with the few operations the window's handlers need of them.
#pragma once

#include <windows.h>

#include <memory>

#include "app/containers/StringList.h"
#include "ui/PanelHost_win.h"

class MainWindow;
class PlayMode;
class FilePlayMode;
class CdPlayMode;
class Panel;

struct MainWindowParts : public PanelHost {
public:
    // Creates both play modes: the file mode on the song history, the CD mode on its drive.
    explicit MainWindowParts(class MainWindow& window);
    ~MainWindowParts();

    FilePlayMode* FileMode() const { return fileMode.get(); }
    PlayMode* FilePlayModeBase() const;
    PlayMode* CdMode() const;

    void CreatePanel();
    void DestroyPanel();
    // Deletes both modes; their destructors write their state into the settings.
    void DestroyModes();

    void LayoutPanel(int width, int height, int form);
    // WM_PAINT, WM_PRINTCLIENT and WM_DRAWITEM; true when the panel answered.
    bool HandlePanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The button of the current mode shows pressed (disabled); the other one is usable.
    void EnableModeButtons(int currentMode);
    void FocusControl(int id);
    bool ControlEnabled(int id) const;

    void UpdateButtons();
    void UpdateTexts();
    void UpdateTime(bool forceTitle);
    void RefreshPanel();
    void ChooseTitleFont();

    int ChooseSong(PlayMode& mode);
    void DropFiles(const StringList& paths);

    // PanelHost.
    HWND MainWindow() override;
    PlayMode* CurrentMode() override;

private:
    class MainWindow& window;
    std::unique_ptr<FilePlayMode> fileMode;
    std::unique_ptr<CdPlayMode> cdMode;
    std::unique_ptr<Panel> panel;
};
