// The base of the settings sheet's pages: the help button and F1 look up the page's keyword, OK
// stores the page's controls into the settings, and small helpers move values in and out of
// controls. Pages the user never opened are never created, so they store nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "settingsui/SettingsPageRules.h"
#include "settingsui/SettingsPageTable.h"
#include "ui/framework/PropertyPage_win.h"

class SettingsPage : public PropertyPage {
public:
    explicit SettingsPage(const SettingsPageInfo& info)
        : PropertyPage(info.templateId), helpKeyword(info.helpKeyword) {}

protected:
    // Writes the page's controls into the settings.
    virtual void Store() = 0;

    bool OnApply() override;
    bool OnWizardFinish() override;
    void OnHelp() override;
    bool OfferHelp() const override { return true; }
    // F1 on any control of the page.
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool Checked(int controlId) const;
    void Check(int controlId, bool checked) const;
    void SetNumber(int controlId, std::int32_t value) const;
    // The edit's text as a NUL-terminated string of at most 15 characters (longer text is cut).
    struct EditText {
        char text[16];
    };
    EditText TextOf(int controlId) const;
    // Fills a drop-down list with the choices (each with its data) and selects index, if any.
    void FillChoices(int controlId, const std::vector<DeviceChoice>& choices, std::optional<std::size_t> index) const;
    // The selected item's data, empty when nothing is selected.
    std::optional<std::uint32_t> SelectedData(int controlId) const;

private:
    const char* helpKeyword;
};
