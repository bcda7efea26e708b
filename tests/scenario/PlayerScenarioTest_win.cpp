// Drives the real Melodrix.exe from outside: the panel's geometry in both forms, commands and
// the buttons they leave usable, the system menu (read through a probe inside the player), the
// counter's pixels, keyboard focus, sliders, dropped files and settings that arrive damaged.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/scenario/PlayerProcess.h"
#include "tests/scenario/PlayerRegistry.h"
#include "tests/scenario/ScenarioHelpers_win.h"
#include "tests/support/RcpSongBuilder.h"
#include "ui/PanelLayout.h"

namespace {

using Names = std::vector<std::string>;

constexpr char kJumpCaption[] = "指定曲へのジャンプ";
const char* const kTitles[] = {"第一曲", "第二曲", "第三曲"};

// Panel flags of the file play mode (base 0x5000: list and select) in each state.
constexpr std::int32_t kNoSongs = 0x5000;
constexpr std::int32_t kNotLoaded = 0x5710;
constexpr std::int32_t kPlaying = 0x57E8;
constexpr std::int32_t kPaused = 0x57F8;
constexpr std::int32_t kStopped = 0x57F0;

// The panel's pictures are kept in screenshots/ beside the folder of the player under test,
// or where MX_SCREENSHOT_DIR says.
std::string ScreenshotFolder() {
    const char* folder = std::getenv("MX_SCREENSHOT_DIR");
    std::string path;
    if (folder && *folder) {
        path = folder;
    } else {
        const std::string bin = gPlayerPath.substr(0, gPlayerPath.find_last_of('\\'));
        path = bin.substr(0, bin.find_last_of('\\') + 1) + "screenshots";
    }
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\";
}

HWND Control(HWND window, int id) {
    return GetDlgItem(window, id);
}

PanelRect ClientRectOf(HWND window, int id) {
    RECT rect;
    GetWindowRect(Control(window, id), &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ScreenToClient(window, &corners[0]);
    ScreenToClient(window, &corners[1]);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

RECT FrameOf(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    return frame;
}

SIZE ClientSize(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// Where the client area starts inside the window's own pixels.
POINT ClientOrigin(HWND window) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    const RECT frame = FrameOf(window);
    return {origin.x - frame.left, origin.y - frame.top};
}

void Click(HWND window, int id) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(window, id)));
}

void SysCommand(HWND window, UINT id) {
    SendMessageA(window, WM_SYSCOMMAND, id, 0);
}

std::string Caption(HWND window) {
    return WindowText(window);
}

// The time a check gives something to happen that must not (a second dialog): an observation
// window, never a wait for a state, which WaitUntil does.
void Pause(DWORD milliseconds) {
    Sleep(milliseconds);
}

std::string PrintRect(const PanelRect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "(%d,%d,%d,%d)", r.left, r.top, r.right, r.bottom);
    return text;
}

// Every child control sits where the layout arithmetic puts it for the current client size.
void ExpectLayout(HWND window, int form) {
    const SIZE client = ClientSize(window);
    const PanelLayout layout = ComputePanelLayout(form, client.cx, client.cy);
    for (int id = 0; id < kPanelControlCount; ++id) {
        const PanelRect expected = layout.controls[id].Rect();
        const PanelRect actual = ClientRectOf(window, id);
        if (expected.IsEmpty()) {
            EXPECT_TRUE(actual.IsEmpty()) << "control " << id << " " << PrintRect(actual);
        } else {
            EXPECT_EQ(PrintRect(actual), PrintRect(expected)) << "control " << id << " form " << form;
        }
    }
}

LRESULT HitTest(HWND window, int x, int y) {
    return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
}

MINMAXINFO MinMax(HWND window) {
    MINMAXINFO info = {};
    info.ptMaxTrackSize = {5000, 5000};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

bool SameCell(const Image& image, int x, int y, const Image& source, int sx, int sy, int width, int height) {
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            if (image.At(x + column, y + row) != source.At(sx + column, sy + row))
                return false;
        }
    }
    return true;
}

class PlayerScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(gPlayerPath.empty()) << "give the path of Melodrix.exe (argument or MX_PLAYER_EXE)";
        ASSERT_EQ(CountPlayerWindows(), 0) << "a player of an earlier scenario is still running";
        ResetPlayerSettings();
    }
    void TearDown() override { ResetPlayerSettings(); }

    // Three short tones and a play list of them with Japanese titles.
    void MakeSongs() {
        folder = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::vector<ListSong> list;
        for (int i = 0; i < 3; ++i) {
            const std::string path = folder + "tone" + std::to_string(i + 1) + ".wav";
            ASSERT_TRUE(WriteSineWave(path, 2.5, 330.0 + 110 * i));
            songs.push_back(path);
            list.push_back({path, kTitles[i]});
        }
        playList = folder + "tones.rpl";
        ASSERT_TRUE(WritePlayList(playList, "試験リスト", list));
    }

    // Starts the player and hooks the probe into it.
    HWND Start(const std::string& arguments) {
        if (!player.Start(arguments))
            return nullptr;
        HWND window = player.WaitForMainWindow();
        if (window) {
            probe = std::make_unique<PlayerProbe>(window);
            // The first paint and the panel's refreshes run before the loop answers.
            DWORD_PTR ignored;
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        }
        return window;
    }
    long Close() {
        probe.reset();
        return player.CloseAndWait();
    }

    bool WaitForCaption(HWND window, const std::string& part, DWORD timeoutMs = kSafetyMs) {
        return WaitUntil([&] { return Caption(window).find(part) != std::string::npos; }, timeoutMs);
    }

    // Each control and menu command follows its bit of the panel flags.
    void ExpectButtonsFor(HWND window, std::int32_t flags, const char* state) {
        for (const PanelFlagControl& entry : kPanelFlagControls) {
            const bool enabled = (flags & entry.bit) != 0;
            EXPECT_EQ(IsWindowEnabled(Control(window, entry.controlId)) != 0, enabled)
                << state << ": control " << entry.controlId;
            if (entry.menuCommand) {
                const auto menuState = probe->MenuState(static_cast<UINT>(entry.menuCommand));
                ASSERT_TRUE(menuState) << entry.menuCommand;
                EXPECT_EQ((*menuState & MF_GRAYED) == 0, enabled) << state << ": menu " << entry.menuCommand;
            }
        }
    }

    // Captures until the picture shows what `shows` looks for or the safety net runs out, and
    // answers the last capture: repaints follow the player's state asynchronously, later on a
    // loaded machine, so the judgement is made on the settled picture.
    std::optional<Image> SettledShot(const std::function<bool(const Image&)>& shows) {
        std::optional<Image> shot;
        WaitUntil([&] { return (shot = probe->Capture()) && shows(*shot); });
        return shot;
    }

    // The counter's glyph cells equal the cells of the digit bitmap.
    void ExpectCounter(HWND window, std::int32_t position, std::int32_t length, std::int32_t ms, std::int32_t songMs) {
        const auto digits = LoadBitmapResource(gPlayerPath, 9);
        ASSERT_TRUE(digits);
        ASSERT_EQ(digits->width, 70);
        const SIZE client = ClientSize(window);
        const POINT origin = ClientOrigin(window);
        const int form = client.cy == kFlatClientHeight ? kFlatForm : kNormalForm;
        const PanelRect counter = ComputePanelLayout(form, client.cx, client.cy).counter;
        const auto glyphs = CounterGlyphs(position, length, ms, songMs);
        auto glyphShown = [&](const Image& shot, const CounterGlyph& glyph) {
            return SameCell(shot, origin.x + counter.left + glyph.offset, origin.y + counter.top + kCounterGlyphTop,
                            *digits, glyph.glyph * kCounterGlyphWidth, 0, kCounterGlyphWidth, kCounterGlyphHeight);
        };
        const auto shot = SettledShot([&](const Image& image) {
            return std::all_of(glyphs.begin(), glyphs.end(),
                               [&](const CounterGlyph& glyph) { return glyphShown(image, glyph); });
        });
        ASSERT_TRUE(shot);
        for (const CounterGlyph& glyph : glyphs) {
            EXPECT_TRUE(glyphShown(*shot, glyph)) << "glyph " << glyph.glyph << " at offset " << glyph.offset;
        }
    }

    PlayerProcess player;
    std::unique_ptr<PlayerProbe> probe;
    std::string folder;
    std::string playList;
    Names songs;
};

TEST_F(PlayerScenario, NormalFormHasTheFixedSizeAndTheLayout) {
    HWND window = Start("");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(probe->Ready());
    const RECT frame = FrameOf(window);
    EXPECT_EQ(frame.right - frame.left, kNormalOuterWidth);
    EXPECT_EQ(frame.bottom - frame.top, kNormalOuterHeight);
    ExpectLayout(window, kNormalForm);
    const MINMAXINFO limits = MinMax(window);
    EXPECT_EQ(limits.ptMinTrackSize.x, kNormalOuterWidth);
    EXPECT_EQ(limits.ptMinTrackSize.y, kNormalOuterHeight);
    EXPECT_EQ(limits.ptMaxTrackSize.x, kNormalOuterWidth);
    EXPECT_EQ(limits.ptMaxTrackSize.y, kNormalOuterHeight);
    // No sizing border: the edges answer no sizing codes.
    for (const POINT p : {POINT{frame.left, frame.top}, POINT{frame.right - 1, frame.bottom - 1},
                          POINT{(frame.left + frame.right) / 2, frame.top}}) {
        const LRESULT hit = HitTest(window, p.x, p.y);
        EXPECT_TRUE(hit < HTSIZEFIRST || hit > HTSIZELAST) << hit;
    }
    // An empty queue numbers no song: the counter reads 000/000 00:00 [00:00].
    ExpectCounter(window, 0, 0, 0, 0);
    const auto shot = probe->Capture();
    ASSERT_TRUE(shot);
    EXPECT_TRUE(shot->SaveBmp(ScreenshotFolder() + "panel-normal.bmp"));
    EXPECT_EQ(Close(), 0);
}

TEST_F(PlayerScenario, FlatFormResizesOnlySidewaysAndNeverBelowItsLeastWidth) {
    WriteDword("Player", "Form", 1);
    WriteDword("Player", "FlatWidth", 700);
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    RECT frame = FrameOf(window);
    const int height = frame.bottom - frame.top;
    EXPECT_EQ(frame.right - frame.left, 700);
    EXPECT_EQ(ClientSize(window).cy, kFlatClientHeight);
    ExpectLayout(window, kFlatForm);
    // The first song is opened at start: its length shows.
    ExpectCounter(window, 1, 3, 0, 2500);
    const auto shot = probe->Capture();
    ASSERT_TRUE(shot);
    EXPECT_TRUE(shot->SaveBmp(ScreenshotFolder() + "panel-flat.bmp"));

    struct Attempt {
        int width, height, expectedWidth;
    };
    for (const Attempt a : {Attempt{900, height, 900}, Attempt{300, height, 600}, Attempt{800, 300, 800}}) {
        SetWindowPos(window, nullptr, 0, 0, a.width, a.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame = FrameOf(window);
        EXPECT_EQ(frame.right - frame.left, a.expectedWidth) << a.width << " x " << a.height;
        EXPECT_EQ(frame.bottom - frame.top, height) << a.width << " x " << a.height;
        ExpectLayout(window, kFlatForm);
    }
    const MINMAXINFO limits = MinMax(window);
    EXPECT_EQ(limits.ptMinTrackSize.x, 600);
    EXPECT_EQ(limits.ptMinTrackSize.y, height);
    EXPECT_EQ(limits.ptMaxTrackSize.y, height);

    // Top and bottom edges are no sizing edges; the corners size sideways only.
    const int midX = (frame.left + frame.right) / 2;
    struct Hit {
        POINT at;
        LRESULT expected;
    };
    const Hit hits[] = {
        {{midX, frame.top + 1}, HTCLIENT},
        {{midX, frame.bottom - 2}, HTCLIENT},
        {{frame.left + 1, frame.top + 1}, HTLEFT},
        {{frame.right - 2, frame.top + 1}, HTRIGHT},
        {{frame.left + 1, frame.bottom - 2}, HTLEFT},
        {{frame.right - 2, frame.bottom - 2}, HTRIGHT},
        {{frame.right - 2, (frame.top + frame.bottom) / 2}, HTRIGHT},
    };
    for (const Hit& h : hits) {
        EXPECT_EQ(HitTest(window, h.at.x, h.at.y), h.expected) << h.at.x - frame.left << "," << h.at.y - frame.top;
    }
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadStored("Player", "FlatWidth")->AsDword(), 800u);
    EXPECT_EQ(ReadStored("Player", "Form")->AsDword(), 1u);
}

TEST_F(PlayerScenario, FlatToggleKeepsThePositionAndChecksItsMenuItem) {
    HWND window = Start("");
    ASSERT_NE(window, nullptr);
    SetWindowPos(window, nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SysCommand(window, 113);
    RECT frame = FrameOf(window);
    EXPECT_EQ(frame.left, 150);
    EXPECT_EQ(frame.top, 120);
    EXPECT_EQ(frame.right - frame.left, 640);  // the default flat width
    EXPECT_EQ(ClientSize(window).cy, kFlatClientHeight);
    EXPECT_EQ(*probe->MenuState(113) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(*probe->MenuState(SC_SIZE) & MF_GRAYED, 0u) << "the flat strip can be sized";
    ExpectLayout(window, kFlatForm);
    SysCommand(window, 113);
    frame = FrameOf(window);
    EXPECT_EQ(frame.left, 150);
    EXPECT_EQ(frame.top, 120);
    EXPECT_EQ(frame.right - frame.left, kNormalOuterWidth);
    EXPECT_EQ(frame.bottom - frame.top, kNormalOuterHeight);
    EXPECT_EQ(*probe->MenuState(113) & MF_CHECKED, 0u);
    EXPECT_NE(*probe->MenuState(SC_SIZE) & MF_GRAYED, 0u);
    ExpectLayout(window, kNormalForm);
    SysCommand(window, 113);
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadStored("Player", "Form")->AsDword(), 1u);
}

TEST_F(PlayerScenario, SystemMenuHasTheCommandsAndTogglesTopMostAndFixedPosition) {
    HWND window = Start("");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(probe->Ready());
    EXPECT_FALSE(probe->MenuState(SC_MAXIMIZE)) << "the maximize item is deleted";
    const struct {
        UINT id;
        const char* text;
    } items[] = {
        {100, "停止(&S)\tCtrl+S"},     {101, "再生(&P)\tCtrl+P"}, {105, "録音(&R)...\tCtrl+D"},
        {111, "常に最前面に表示(&T)"}, {113, "フラット(&L)"},     {110, "Melodrixについて(&A)..."},
    };
    for (const auto& item : items)
        EXPECT_EQ(probe->MenuText(item.id), item.text) << item.id;

    struct Toggle {
        UINT id;
        bool topMost;
    };
    for (const Toggle t : {Toggle{111, true}, Toggle{111, false}, Toggle{112, false}}) {
        const bool wasChecked = (*probe->MenuState(t.id) & MF_CHECKED) != 0;
        SysCommand(window, t.id);
        EXPECT_NE((*probe->MenuState(t.id) & MF_CHECKED) != 0, wasChecked) << t.id;
        EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, t.topMost) << t.id;
    }
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadStored("Player", "TopMost")->AsDword(), 0u);
    EXPECT_EQ(ReadStored("Player", "FixWindow")->AsDword(), 1u);

    // Both come back checked from the settings.
    WriteDword("Player", "TopMost", 1);
    window = Start("");
    ASSERT_NE(window, nullptr);
    EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(*probe->MenuState(111) & MF_CHECKED, 0u);
    EXPECT_NE(*probe->MenuState(112) & MF_CHECKED, 0u);
    EXPECT_EQ(Close(), 0);
}

TEST_F(PlayerScenario, MinimizedPlayerOffersOnlyRestoreAmongTheWindowCommands) {
    HWND window = Start("");
    ASSERT_NE(window, nullptr);
    struct Expected {
        UINT id;
        bool minimizedEnabled;
        bool restoredEnabled;
    };
    const Expected items[] = {
        {SC_RESTORE, true, false},  {SC_MOVE, false, true}, {SC_SIZE, false, false},
        {SC_MINIMIZE, false, true}, {SC_CLOSE, true, true},
    };
    SysCommand(window, SC_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != 0; }));
    for (const Expected& e : items) {
        EXPECT_EQ((*probe->MenuState(e.id) & MF_GRAYED) == 0, e.minimizedEnabled) << "minimized " << std::hex << e.id;
    }
    SysCommand(window, SC_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) == 0; }));
    for (const Expected& e : items) {
        EXPECT_EQ((*probe->MenuState(e.id) & MF_GRAYED) == 0, e.restoredEnabled) << "restored " << std::hex << e.id;
    }
    EXPECT_EQ(Close(), 0);
}

TEST_F(PlayerScenario, ButtonsAndMenuFollowThePlayState) {
    HWND window = Start("");
    ASSERT_NE(window, nullptr);
    ExpectButtonsFor(window, kNoSongs, "no songs");
    EXPECT_EQ(Caption(window), "Melodrix");
    Click(window, kPlayButton);
    ExpectButtonsFor(window, kNoSongs, "play without songs");
    EXPECT_EQ(Close(), 0);

    // A song that cannot be opened: only play, the song moves and jump stay usable.
    MakeSongs();
    const std::string broken = folder + "broken.wav";
    FILE* out = std::fopen(broken.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("RIFF????WAVEjunk", out);
    std::fclose(out);
    window = Start("\"" + broken + "\"");
    ASSERT_NE(window, nullptr);
    ExpectButtonsFor(window, kNotLoaded, "not loaded");
    Click(window, kPlayButton);
    ExpectButtonsFor(window, kNotLoaded, "open failed");
    EXPECT_EQ(Close(), 0);

    window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    ExpectButtonsFor(window, kStopped, "opened at start");
    Click(window, kPlayButton);
    ExpectButtonsFor(window, kPlaying, "playing");
    EXPECT_TRUE(WaitForCaption(window, std::string("[00:01] ") + kTitles[0])) << Caption(window);
    Click(window, kPauseButton);
    ExpectButtonsFor(window, kPaused, "paused");
    const auto shot = probe->Capture();
    ASSERT_TRUE(shot);
    EXPECT_TRUE(shot->SaveBmp(ScreenshotFolder() + "panel-normal-paused.bmp"));
    Click(window, kPauseButton);
    ExpectButtonsFor(window, kPlaying, "resumed");
    Click(window, kStopButton);
    ExpectButtonsFor(window, kStopped, "stopped");
    EXPECT_EQ(probe->FocusedControl(), kPlayButton) << "stop disabled itself: the focus goes to play";
    SysCommand(window, 101);
    ExpectButtonsFor(window, kPlaying, "played from the menu");
    EXPECT_EQ(probe->FocusedControl(), kStopButton);
    EXPECT_EQ(Close(), 0);
}

TEST_F(PlayerScenario, NextPreviousAndTheEndOfASongMoveThroughTheQueue) {
    WriteDword("Play", "BackLimit", 800);
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    Click(window, kPlayButton);
    ASSERT_TRUE(WaitForCaption(window, kTitles[0])) << Caption(window);
    Click(window, kNextButton);
    ASSERT_TRUE(WaitForCaption(window, kTitles[1])) << Caption(window);
    ASSERT_TRUE(WaitForCaption(window, std::string("[00:01] ") + kTitles[1])) << Caption(window);
    // Past the back limit: the same song again from its start, still playing.
    Click(window, kPreviousButton);
    EXPECT_TRUE(WaitForCaption(window, std::string("[00:00] ") + kTitles[1])) << Caption(window);
    EXPECT_FALSE(IsWindowEnabled(Control(window, kPlayButton)));
    // Within it: the song before.
    SysCommand(window, 103);
    EXPECT_NE(Caption(window).find(kTitles[0]), std::string::npos) << Caption(window);
    // The end of the song starts the next one.
    EXPECT_TRUE(WaitForCaption(window, kTitles[1])) << Caption(window);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(Control(window, kPlayButton)) == 0; }));
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadStored("File", "LastSong")->AsDword(), 1u);
}

// The dialog windows of the player with the jump dialog's caption.
struct DialogCount {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountJumpDialog(HWND window, LPARAM parameter) {
    auto* c = reinterpret_cast<DialogCount*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == c->processId && IsWindowVisible(window) && WindowText(window) == kJumpCaption)
        ++c->count;
    return TRUE;
}

int CountJumpDialogs(DWORD processId) {
    DialogCount count = {processId, 0};
    EnumWindows(CountJumpDialog, reinterpret_cast<LPARAM>(&count));
    return count.count;
}

TEST_F(PlayerScenario, JumpOpensTheDialogOnceAndTheChosenSongBecomesCurrent) {
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    // Ctrl+J typed on the keyboard while the player is the foreground window.
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
    INPUT keys[4] = {};
    const WORD sequence[4][2] = {{VK_CONTROL, 0}, {'J', 0}, {'J', KEYEVENTF_KEYUP}, {VK_CONTROL, KEYEVENTF_KEYUP}};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = sequence[i][0];
        keys[i].ki.dwFlags = sequence[i][1];
    }
    ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
    HWND dialog = WaitForBox(player.ProcessId(), kJumpCaption);
    ASSERT_NE(dialog, nullptr);
    Pause(300);
    EXPECT_EQ(CountJumpDialogs(player.ProcessId()), 1);
    HWND list = GetDlgItem(dialog, 104);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(probe->SendForText(list, LB_GETTEXT, row), kTitles[row]);
    }
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    SendMessageA(list, LB_SETCURSEL, 2, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    Pause(300);
    EXPECT_EQ(CountJumpDialogs(player.ProcessId()), 0) << "a second dialog followed the first";
    ASSERT_TRUE(WaitForCaption(window, kTitles[2])) << Caption(window);
    ExpectCounter(window, 3, 3, 0, 2500);
    // Cancel leaves the current song; the jump button keeps the focus.
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(kJumpButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(window, kJumpButton)));
    dialog = WaitForBox(player.ProcessId(), kJumpCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog, 104), LB_GETCURSEL, 0, 0), 2);
    SendMessageA(GetDlgItem(dialog, 104), LB_SETCURSEL, 0, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_NE(Caption(window).find(kTitles[2]), std::string::npos);
    // The focus comes back when the player is activated again after the dialog, which under
    // Wine goes through the X server: wait for it.
    EXPECT_TRUE(WaitUntil([&] { return probe->FocusedControl() == kJumpButton; })) << probe->FocusedControl();
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadStored("File", "LastSong")->AsDword(), 2u);
}

TEST_F(PlayerScenario, ModeButtonsSwapTheirEnabledStates) {
    HWND window = Start("");
    ASSERT_NE(window, nullptr);
    struct Step {
        int click;
        bool fileEnabled;
        bool cdEnabled;
    };
    for (const Step s : {Step{-1, false, true}, Step{kCdModeButton, true, false}, Step{kFileModeButton, false, true},
                         Step{kCdModeButton, true, false}}) {
        if (s.click >= 0)
            Click(window, s.click);
        EXPECT_EQ(IsWindowEnabled(Control(window, kFileModeButton)) != 0, s.fileEnabled) << s.click;
        EXPECT_EQ(IsWindowEnabled(Control(window, kCdModeButton)) != 0, s.cdEnabled) << s.click;
    }
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadStored("Player", "LastMode")->AsDword(), 2u);
}

TEST_F(PlayerScenario, CounterShowsThePositionTheQueueAndTheTimes) {
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    ExpectCounter(window, 1, 3, 0, 2500);
    Click(window, kNextButton);
    Click(window, kPlayButton);
    Click(window, kPauseButton);
    ExpectButtonsFor(window, kPaused, "paused");
    ExpectCounter(window, 2, 3, 0, 2500);
    EXPECT_EQ(Close(), 0);
}

// A Recomposer song and a WRD script beside it: with no Recomposer driver (Wine has none, nor has
// today's Windows) the player converts the song, shows the header's title and the converted
// song's length, and runs the script on the sequencer's ticks.
TEST_F(PlayerScenario, RecomposerSongStartedWithPlayShowsItsTitleLengthAndScript) {
    folder = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    RcpSongBuilder song;
    song.title = "レコンポーザの曲";
    std::string& events = song.AddTrack(0).events;
    for (int i = 0; i < 7; ++i) {  // seven quarters at 120 beats per minute: 3.5 seconds
        events += song.Note(static_cast<std::uint8_t>(60 + i), 48, 48, 100);
    }
    events += song.End();
    const std::string path = folder + "song.rcp";
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    const std::string bytes = song.Build();
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    out = std::fopen((folder + "song.wrd").c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("@STARTUP@TCLS()@TON(1)\r\n@LOCATE(2,2);\r\nfirst measure\r\n@LOCATE(3,2);\r\nsecond measure\r\n", out);
    std::fclose(out);

    HWND window = Start("/play \"" + path + "\"");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitForCaption(window, "レコンポーザの曲")) << Caption(window);
    ExpectButtonsFor(window, kPlaying, "converted song playing");
    // The counter shows the converted song's length (a real sequencer also moves the time on;
    // Wine's has no output and stands at 0).
    Click(window, kPauseButton);
    ExpectCounter(window, 1, 1, 0, 3500);
    // The script found beside the song runs on its own screen.
    EXPECT_TRUE(WaitUntil([] { return FindWindowA("Virtual98Screen", nullptr) != nullptr; }));
    EXPECT_EQ(Close(), 0);
    // Closing the song removed its converted file.
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((std::string(temp) + "mxrcp*.mid").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << found.cFileName;
    if (find != INVALID_HANDLE_VALUE) {
        FindClose(find);
    }
}

TEST_F(PlayerScenario, FocusWalksTheTabOrderOfEachFormSkippingDisabledControls) {
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    struct Move {
        int from;
        UINT key;
        bool shift;
        int to;
    };
    // Songs but none loaded: stop, pause, the seek buttons and both toggles are disabled.
    const Move normal[] = {
        {kMinimizeButton, VK_TAB, false, kMenuButton},     {kMenuButton, VK_TAB, false, kRecordButton},
        {kRecordButton, VK_TAB, false, kPlayButton},       {kPlayButton, VK_TAB, true, kRecordButton},
        {kPlayOrderSwitchId, VK_TAB, false, kCloseButton}, {kCloseButton, VK_LEFT, false, kPlayOrderSwitchId},
        {kSeekBarId, VK_DOWN, false, kVolumeSliderId},     {kVolumeSliderId, VK_TAB, false, kBalanceSliderId},
    };
    for (const Move& m : normal) {
        ASSERT_TRUE(probe->Key(Control(window, m.from), m.key, m.shift));
        EXPECT_EQ(probe->FocusedControl(), m.to) << "normal: from " << m.from << " key " << m.key;
    }
    SysCommand(window, 113);
    const Move flat[] = {
        {kCloseButton, VK_TAB, true, kCdModeButton},  {kCdModeButton, VK_TAB, true, kSelectButton},
        {kMinimizeButton, VK_TAB, false, kSeekBarId}, {kSeekBarId, VK_TAB, false, kVolumeSliderId},
        {kJumpButton, VK_TAB, false, kRewindButton},  {kCdModeButton, VK_TAB, false, kCloseButton},
    };
    for (const Move& m : flat) {
        ASSERT_TRUE(probe->Key(Control(window, m.from), m.key, m.shift));
        EXPECT_EQ(probe->FocusedControl(), m.to) << "flat: from " << m.from << " key " << m.key;
    }
    // A button the flat form hides is outside its order: Tab there leaves the focus alone.
    ASSERT_TRUE(probe->Key(Control(window, kRecordButton), VK_TAB));
    EXPECT_EQ(probe->FocusedControl(), kCloseButton);
    EXPECT_EQ(Close(), 0);
}

// The first row of the slider's inner area (from the top) that shows the cyan level.
int LevelRow(const Image& shot, POINT origin, const PanelRect& slider) {
    const int x = origin.x + (slider.left + slider.right) / 2;
    for (int y = slider.top + 1; y < slider.bottom - 1; ++y) {
        if (shot.At(x, origin.y + y) == 0x00FFFF)
            return y;
    }
    return slider.bottom - 1;
}

// The first column of the balance knob.
int KnobColumn(const Image& shot, POINT origin, const PanelRect& slider) {
    const int y = origin.y + (slider.top + slider.bottom) / 2;
    for (int x = slider.left + 1; x < slider.right - 1; ++x) {
        if (shot.At(origin.x + x, y) == 0x00FFFF)
            return x;
    }
    return -1;
}

TEST_F(PlayerScenario, ShiftArrowsSetVolumeAndBalanceAndTheOrderSwitchCycles) {
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    Click(window, kPlayButton);
    Click(window, kPauseButton);
    const POINT origin = ClientOrigin(window);
    const PanelRect volume = ClientRectOf(window, kVolumeSliderId);
    const PanelRect balance = ClientRectOf(window, kBalanceSliderId);
    HWND volumeSlider = Control(window, kVolumeSliderId);
    HWND balanceSlider = Control(window, kBalanceSliderId);

    for (int i = 0; i < 17; ++i)
        probe->Key(volumeSlider, VK_UP, true);
    probe->Key(volumeSlider, VK_DOWN, true);
    probe->Key(volumeSlider, VK_DOWN, true);
    // Without Shift the arrow moves the focus instead of the value.
    probe->Key(volumeSlider, VK_DOWN, false);
    EXPECT_EQ(probe->FocusedControl(), kBalanceSliderId);
    // Repaints follow the keys asynchronously: each picture is judged once it has settled.
    // Two steps down from full: 65535 - 2 x 4096 (the device may read back one less).
    const int expectedRow = VolumeLevelY(volume.top + 1, volume.bottom - 1, 65535 - 2 * 4096);
    auto shot =
        SettledShot([&](const Image& image) { return std::abs(LevelRow(image, origin, volume) - expectedRow) <= 1; });
    ASSERT_TRUE(shot);
    EXPECT_NEAR(LevelRow(*shot, origin, volume), expectedRow, 1);

    auto expectKnob = [&](int value) {
        const int column = BalanceKnobX(balance.left + 1, balance.right - 1, value);
        const auto image = SettledShot([&](const Image& i) { return KnobColumn(i, origin, balance) == column; });
        ASSERT_TRUE(image);
        EXPECT_EQ(KnobColumn(*image, origin, balance), column) << "balance " << value;
    };
    SendMessageA(balanceSlider, WM_RBUTTONDOWN, 0, 0);
    SendMessageA(balanceSlider, WM_RBUTTONUP, 0, 0);
    expectKnob(0);
    for (int i = 0; i < 3; ++i)
        probe->Key(balanceSlider, VK_RIGHT, true);
    expectKnob(30);
    for (int i = 0; i < 12; ++i)
        probe->Key(balanceSlider, VK_RIGHT, true);
    expectKnob(100);

    // The order switch: four clicks come round to normal, a right click goes back to 3.
    const auto frames = LoadBitmapResource(gPlayerPath, 5);
    ASSERT_TRUE(frames);
    HWND orderSwitch = Control(window, kPlayOrderSwitchId);
    const PanelRect place = ClientRectOf(window, kPlayOrderSwitchId);
    auto expectFrame = [&](int order) {
        // Inside the focus rectangle's one-pixel border.
        auto showsOrder = [&](const Image& image) {
            return SameCell(image, origin.x + place.left + 1, origin.y + place.top + 1, *frames, order * 32 + 1, 1, 30,
                            10);
        };
        const auto image = SettledShot(showsOrder);
        ASSERT_TRUE(image);
        EXPECT_TRUE(showsOrder(*image)) << "order " << order;
    };
    expectFrame(0);
    for (int order : {1, 2, 3, 0}) {
        SendMessageA(orderSwitch, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(orderSwitch, WM_LBUTTONUP, 0, 0);
        expectFrame(order);
    }
    SendMessageA(orderSwitch, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    expectFrame(3);
    EXPECT_EQ(probe->FocusedControl(), kPlayOrderSwitchId);
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadStored("Play", "FilePlayMode")->AsDword(), 3u);
}

TEST_F(PlayerScenario, DroppedFilesReplaceTheQueueAndTheHistory) {
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    // Past the new queue's end the position wraps to the first song; within it, it stays.
    Click(window, kNextButton);
    Click(window, kNextButton);
    ExpectCounter(window, 3, 3, 0, 2500);
    ASSERT_TRUE(probe->Drop({songs[2], songs[0]}));
    ExpectCounter(window, 1, 2, 0, 2500);
    Click(window, kPlayButton);
    EXPECT_TRUE(WaitForCaption(window, "] tone3")) << Caption(window);
    Click(window, kNextButton);
    EXPECT_TRUE(WaitForCaption(window, "] tone1")) << Caption(window);
    ASSERT_TRUE(probe->Drop({songs[0], songs[1]}));
    ExpectCounter(window, 2, 2, 0, 2500);
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadNumberedList("File\\History"), (Names{songs[0], songs[1]}));
    EXPECT_EQ(ReadStored("File", "LastSong")->AsDword(), 1u);
}

TEST_F(PlayerScenario, ThreeThousandDroppedFilesLeaveThePlayerResponsive) {
    MakeSongs();
    HWND window = Start("");
    ASSERT_NE(window, nullptr);
    Names many;
    for (int i = 0; i < 3000; ++i)
        many.push_back(songs[i % 3]);
    const DWORD start = GetTickCount();
    ASSERT_TRUE(probe->Drop(many));
    EXPECT_LT(GetTickCount() - start, 5000u) << "the drop took that long";
    DWORD_PTR ignored;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored));
    // Queue length 3000 shows modulo 1000.
    ExpectCounter(window, 1, 3000, 0, 2500);
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadNumberedList("File\\History").size(), 3000u);
}

TEST_F(PlayerScenario, SavedPositionsOffTheScreenOpenAtAVisiblePlace) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    for (const std::int32_t at : {-32000, 50000}) {
        WriteDword("Player", "Player_x", static_cast<uint32_t>(at));
        WriteDword("Player", "Player_y", static_cast<uint32_t>(at));
        HWND window = Start("");
        ASSERT_NE(window, nullptr);
        const RECT frame = FrameOf(window);
        EXPECT_GE(frame.left, 0) << at;
        EXPECT_GE(frame.top, 0) << at;
        EXPECT_LE(frame.right, screenWidth) << at;
        EXPECT_LE(frame.bottom, screenHeight) << at;
        EXPECT_EQ(Close(), 0);
        ResetPlayerSettings();
    }
}

TEST_F(PlayerScenario, TooNarrowFlatWidthOpensWideEnoughAndWorks) {
    WriteDword("Player", "Form", 1);
    WriteDword("Player", "FlatWidth", 100);
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    const RECT frame = FrameOf(window);
    EXPECT_GE(frame.right - frame.left, 400);
    ExpectLayout(window, kFlatForm);
    Click(window, kPlayButton);
    EXPECT_TRUE(WaitForCaption(window, kTitles[0])) << Caption(window);
    EXPECT_EQ(Close(), 0);
    EXPECT_GE(ReadStored("Player", "FlatWidth")->AsDword(), 400u);
}

TEST_F(PlayerScenario, FontFaceWithoutTerminatorIsCutAndTheTitleStillShows) {
    unsigned char font[60] = {12};
    std::fill(font + 28, font + 60, 'A');
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Veqo\\Melodrix\\2\\Player", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Font", 0, REG_BINARY, font, sizeof font);
    RegCloseKey(key);
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    Click(window, kPlayButton);
    EXPECT_TRUE(WaitForCaption(window, kTitles[0])) << Caption(window);
    // The title part shows cyan text on black.
    const auto shot = probe->Capture();
    ASSERT_TRUE(shot);
    const SIZE client = ClientSize(window);
    const PanelRect title = ComputePanelLayout(kNormalForm, client.cx, client.cy).parts[kSongTitlePart];
    int cyan = 0;
    for (int y = title.top; y < title.bottom; ++y) {
        for (int x = title.left; x < title.right; ++x)
            cyan += shot->At(x, y) == 0x00FFFF ? 1 : 0;
    }
    EXPECT_GT(cyan, 20);
    EXPECT_EQ(Close(), 0);
    const auto stored = ReadStored("Player", "Font");
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->data.size(), 60u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&stored->data[28])), std::string(31, 'A'));
}

TEST_F(PlayerScenario, TimerIntervalAboveTheLimitIsStoredBackAs200) {
    WriteDword("Play", "TimerInterval", 100000);
    MakeSongs();
    HWND window = Start("\"" + playList + "\"");
    ASSERT_NE(window, nullptr);
    Click(window, kPlayButton);
    // At 200 ms per tick the caption still follows the song.
    EXPECT_TRUE(WaitForCaption(window, std::string("[00:01] ") + kTitles[0])) << Caption(window);
    EXPECT_EQ(Close(), 0);
    EXPECT_EQ(ReadStored("Play", "TimerInterval")->AsDword(), 200u);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TakePlayerPath(argc, argv);
    return RUN_ALL_TESTS();
}
