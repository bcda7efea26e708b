// Drives the real Melodrix.exe: first run, command line, warnings, single instance and kill.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/scenario/PlayerProcess.h"
#include "tests/scenario/PlayerRegistry.h"
#include "tests/scenario/ScenarioHelpers_win.h"

namespace {

using Names = std::vector<std::string>;

class StartupScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(gPlayerPath.empty()) << "give the path of Melodrix.exe (argument or MX_PLAYER_EXE)";
        ASSERT_EQ(CountPlayerWindows(), 0) << "a player of an earlier scenario is still running";
        ResetPlayerSettings();
    }
    void TearDown() override { ResetPlayerSettings(); }

    static std::string ProgramDirectory() {
        return gPlayerPath.substr(0, gPlayerPath.find_last_of("\\/") + 1);
    }
    // The current mode's button is the disabled one of the two mode buttons (11 file, 12 CD).
    static bool ShowsCdMode(HWND mainWindow) {
        return IsWindowEnabled(GetDlgItem(mainWindow, 11)) && !IsWindowEnabled(GetDlgItem(mainWindow, 12));
    }
    static bool ShowsFileMode(HWND mainWindow) {
        return !IsWindowEnabled(GetDlgItem(mainWindow, 11)) && IsWindowEnabled(GetDlgItem(mainWindow, 12));
    }
    // Playing: the play button (4) is disabled and the stop button (3) enabled.
    static bool ShowsPlaying(HWND mainWindow) {
        return !IsWindowEnabled(GetDlgItem(mainWindow, 4)) && IsWindowEnabled(GetDlgItem(mainWindow, 3));
    }
};

TEST_F(StartupScenario, FirstRunShowsTheWindowAndSavesEveryDefault) {
    PlayerProcess player;
    ASSERT_TRUE(player.Start(""));
    HWND window = player.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Melodrix");
    EXPECT_TRUE(ShowsFileMode(window));
    EXPECT_FALSE(ShowsPlaying(window));
    ASSERT_EQ(player.CloseAndWait(), 0);

    struct DwordCase {
        const char* key;
        const char* name;
        uint32_t value;
    };
    const DwordCase dwords[] = {
        {"Player", "BootMode", 1},          {"Player", "LastMode", 1},
        {"Player", "BootPlay", 0},          {"Player", "FlatWidth", 640},
        {"Player", "Text_x", 0x80000000u},  {"Play", "TimerInterval", 50},
        {"Play", "BackLimit", 2000},        {"Play", "SeekFastStep", 8000},
        {"File", "FilterIndex", 1},         {"File", "WrdView", 1},
        {"Wave", "SelfPlay", 1},            {"Wave", "DeviceID", 0xFFFFFFFFu},
        {"Wave", "BufferSize", 128},        {"Volume", "MIDI_Volume_ID", 0xFFFF0000u},
        {"Record", "Record_x", 100},        {"Record", "Mode", 1},
    };
    for (const DwordCase& c : dwords) {
        const auto value = ReadStored(c.key, c.name);
        ASSERT_TRUE(value) << c.key << "\\" << c.name;
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD)) << c.name;
        EXPECT_EQ(value->AsDword(), c.value) << c.name;
    }

    const auto font = ReadStored("Player", "Font");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(font->data.size(), 60u);
    EXPECT_EQ(font->data[0], 12);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&font->data[28])), "標準ゴシック");

    const auto format = ReadStored("Record", "Format");
    ASSERT_TRUE(format);
    EXPECT_EQ(format->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(format->data.size(), 18u);

    const auto list = ReadStored("Directory", "List");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(list->AsString(), ProgramDirectory());
    EXPECT_EQ(ReadStored("File", "ListEditLastWildCard")->AsString(), "*.*");
    // The CD mode, made at start even in the file mode, keeps the bench's first CD-ROM drive.
    EXPECT_EQ(ReadStored("CD", "LastDrive")->AsString(), "D:");
    EXPECT_TRUE(ReadNumberedList("File\\History").empty());
}

TEST_F(StartupScenario, AddAppendsToTheSavedHistoryAndStartsAtTheFirstAddedName) {
    WriteNumberedList("File\\History", {"a.mid", "b.mid", "c.mid"});
    PlayerProcess player;
    ASSERT_TRUE(player.Start("/add d.mid e.rpl"));
    HWND window = player.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    // None of the names exists: nothing can be opened, so nothing plays.
    EXPECT_FALSE(ShowsPlaying(window));
    ASSERT_EQ(player.CloseAndWait(), 0);
    EXPECT_EQ(ReadNumberedList("File\\History"), (Names{"a.mid", "b.mid", "c.mid", "d.mid", "e.rpl"}));
    EXPECT_EQ(ReadStored("File", "LastSong")->AsDword(), 3u);
}

TEST_F(StartupScenario, ShorterHistoryReplacesALongerOneWithoutLeftovers) {
    WriteNumberedList("File\\History", {"1.mid", "2.mid", "3.mid", "4.mid", "5.mid"});
    PlayerProcess player;
    ASSERT_TRUE(player.Start("x.mid y.mid z.mid"));
    ASSERT_EQ(player.CloseAndWait(), 0);
    EXPECT_EQ(ReadNumberedList("File\\History"), (Names{"x.mid", "y.mid", "z.mid"}));
    EXPECT_FALSE(ReadStored("File\\History", "0003"));
    EXPECT_FALSE(ReadStored("File\\History", "0004"));
}

TEST_F(StartupScenario, QuotedPathWithBlankCdOptionAndDrive) {
    PlayerProcess player;
    ASSERT_TRUE(player.Start("\"C:\\My Music\\曲 1.mid\" /cd E:\\"));
    HWND window = player.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(ShowsCdMode(window));
    ASSERT_EQ(player.CloseAndWait(), 0);
    EXPECT_EQ(ReadNumberedList("File\\History"), (Names{"C:\\My Music\\曲 1.mid"}));
    EXPECT_EQ(ReadStored("Player", "LastMode")->AsDword(), 2u);
    // E: is no CD drive here: the CD mode takes the first CD-ROM drive of the bench instead.
    EXPECT_EQ(ReadStored("CD", "LastDrive")->AsString(), "D:");
}

TEST_F(StartupScenario, UnknownOptionShowsTheWarningWithTheWholeToken) {
    const std::string song = MakeScratchFolder("startup") + "tone.wav";
    ASSERT_TRUE(WriteSineWave(song, 3.0, 440));
    PlayerProcess player;
    ASSERT_TRUE(player.Start("/bogus /PLAY \"" + song + "\""));
    HWND box = WaitForBox(player.ProcessId(), "警告 -Melodrix");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "無効なコマンド\n/bogus");
    // The player waits for the box before it shows its window.
    EXPECT_EQ(player.WaitForMainWindow(0), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND window = player.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    // The option after the unknown one still took effect: the song plays from the start.
    EXPECT_TRUE(WaitUntil([&] { return ShowsPlaying(window); }));
    EXPECT_NE(WindowText(window).find("] tone"), std::string::npos) << WindowText(window);
    EXPECT_EQ(player.CloseAndWait(), 0);
    EXPECT_EQ(ReadNumberedList("File\\History"), (Names{song}));
    EXPECT_EQ(ReadStored("File", "LastSong")->AsDword(), 0u);
}

TEST_F(StartupScenario, WindowPositionIsSavedAndUsedAgain) {
    {
        PlayerProcess player;
        ASSERT_TRUE(player.Start(""));
        HWND window = player.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        SetWindowPos(window, nullptr, 123, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_EQ(player.CloseAndWait(), 0);
    }
    EXPECT_EQ(ReadStored("Player", "Player_x")->AsDword(), 123u);
    EXPECT_EQ(ReadStored("Player", "Player_y")->AsDword(), 45u);
    PlayerProcess again;
    ASSERT_TRUE(again.Start(""));
    HWND window = again.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 123);
    EXPECT_EQ(frame.top, 45);
    EXPECT_EQ(again.CloseAndWait(), 0);
}

TEST_F(StartupScenario, SingleInstanceOnlyActivatesTheRunningPlayer) {
    WriteDword("Player", "BootSingle", 1);
    PlayerProcess first;
    ASSERT_TRUE(first.Start("a.mid"));
    ASSERT_NE(first.WaitForMainWindow(), nullptr);
    PlayerProcess second;
    ASSERT_TRUE(second.Start("/add b.mid"));
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_EQ(CountPlayerWindows(), 1);
    ASSERT_EQ(first.CloseAndWait(), 0);
    EXPECT_EQ(ReadNumberedList("File\\History"), (Names{"a.mid"}));
}

TEST_F(StartupScenario, WithoutSingleTwoPlayersRunSideBySide) {
    PlayerProcess first;
    ASSERT_TRUE(first.Start("a.mid"));
    ASSERT_NE(first.WaitForMainWindow(), nullptr);
    PlayerProcess second;
    ASSERT_TRUE(second.Start("/multi b.mid"));
    ASSERT_NE(second.WaitForMainWindow(), nullptr);
    EXPECT_EQ(CountPlayerWindows(), 2);
    EXPECT_EQ(second.CloseAndWait(), 0);
    EXPECT_EQ(first.CloseAndWait(), 0);
}

TEST_F(StartupScenario, KillClosesTheRunningPlayerWhichSavesAndTheNewOneAppends) {
    WriteDword("Player", "BootSingle", 1);
    PlayerProcess first;
    ASSERT_TRUE(first.Start("a.mid"));
    ASSERT_NE(first.WaitForMainWindow(), nullptr);
    PlayerProcess second;
    ASSERT_TRUE(second.Start("/kill /add b.mid"));
    EXPECT_EQ(first.WaitForExit(), 0);
    HWND window = second.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(ShowsPlaying(window));
    ASSERT_EQ(second.CloseAndWait(), 0);
    EXPECT_EQ(ReadNumberedList("File\\History"), (Names{"a.mid", "b.mid"}));
    EXPECT_EQ(ReadStored("File", "LastSong")->AsDword(), 1u);
}

// A window of the player's class that ignores the close command, holding the player's mutex:
// a player that will not end when asked.
class StubbornPlayer {
public:
    StubbornPlayer() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "Melodrix32";
        RegisterClassA(&windowClass);
        mutex = CreateMutexA(nullptr, FALSE, "Melodrix2_BootCheck_Mutex");
        window = CreateWindowExA(0, "Melodrix32", "Melodrix", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    ~StubbornPlayer() {
        DestroyWindow(window);
        UnregisterClassA("Melodrix32", GetModuleHandleA(nullptr));
        CloseHandle(mutex);
    }
    // The stubborn window lives on this thread: keep its messages flowing while waiting.
    static void Pump(DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            Sleep(10);
        }
    }
    static HWND PumpUntilBox(DWORD processId, const char* caption, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            Pump(50);
            if (HWND box = WaitForBox(processId, caption, 0)) return box;
        }
        return nullptr;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HANDLE mutex = nullptr;
    HWND window = nullptr;
};

TEST_F(StartupScenario, KillThatFailsAsksAbortRetryIgnore) {
    struct Case {
        int button;
        bool runs;
    };
    for (const Case c : {Case{IDABORT, false}, Case{IDIGNORE, true}}) {
        StubbornPlayer stubborn;
        PlayerProcess player;
        ASSERT_TRUE(player.Start("/kill"));
        // Fifty polls of 100 ms pass before the box.
        HWND box = StubbornPlayer::PumpUntilBox(player.ProcessId(), "エラー -Melodrix", 15000);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(BoxText(box), "他のMelodrixの強制終了に失敗しました");
        EXPECT_NE(GetDlgItem(box, IDRETRY), nullptr);
        PostMessageA(box, WM_COMMAND, c.button, 0);
        if (c.runs) {
            HWND window = nullptr;
            for (int i = 0; i < 100 && !window; ++i) {
                StubbornPlayer::Pump(50);
                window = player.WaitForMainWindow(0);
            }
            ASSERT_NE(window, nullptr);
            PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        long code = -1;
        for (int i = 0; i < 200 && code == -1; ++i) {
            StubbornPlayer::Pump(50);
            code = player.WaitForExit(0);
        }
        EXPECT_EQ(code, 0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TakePlayerPath(argc, argv);
    return RUN_ALL_TESTS();
}
