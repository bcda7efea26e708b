// The settings store against the Win32 registry. Every path is redirected below a fresh key
// HKCU\Software\MelodrixTest\<random>, so the player's own settings are never touched; the key is removed
// at the end.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/RegistryStore.h"
#include "app/Settings.h"
#include "app/SettingsKeyWriter.h"

namespace {

constexpr char kTestParent[] = "Software\\MelodrixTest";

std::string& TestRoot() {
    static std::string root = [] {
        char name[64];
        std::snprintf(name, sizeof name, "%s\\%08lx%08lx", kTestParent, GetCurrentProcessId(), GetTickCount());
        return std::string(name);
    }();
    return root;
}

// Forwards to the platform registry with every path moved below the test key.
class RedirectedRegistry : public RegistryStore {
public:
    bool OpenKey(RegRoot root, const char* path, RegHandle* handle) override {
        return real.OpenKey(root, Moved(path).c_str(), handle);
    }
    bool CreateKey(RegRoot root, const char* path, RegHandle* handle) override {
        return real.CreateKey(root, Moved(path).c_str(), handle);
    }
    void CloseKey(RegHandle handle) override { real.CloseKey(handle); }
    RegStatus QueryValue(RegHandle key, const char* name, std::uint32_t* type, void* data,
                         std::uint32_t* size) override {
        return real.QueryValue(key, name, type, data, size);
    }
    bool SetValue(RegHandle key, const char* name, std::uint32_t type, const void* data, std::uint32_t size) override {
        return real.SetValue(key, name, type, data, size);
    }
    bool DeleteValue(RegHandle key, const char* name) override { return real.DeleteValue(key, name); }
    bool DeleteSubKey(RegHandle key, const char* name) override { return real.DeleteSubKey(key, name); }

private:
    static std::string Moved(const char* path) { return TestRoot() + "\\" + path; }

    RegistryStore& real = DefaultRegistry();
};

std::string FullPath(const char* subKey) {
    return TestRoot() + "\\" + kSettingsBasePath + "\\" + subKey;
}

// A value as the registry holds it, read with the Win32 API itself.
struct RawValue {
    LONG result = ERROR_FILE_NOT_FOUND;
    DWORD type = REG_NONE;
    std::string data;
};

RawValue ReadRaw(const char* subKey, const char* name) {
    RawValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, FullPath(subKey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return value;
    }
    char buffer[4096];
    DWORD size = sizeof buffer;
    value.result = RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &size);
    if (value.result == ERROR_SUCCESS) {
        value.data.assign(buffer, size);
    }
    RegCloseKey(key);
    return value;
}

void WriteRaw(const char* subKey, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, FullPath(subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

class WinSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetActiveRegistry(&redirected);
        ResetSettingsToDefaults();
    }
    void TearDown() override {
        ResetSettingsToDefaults();
        SetActiveRegistry(nullptr);
        RegDeleteTreeA(HKEY_CURRENT_USER, TestRoot().c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestParent);  // only when no other run's key is left in it
    }

    RedirectedRegistry redirected;
};

TEST_F(WinSettingsTest, FirstSaveCreatesValuesWithWin32Types) {
    EXPECT_EQ(LoadSettings(), 0);
    ASSERT_EQ(SaveSettings(), 1);

    const RawValue x = ReadRaw("Player", "Player_x");
    EXPECT_EQ(x.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(x.data, std::string("\0\0\0\x80", 4));
    const RawValue font = ReadRaw("Player", "Font");
    EXPECT_EQ(font.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(font.data.size(), 60u);
    const RawValue wildCard = ReadRaw("File", "ListEditLastWildCard");
    EXPECT_EQ(wildCard.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(wildCard.data, std::string("*.*\0", 4));
    const RawValue format = ReadRaw("Record", "Format");
    EXPECT_EQ(format.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(format.data.size(), 18u);
    const RawValue volume = ReadRaw("Volume", "MIDI_Volume_ID");
    EXPECT_EQ(volume.data, std::string("\0\0\xFF\xFF", 4));
}

TEST_F(WinSettingsTest, LoadReadsBackWhatSaveWrote) {
    gSettings.player.Player_x = -120;
    gSettings.play.SeekStep = 250;
    std::strcpy(gSettings.directory.List, "C:\\Lists\\");
    std::strcpy(gSettings.cd.LastDrive, "Q:");
    gSettings.record.Format.extraSize = 32;
    for (int i = 0; i < 32; ++i) {
        gSettings.record.Format.extra[i] = static_cast<std::uint8_t>(0xA0 + i);
    }
    FileHistory.InsertString(-1, "C:\\Music\\one.mid");
    FileHistory.InsertString(-1, "two.rpl");
    const Settings saved = gSettings;
    ASSERT_EQ(SaveSettings(), 1);
    EXPECT_EQ(ReadRaw("Record", "Format").data.size(), 50u);

    ResetSettingsToDefaults();
    EXPECT_EQ(LoadSettings(), 1);
    EXPECT_EQ(std::memcmp(&gSettings, &saved, sizeof saved), 0);
    ASSERT_EQ(FileHistory.Count(), 2);
    EXPECT_STREQ(FileHistory.StringAt(1), "two.rpl");
}

TEST_F(WinSettingsTest, ShorterHistoryDeletesTheValuesAfterIt) {
    for (const char* song : {"a", "b", "c", "d", "e"}) {
        FileHistory.InsertString(-1, song);
    }
    ASSERT_EQ(SaveSettings(), 1);
    FileHistory.Clear();
    for (const char* song : {"x", "y", "z"}) {
        FileHistory.InsertString(-1, song);
    }
    ASSERT_EQ(SaveSettings(), 1);
    EXPECT_EQ(ReadRaw("File\\History", "0002").data, std::string("z\0", 2));
    EXPECT_EQ(ReadRaw("File\\History", "0003").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadRaw("File\\History", "0004").result, ERROR_FILE_NOT_FOUND);
}

TEST_F(WinSettingsTest, WrongTypedAndOversizedValuesKeepDefaults) {
    const DWORD five = 5;
    const std::string longPath(300, 'x');
    WriteRaw("Player", "Player_x", REG_SZ, "12", 3);
    WriteRaw("Player", "TopMost", REG_BINARY, &five, 4);
    WriteRaw("Directory", "List", REG_DWORD, &five, 4);
    WriteRaw("Directory", "CD", REG_SZ, longPath.c_str(), static_cast<DWORD>(longPath.size() + 1));
    WriteRaw("File", "LastDirectory", REG_SZ, "C:\\Songs\\", 10);
    WriteRaw("Play", "SeekStep", REG_DWORD, &five, 4);
    LoadSettings();

    Settings expected;
    std::strcpy(expected.file.LastDirectory, "C:\\Songs\\");
    expected.play.SeekStep = 5;
    EXPECT_EQ(std::memcmp(&gSettings, &expected, sizeof expected), 0);
}

TEST_F(WinSettingsTest, KeyObjectsDeleteValuesAndEmptySubkeys) {
    SettingsKeyWriter key(kSettingsRoot, kSettingsBasePath);
    ASSERT_EQ(key.isOpen, 1);
    {
        SettingsKeyWriter child(kSettingsRoot, (std::string(kSettingsBasePath) + "\\File\\RegList").c_str());
        std::int32_t value = 1;
        EXPECT_EQ(child.Int("0000", value), 1);
    }
    EXPECT_EQ(key.DeleteSubKey("File\\RegList"), 1);
    EXPECT_EQ(ReadRaw("File\\RegList", "0000").result, ERROR_FILE_NOT_FOUND);
    std::int32_t value = 3;
    EXPECT_EQ(key.Int("Temporary", value), 1);
    EXPECT_EQ(key.DeleteValue("Temporary"), 1);
    EXPECT_EQ(key.DeleteValue("Temporary"), 0);
}

}  // namespace
