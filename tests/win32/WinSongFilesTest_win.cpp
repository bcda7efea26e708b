// Play list, CD list and folder listing against the real Win32 file system and profile functions:
// everything happens in a fresh temporary folder and a throw-away section of "Melodrix.ini", both
// removed at the end.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "songfiles/CdListFile.h"
#include "songfiles/FindFiles.h"
#include "songfiles/PlayListFile.h"

namespace {

// A fresh folder below the user's temporary folder, removed with its files when the test ends.
class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%smx-songfiles-%08lx%08lx", base, GetCurrentProcessId(), GetTickCount());
        path = name;
        created = CreateDirectoryA(path.c_str(), nullptr) != 0;
    }
    ~TempFolder() {
        for (const std::string& name : Names()) {
            std::string file = path + "\\" + name;
            SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!DeleteFileA(file.c_str())) {
                RemoveDirectoryA(file.c_str());
            }
        }
        RemoveDirectoryA(path.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Every entry of the folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            if (std::string(data.cFileName) != "." && std::string(data.cFileName) != "..") {
                names.push_back(data.cFileName);
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string path;
    bool created = false;
};

std::string FileBytes(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return "<none>";
    }
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(file, buffer, sizeof buffer, &count, nullptr) && count > 0) {
        bytes.append(buffer, count);
    }
    CloseHandle(file);
    return bytes;
}

TEST(WinSongFiles, PlayListSavesWithCrLfReplacesInPlaceAndLoadsBack) {
    TempFolder folder;
    ASSERT_TRUE(folder.created);
    const std::string path = folder.path + "\\\x95\x5C list.rpl";  // 表: a 0x5C trail byte in the name
    PlayListFile list;
    std::snprintf(list.title, sizeof list.title, "%s", "Evening, quiet");
    PlayListEntry entry;
    std::snprintf(entry.path, sizeof entry.path, "%s", "C:\\MIDI\\\x83\x5C.MID");
    std::snprintf(entry.title, sizeof entry.title, "%s", "Say \"hi\"");
    list.InsertEntry(-1, entry);
    ASSERT_EQ(list.Save(path.c_str()), 1);
    EXPECT_EQ(FileBytes(path),
              "Melodrix2.0 PlayList,\"Evening, quiet\",100,\r\n"
              "C:\\MIDI\\\x83\x5C.MID,\"Say \"\"hi\"\"\",,100,-300,0\r\n");

    // A second save replaces the file and leaves no temporary file behind.
    list.volume = 80;
    ASSERT_EQ(list.Save(path.c_str()), 1);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"\x95\x5C list.rpl"});

    PlayListFile back;
    ASSERT_EQ(back.Load(path.c_str()), 1);
    EXPECT_STREQ(back.title, "Evening, quiet");
    EXPECT_EQ(back.volume, 80);
    PlayListEntry loaded;
    ASSERT_EQ(back.GetEntry(0, loaded), 1);
    EXPECT_STREQ(loaded.path, entry.path);
    EXPECT_STREQ(loaded.title, entry.title);

    // A folder that does not exist: the save fails and reports it.
    EXPECT_EQ(list.Save((folder.path + "\\missing\\x.rpl").c_str()), 0);
}

TEST(WinSongFiles, MigratesAVersion1DiscFromTheRealProfileFile) {
    TempFolder folder;
    ASSERT_TRUE(folder.created);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string iniPath = std::string(windows) + "\\" + kVersion1ProfileName;
    const bool iniExisted = GetFileAttributesA(iniPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    // A section no real disc has: the version-1 identifier of a 99-track disc of length 0.
    const char section[] = "00000063";
    const std::uint32_t version1Id = 0x00000063;

    {
        CdListFile list(0x0A1E2D03, folder.path.c_str());
        EXPECT_EQ(list.MigrateVersion1(version1Id), 1);  // no section yet: defaults
        EXPECT_EQ(list.volume, 100);
        EXPECT_EQ(list.OrderCount(), 3);
    }

    ASSERT_TRUE(WritePrivateProfileStringA(section, "ListName", "Old, list", kVersion1ProfileName));
    WritePrivateProfileStringA(section, "AllVol", "70", kVersion1ProfileName);
    WritePrivateProfileStringA(section, "Track1", "Second,Note,80,10", kVersion1ProfileName);
    WritePrivateProfileStringA(section, "Num", "1", kVersion1ProfileName);
    WritePrivateProfileStringA(section, "0", "2", kVersion1ProfileName);
    WritePrivateProfileStringA(section, "1", "1", kVersion1ProfileName);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kVersion1ProfileName);

    CdListFile list(0x0A1E2D03, folder.path.c_str());
    EXPECT_EQ(list.Load(), kCdListCannotOpen);
    EXPECT_EQ(list.MigrateVersion1(version1Id), 1);
    EXPECT_EQ(list.Save(), 1);

    WritePrivateProfileStringA(section, nullptr, nullptr, kVersion1ProfileName);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kVersion1ProfileName);
    if (!iniExisted) {
        DeleteFileA(iniPath.c_str());
    }

    EXPECT_EQ(FileBytes(folder.path + "\\0a1e2d03.cdl"),
              "Melodrix2.0 CD List,\"Old, list\",70,\r\n"
              "Track1,\xC4\xD7\xAF\xB8"
              "1,,100,-300\r\n"
              "Track2,Second,Note,80,10\r\n"
              "Track3,\xC4\xD7\xAF\xB8"
              "3,,100,-300\r\n"
              "3\r\n2\r\n1\r\n");
}

TEST(WinSongFiles, FindsFilesWithTheSystemsSearch) {
    TempFolder folder;
    ASSERT_TRUE(folder.created);
    for (const char* name : {"a.MID", "b.smf", "c.mid", "hidden.mid", "notes"}) {
        CloseHandle(
            CreateFileA((folder.path + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    }
    SetFileAttributesA((folder.path + "\\hidden.mid").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateDirectoryA((folder.path + "\\folder.mid").c_str(), nullptr);

    StringList list;
    ASSERT_EQ(FindFilesByPattern(list, folder.path.c_str(), "*.smf;*.mid"), 3);
    EXPECT_STREQ(list.StringAt(0), "b.smf");
    std::vector<std::string> midi = {list.StringAt(1), list.StringAt(2)};
    std::sort(midi.begin(), midi.end());
    EXPECT_EQ(midi, (std::vector<std::string>{"a.MID", "c.mid"}));
    EXPECT_EQ(FindFilesByPattern(list, folder.path.c_str(), "*."), 1);
    EXPECT_STREQ(list.StringAt(0), "notes");
}

}  // namespace
