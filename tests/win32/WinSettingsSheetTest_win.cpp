// The settings sheet and the help seam inside one process: every help action reaches the seam
// with the help file and the right keyword (the viewer replaced by a recorder), a missing file or
// a viewer that fails is reported without calling or after calling it, and the sheet's OK and
// Cancel against an in-memory registry.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <htmlhelp.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/MemoryRegistry.h"
#include "app/Settings.h"
#include "app/StartupSequence.h"
#include "resources/SettingsPlayPage.h"
#include "settingsui/SettingsPageTable.h"
#include "settingsui/SettingsSheet_win.h"
#include "settingsui/SettingsTexts.h"
#include "ui/HelpKeywords.h"
#include "ui/HelpViewer_win.h"
#include "ui/framework/ProgramInstance_win.h"

namespace {

struct ViewerCall {
    std::string file;
    UINT command;
    std::string keyword;
};

std::vector<ViewerCall> gViewerCalls;
bool gViewerOpens = true;
// A viewer that cannot look keywords up (as Wine's).
bool gViewerLooksUp = true;

HWND WINAPI RecordingViewer(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
    ViewerCall call{file ? file : "", command, ""};
    if (command == HH_KEYWORD_LOOKUP) {
        const auto* link = reinterpret_cast<const HH_AKLINK*>(data);
        call.keyword = link && link->pszKeywords ? link->pszKeywords : "";
        EXPECT_TRUE(link && link->cbStruct == sizeof(HH_AKLINK));
    } else if (command == HH_DISPLAY_TOPIC) {
        call.keyword = data ? reinterpret_cast<const char*>(data) : "";  // the page
    }
    gViewerCalls.push_back(call);
    if (!gViewerOpens || (command == HH_KEYWORD_LOOKUP && !gViewerLooksUp)) {
        return nullptr;
    }
    // Any window stands for the viewer's.
    return owner ? owner : GetDesktopWindow();
}

// The help file the build put beside this test.
std::string BuiltHelpFile() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string file(path);
    return file.substr(0, file.find_last_of('\\') + 1) + "Melodrix.chm";
}

// The script run once the sheet is on the screen, from a timer of this thread's modal loop.
std::function<void(HWND)> gSheetScript;

BOOL CALLBACK FindSheet(HWND window, LPARAM parameter) {
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && std::strstr(text, kSettingsSheetCaption)) {
        *reinterpret_cast<HWND*>(parameter) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DriveSheet(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (sheet == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    gSheetScript(sheet);
}

void RunSheet(std::function<void(HWND)> script) {
    gSheetScript = std::move(script);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveSheet);
    ShowSettingsSheet(nullptr);
    KillTimer(nullptr, timer);
}

HWND SelectPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

class WinSettingsSheet : public ::testing::Test {
protected:
    void SetUp() override {
        gInstance = GetModuleHandleA(nullptr);
        SetActiveRegistry(&registry);
        ResetSettingsToDefaults();
        SetHtmlHelpFunction(RecordingViewer);
        gViewerCalls.clear();
        gViewerOpens = true;
        gViewerLooksUp = true;
        std::strncpy(gHelpFilePath, BuiltHelpFile().c_str(), sizeof gHelpFilePath - 1);
    }
    void TearDown() override {
        SetHtmlHelpFunction(nullptr);
        ResetSettingsToDefaults();
        SetActiveRegistry(nullptr);
    }
    bool Stored(const char* key, const char* name) {
        return registry.Find(kSettingsRoot, (std::string(kSettingsBasePath) + "\\" + key).c_str(), name) != nullptr;
    }

    MemoryRegistry registry;
};

TEST_F(WinSettingsSheet, HelpCommandOpensTheContentsOfTheFileBesideTheProgram) {
    ASSERT_EQ(TryShowHelpContents(nullptr), HelpProblem::kNone) << "the build puts Melodrix.chm beside the test";
    ASSERT_EQ(gViewerCalls.size(), 1u);
    EXPECT_EQ(gViewerCalls[0].file, gHelpFilePath);
    EXPECT_EQ(gViewerCalls[0].command, static_cast<UINT>(HH_DISPLAY_TOC));
}

TEST_F(WinSettingsSheet, AMissingFileIsReportedWithoutStartingTheViewerAndAFailingViewerIsReported) {
    std::strcpy(gHelpFilePath, "C:\\no such folder\\Melodrix.chm");
    EXPECT_EQ(TryShowHelpKeyword(nullptr, kHelpSongJumpDialog), HelpProblem::kFileMissing);
    EXPECT_TRUE(gViewerCalls.empty());
    std::strncpy(gHelpFilePath, BuiltHelpFile().c_str(), sizeof gHelpFilePath - 1);
    gViewerOpens = false;
    EXPECT_EQ(TryShowHelpKeyword(nullptr, kHelpSongJumpDialog), HelpProblem::kViewerFailed);
    ASSERT_EQ(gViewerCalls.size(), 2u) << "the keyword, then its page";
    EXPECT_EQ(gViewerCalls[1].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
}

TEST_F(WinSettingsSheet, AViewerThatCannotLookKeywordsUpIsShownTheKeywordsPage) {
    gViewerLooksUp = false;
    EXPECT_EQ(TryShowHelpKeyword(nullptr, kHelpWaveSettings), HelpProblem::kNone);
    ASSERT_EQ(gViewerCalls.size(), 2u);
    EXPECT_EQ(gViewerCalls[0].command, static_cast<UINT>(HH_KEYWORD_LOOKUP));
    EXPECT_EQ(gViewerCalls[1].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(gViewerCalls[1].file, gHelpFilePath);
    EXPECT_EQ(gViewerCalls[1].keyword, "settings_wave.html");
}

TEST_F(WinSettingsSheet, EachPagesHelpButtonAndF1LookUpItsKeyword) {
    RunSheet([](HWND sheet) {
        for (int index = 0; index < 6; ++index) {
            HWND page = SelectPage(sheet, index);
            SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_HELP, 0);
            HELPINFO info{};
            info.cbSize = sizeof info;
            info.iContextType = HELPINFO_WINDOW;
            info.hItemHandle = page;
            SendMessageA(page, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        }
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    ASSERT_EQ(gViewerCalls.size(), 12u);
    for (std::size_t call = 0; call < gViewerCalls.size(); ++call) {
        EXPECT_EQ(gViewerCalls[call].file, gHelpFilePath);
        EXPECT_EQ(gViewerCalls[call].command, static_cast<UINT>(HH_KEYWORD_LOOKUP));
        EXPECT_EQ(gViewerCalls[call].keyword, kSettingsPages[call / 2].helpKeyword) << call;
    }
}

TEST_F(WinSettingsSheet, CancelKeepsEverySettingAndSavesNothing) {
    RunSheet([](HWND sheet) {
        SetDlgItemTextA(SelectPage(sheet, 0), IDC_PLAY_BACK_LIMIT, "9000");
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(gSettings.play.BackLimit, 2000);
    EXPECT_FALSE(Stored("Play", "BackLimit"));
}

TEST_F(WinSettingsSheet, OkStoresTheOpenedPagesOnlyAndSavesEverySetting) {
    gSettings.wave.BufferSize = 5;  // the WAVE page would raise it to 16
    RunSheet([](HWND sheet) {
        SetDlgItemTextA(SelectPage(sheet, 0), IDC_PLAY_BACK_LIMIT, "50");
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(gSettings.play.BackLimit, 100);
    EXPECT_EQ(gSettings.wave.BufferSize, 5);
    EXPECT_TRUE(Stored("Play", "BackLimit"));
    EXPECT_TRUE(Stored("Record", "Mode"));
    EXPECT_TRUE(Stored("Volume", "CD_Volume_ID"));
}

}  // namespace
