// Drives the settings sheet and the help of the real Melodrix.exe: the six tabs, what OK and
// Cancel leave in the registry, the pages' rules as the user meets them, the device lists, the
// help command with a good, a missing and a damaged help file, and the time the sheet takes to open.
#include <windows.h>

#include <mmsystem.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/SettingsPlayPage.h"
#include "resources/SettingsRecordPage.h"
#include "resources/SettingsVolumePage.h"
#include "resources/SettingsWavePage.h"
#include "resources/SystemCommands.h"
#include "settingsui/SettingsTexts.h"
#include "tests/scenario/PlayerProcess.h"
#include "tests/scenario/PlayerRegistry.h"
#include "tests/scenario/ScenarioHelpers_win.h"
#include "ui/HelpFile.h"

namespace {

// The property sheet's Apply button.
constexpr int kApplyButtonId = 0x3021;

struct SheetSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindSheet(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<SheetSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    // The caption carries the sheet's own text, with or without the system's "properties" wording.
    if (processId == search.processId && IsWindowVisible(window) && std::string(className) == "#32770" &&
        WindowText(window).find(kSettingsSheetCaption) != std::string::npos) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindSettingsSheet(DWORD processId) {
    SheetSearch search{processId, nullptr};
    EnumWindows(FindSheet, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class SettingsScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(gPlayerPath.empty()) << "give the path of Melodrix.exe (argument or MX_PLAYER_EXE)";
        ASSERT_EQ(CountPlayerWindows(), 0) << "a player of an earlier scenario is still running";
        ResetPlayerSettings();
    }
    void TearDown() override {
        if (player.Running()) {
            player.CloseAndWait();
        }
        ResetPlayerSettings();
    }

    void StartPlayer() {
        ASSERT_TRUE(player.Start(""));
        window = player.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
    }
    // Command 108, as the system menu and the panel's menu send it; the sheet, or null.
    HWND OpenSheet() {
        PostMessageA(window, WM_SYSCOMMAND, IDM_SETTINGS, 0);
        HWND sheet = nullptr;
        WaitUntil([&] { return (sheet = FindSettingsSheet(player.ProcessId())) != nullptr; });
        return sheet;
    }
    static HWND SelectPage(HWND sheet, int index) {
        SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    bool Press(HWND sheet, int button) {
        PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
        return WaitUntil([&] { return !IsWindow(sheet); });
    }
    // Text typed into an edit as keystrokes, after what was there is selected.
    static void Type(HWND edit, const char* text) {
        SendMessageA(edit, EM_SETSEL, 0, -1);
        for (const char* c = text; *c; ++c) {
            SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(*c)), 0);
        }
    }
    static std::uint32_t Stored(const char* key, const char* name) {
        const auto value = ReadStored(key, name);
        return value ? value->AsDword() : 0xDEADBEEFu;
    }

    PlayerProcess player;
    HWND window = nullptr;
};

TEST_F(SettingsScenario, CommandOpensTheSheetWithSixTabsInOrder) {
    StartPlayer();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 6);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);
    HWND apply = GetDlgItem(sheet, kApplyButtonId);
    EXPECT_TRUE(apply == nullptr || !IsWindowVisible(apply)) << "the sheet has no Apply button";
    const char* titles[] = {"演奏", "ﾎﾞﾘｭｰﾑ", "起動", "表示", "録音設定", "WAVE"};
    for (int index = 0; index < 6; ++index) {
        HWND page = SelectPage(sheet, index);
        ASSERT_NE(page, nullptr) << index;
        EXPECT_EQ(WindowText(page), titles[index]) << index;
    }
    EXPECT_TRUE(Press(sheet, PSBTN_CANCEL));
}

TEST_F(SettingsScenario, BackLimitOfFiftyShowsAndStoresOneHundred) {
    StartPlayer();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    HWND page = SelectPage(sheet, 0);
    HWND edit = GetDlgItem(page, IDC_PLAY_BACK_LIMIT);
    ASSERT_NE(edit, nullptr);
    // Focus moves inside the player's thread, as the dialog manager moves it for Tab.
    PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    Type(edit, "50");
    // Leaving the field: the focus moves to the check box.
    PostMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_PLAY_STOP_CLOSE)), TRUE);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == "100"; })) << WindowText(edit);
    ASSERT_TRUE(Press(sheet, PSBTN_OK));
    EXPECT_EQ(Stored("Play", "BackLimit"), 100u);
}

TEST_F(SettingsScenario, TypedTextThatIsNoNumberStoresTheDefault) {
    WriteDword("Play", "BackLimit", 4000);
    StartPlayer();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    HWND page = SelectPage(sheet, 0);
    Type(GetDlgItem(page, IDC_PLAY_BACK_LIMIT), "abc");
    ASSERT_TRUE(Press(sheet, PSBTN_OK));
    EXPECT_EQ(Stored("Play", "BackLimit"), 2000u);
}

TEST_F(SettingsScenario, DefaultsButtonResetsTheSpeedsAndLimitButNotTheCheckBox) {
    WriteDword("Play", "SeekStep", 3000);
    WriteDword("Play", "SeekFastStep", 12000);
    WriteDword("Play", "BackLimit", 500);
    WriteDword("Play", "StopClose", 1);
    StartPlayer();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    HWND page = SelectPage(sheet, 0);
    EXPECT_EQ(GetScrollPos(GetDlgItem(page, IDC_PLAY_SEEK_STEP), SB_CTL), 3000);
    SendMessageA(GetDlgItem(page, IDC_PLAY_DEFAULTS), BM_CLICK, 0, 0);
    EXPECT_EQ(GetScrollPos(GetDlgItem(page, IDC_PLAY_SEEK_STEP), SB_CTL), 1000);
    EXPECT_EQ(GetScrollPos(GetDlgItem(page, IDC_PLAY_SEEK_FAST_STEP), SB_CTL), 8000);
    EXPECT_EQ(WindowText(GetDlgItem(page, IDC_PLAY_BACK_LIMIT)), "2000");
    EXPECT_EQ(SendMessageA(GetDlgItem(page, IDC_PLAY_STOP_CLOSE), BM_GETCHECK, 0, 0), BST_CHECKED);
    ASSERT_TRUE(Press(sheet, PSBTN_OK));
    EXPECT_EQ(Stored("Play", "SeekStep"), 1000u);
    EXPECT_EQ(Stored("Play", "SeekFastStep"), 8000u);
    EXPECT_EQ(Stored("Play", "BackLimit"), 2000u);
    EXPECT_EQ(Stored("Play", "StopClose"), 1u);
}

TEST_F(SettingsScenario, OkOnTheFirstTabAloneStoresOnlyItsValuesAndSavesEverySetting) {
    // Values the other pages would correct if they were opened and stored.
    WriteDword("Wave", "BufferSize", 5);
    WriteDword("Record", "BufferSize", 1);
    StartPlayer();
    // The player has read them; an empty key shows what the sheet's OK writes.
    ResetPlayerSettings();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    Type(GetDlgItem(SelectPage(sheet, 0), IDC_PLAY_BACK_LIMIT), "3500");
    ASSERT_TRUE(Press(sheet, PSBTN_OK));
    // Read while the player still runs: the sheet saved every setting.
    EXPECT_EQ(Stored("Play", "BackLimit"), 3500u);
    EXPECT_EQ(Stored("Wave", "BufferSize"), 5u);
    EXPECT_EQ(Stored("Record", "BufferSize"), 1u);
    EXPECT_EQ(Stored("Volume", "CD_Volume_ID"), 0xFFFF0000u);
    EXPECT_EQ(Stored("Record", "Mode"), 1u);
}

TEST_F(SettingsScenario, CancelAfterChangesWritesNothing) {
    StartPlayer();
    ASSERT_EQ(player.CloseAndWait(), 0);  // every default stored
    StartPlayer();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    Type(GetDlgItem(SelectPage(sheet, 0), IDC_PLAY_BACK_LIMIT), "7000");
    HWND wave = SelectPage(sheet, 5);
    SendMessageA(GetDlgItem(wave, IDC_WAVE_SELF_PLAY), BM_CLICK, 0, 0);
    Type(GetDlgItem(wave, IDC_WAVE_BUFFER), "999");
    ASSERT_TRUE(Press(sheet, PSBTN_CANCEL));
    EXPECT_EQ(Stored("Play", "BackLimit"), 2000u);
    EXPECT_EQ(Stored("Wave", "SelfPlay"), 1u);
    // Nor does the player keep the changes to save them when it ends.
    ASSERT_EQ(player.CloseAndWait(), 0);
    EXPECT_EQ(Stored("Play", "BackLimit"), 2000u);
    EXPECT_EQ(Stored("Wave", "BufferSize"), 128u);
}

TEST_F(SettingsScenario, WaveCheckBoxEnablesAndDisablesTheDeviceAndBufferAndBuffersAreLimited) {
    StartPlayer();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);
    HWND page = SelectPage(sheet, 5);
    HWND check = GetDlgItem(page, IDC_WAVE_SELF_PLAY);
    HWND device = GetDlgItem(page, IDC_WAVE_DEVICE);
    HWND buffer = GetDlgItem(page, IDC_WAVE_BUFFER);
    ASSERT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(IsWindowEnabled(device));
    EXPECT_TRUE(IsWindowEnabled(buffer));
    SendMessageA(check, BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowEnabled(device));
    EXPECT_FALSE(IsWindowEnabled(buffer));
    SendMessageA(check, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(device));
    EXPECT_TRUE(IsWindowEnabled(buffer));
    Type(buffer, "3000");
    Type(GetDlgItem(SelectPage(sheet, 4), IDC_RECORD_SETTINGS_BUFFER), "0");
    ASSERT_TRUE(Press(sheet, PSBTN_OK));
    EXPECT_EQ(Stored("Wave", "BufferSize"), 2048u);
    EXPECT_EQ(Stored("Record", "BufferSize"), 2u);
}

// The item data of a drop-down list, in order.
std::vector<std::uint32_t> ItemData(HWND box) {
    std::vector<std::uint32_t> data;
    const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        data.push_back(static_cast<std::uint32_t>(SendMessageA(box, CB_GETITEMDATA, static_cast<WPARAM>(item), 0)));
    }
    return data;
}

std::uint32_t SelectedData(HWND box) {
    const LRESULT item = SendMessageA(box, CB_GETCURSEL, 0, 0);
    return item == CB_ERR ? 0xDEADBEEFu : static_cast<std::uint32_t>(SendMessageA(box, CB_GETITEMDATA, item, 0));
}

TEST_F(SettingsScenario, DeviceListsHoldWhatTheSystemReports) {
    WriteDword("Volume", "MIDI_Volume_ID", 0x20063);  // a MIDI output that does not exist
    WriteDword("Record", "DeviceID", 77);
    StartPlayer();
    HWND sheet = OpenSheet();
    ASSERT_NE(sheet, nullptr);

    std::vector<std::uint32_t> common = {0, 0xFFFF0000u};
    for (UINT aux = 0; aux < auxGetNumDevs(); ++aux) {
        common.push_back(0x10000 + aux);
    }
    std::vector<std::uint32_t> midi = common;
    for (UINT index = 0; index < midiOutGetNumDevs(); ++index) {
        MIDIOUTCAPSA caps{};
        if (midiOutGetDevCapsA(index, &caps, sizeof caps) == MMSYSERR_NOERROR && (caps.dwSupport & MIDICAPS_VOLUME)) {
            midi.push_back(0x20000 + index);
        }
    }
    std::vector<std::uint32_t> wave = common;
    for (UINT index = 0; index < waveOutGetNumDevs(); ++index) {
        WAVEOUTCAPSA caps{};
        if (waveOutGetDevCapsA(index, &caps, sizeof caps) == MMSYSERR_NOERROR && (caps.dwSupport & WAVECAPS_VOLUME)) {
            wave.push_back(0x30000 + index);
        }
    }
    HWND volume = SelectPage(sheet, 1);
    EXPECT_EQ(ItemData(GetDlgItem(volume, IDC_VOLUME_MIDI)), midi);
    EXPECT_EQ(ItemData(GetDlgItem(volume, IDC_VOLUME_WAVE)), wave);
    EXPECT_EQ(ItemData(GetDlgItem(volume, IDC_VOLUME_CD)), common);
    EXPECT_EQ(SelectedData(GetDlgItem(volume, IDC_VOLUME_MIDI)), 0xFFFF0000u) << "a missing device leaves 自動検出";

    std::vector<std::uint32_t> inputs = {0xFFFFFFFFu};
    for (UINT index = 0; index < waveInGetNumDevs(); ++index) {
        inputs.push_back(index);
    }
    HWND record = SelectPage(sheet, 4);
    EXPECT_EQ(ItemData(GetDlgItem(record, IDC_RECORD_SETTINGS_DEVICE)), inputs);
    EXPECT_EQ(SelectedData(GetDlgItem(record, IDC_RECORD_SETTINGS_DEVICE)), 0xFFFFFFFFu)
        << "a missing device leaves WAVE_MAPPER";

    std::vector<std::uint32_t> outputs = {0xFFFFFFFFu};
    for (UINT index = 0; index < waveOutGetNumDevs(); ++index) {
        outputs.push_back(index);
    }
    HWND wavePage = SelectPage(sheet, 5);
    EXPECT_EQ(ItemData(GetDlgItem(wavePage, IDC_WAVE_DEVICE)), outputs);
    EXPECT_EQ(SelectedData(GetDlgItem(wavePage, IDC_WAVE_DEVICE)), 0xFFFFFFFFu);
    std::printf("[ devices  ] aux %u, MIDI out %u, wave out %u, wave in %u\n", auxGetNumDevs(), midiOutGetNumDevs(),
                waveOutGetNumDevs(), waveInGetNumDevs());
    EXPECT_TRUE(Press(sheet, PSBTN_CANCEL));
}

// The time from command 108 to the sheet on the screen, median of ten openings.
TEST_F(SettingsScenario, SheetOpeningTime) {
    StartPlayer();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int run = 0; run < 10; ++run) {
        LARGE_INTEGER start, shown;
        QueryPerformanceCounter(&start);
        PostMessageA(window, WM_SYSCOMMAND, IDM_SETTINGS, 0);
        HWND sheet = nullptr;
        const DWORD begun = GetTickCount();
        while ((sheet = FindSettingsSheet(player.ProcessId())) == nullptr && GetTickCount() - begun < kSafetyMs) {
            Sleep(1);
        }
        QueryPerformanceCounter(&shown);
        ASSERT_NE(sheet, nullptr) << "run " << run;
        times.push_back(1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) / frequency.QuadPart);
        ASSERT_TRUE(Press(sheet, PSBTN_CANCEL));
    }
    std::sort(times.begin(), times.end());
    std::printf("[ timing   ] command 108 to the settings sheet: median %.1f ms (min %.1f, max %.1f)\n",
                (times[4] + times[5]) / 2, times.front(), times.back());
}

// A top-level window of the process whose class is className, or null.
struct ClassSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK FindByClass(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<ClassSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (processId == search.processId && IsWindowVisible(window) && std::string(className) == search.className) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindProcessWindow(DWORD processId, const char* className) {
    ClassSearch search{processId, className, nullptr};
    EnumWindows(FindByClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

// The help command with the help file beside the player: the viewer opens, or (without Wine's
// HTML engine) the player says it cannot show help; it never hangs.
TEST_F(SettingsScenario, HelpCommandOpensTheViewerOrSaysWhyAndThePlayerKeepsAnswering) {
    StartPlayer();
    PostMessageA(window, WM_SYSCOMMAND, IDM_HELP, 0);
    HWND viewer = nullptr;
    HWND box = nullptr;
    WaitUntil([&] {
        viewer = FindProcessWindow(player.ProcessId(), "HH Parent");
        box = FindProcessWindow(player.ProcessId(), "#32770");
        return viewer != nullptr || box != nullptr;
    });
    ASSERT_TRUE(viewer != nullptr || box != nullptr) << "neither the viewer nor a message appeared";
    if (viewer) {
        std::printf("[ help     ] the HTML Help viewer opened: \"%s\"\n", WindowText(viewer).c_str());
        PostMessageA(viewer, WM_CLOSE, 0, 0);
    } else {
        // The player's own message, or one of the system's (Wine asks for its HTML engine when it
        // is missing; the bench disables it with WINEDLLOVERRIDES=mshtml=).
        std::printf("[ help     ] a dialog appeared: \"%s\" (%s)\n", BoxText(box).c_str(), WindowText(box).c_str());
        PostMessageA(box, WM_COMMAND, WindowText(box) == kHelpErrorCaption ? IDOK : IDCANCEL, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    }
    EXPECT_TRUE(Answers(window));
    EXPECT_EQ(player.CloseAndWait(), 0);
}

// A copy of the player in a folder of its own, with the given help file (none when contents is empty).
std::string PlayerCopyWithHelp(const char* folderName, const std::string& contents) {
    const std::string folder = MakeScratchFolder(folderName);
    const std::string source = gPlayerPath.substr(0, gPlayerPath.find_last_of('\\') + 1);
    CopyFileA(gPlayerPath.c_str(), (folder + "Melodrix.exe").c_str(), FALSE);
    CopyFileA((source + "MxLib.dll").c_str(), (folder + "MxLib.dll").c_str(), FALSE);
    if (!contents.empty()) {
        HANDLE file = CreateFileA((folder + "Melodrix.chm").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        CloseHandle(file);
    }
    return folder + "Melodrix.exe";
}

TEST_F(SettingsScenario, MissingOrDamagedHelpFileGivesOneClearMessage) {
    struct HelpCase {
        const char* folder;
        std::string contents;
        HelpProblem problem;
    };
    const HelpCase cases[] = {
        {"help-missing", "", HelpProblem::kFileMissing},
        {"help-damaged", std::string(4096, 'x'), HelpProblem::kFileDamaged},
    };
    const std::string original = gPlayerPath;
    for (const HelpCase& c : cases) {
        gPlayerPath = PlayerCopyWithHelp(c.folder, c.contents);
        StartPlayer();
        // The help command and a page's help button go through the same seam.
        PostMessageA(window, WM_SYSCOMMAND, IDM_HELP, 0);
        HWND box = WaitForBox(player.ProcessId(), kHelpErrorCaption);
        ASSERT_NE(box, nullptr) << c.folder;
        const std::string expected = HelpProblemMessage(c.problem, "");
        EXPECT_NE(BoxText(box).find(expected.substr(0, expected.find('\n'))), std::string::npos) << BoxText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        HWND sheet = OpenSheet();
        ASSERT_NE(sheet, nullptr);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_HELP, 0);
        box = WaitForBox(player.ProcessId(), kHelpErrorCaption);
        ASSERT_NE(box, nullptr) << c.folder << ": the page's help button";
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        EXPECT_TRUE(Press(sheet, PSBTN_CANCEL));
        EXPECT_TRUE(Answers(window));
        EXPECT_EQ(player.CloseAndWait(), 0);
    }
    gPlayerPath = original;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TakePlayerPath(argc, argv);
    return RUN_ALL_TESTS();
}
