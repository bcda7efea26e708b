// The uninstaller's removal against an in-memory machine installed by the real installation
// steps: what goes, what stays unless the user asks, and what is reported when removal fails.
#include "installer/Uninstallation.h"

#include <gtest/gtest.h>

#include "installer/Installation.h"
#include "tests/unit/installer/InstallerFixture.h"

namespace {

constexpr char kProgram[] = "C:\\Program Files\\Veqo\\Melodrix";

class UninstallationTest : public InstallerFixture {
protected:
    void SetUp() override {
        InstallerFixture::SetUp();
        PutIni("[MxPlayList]\nNum=1\n0=Old\n[Old]\nNum=1\n0=C:\\a.mid,A,,100\n");
        state.DeriveListFolders();
        Installation installation(target, profiles, state);
        ASSERT_TRUE(installation.Run().Complete());
        // What the player and the user added since.
        files.AddFile("C:\\Program Files\\Veqo\\Melodrix\\List\\Mine.rpl", std::string("Melodrix2.0 PlayList,Mine"));
        files.AddFile("C:\\Program Files\\Veqo\\Melodrix\\List\\notes.txt", std::string("the user's own"));
        files.AddFile("C:\\Program Files\\Veqo\\Melodrix\\CD\\0123ABCD.cdl", std::string("a CD list"));
        registry.Put(RegRoot::kCurrentUser, "Software\\Veqo\\Melodrix\\2\\Player", "TopMost", kRegDword, "\1\0\0\0", 4);
        registry.Put(RegRoot::kCurrentUser, "Software\\Veqo\\Melodrix\\2\\File\\History", "0000", kRegSz, "x", 2);
    }

    const InstallReport& Uninstall(bool removeUserData) {
        uninstallation = std::make_unique<Uninstallation>(target);
        return uninstallation->Run(Uninstallation::FindFolders(""), removeUserData);
    }

    std::unique_ptr<Uninstallation> uninstallation;
};

TEST_F(UninstallationTest, FindsTheFoldersTheInstallerRecorded) {
    const UninstallFolders folders = Uninstallation::FindFolders("D:\\elsewhere\\");
    EXPECT_EQ(folders.program, kProgram);
    EXPECT_EQ(folders.list, std::string(kProgram) + "\\List");
    EXPECT_EQ(folders.cd, std::string(kProgram) + "\\CD");
}

TEST_F(UninstallationTest, RemovesWhatTheInstallerMadeAndKeepsTheUsersListsAndSettings) {
    EXPECT_TRUE(Uninstall(false).Complete());
    for (const DistributionFile& file : kDistributionFiles) {
        EXPECT_FALSE(files.Exists((std::string(kProgram) + "\\" + file.installedName).c_str())) << file.installedName;
    }
    EXPECT_TRUE(target.shortcuts.empty());
    EXPECT_FALSE(registry.KeyExists(RegRoot::kLocalMachine, kUninstallEntryPath));
    EXPECT_FALSE(registry.KeyExists(RegRoot::kLocalMachine, kMachineKeyPath));
    EXPECT_FALSE(registry.KeyExists(RegRoot::kLocalMachine, "SOFTWARE\\Veqo"));
    // Converted and own lists, the CD list and the settings stay; so does the folder holding them.
    EXPECT_TRUE(files.Exists("C:\\Program Files\\Veqo\\Melodrix\\List\\Old.rpl"));
    EXPECT_TRUE(files.Exists("C:\\Program Files\\Veqo\\Melodrix\\List\\Mine.rpl"));
    EXPECT_TRUE(files.Exists("C:\\Program Files\\Veqo\\Melodrix\\CD\\0123ABCD.cdl"));
    EXPECT_TRUE(registry.KeyExists(RegRoot::kCurrentUser, kDirectoryKeyPath));
    EXPECT_TRUE(registry.KeyExists(RegRoot::kCurrentUser, "Software\\Veqo\\Melodrix\\2\\Player"));
}

TEST_F(UninstallationTest, WhenAskedAlsoRemovesSettingsAndListFilesButNotOtherFiles) {
    const InstallReport& report = Uninstall(true);
    EXPECT_TRUE(report.Complete()) << report.FinishText();
    EXPECT_FALSE(registry.KeyExists(RegRoot::kCurrentUser, "Software\\Veqo"));
    EXPECT_FALSE(files.Exists("C:\\Program Files\\Veqo\\Melodrix\\List\\Old.rpl"));
    EXPECT_FALSE(files.Exists("C:\\Program Files\\Veqo\\Melodrix\\List\\Mine.rpl"));
    EXPECT_FALSE(files.Exists("C:\\Program Files\\Veqo\\Melodrix\\CD"));
    // A file that is not a list is the user's and keeps its folder.
    EXPECT_TRUE(files.Exists("C:\\Program Files\\Veqo\\Melodrix\\List\\notes.txt"));
}

TEST_F(UninstallationTest, EmptyFoldersGoAndForeignShortcutsStay) {
    files.Remove("C:\\Program Files\\Veqo\\Melodrix\\List\\notes.txt");
    target.shortcuts[ShortcutPlace::kDesktop].target = "C:\\Other\\Melodrix.exe";
    EXPECT_TRUE(Uninstall(true).Complete());
    EXPECT_FALSE(files.Exists(kProgram));
    EXPECT_EQ(target.shortcuts.count(ShortcutPlace::kDesktop), 1u);
    EXPECT_EQ(target.shortcuts.count(ShortcutPlace::kPrograms), 0u);
}

TEST_F(UninstallationTest, WhatCannotBeRemovedIsReported) {
    target.undeletable.insert(std::string(kProgram) + "\\MxLib.dll");
    registry.Put(RegRoot::kCurrentUser, "Software\\Veqo\\Melodrix\\2\\Unknown", "x", kRegSz, "", 1);
    const InstallReport& report = Uninstall(true);
    ASSERT_EQ(report.Failures().size(), 2u) << report.FinishText();
    EXPECT_NE(report.Failures()[0].find("MxLib.dll"), std::string::npos);
    EXPECT_NE(report.Failures()[1].find("HKEY_CURRENT_USER\\Software\\Veqo\\Melodrix\\2"), std::string::npos);
    EXPECT_TRUE(files.Exists(kProgram));
}

TEST_F(UninstallationTest, NothingInstalledLeavesEverythingElseAlone) {
    registry.Clear();
    files.AddFile("C:\\Windows\\Melodrix.exe", std::string("someone else's"));
    Uninstallation removal(target);
    const InstallReport& report = removal.Run(Uninstallation::FindFolders("relative\\"), true);
    EXPECT_TRUE(report.Complete());
    EXPECT_TRUE(files.Exists("C:\\Windows\\Melodrix.exe"));
}

}  // namespace
