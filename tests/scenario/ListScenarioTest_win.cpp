// Drives the real Melodrix.exe through its list button: the play list selection dialog shows the
// registered lists, and the lists chosen there are played in row order.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/scenario/PlayerProcess.h"
#include "tests/scenario/PlayerRegistry.h"
#include "tests/scenario/ScenarioHelpers_win.h"
#include "ui/PanelNumbers.h"

namespace {

constexpr char kSelectionCaption[] = "演奏リストの選択";
constexpr int kListsControl = 137;

}  // namespace

TEST(ListScenario, TheListButtonHandsTheChosenListsToThePlayerInRowOrder) {
    ASSERT_FALSE(gPlayerPath.empty()) << "give the path of Melodrix.exe (argument or MX_PLAYER_EXE)";
    ResetPlayerSettings();
    const std::string folder = MakeScratchFolder("ListButton");
    const std::string first = folder + "first.rpl";
    const std::string second = folder + "second.rpl";
    ASSERT_TRUE(WriteSineWave(folder + "one.wav", 2.0, 440.0));
    ASSERT_TRUE(WriteSineWave(folder + "two.wav", 2.0, 550.0));
    ASSERT_TRUE(WritePlayList(first, "一番目", {{folder + "one.wav", "最初の曲"}}));
    ASSERT_TRUE(WritePlayList(second, "二番目", {{folder + "two.wav", "次の曲"}}));
    WriteNumberedList("File\\RegList", {second, "*Waves," + folder + ",*.wav", first});

    PlayerProcess player;
    ASSERT_TRUE(player.Start(""));
    HWND window = player.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    auto probe = std::make_unique<PlayerProbe>(window);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(kListButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, kListButton)));
    HWND dialog = WaitForBox(player.ProcessId(), kSelectionCaption);
    ASSERT_NE(dialog, nullptr);
    HWND list = GetDlgItem(dialog, kListsControl);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(probe->SendForText(list, LB_GETTEXT, 0), "二番目");
    EXPECT_EQ(probe->SendForText(list, LB_GETTEXT, 1), "* Waves");
    EXPECT_EQ(probe->SendForText(list, LB_GETTEXT, 2), "一番目");
    // Rows 2 and 0 chosen: the player gets row 0's list first.
    SendMessageA(list, LB_SETSEL, FALSE, -1);
    SendMessageA(list, LB_SETSEL, TRUE, 2);
    SendMessageA(list, LB_SETSEL, TRUE, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(window).find("次の曲") != std::string::npos; }))
        << WindowText(window);
    probe.reset();
    EXPECT_EQ(player.CloseAndWait(), 0);
    EXPECT_EQ(ReadNumberedList("File\\History"), (std::vector<std::string>{second, first}));
    // Nothing changed in the dialog, so the registered lists are as they were.
    EXPECT_EQ(ReadNumberedList("File\\RegList").size(), 3u);
    ResetPlayerSettings();
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TakePlayerPath(argc, argv);
    return RUN_ALL_TESTS();
}
