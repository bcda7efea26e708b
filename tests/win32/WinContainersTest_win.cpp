// The Win32 halves of the containers: list box extents on a real list box, and the Win32 file
// system's whole-file reads and replacing writes in a real folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/containers/FileSystem_win.h"
#include "app/containers/ListBoxExtent_win.h"

namespace {

class ListBoxFixture : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        listBox = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0,
                                  100, 100, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
        font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ ゴシック");
        SendMessageA(listBox, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        extent.Attach(listBox);
    }
    void TearDown() override {
        DestroyWindow(owner);
        DeleteObject(font);
    }
    // The width the list box's font gives a text, measured independently of the code under test.
    int Width(const char* text) {
        HDC dc = GetDC(listBox);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE size = {};
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        SelectObject(dc, previous);
        ReleaseDC(listBox, dc);
        return size.cx + 2;
    }
    int Extent() { return static_cast<int>(SendMessageA(listBox, LB_GETHORIZONTALEXTENT, 0, 0)); }

    HWND owner = nullptr;
    HWND listBox = nullptr;
    HFONT font = nullptr;
    ListBoxExtent extent;
};

TEST_F(ListBoxFixture, ExtentFollowsTheWidestRow) {
    const char* shortRow = "a.mid";
    const char* longRow = "C:\\音楽\\とても長い曲の名前のファイル.mid";
    const char* middleRow = "C:\\Music\\medium name.wav";
    ASSERT_LT(Width(shortRow), Width(middleRow));
    ASSERT_LT(Width(middleRow), Width(longRow));

    EXPECT_EQ(extent.InsertRow(-1, shortRow), 0);
    EXPECT_EQ(Extent(), Width(shortRow));
    EXPECT_EQ(extent.InsertRow(0, longRow), 0);
    EXPECT_EQ(Extent(), Width(longRow));
    EXPECT_EQ(extent.InsertRow(-1, middleRow), 2);
    EXPECT_EQ(Extent(), Width(longRow));  // a narrower row never shrinks it

    EXPECT_EQ(extent.DeleteRow(2), 2);  // not the widest: the extent stays
    EXPECT_EQ(Extent(), Width(longRow));
    EXPECT_EQ(extent.InsertRow(-1, middleRow), 2);
    EXPECT_EQ(extent.DeleteRow(0), 2);  // the widest: shrink to the widest left
    EXPECT_EQ(Extent(), Width(middleRow));
    EXPECT_EQ(extent.DeleteRow(5), LB_ERR);
    EXPECT_EQ(Extent(), Width(middleRow));
    extent.DeleteRow(1);
    extent.DeleteRow(0);
    EXPECT_EQ(Extent(), 0);
}

TEST_F(ListBoxFixture, EmptyRowMeasuresZero) {
    EXPECT_EQ(extent.InsertRow(-1, ""), 0);
    EXPECT_EQ(extent.MeasureItem(0), 0);
    EXPECT_EQ(Extent(), 0);
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        folder = std::string(base) + "mx-fs-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    }
    void TearDown() override {
        for (const std::string& name : Names()) {
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA(folder.c_str());
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        files.ListDirectory(folder.c_str(), [&](const DirectoryEntry& entry) { names.push_back(entry.name); });
        return names;
    }
    std::string Read(const std::string& path) {
        std::vector<std::uint8_t> bytes;
        files.ReadFile(path.c_str(), bytes, 1 << 20);
        return std::string(bytes.begin(), bytes.end());
    }

    Win32FileSystem files;
    std::string folder;
};

TEST_F(Win32FileSystemTest, ReplacingWritesLeaveOnlyTheFile) {
    const std::string path = folder + "\\曲表.rpl";  // 0x5C trail byte in the name
    ASSERT_TRUE(files.WriteFileReplacing(path.c_str(), "old list\r\n", 10));
    ASSERT_TRUE(files.WriteFileReplacing(path.c_str(), "new", 3));
    EXPECT_EQ(Read(path), "new");
    EXPECT_EQ(Names(), (std::vector<std::string>{"曲表.rpl"}));
    EXPECT_TRUE(files.Exists(path.c_str()));
}

TEST_F(Win32FileSystemTest, FailedReplaceKeepsTheOldFile) {
    const std::string path = folder + "\\list.rpl";
    ASSERT_TRUE(files.WriteFileReplacing(path.c_str(), "keep me", 7));
    // A directory in the way of the name cannot be replaced by a file.
    const std::string blocked = folder + "\\blocked";
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    EXPECT_FALSE(files.WriteFileReplacing(blocked.c_str(), "x", 1));
    RemoveDirectoryA(blocked.c_str());
    EXPECT_FALSE(files.WriteFileReplacing((folder + "\\no folder\\x.rpl").c_str(), "x", 1));
    EXPECT_EQ(Read(path), "keep me");
    EXPECT_EQ(Names(), (std::vector<std::string>{"list.rpl"}));
}

TEST_F(Win32FileSystemTest, ListingReportsHiddenEntriesAndReadsRespectTheLimit) {
    const std::string hidden = folder + "\\secret.mid";
    ASSERT_TRUE(files.WriteFileReplacing(hidden.c_str(), "12345", 5));
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    bool sawHidden = false;
    files.ListDirectory(folder.c_str(), [&](const DirectoryEntry& entry) { sawHidden = entry.isHidden; });
    EXPECT_TRUE(sawHidden);
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(files.ReadFile(hidden.c_str(), bytes, 4));
    EXPECT_TRUE(files.ReadFile(hidden.c_str(), bytes, 5));
    EXPECT_FALSE(files.ReadFile(folder.c_str(), bytes, 100));
}

}  // namespace
