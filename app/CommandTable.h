// Every command of the main window in one table, whether it comes from a panel button
// (WM_COMMAND with the button's id) or from the system menu, its pop-up copy or an accelerator
// (WM_SYSCOMMAND with an IDM_ id): what it does and which button takes the focus first.
#pragma once

enum class PlayerAction {
    CloseWindow,
    Minimize,
    ShowMenu,
    Stop,
    Play,
    PauseResume,
    Previous,
    Next,
    SkipBack,
    SkipForward,
    JumpToSong,
    FileMode,
    CdMode,
    EditList,
    OpenSource,
    Eject,
    Record,
    ToggleText,
    ToggleWrd,
    ChooseFont,
    ShowSettings,
    ShowHelp,
    ShowAbout,
    ToggleTopMost,
    ToggleFixWindow,
    ToggleFlat,
};

struct PlayerCommand {
    int id;  // a panel control id, or a system command id (IDM_)
    PlayerAction action;
    int focusFirst;  // the panel button focused before the action runs; -1 for none
};

// The command of an id: panel button ids (below kPanelControlCount) arrive as WM_COMMAND,
// IDM_ ids as WM_SYSCOMMAND; the two ranges never meet. Null for ids that are no command (the
// seek buttons scan while held, the sliders and switches act on their own, and the system's
// own commands such as SC_MOVE).
const PlayerCommand* FindPlayerCommand(int id);
