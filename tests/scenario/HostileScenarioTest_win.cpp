// The player's standing defence against hostile input, driving the real Melodrix.exe: a play list
// of damaged files of every kind it opens, damaged companions and lists, and every stored setting
// at its extremes. Throughout, the player stays alive, answers within 2 s and closes cleanly.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/scenario/PlayerProcess.h"
#include "tests/scenario/PlayerRegistry.h"
#include "tests/scenario/ScenarioHelpers_win.h"
#include "tests/support/HostileInputs.h"
#include "ui/PanelNumbers.h"

namespace {

constexpr char kSettingsKey[] = "Software\\Veqo\\Melodrix\\2";
constexpr DWORD kAnswerMs = 2000;

// Asks the player's window a WM_NULL every 100 ms on its own thread and remembers whether one
// ever went unanswered for kAnswerMs.
class AnswerWatch {
public:
    explicit AnswerWatch(HWND window) : window(window), thread([this] { Run(); }) {}
    ~AnswerWatch() { Stop(); }
    void Stop() {
        running = false;
        if (thread.joinable()) {
            thread.join();
        }
    }
    int Unanswered() const { return unanswered; }

private:
    void Run() {
        while (running && IsWindow(window)) {
            DWORD_PTR result = 0;
            if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result) &&
                IsWindow(window)) {
                ++unanswered;
            }
            Sleep(100);
        }
    }

    HWND window;
    std::atomic<bool> running{true};
    std::atomic<int> unanswered{0};
    std::thread thread;
};

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool ShowsPlaying(HWND window) {
    return !IsWindowEnabled(GetDlgItem(window, kPlayButton)) && IsWindowEnabled(GetDlgItem(window, kStopButton));
}

void Click(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// Closes every message box the player shows (a refused list, a device's own error) and counts
// them; their texts go to the test's output.
int CloseBoxes(DWORD processId) {
    int closed = 0;
    for (HWND box; (box = WaitForBox(processId, nullptr, 0)) != nullptr && closed < 20; ++closed) {
        std::printf("message box: %s\n", BoxText(box).c_str());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (!WaitUntil([&] { return !IsWindow(box); }, 2000)) {
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            WaitUntil([&] { return !IsWindow(box); }, 2000);
        }
    }
    return closed;
}

class HostileScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(gPlayerPath.empty()) << "give the path of Melodrix.exe (argument or MX_PLAYER_EXE)";
        ASSERT_EQ(CountPlayerWindows(), 0) << "a player of an earlier scenario is still running";
        ResetPlayerSettings();
        folder = MakeScratchFolder("hostile");
    }
    void TearDown() override { ResetPlayerSettings(); }

    std::string folder;
};

TEST_F(HostileScenario, DamagedSongsCompanionsAndListsArePassedOverWhileTheWindowAnswers) {
    std::vector<ListSong> songs;
    for (const HostileInput& song : MakeHostileSongs()) {
        const std::string path = folder + song.name;
        if (song.name.rfind("missing_", 0) != 0) {
            ASSERT_TRUE(WriteFileBytes(path, song.bytes)) << path;
        }
        songs.push_back({path, song.name});
    }
    for (const HostileInput& file : MakeHostileCompanions()) {
        ASSERT_TRUE(WriteFileBytes(folder + file.name, file.bytes));
    }
    songs.push_back({folder + "withwrd.mid", "withwrd"});
    ASSERT_TRUE(WriteSineWave(folder + "end.wav", 0.3, 440.0));
    songs.push_back({folder + "end.wav", "the end"});
    ASSERT_TRUE(WritePlayList(folder + "hostile.rpl", "hostile", songs));
    std::string arguments = "/play \"" + folder + "hostile.rpl\"";
    for (const HostileInput& list : MakeHostileLists(folder + "end.wav")) {
        if (list.name != "long_silence.rpl") {
            ASSERT_TRUE(WriteFileBytes(folder + list.name, list.bytes));
            arguments += " \"" + folder + list.name + "\"";
        }
    }

    PlayerProcess player;
    ASSERT_TRUE(player.Start(arguments));
    HWND window = player.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    AnswerWatch watch(window);

    // Every damaged song is passed over until the song with the damaged script; the system's
    // sequencer under test has no output, so its position stands still: move on by hand.
    ASSERT_TRUE(WaitUntil([&] {
        CloseBoxes(player.ProcessId());
        return WindowText(window).find("withwrd") != std::string::npos;
    }, 60000)) << "caption: " << WindowText(window);
    Click(window, kNextButton);
    // The short song at the end and the lists' songs play to their end and the player stops.
    EXPECT_TRUE(WaitUntil([&] {
        CloseBoxes(player.ProcessId());
        return WindowText(window).find("the end") != std::string::npos;
    }, 30000)) << "caption: " << WindowText(window);
    EXPECT_TRUE(WaitUntil([&] {
        CloseBoxes(player.ProcessId());
        return player.Running() && !ShowsPlaying(window);
    }, 60000));

    watch.Stop();
    EXPECT_EQ(watch.Unanswered(), 0) << "the window stopped answering";
    ASSERT_TRUE(player.Running()) << "the player ended on its own";
    EXPECT_EQ(player.CloseAndWait(), 0);
}

TEST_F(HostileScenario, ClosingEndsTheLongestSilenceAtOnce) {
    ASSERT_TRUE(WriteSineWave(folder + "end.wav", 0.3, 440.0));
    for (const HostileInput& list : MakeHostileLists(folder + "end.wav")) {
        if (list.name == "long_silence.rpl") {
            ASSERT_TRUE(WriteFileBytes(folder + list.name, list.bytes));
        }
    }
    PlayerProcess player;
    ASSERT_TRUE(player.Start("/play \"" + folder + "long_silence.rpl\""));
    HWND window = player.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    // The silence runs on a timer: the player shows the song as playing while it waits, and the
    // window answers meanwhile.
    ASSERT_TRUE(WaitUntil([&] { return ShowsPlaying(window); }));
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result));
    EXPECT_EQ(player.CloseAndWait(), 0);
}

// Every value the player stores, with its type, found under its key after a first run.
struct StoredName {
    std::string subKey;
    std::string name;
    DWORD type;
    DWORD size;
};

std::vector<StoredName> ListStoredValues(const std::string& subKey) {
    std::vector<StoredName> names;
    HKEY key = nullptr;
    const std::string path = subKey.empty() ? kSettingsKey : std::string(kSettingsKey) + "\\" + subKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return names;
    }
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name, type = 0, size = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            break;
        }
        names.push_back({subKey, name, type, size});
    }
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        children.push_back(subKey.empty() ? name : subKey + "\\" + name);
    }
    RegCloseKey(key);
    for (const std::string& child : children) {
        const std::vector<StoredName> more = ListStoredValues(child);
        names.insert(names.end(), more.begin(), more.end());
    }
    return names;
}

void WriteRaw(const StoredName& value, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    const std::string path = std::string(kSettingsKey) + "\\" + value.subKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, value.name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
        RegCloseKey(key);
    }
}

std::vector<BYTE> Dword(DWORD number) {
    return {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
            static_cast<BYTE>(number >> 24)};
}

// A string value's bytes with the terminator.
std::vector<BYTE> TextBytes(const std::string& text) {
    return std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1);
}

// One sweep: every stored value at once set to one kind of extreme.
void WriteExtreme(const std::vector<StoredName>& values, int sweep) {
    const DWORD numbers[] = {0, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u};
    for (const StoredName& value : values) {
        if (sweep < 4) {
            if (value.type == REG_DWORD) {
                WriteRaw(value, REG_DWORD, Dword(numbers[sweep]));
            } else if (value.type == REG_BINARY) {
                // Every 32-bit field of the record at the extreme.
                std::vector<BYTE> data;
                while (data.size() < value.size) {
                    const std::vector<BYTE> field = Dword(numbers[sweep]);
                    data.insert(data.end(), field.begin(), field.end());
                }
                data.resize(value.size);
                WriteRaw(value, REG_BINARY, data);
            } else if (value.type == REG_SZ) {
                const std::string text = sweep == 1 ? std::string(5000, 'a') : sweep == 2 ? "" : "C:\\no\\such|name";
                WriteRaw(value, REG_SZ, TextBytes(text));
            }
        } else if (sweep == 4) {
            // The wrong type for every value.
            if (value.type == REG_SZ) {
                WriteRaw(value, REG_DWORD, Dword(7));
            } else {
                const std::string text = "x";
                WriteRaw(value, REG_SZ, TextBytes(text));
            }
        } else if (value.type == REG_BINARY || value.type == REG_DWORD) {
            // The wrong size: three bytes, or an over-long record.
            WriteRaw(value, value.type, std::vector<BYTE>(value.type == REG_DWORD ? 3 : value.size + 9, 0xFF));
        }
    }
}

TEST_F(HostileScenario, EveryStoredSettingAtItsExtremesStillStartsAnAnsweringPlayer) {
    {
        PlayerProcess first;
        ASSERT_TRUE(first.Start(""));
        ASSERT_NE(first.WaitForMainWindow(), nullptr);
        ASSERT_EQ(first.CloseAndWait(), 0);
    }
    const std::vector<StoredName> values = ListStoredValues("");
    ASSERT_GT(values.size(), 40u) << "the first run saved every setting";

    for (int sweep = 0; sweep < 6; ++sweep) {
        SCOPED_TRACE("sweep " + std::to_string(sweep));
        WriteExtreme(values, sweep);
        PlayerProcess player;
        ASSERT_TRUE(player.Start(""));
        HWND window = player.WaitForMainWindow(10000);
        ASSERT_NE(window, nullptr) << "no window within 10 s";
        DWORD_PTR result = 0;
        EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result));
        EXPECT_EQ(player.CloseAndWait(), 0);
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TakePlayerPath(argc, argv);
    return RUN_ALL_TESTS();
}
