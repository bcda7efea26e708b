// Balance display and scrolling, folder list entries and the folder tree's levels.
#include <gtest/gtest.h>

#include <string>

#include "app/containers/MemoryFileSystem.h"
#include "editors/BalanceRules.h"
#include "editors/FolderListEntry.h"
#include "editors/FolderTree.h"
#include "editors/PlayListSaver.h"
#include "tests/support/ScopedFileSystem.h"

TEST(BalanceRules, ShowsOnOnlyWithinRangeAndKeepsSwitchedOffPositions) {
    struct Case {
        int balance;
        bool checked;
        int position;
    };
    const Case cases[] = {
        {0, true, 0},     {-100, true, -100},  {100, true, 100},   {-250, false, 50},
        {-300, false, 0}, {-400, false, -100}, {-200, false, 100}, {-401, false, 0},
        {-199, false, 0}, {101, false, 0},     {5000, false, 0},
    };
    for (const Case& c : cases) {
        const BalanceView view = ShowBalance(c.balance);
        EXPECT_EQ(view.checked, c.checked) << c.balance;
        EXPECT_EQ(view.position, c.position) << c.balance;
    }
    // Checking the box of a switched-off -250 stores its position; unchecking shifts it back.
    EXPECT_EQ(BalanceFromControls(true, ShowBalance(-250).position), 50);
    EXPECT_EQ(BalanceFromControls(false, 50), -250);
}

TEST(BalanceRules, ScrollCodesMoveAndClamp) {
    struct Case {
        int position;
        int code;
        int thumb;
        int expected;  // -999: ignored
    };
    const Case cases[] = {
        {0, kScrollLineLeft, 0, -1},        {0, kScrollLineRight, 0, 1},     {0, kScrollPageLeft, 0, -10},
        {95, kScrollPageRight, 0, 100},     {-98, kScrollPageLeft, 0, -100}, {3, kScrollThumbPosition, 42, 42},
        {3, kScrollLeftEnd, 0, -100},       {3, kScrollRightEnd, 0, 100},    {3, 8 /* end scroll */, 0, -999},
        {3, 5 /* thumb track */, 60, -999},
    };
    for (const Case& c : cases) {
        const auto next = ScrollBalance(c.position, c.code, c.thumb);
        if (c.expected == -999) {
            EXPECT_FALSE(next.has_value()) << c.code;
        } else {
            ASSERT_TRUE(next.has_value()) << c.code;
            EXPECT_EQ(*next, c.expected) << c.code;
        }
    }
}

TEST(BalanceRules, ListVolumeTextFallsBackTo100) {
    EXPECT_EQ(ListVolumeFromText("80"), 80);
    EXPECT_EQ(ListVolumeFromText("abc"), 100);
    EXPECT_EQ(ListVolumeFromText("-5"), 100);
    EXPECT_EQ(ListVolumeFromText(""), 100);
}

TEST(FolderListEntry, RoundTripsFieldsWithCommasAndQuotes) {
    const FolderListFields fields{"Songs, \"best\"", "C:\\My Music", "*.wav;*.mid;*.smf"};
    const std::string entry = EncodeFolderList(fields);
    ASSERT_EQ(entry[0], '*');
    EXPECT_TRUE(IsFolderListEntry(entry.c_str()));
    const FolderListFields back = DecodeFolderList(entry.c_str());
    EXPECT_EQ(back.name, fields.name);
    EXPECT_EQ(back.folder, fields.folder);
    EXPECT_EQ(back.wildcard, fields.wildcard);
    EXPECT_FALSE(IsFolderListEntry("C:\\Lists\\a.rpl"));
    EXPECT_EQ(DecodeFolderList("C:\\Lists\\a.rpl").name, "");
}

TEST(FolderListEntry, DecodedFieldsAreBoundedToTheirBuffers) {
    const std::string entry = "*" + std::string(700, 'n') + "," + std::string(400, 'f') + ",*.wav";
    const FolderListFields fields = DecodeFolderList(entry.c_str());
    EXPECT_EQ(fields.name.size(), 511u);
    EXPECT_EQ(fields.folder.size(), 259u);
    EXPECT_EQ(fields.wildcard, "*.wav");
}

TEST(FolderListEntry, CheckAsksForNameThenFolder) {
    EXPECT_EQ(CheckFolderList({"", "", ""}), FolderListProblem::kMissingName);
    EXPECT_EQ(CheckFolderList({"a", "", "*.wav"}), FolderListProblem::kMissingFolder);
    EXPECT_EQ(CheckFolderList({"a", "C:\\", ""}), FolderListProblem::kNone);
}

TEST(FolderTree, LevelsRunFromTheRootDown) {
    struct Case {
        const char* folder;
        std::vector<std::string> names;
        std::string lastPath;
    };
    const Case cases[] = {
        {"C:\\", {"C:\\"}, "C:\\"},
        {"C:\\A\\B", {"C:\\", "A", "B"}, "C:\\A\\B"},
        {"C:\\A\\B\\", {"C:\\", "A", "B"}, "C:\\A\\B"},
        {"\\\\server\\share\\x", {"\\\\server\\share\\", "x"}, "\\\\server\\share\\x"},
        {"relative\\x", {}, ""},
        {"", {}, ""},
    };
    for (const Case& c : cases) {
        const std::vector<FolderTreeItem> levels = FolderLevels(c.folder);
        ASSERT_EQ(levels.size(), c.names.size()) << c.folder;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            EXPECT_EQ(levels[i].name, c.names[i]) << c.folder;
            EXPECT_EQ(levels[i].level, static_cast<int>(i)) << c.folder;
        }
        if (!levels.empty()) {
            EXPECT_EQ(levels.back().path, c.lastPath);
        }
    }
}

TEST(FolderTree, ShowsTheLevelsThenSortedSubfoldersOfAFolderThreeDeep) {
    MemoryFileSystem files;
    files.AddDirectory("C:\\A\\B\\C\\zeta");
    files.AddDirectory("C:\\A\\B\\C\\Alpha");
    files.AddDirectory("C:\\A\\B\\C\\mid", true);
    files.AddFile("C:\\A\\B\\C\\song.mid");
    ScopedFileSystem scoped(files);
    const FolderTree tree = BuildFolderTree("C:\\A\\B\\C");
    std::vector<std::string> names;
    for (const FolderTreeItem& item : tree.items) {
        names.push_back(item.name + "@" + std::to_string(item.level));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\@0", "A@1", "B@2", "C@3", "Alpha@4", "mid@4", "zeta@4"}));
    EXPECT_EQ(tree.currentLevel, 3);
    EXPECT_EQ(tree.currentRow, 3);
    EXPECT_EQ(tree.items[4].path, "C:\\A\\B\\C\\Alpha");
}

TEST(FolderTree, SubfoldersTooLongForAPathAreLeftOut) {
    MemoryFileSystem files;
    const std::string deep = "C:\\" + std::string(250, 'd');
    files.AddDirectory((deep + "\\ok").c_str());
    files.AddDirectory((deep + "\\" + std::string(20, 'x')).c_str());
    ScopedFileSystem scoped(files);
    const FolderTree tree = BuildFolderTree(deep.c_str());
    ASSERT_EQ(tree.items.size(), 3u);
    EXPECT_EQ(tree.items[2].name, "ok");
    EXPECT_TRUE(BuildFolderTree(("C:\\" + std::string(300, 'd')).c_str()).items.empty());
}

TEST(PlayListSaver, FolderTextsCompareWithoutCaseAndTrailingSeparators) {
    EXPECT_TRUE(SameFolderText("C:\\Lists", "c:\\lists\\"));
    EXPECT_TRUE(SameFolderText("C:/Lists/", "C:\\LISTS"));
    EXPECT_FALSE(SameFolderText("C:\\Lists", "C:\\Lists2"));
}
