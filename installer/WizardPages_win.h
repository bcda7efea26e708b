// The installer's four wizard pages: installation folder, list and CD folders, Start menu and
// desktop, and the result. They share one WizardContext with the backdrop window.
#pragma once

#include <string>

#include "installer/InstallState.h"
#include "installer/Win32InstallTarget_win.h"
#include "ui/framework/PropertyPage_win.h"

struct WizardContext {
    InstallState state;
    Win32InstallTarget target;
    // The finishing page's text, set by the installation.
    std::string finishText;
};

class InstallFolderPage : public PropertyPage {
public:
    explicit InstallFolderPage(WizardContext& context);

protected:
    bool OnInitDialog() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnSetActive() override;
    int OnWizardNext() override;
    bool OnKillActive() override;

private:
    WizardContext& context;
    bool nextPressed = false;
};

class DirectoriesPage : public PropertyPage {
public:
    explicit DirectoriesPage(WizardContext& context);

protected:
    bool OnInitDialog() override;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnSetActive() override;
    int OnWizardNext() override;
    int OnWizardBack() override;
    bool OnKillActive() override;

private:
    WizardContext& context;
    bool validate = false;
};

class StartMenuPage : public PropertyPage {
public:
    explicit StartMenuPage(WizardContext& context);

protected:
    bool OnInitDialog() override;
    int OnSetActive() override;
    bool OnKillActive() override;
    int OnWizardNext() override;

private:
    void ReadChoices();

    WizardContext& context;
};

class FinishPage : public PropertyPage {
public:
    explicit FinishPage(WizardContext& context);

protected:
    int OnSetActive() override;

private:
    WizardContext& context;
};
