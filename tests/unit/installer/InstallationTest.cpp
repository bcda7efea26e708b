// The installation steps against an in-memory machine: what lands where, and that every failed
// step is named on the finishing page instead of a report of success.
#include "installer/Installation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "installer/InstallerTexts.h"
#include "tests/unit/installer/InstallerFixture.h"

namespace {

constexpr char kProgram[] = "C:\\Program Files\\Veqo\\Melodrix";

class InstallationTest : public InstallerFixture {
protected:
    const InstallReport& Install() {
        state.DeriveListFolders();
        installation = std::make_unique<Installation>(target, profiles, state);
        return installation->Run();
    }

    // True when some failure line contains text.
    static bool Names(const InstallReport& report, const std::string& text) {
        for (const std::string& failure : report.Failures()) {
            if (failure.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    std::uint32_t Dword(RegRoot root, const char* path, const char* name) const {
        const MemoryRegistry::Value* value = registry.Find(root, path, name);
        if (value == nullptr || value->type != kRegDword || value->data.size() != 4) {
            return 0xDEADBEEF;
        }
        return value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
               static_cast<std::uint32_t>(value->data[3]) << 24;
    }

    std::unique_ptr<Installation> installation;
};

TEST_F(InstallationTest, FirstInstallationPutsEverythingInPlaceAndReportsSuccess) {
    const InstallReport& report = Install();
    EXPECT_TRUE(report.Complete()) << report.FinishText();
    EXPECT_EQ(report.FinishText(), kFinishedText);

    for (const DistributionFile& file : kDistributionFiles) {
        EXPECT_EQ(FileText(std::string(kProgram) + "\\" + file.installedName),
                  std::string("contents of ") + file.sourceName);
    }
    EXPECT_TRUE(target.IsFolder("C:\\Program Files\\Veqo\\Melodrix\\List"));
    EXPECT_TRUE(target.IsFolder("C:\\Program Files\\Veqo\\Melodrix\\CD"));

    EXPECT_TRUE(registry.KeyExists(RegRoot::kLocalMachine, kMachineKeyPath));
    const char* entry = kUninstallEntryPath;
    EXPECT_EQ(Text(RegRoot::kLocalMachine, entry, "DisplayName"), "Melodrix Ver2");
    EXPECT_EQ(Text(RegRoot::kLocalMachine, entry, "UninstallString"),
              "\"C:\\Program Files\\Veqo\\Melodrix\\Uninst.exe\"");
    EXPECT_EQ(Text(RegRoot::kLocalMachine, entry, "DisplayIcon"), "C:\\Program Files\\Veqo\\Melodrix\\Melodrix.exe,0");
    EXPECT_EQ(Text(RegRoot::kLocalMachine, entry, "DisplayVersion"), kDisplayVersion);
    EXPECT_EQ(Text(RegRoot::kLocalMachine, entry, "Publisher"), "Veqo");
    EXPECT_EQ(Text(RegRoot::kLocalMachine, entry, "InstallLocation"), kProgram);
    // Six small files: well under one kilobyte each, rounded up to one kilobyte in all.
    EXPECT_EQ(Dword(RegRoot::kLocalMachine, entry, "EstimatedSize"), 1u);
    EXPECT_EQ(Dword(RegRoot::kLocalMachine, entry, "NoModify"), 1u);
    EXPECT_EQ(Dword(RegRoot::kLocalMachine, entry, "NoRepair"), 1u);

    EXPECT_EQ(Text(RegRoot::kCurrentUser, kDirectoryKeyPath, "Program"), kProgram);
    EXPECT_EQ(Text(RegRoot::kCurrentUser, kDirectoryKeyPath, "List"), std::string(kProgram) + "\\List");
    EXPECT_EQ(Text(RegRoot::kCurrentUser, kDirectoryKeyPath, "CD"), std::string(kProgram) + "\\CD");

    for (const ShortcutPlace place : {ShortcutPlace::kPrograms, ShortcutPlace::kDesktop}) {
        ASSERT_EQ(target.shortcuts.count(place), 1u);
        EXPECT_EQ(target.shortcuts[place].target, std::string(kProgram) + "\\Melodrix.exe");
        EXPECT_EQ(target.shortcuts[place].workingFolder, kProgram);
    }
    // No version-1 settings file: an empty registered-list key, nothing converted.
    EXPECT_TRUE(registry.KeyExists(RegRoot::kCurrentUser, kRegListKeyPath));
    EXPECT_TRUE(registry.ValueNames(RegRoot::kCurrentUser, kRegListKeyPath).empty());
}

TEST_F(InstallationTest, ShortcutsFollowTheCheckBoxesAndAnOldHelpIndexIsDeleted) {
    files.AddFile("C:\\Program Files\\Veqo\\Melodrix\\Melodrix.GID", std::string("stale"));
    state.startMenu = false;
    EXPECT_TRUE(Install().Complete());
    EXPECT_EQ(target.shortcuts.count(ShortcutPlace::kPrograms), 0u);
    EXPECT_EQ(target.shortcuts.count(ShortcutPlace::kDesktop), 1u);
    EXPECT_FALSE(files.Exists("C:\\Program Files\\Veqo\\Melodrix\\Melodrix.GID"));
}

TEST_F(InstallationTest, AMissingDistributionFileIsNamedAndTheOthersAreStillInstalled) {
    files.Remove("E:\\dist\\Melodrix.chm");
    const InstallReport& report = Install();
    EXPECT_FALSE(report.Complete());
    EXPECT_EQ(report.Failures().size(), 1u);
    EXPECT_TRUE(Names(report, "Melodrix.chm"));
    EXPECT_EQ(report.FinishText().find(kFinishedText), std::string::npos);
    EXPECT_NE(report.FinishText().find(kIncompleteHeading), std::string::npos);
    EXPECT_NE(FileText(std::string(kProgram) + "\\Melodrix.exe"), "<none>");
    EXPECT_NE(FileText(std::string(kProgram) + "\\Uninst.exe"), "<none>");
}

TEST_F(InstallationTest, EveryKindOfFailedStepIsListed) {
    const struct {
        const char* what;
        std::function<void(InstallationTest&)> arrange;
        std::vector<std::string> named;
    } cases[] = {
        {"read-only disk",
         [](InstallationTest& t) {
             t.target.readOnly = true;
             t.files.FailWrites(true);
             t.files.AddFile("C:\\WINDOWS\\Melodrix.ini", std::string("[MxPlayList]\nNum=1\n0=Old\n[Old]\nNum=0\n"));
         },
         {"フォルダを作成できません: C:\\Program Files\\Veqo\\Melodrix", "Melodrix.exe", "Uninst.exe",
          "スタートメニュー", "デスクトップ", "変換できません: Old"}},
        {"uninstall entry refused",
         [](InstallationTest& t) { t.registry.FailKey(kUninstallEntryPath); },
         {std::string("HKEY_LOCAL_MACHINE\\") + kUninstallEntryPath}},
        {"user's keys refused",
         [](InstallationTest& t) {
             t.registry.FailKey(kDirectoryKeyPath);
             t.registry.FailKey(kRegListKeyPath);
         },
         {std::string("HKEY_CURRENT_USER\\") + kDirectoryKeyPath, "登録リスト"}},
        {"shortcuts refused",
         [](InstallationTest& t) { t.target.failShortcuts = true; },
         {"スタートメニュー", "デスクトップ"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        registry.Clear();
        files.Clear();
        target.readOnly = false;
        target.failShortcuts = false;
        files.FailWrites(false);
        SetUp();
        c.arrange(*this);
        const InstallReport& report = Install();
        EXPECT_FALSE(report.Complete());
        for (const std::string& text : c.named) {
            EXPECT_TRUE(Names(report, text)) << text << "\n" << report.FinishText();
        }
    }
}

TEST_F(InstallationTest, ASecondInstallationConvertsNothing) {
    registry.Put(RegRoot::kCurrentUser, kDirectoryKeyPath, "Program", kRegSz, "D:\\Melodrix", 12);
    files.AddDirectory("D:\\Melodrix");
    PutIni("[MxPlayList]\nNum=1\n0=Old\n[Old]\nNum=0\n");
    state.Start("E:\\dist\\install.exe", "C:\\WINDOWS\\system32");
    ASSERT_EQ(state.previousState, kPreviousInstallation);
    EXPECT_TRUE(Install().Complete());
    EXPECT_EQ(FileText("D:\\Melodrix\\List\\Old.rpl"), "<none>");
    EXPECT_FALSE(registry.KeyExists(RegRoot::kCurrentUser, kRegListKeyPath));
    EXPECT_NE(FileText("D:\\Melodrix\\Melodrix.exe"), "<none>");
}

}  // namespace
