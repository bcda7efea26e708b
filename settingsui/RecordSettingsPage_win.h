// The "録音設定" page: the wave input device and the number of capture buffers.
#pragma once

#include "settingsui/SettingsPage_win.h"

class RecordSettingsPage : public SettingsPage {
public:
    RecordSettingsPage() : SettingsPage(kRecordPageInfo) {}

protected:
    bool OnInitDialog() override;
    void Store() override;
};
