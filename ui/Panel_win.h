// The player panel: every control and display part of the main window, both layout forms,
// painting of the skinned background, and the refresh operations the play modes call.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "ui/PanelHost_win.h"
#include "ui/PanelLayout.h"
#include "ui/PanelSkin_win.h"

class ButtonControl;
class CounterPart;
class PanelPart;
class Window;

class Panel : public ControlOwner {
public:
    // Creates every control and part (the main window's WM_CREATE, before the first layout).
    explicit Panel(PanelHost& host);
    // Deletes them in the panel's order.
    ~Panel();
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    // Places everything for a form (kNormalForm, kFlatForm) and the client size of WM_SIZE.
    void Layout(int form, int clientWidth, int clientHeight);
    // The skinned background inside WM_PAINT; the caller then updates texts, buttons and time.
    void PaintBackground(HDC dc);

    void UpdateTexts();
    // Enables the controls (and the main window's menu commands) from the mode's panel flags.
    void UpdateButtons();
    // The caption (set only when it changes, unless forced), the seek bar, counter and sliders.
    void UpdateTime(bool forceTitle);
    void RefreshAll();
    // WM_DRAWITEM of the main window; answers TRUE when a control drew the item.
    LRESULT RouteDrawItem(int controlId, const DRAWITEMSTRUCT& item);
    // The font command: the system font dialog on the title font setting, then a full refresh.
    void ChooseTitleFont();
    // Shows a notice in the comment line instead of the song's comment; null puts it back.
    void ShowNotice(const char* text);

    HWND ControlWindow(int controlId) const;
    const PanelLayout& CurrentLayout() const { return layout; }
    int Form() const { return form; }

    // ControlOwner.
    HWND ParentWindow() override { return host.ParentWindow(); }
    PlayMode* CurrentMode() override { return host.CurrentMode(); }
    void MoveFocus(int controlId, int direction) override;
    const PanelSkin& Skin() override { return skin; }

private:
    void Create();
    void CreateLaterControl(int id);
    void Destroy();
    void DrawGroove(HDC dc, const PanelRect& frame);
    void RepaintNow(int controlId);

    PanelHost& host;
    PanelSkin skin;
    std::array<std::unique_ptr<Window>, kPanelControlCount> controlsById;
    // The same objects where they are owner-drawn buttons (null for the seek bar and switch).
    std::array<ButtonControl*, kPanelControlCount> buttonsById{};
    std::array<std::unique_ptr<PanelPart>, kPartCount> parts;
    std::unique_ptr<CounterPart> counter;
    int form = kNormalForm;
    int clientWidth = 0;
    int clientHeight = 0;
    PanelLayout layout;
};
