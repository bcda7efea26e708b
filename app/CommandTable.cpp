// The main window's command table.
#include "app/CommandTable.h"

#include "resources/SystemCommands.h"
#include "ui/PanelNumbers.h"

namespace {

using A = PlayerAction;

// Panel buttons first, then the system menu's commands. The playback commands of the menu first
// put the focus on their button, as if it had been pressed.
constexpr PlayerCommand kCommands[] = {
    {kCloseButton, A::CloseWindow, -1},
    {kMinimizeButton, A::Minimize, -1},
    {kMenuButton, A::ShowMenu, -1},
    {kStopButton, A::Stop, -1},
    {kPlayButton, A::Play, -1},
    {kPauseButton, A::PauseResume, -1},
    {kPreviousButton, A::Previous, -1},
    {kNextButton, A::Next, -1},
    {kJumpButton, A::JumpToSong, -1},
    {kFileModeButton, A::FileMode, -1},
    {kCdModeButton, A::CdMode, -1},
    {kListButton, A::EditList, -1},
    {kSelectButton, A::OpenSource, -1},
    {kEjectButton, A::Eject, -1},
    {kRecordButton, A::Record, -1},
    {kTextToggleId, A::ToggleText, -1},
    {kWrdToggleId, A::ToggleWrd, -1},
    {IDM_STOP, A::Stop, kStopButton},
    {IDM_PLAY, A::Play, kPlayButton},
    {IDM_PAUSE_RESUME, A::PauseResume, kPauseButton},
    {IDM_PREVIOUS, A::Previous, kPreviousButton},
    {IDM_NEXT, A::Next, kNextButton},
    {IDM_RECORD, A::Record, -1},
    {IDM_EJECT, A::Eject, -1},
    {IDM_FONT, A::ChooseFont, -1},
    {IDM_SETTINGS, A::ShowSettings, -1},
    {IDM_HELP, A::ShowHelp, -1},
    {IDM_ABOUT, A::ShowAbout, -1},
    {IDM_TOP_MOST, A::ToggleTopMost, -1},
    {IDM_FIX_WINDOW, A::ToggleFixWindow, -1},
    {IDM_FLAT, A::ToggleFlat, -1},
    {IDM_SKIP_BACK, A::SkipBack, kRewindButton},
    {IDM_SKIP_FORWARD, A::SkipForward, kFastForwardButton},
    {IDM_JUMP, A::JumpToSong, kJumpButton},
};

}  // namespace

const PlayerCommand* FindPlayerCommand(int id) {
    for (const PlayerCommand& command : kCommands) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}
