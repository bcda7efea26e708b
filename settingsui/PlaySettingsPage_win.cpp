// The play page: moves the seek speeds, the back limit and the stop rule between the settings
// and the controls; the scroll and typing rules are SettingsPageRules'.
#include "settingsui/PlaySettingsPage_win.h"

#include "app/Settings.h"

namespace {

std::optional<SeekScrollAction> ScrollActionOf(int code) {
    switch (code) {
        case SB_LINELEFT:
            return SeekScrollAction::kLineLeft;
        case SB_LINERIGHT:
            return SeekScrollAction::kLineRight;
        case SB_PAGELEFT:
            return SeekScrollAction::kPageLeft;
        case SB_PAGERIGHT:
            return SeekScrollAction::kPageRight;
        case SB_THUMBPOSITION:
            return SeekScrollAction::kThumbPosition;
        case SB_THUMBTRACK:
            return SeekScrollAction::kThumbTrack;
        case SB_LEFT:
            return SeekScrollAction::kLeftmost;
        case SB_RIGHT:
            return SeekScrollAction::kRightmost;
        case SB_ENDSCROLL:
            return SeekScrollAction::kEndScroll;
        default:
            return std::nullopt;
    }
}

}  // namespace

bool PlaySettingsPage::OnInitDialog() {
    const Settings::Play& play = gSettings.play;
    for (int bar : {IDC_PLAY_SEEK_STEP, IDC_PLAY_SEEK_FAST_STEP}) {
        SetScrollRange(Item(bar), SB_CTL, kSeekScrollMinimum, kSeekScrollMaximum, FALSE);
    }
    SetSeekBar(IDC_PLAY_SEEK_STEP, play.SeekStep);
    SetSeekBar(IDC_PLAY_SEEK_FAST_STEP, play.SeekFastStep);
    SendItem(IDC_PLAY_BACK_LIMIT, EM_LIMITTEXT, kBackLimitDigits);
    SetNumber(IDC_PLAY_BACK_LIMIT, play.BackLimit);
    Check(IDC_PLAY_STOP_CLOSE, play.StopClose != 0);
    return true;
}

INT_PTR PlaySettingsPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_HSCROLL:
            OnScroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_PLAY_BACK_LIMIT && HIWORD(wParam) == EN_KILLFOCUS) {
                OnBackLimitLeft();
                return TRUE;
            }
            if (LOWORD(wParam) == IDC_PLAY_DEFAULTS && HIWORD(wParam) == BN_CLICKED) {
                RestoreDefaults();
                return TRUE;
            }
            return FALSE;
        default:
            return SettingsPage::HandleMessage(message, wParam, lParam);
    }
}

void PlaySettingsPage::OnScroll(HWND bar, int code, int thumb) {
    const int controlId = GetDlgCtrlID(bar);
    if (controlId != IDC_PLAY_SEEK_STEP && controlId != IDC_PLAY_SEEK_FAST_STEP) {
        return;
    }
    const std::optional<SeekScrollAction> action = ScrollActionOf(code);
    if (!action) {
        return;
    }
    // The message's 16-bit thumb position is enough: the range ends at 15000.
    if (const auto position = SeekScrollPosition(SeekBarPosition(controlId), *action, thumb)) {
        SetSeekBar(controlId, *position);
    }
}

void PlaySettingsPage::OnBackLimitLeft() {
    SetNumber(IDC_PLAY_BACK_LIMIT, BackLimitFromText(TextOf(IDC_PLAY_BACK_LIMIT).text));
}

void PlaySettingsPage::RestoreDefaults() {
    SetSeekBar(IDC_PLAY_SEEK_STEP, kDefaultSeekStep);
    SetSeekBar(IDC_PLAY_SEEK_FAST_STEP, kDefaultSeekFastStep);
    SetDlgItemTextA(hwnd, IDC_PLAY_BACK_LIMIT, kDefaultBackLimitText);
}

void PlaySettingsPage::Store() {
    Settings::Play& play = gSettings.play;
    play.SeekStep = SeekBarPosition(IDC_PLAY_SEEK_STEP);
    play.SeekFastStep = SeekBarPosition(IDC_PLAY_SEEK_FAST_STEP);
    play.BackLimit = BackLimitFromText(TextOf(IDC_PLAY_BACK_LIMIT).text);
    play.StopClose = Checked(IDC_PLAY_STOP_CLOSE) ? 1 : 0;
}

void PlaySettingsPage::SetSeekBar(int controlId, std::int32_t position) const {
    SetScrollPos(Item(controlId), SB_CTL, SeekScrollPositionOf(position), TRUE);
}

std::int32_t PlaySettingsPage::SeekBarPosition(int controlId) const {
    return SeekScrollPositionOf(GetScrollPos(Item(controlId), SB_CTL));
}
