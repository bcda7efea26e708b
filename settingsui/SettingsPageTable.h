// The settings sheet's pages in tab order: each page's template and the help keyword its help
// button looks up. The tab titles are the templates' captions.
#pragma once

#include "resources/SettingsDisplayPage.h"
#include "resources/SettingsPlayPage.h"
#include "resources/SettingsRecordPage.h"
#include "resources/SettingsStartupPage.h"
#include "resources/SettingsVolumePage.h"
#include "resources/SettingsWavePage.h"
#include "ui/HelpKeywords.h"

struct SettingsPageInfo {
    int templateId;
    const char* helpKeyword;
};

constexpr SettingsPageInfo kPlayPageInfo{IDD_SETTINGS_PLAY, kHelpPlaySettings};
constexpr SettingsPageInfo kVolumePageInfo{IDD_SETTINGS_VOLUME, kHelpVolumeSettings};
constexpr SettingsPageInfo kStartupPageInfo{IDD_SETTINGS_STARTUP, kHelpStartupSettings};
constexpr SettingsPageInfo kDisplayPageInfo{IDD_SETTINGS_DISPLAY, kHelpDisplaySettings};
constexpr SettingsPageInfo kRecordPageInfo{IDD_SETTINGS_RECORD, kHelpRecordSettings};
constexpr SettingsPageInfo kWavePageInfo{IDD_SETTINGS_WAVE, kHelpWaveSettings};

constexpr SettingsPageInfo kSettingsPages[] = {kPlayPageInfo,    kVolumePageInfo, kStartupPageInfo,
                                               kDisplayPageInfo, kRecordPageInfo, kWavePageInfo};
// The sheet opens on the first page.
constexpr int kSettingsStartPage = 0;
