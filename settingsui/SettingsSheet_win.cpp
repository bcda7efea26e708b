// The settings sheet: the six pages in tab order, no Apply button, a help button on every page.
#include "settingsui/SettingsSheet_win.h"

#include <commctrl.h>

#include <vector>

#include "app/Settings.h"
#include "settingsui/DisplaySettingsPage_win.h"
#include "settingsui/PlaySettingsPage_win.h"
#include "settingsui/RecordSettingsPage_win.h"
#include "settingsui/SettingsTexts.h"
#include "settingsui/StartupSettingsPage_win.h"
#include "settingsui/VolumeSettingsPage_win.h"
#include "settingsui/WaveSettingsPage_win.h"

namespace {

// The framework adds PSH_PROPSHEETPAGE; together they are 0x289.
constexpr DWORD kSheetFlags = PSH_PROPTITLE | PSH_NOAPPLYNOW | PSH_HASHELP;
static_assert((kSheetFlags | PSH_PROPSHEETPAGE) == 0x289, "the sheet's flags");

}  // namespace

void ShowSettingsSheet(HWND owner) {
    PlaySettingsPage play;
    VolumeSettingsPage volume;
    StartupSettingsPage startup;
    DisplaySettingsPage display;
    RecordSettingsPage record;
    WaveSettingsPage wave;
    // The order of kSettingsPages.
    const std::vector<PropertyPage*> pages = {&play, &volume, &startup, &display, &record, &wave};
    if (RunPropertySheet(owner, kSettingsSheetCaption, pages, kSheetFlags, kSettingsStartPage) > 0) {
        SaveSettings();
    }
}
