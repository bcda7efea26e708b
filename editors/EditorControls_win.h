// Control helpers shared by the list editors and the selection dialog: bounded texts, list boxes
// filled in one go, multiple selections, the balance controls, the font chooser, and the root of
// the dialogs whose questions tests can answer.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editors/BalanceRules.h"
#include "ui/framework/Dialog_win.h"

// A dialog that asks the user through message boxes. Every box goes through Ask, so a test can
// answer it without a box on the screen.
class EditorDialog : public Dialog {
public:
    // MessageBoxA owned by the dialog; answers the button pressed (IDYES, IDNO, IDCANCEL, IDOK).
    virtual int Ask(const char* text, const char* caption, UINT flags) {
        return MessageBoxA(hwnd, text, caption, flags);
    }
};

// The text of a control, at most capacity - 1 bytes (cut at a character boundary).
std::string ItemText(HWND dialog, int controlId, std::size_t capacity);

// Empties the list box and fills it with count rows, with redrawing off, the storage reserved up
// front and the horizontal extent set once for the widest row. Answers the number of rows added.
std::int32_t FillRows(HWND listBox, std::int32_t count, const std::function<std::string(std::int32_t)>& rowText);

// The selected rows of a multiple-selection list box, top to bottom.
std::vector<std::int32_t> SelectedRows(HWND listBox);

// Shows a balance on its check box and scroll bar; with enabled false both are off and disabled.
void ShowBalanceControls(HWND dialog, int checkId, int scrollId, const BalanceView& view, bool enabled);
BalanceView ReadBalanceControls(HWND dialog, int checkId, int scrollId);
// Moves the scroll bar for a WM_HSCROLL code; answers true when the position changed hands.
bool ScrollBalanceControl(HWND dialog, int scrollId, int code, int thumb);

// The font dialog for a list's display font (screen fonts, script choice); answers the chosen
// face name, or "" when cancelled.
std::string ChooseListFontFace(HWND owner);

// Shows the list's font: its face with the check box on and the chooser enabled, or the default
// face with both off.
void ShowListFont(HWND dialog, int checkId, int chooseId, int nameId, const char* fontName);
