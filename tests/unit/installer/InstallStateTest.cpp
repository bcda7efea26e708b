// Start-up of the installer: the source folder, the default program folder and the folders of a
// previous installation, including damaged registry values.
#include "installer/InstallState.h"

#include <gtest/gtest.h>

#include <cstring>

#include "installer/FolderPath.h"
#include "tests/unit/installer/InstallerFixture.h"

namespace {

class InstallStateTest : public InstallerFixture {
protected:
    void PutText(RegRoot root, const char* path, const char* name, const std::string& value) {
        registry.Put(root, path, name, kRegSz, value.c_str(), static_cast<std::uint32_t>(value.size() + 1));
    }
};

TEST_F(InstallStateTest, SourceFolderIsTheExecutablesFolderWithATrailingBackslash) {
    EXPECT_EQ(state.source, "E:\\dist\\");
    EXPECT_EQ(InstallState::SourceFolderOf("C:\\ソ\\install.exe"), "C:\\ソ\\");
    EXPECT_EQ(InstallState::SourceFolderOf("install.exe"), "");
}

TEST_F(InstallStateTest, DefaultProgramFolderFollowsTheSystemDriveUnlessProgramFilesDirIsSet) {
    EXPECT_EQ(InstallState::DefaultProgramFolder("D:\\WINDOWS\\system32"), "D:\\Program Files\\Veqo\\Melodrix");
    EXPECT_EQ(InstallState::DefaultProgramFolder(""), "C:\\Program Files\\Veqo\\Melodrix");
    PutText(RegRoot::kLocalMachine, kWindowsVersionPath, kProgramFilesValue, "E:\\Apps");
    EXPECT_EQ(InstallState::DefaultProgramFolder("D:\\WINDOWS\\system32"), "E:\\Apps\\Veqo\\Melodrix");
    PutText(RegRoot::kLocalMachine, kWindowsVersionPath, kProgramFilesValue, "E:\\Apps\\");
    EXPECT_EQ(InstallState::DefaultProgramFolder("D:\\WINDOWS\\system32"), "E:\\Apps\\Veqo\\Melodrix");
}

TEST_F(InstallStateTest, FirstInstallationProposesTheDefaultAndDerivesTheListFolders) {
    EXPECT_EQ(state.previousState, kNoPreviousInstallation);
    EXPECT_EQ(state.program, "C:\\Program Files\\Veqo\\Melodrix");
    EXPECT_TRUE(state.list.empty());
    state.DeriveListFolders();
    EXPECT_EQ(state.list, "C:\\Program Files\\Veqo\\Melodrix\\List");
    EXPECT_EQ(state.cd, "C:\\Program Files\\Veqo\\Melodrix\\CD");
}

TEST_F(InstallStateTest, PreviousInstallationProposesItsFoldersAndKeepsThem) {
    PutText(RegRoot::kCurrentUser, kDirectoryKeyPath, kProgramValue, "D:\\Tools\\Melodrix");
    PutText(RegRoot::kCurrentUser, kDirectoryKeyPath, kListValue, "D:\\Lists");
    PutText(RegRoot::kCurrentUser, kDirectoryKeyPath, kCdValue, "D:\\CdLists");
    state.Start("E:\\dist\\install.exe", "C:\\WINDOWS\\system32");
    EXPECT_EQ(state.previousState, kPreviousInstallation);
    EXPECT_EQ(state.program, "D:\\Tools\\Melodrix");
    state.DeriveListFolders();
    EXPECT_EQ(state.list, "D:\\Lists");
    EXPECT_EQ(state.cd, "D:\\CdLists");
}

TEST_F(InstallStateTest, EmptyOrOverlongRegistryValuesNeitherVanishNorGetCut) {
    const std::string overlong = "D:\\" + std::string(400, 'x');
    PutText(RegRoot::kCurrentUser, kDirectoryKeyPath, kProgramValue, "");
    PutText(RegRoot::kCurrentUser, kDirectoryKeyPath, kListValue, overlong);
    state.Start("E:\\dist\\install.exe", "C:\\WINDOWS\\system32");
    // The empty program value keeps the default; the overlong list folder is kept whole, so the
    // folder test refuses it instead of a cut copy naming another folder.
    EXPECT_EQ(state.program, "C:\\Program Files\\Veqo\\Melodrix");
    EXPECT_EQ(state.list, overlong);
    EXPECT_EQ(QualifyFolder(state.list), FolderResult::kTooLong);
    EXPECT_EQ(state.previousState, kPreviousInstallation);

    // A ProgramFilesDir beyond any folder's length does the same for the program folder.
    PutText(RegRoot::kLocalMachine, kWindowsVersionPath, kProgramFilesValue, overlong);
    EXPECT_EQ(QualifyFolder(InstallState::DefaultProgramFolder("C:\\WINDOWS")), FolderResult::kTooLong);
}

}  // namespace
