// Installs, reinstalls and removes Melodrix under Wine from the distribution folder, driving the
// wizard and the uninstaller's questions from this program, and checks what they leave behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "installer/InstallerNames.h"
#include "installer/InstallerTexts.h"
#include "installer/ShellLink_win.h"
#include "resources/InstallWizard.h"
#include "tests/scenario/InstallerDriver_win.h"
#include "tests/scenario/PlayerProcess.h"

namespace {

// The distribution folder (build/win/dist) and the demo songs (build/win/bin/demo).
std::string gDistFolder;
std::string gDemoFolder;

constexpr char kScratchDist[] = "C:\\mxdist";
constexpr char kProgram[] = "C:\\mxtest\\Veqo\\Melodrix";

class InstallScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(gDistFolder.empty()) << "give the distribution folder (argument or MX_DIST_DIR)";
        ForgetInstallations();
        RemoveTree("C:\\mxtest");
        DeleteFileA((WindowsFolder() + "\\" + kVersion1IniName).c_str());
        for (const ShortcutPlace place : {ShortcutPlace::kPrograms, ShortcutPlace::kDesktop}) {
            DeleteFileA(ShortcutPath(place).c_str());
        }
        // A private copy, so that a scenario may take files out of it.
        ASSERT_TRUE(CopyFolder(gDistFolder, kScratchDist));
    }
    void TearDown() override {
        ForgetInstallations();
        RemoveTree("C:\\mxtest");
        RemoveTree(kScratchDist);
        DeleteFileA((WindowsFolder() + "\\" + kVersion1IniName).c_str());
    }

    static bool HelpShipped() { return FileThere(std::string(kScratchDist) + "\\Melodrix.chm"); }

    static std::string Installed(const char* name) { return std::string(kProgram) + "\\" + name; }

    // The finishing text of a complete installation, or of one that lacks only the help file
    // when this build could not make it.
    static void ExpectSuccess(const std::string& finishText) {
        if (HelpShipped()) {
            EXPECT_EQ(finishText, kFinishedText);
        } else {
            EXPECT_NE(finishText.find("Melodrix.chm"), std::string::npos) << finishText;
        }
    }

    // Runs the uninstaller from the program folder, answering its two questions.
    static std::string Uninstall(bool removeUserData) {
        const std::string uninstaller = Installed(kUninstallerFileName);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::string commandLine = "\"" + uninstaller + "\"";
        std::vector<char> buffer(commandLine.begin(), commandLine.end());
        buffer.push_back('\0');
        if (!CreateProcessA(uninstaller.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            return "<not started>";
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        HWND confirm = WaitForDialog(kUninstallerCaption);
        if (confirm == nullptr || MessageText(confirm).find("削除しますか") == std::string::npos) {
            return "<no confirmation>";
        }
        PressBoxButton(confirm, IDYES);
        HWND userData = nullptr;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 15000) {
            userData = WaitForDialog(kUninstallerCaption, 200);
            if (userData != nullptr && userData != confirm && MessageText(userData).find("設定") != std::string::npos) {
                break;
            }
            userData = nullptr;
        }
        if (userData == nullptr) {
            return "<no question about the user's data>";
        }
        PressBoxButton(userData, removeUserData ? IDYES : IDNO);
        HWND done = nullptr;
        const DWORD wait = GetTickCount();
        while (GetTickCount() - wait < 30000) {
            done = WaitForDialog(kUninstallerCaption, 200);
            if (done != nullptr && done != userData) {
                break;
            }
            done = nullptr;
        }
        if (done == nullptr) {
            return "<no result>";
        }
        const std::string text = MessageText(done);
        PressBoxButton(done, IDOK);
        return text;
    }
};

TEST_F(InstallScenario, FirstInstallationPutsThePlayerInPlaceWithShortcutsThatStartIt) {
    double seconds = 0;
    const std::string finish = InstallThroughWizard(kScratchDist, kProgram, &seconds);
    ASSERT_FALSE(finish.empty()) << "the wizard did not reach its last page";
    ExpectSuccess(finish);
    std::printf("complete installation: %.2f s\n", seconds);
    RecordProperty("InstallMilliseconds", static_cast<int>(seconds * 1000));

    for (const DistributionFile& file : kDistributionFiles) {
        if (std::string(file.sourceName) != "Melodrix.chm" || HelpShipped()) {
            EXPECT_TRUE(FileThere(Installed(file.installedName))) << file.installedName;
        }
    }
    EXPECT_TRUE(FolderThere(std::string(kProgram) + "\\List"));
    EXPECT_TRUE(FolderThere(std::string(kProgram) + "\\CD"));

    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "DisplayName"), kDisplayName);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "UninstallString"),
              "\"" + Installed(kUninstallerFileName) + "\"");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "DisplayIcon"), Installed(kPlayerFileName) + ",0");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "Publisher"), kPublisher);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "DisplayVersion"), kDisplayVersion);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "InstallLocation"), kProgram);
    EXPECT_GT(RegDword(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "EstimatedSize"), 100u);
    EXPECT_EQ(RegDword(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "NoModify"), 1u);
    EXPECT_EQ(RegDword(HKEY_LOCAL_MACHINE, kUninstallEntryPath, "NoRepair"), 1u);
    EXPECT_TRUE(RegKeyThere(HKEY_LOCAL_MACHINE, kMachineKeyPath));
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, kDirectoryKeyPath, "Program"), kProgram);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, kDirectoryKeyPath, "List"), std::string(kProgram) + "\\List");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, kDirectoryKeyPath, "CD"), std::string(kProgram) + "\\CD");

    for (const ShortcutPlace place : {ShortcutPlace::kPrograms, ShortcutPlace::kDesktop}) {
        EXPECT_EQ(ShellLinkTarget(ShortcutPath(place)), Installed(kPlayerFileName));
    }

    // The installed player starts and plays a demo song.
    gPlayerPath = Installed(kPlayerFileName);
    PlayerProcess player;
    ASSERT_TRUE(player.Start("/play \"" + gDemoFolder + "\\bells.wav\""));
    HWND window = player.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    const DWORD start = GetTickCount();
    bool playing = false;
    while (!playing && GetTickCount() - start < 15000) {
        // Playing: the play button (4) is disabled and the stop button (3) enabled.
        playing = !IsWindowEnabled(GetDlgItem(window, 4)) && IsWindowEnabled(GetDlgItem(window, 3));
        Sleep(50);
    }
    EXPECT_TRUE(playing);
    player.CloseAndWait();
}

TEST_F(InstallScenario, TheFolderTestRefusesUncRelativeAndMissingDrivePathsAndLeavesNothing) {
    InstallerRun run;
    ASSERT_TRUE(run.Start(kScratchDist));
    const std::vector<std::string> refused = {"\\\\server\\share\\Melodrix", "Veqo\\Melodrix", "Q:\\Veqo\\Melodrix",
                                              "C:\\" + std::string(300, 'x')};
    for (const std::string& folder : refused) {
        run.SetItemText(IDC_FOLDER_EDIT, folder);
        run.PressNext();
        HWND box = WaitForDialog(kInstallerCaption);
        ASSERT_NE(box, nullptr) << folder;
        EXPECT_NE(MessageText(box).find("の作製に失敗しました"), std::string::npos) << folder;
        PressBoxButton(box, IDOK);
        Sleep(300);
        EXPECT_EQ(run.PageNumber(), 1) << folder;
    }
    // A folder that can be made passes; the test leaves none of its new folders behind.
    run.SetItemText(IDC_FOLDER_EDIT, "C:\\mxtest\\deep\\er\\Melodrix");
    run.PressNext();
    ASSERT_TRUE(run.WaitForPage(2));
    EXPECT_FALSE(FolderThere("C:\\mxtest"));
    EXPECT_EQ(run.ItemText(IDC_DIRECTORIES_LIST), "C:\\mxtest\\deep\\er\\Melodrix\\List");
    run.PressCancel();
    EXPECT_NE(run.WaitForExit(), -1);
    EXPECT_FALSE(FolderThere("C:\\mxtest"));
    EXPECT_FALSE(RegKeyThere(HKEY_LOCAL_MACHINE, kUninstallEntryPath));
}

TEST_F(InstallScenario, Version1PlayListsAreConvertedAndRegisteredInOrder) {
    ASSERT_TRUE(WriteWholeFile(WindowsFolder() + "\\" + kVersion1IniName,
                               "[MxPlayList]\r\nNum=3\r\n0=Night: songs?\r\n1=Same\r\n2=Same\r\n"
                               "[Night: songs?]\r\nNum=2\r\nAllVol=80\r\n"
                               "0=C:\\MIDI\\NOTITLE.MID,,,abc\r\n1=C:\\WAVE\\TAKE.WAV,Take,,-5\r\n"
                               "[Same]\r\nNum=1\r\n0=D:\\a.mid,A,,100\r\n"));
    ExpectSuccess(InstallThroughWizard(kScratchDist, kProgram));
    const std::string list = std::string(kProgram) + "\\List\\";
    const char* key = "Software\\Veqo\\Melodrix\\2\\File\\RegList";
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, key, "0000"), list + "Night_ songs_.rpl");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, key, "0001"), list + "Same.rpl");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, key, "0002"), list + "Same_0.rpl");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, key, "0003"), "<none>");
    EXPECT_EQ(ReadWholeFile(list + "Night_ songs_.rpl"),
              "Melodrix2.0 PlayList,Night: songs?,80\r\n"
              "C:\\MIDI\\NOTITLE.MID,NOTITLE,,100,-300\r\n"
              "C:\\WAVE\\TAKE.WAV,Take,,100,-300\r\n");
}

TEST_F(InstallScenario, ASecondInstallationProposesThePreviousFoldersAndConvertsNothing) {
    ExpectSuccess(InstallThroughWizard(kScratchDist, kProgram));
    ASSERT_TRUE(WriteWholeFile(WindowsFolder() + "\\" + kVersion1IniName,
                               "[MxPlayList]\r\nNum=1\r\n0=Late\r\n[Late]\r\nNum=0\r\n"));
    InstallerRun run;
    ASSERT_TRUE(run.Start(kScratchDist));
    EXPECT_EQ(run.ItemText(IDC_FOLDER_EDIT), kProgram);
    run.PressNext();
    ASSERT_TRUE(run.WaitForPage(2));
    EXPECT_EQ(run.ItemText(IDC_DIRECTORIES_LIST), std::string(kProgram) + "\\List");
    EXPECT_EQ(run.ItemText(IDC_DIRECTORIES_CD), std::string(kProgram) + "\\CD");
    run.PressNext();
    ASSERT_TRUE(run.WaitForPage(3));
    run.PressNext();
    ASSERT_TRUE(run.WaitForPage(4));
    ExpectSuccess(run.ItemText(IDC_FINISH_TEXT));
    run.PressFinish();
    run.WaitForExit();
    EXPECT_FALSE(FileThere(std::string(kProgram) + "\\List\\Late.rpl"));
}

TEST_F(InstallScenario, TheUninstallerRemovesWhatTheInstallerMadeAndKeepsListsUnlessAsked) {
    ASSERT_TRUE(WriteWholeFile(WindowsFolder() + "\\" + kVersion1IniName,
                               "[MxPlayList]\r\nNum=1\r\n0=Old\r\n[Old]\r\nNum=0\r\n"));
    ExpectSuccess(InstallThroughWizard(kScratchDist, kProgram));
    const std::string ownList = std::string(kProgram) + "\\List\\Mine.rpl";
    ASSERT_TRUE(WriteWholeFile(ownList, "Melodrix2.0 PlayList,Mine\r\n"));

    EXPECT_EQ(Uninstall(false), kUninstallDone);
    EXPECT_FALSE(FileThere(Installed(kPlayerFileName)));
    EXPECT_FALSE(FileThere(Installed(kUninstallerFileName)));
    EXPECT_FALSE(FileThere(Installed("MxLib.dll")));
    EXPECT_FALSE(FileThere(ShortcutPath(ShortcutPlace::kPrograms)));
    EXPECT_FALSE(FileThere(ShortcutPath(ShortcutPlace::kDesktop)));
    EXPECT_FALSE(RegKeyThere(HKEY_LOCAL_MACHINE, kUninstallEntryPath));
    EXPECT_FALSE(RegKeyThere(HKEY_LOCAL_MACHINE, kMachineKeyPath));
    EXPECT_TRUE(FileThere(ownList));
    EXPECT_TRUE(FileThere(std::string(kProgram) + "\\List\\Old.rpl"));
    EXPECT_TRUE(RegKeyThere(HKEY_CURRENT_USER, kDirectoryKeyPath));

    // Installed again and removed with the user's data this time.
    ExpectSuccess(InstallThroughWizard(kScratchDist, kProgram));
    EXPECT_EQ(Uninstall(true), kUninstallDone);
    EXPECT_FALSE(FileThere(ownList));
    EXPECT_FALSE(RegKeyThere(HKEY_CURRENT_USER, "Software\\Veqo\\Melodrix\\2"));
    EXPECT_FALSE(FolderThere(kProgram));
}

TEST_F(InstallScenario, ADamagedDirectoryKeyIsShownWholeAndRefusedNotCut) {
    // An overlong program folder and an empty list folder left by a damaged registry.
    const std::string overlong = "C:\\mxtest\\" + std::string(300, 'x');
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kDirectoryKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, "Program", 0, REG_SZ, reinterpret_cast<const BYTE*>(overlong.c_str()),
                   static_cast<DWORD>(overlong.size() + 1));
    RegSetValueExA(key, "List", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(key);

    InstallerRun run;
    ASSERT_TRUE(run.Start(kScratchDist));
    EXPECT_EQ(run.ItemText(IDC_FOLDER_EDIT), overlong);
    run.PressNext();
    HWND box = WaitForDialog(kInstallerCaption);
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageText(box).find(overlong.substr(0, 40)), std::string::npos);
    PressBoxButton(box, IDOK);
    Sleep(300);
    EXPECT_EQ(run.PageNumber(), 1);
    EXPECT_FALSE(FolderThere("C:\\mxtest"));

    // Corrected by the user, the installation goes on; the empty list folder is derived again.
    run.SetItemText(IDC_FOLDER_EDIT, kProgram);
    run.PressNext();
    ASSERT_TRUE(run.WaitForPage(2));
    EXPECT_EQ(run.ItemText(IDC_DIRECTORIES_LIST), std::string(kProgram) + "\\List");
    run.PressCancel();
    EXPECT_NE(run.WaitForExit(), -1);
}

TEST_F(InstallScenario, TheFinishingPageNamesWhatFailed) {
    // A distribution file missing, and the player's place in the program folder taken by a folder.
    ASSERT_TRUE(DeleteFileA((std::string(kScratchDist) + "\\MxLib.dll").c_str()));
    RemoveTree("C:\\mxtest");
    ASSERT_TRUE(CreateDirectoryA("C:\\mxtest", nullptr));
    ASSERT_TRUE(CreateDirectoryA("C:\\mxtest\\Veqo", nullptr));
    ASSERT_TRUE(CreateDirectoryA(kProgram, nullptr));
    ASSERT_TRUE(CreateDirectoryA(Installed(kPlayerFileName).c_str(), nullptr));

    const std::string finish = InstallThroughWizard(kScratchDist, kProgram);
    EXPECT_EQ(finish.find(kFinishedText), std::string::npos) << finish;
    EXPECT_NE(finish.find("インストールは完了していません"), std::string::npos) << finish;
    EXPECT_NE(finish.find("MxLib.dll"), std::string::npos) << finish;
    EXPECT_NE(finish.find(Installed(kPlayerFileName)), std::string::npos) << finish;
    // What could be installed was.
    EXPECT_TRUE(FileThere(Installed(kUninstallerFileName)));
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* dist = argc > 1 ? argv[1] : std::getenv("MX_DIST_DIR");
    const char* demo = argc > 2 ? argv[2] : std::getenv("MX_DEMO_DIR");
    gDistFolder = dist != nullptr ? dist : "";
    gDemoFolder = demo != nullptr ? demo : "";
    return RUN_ALL_TESTS();
}
