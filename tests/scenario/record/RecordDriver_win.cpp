// Drives the real Melodrix.exe's recording dialog for the recording checks: prepares the
// settings (PCM 44100 Hz, 16 bits, stereo; the output folders), starts the player on a play
// list, opens the dialog through the system command, picks a linked mode, types a name, starts
// recording, answers message boxes, and reports what it sees, one "key: value" line each:
//   RecordDriver PLAYER LIST FOLDER MODE NAME [--play-first] [--stop-after MS] [--answer yes|no]
//                [--second-click] [--wait-ms MS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "recorder/RecorderTexts.h"
#include "resources/RecordDialog.h"
#include "resources/SystemCommands.h"
#include "tests/scenario/PlayerProcess.h"
#include "tests/scenario/PlayerRegistry.h"

namespace {

constexpr DWORD kSafetyMs = 120000;
constexpr int kModeButtons[] = {IDC_RECORD_ONE_SONG, IDC_RECORD_EACH_SONG, IDC_RECORD_WHOLE_LIST, IDC_RECORD_UNLINKED};

struct Options {
    std::string list;
    std::string folder;
    int mode = 1;
    std::string name;
    bool playFirst = false;
    DWORD stopAfterMs = 0;
    bool answerYes = false;
    bool secondClick = false;
    DWORD waitMs = kSafetyMs;
};

void WriteFormat() {
    // PCM, 2 channels, 44100 samples, 176400 bytes per second, block 4, 16 bits, extra 0.
    const unsigned char format[18] = {1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0, 0, 0};
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Veqo\\Melodrix\\2\\Record", 0, nullptr, 0, KEY_WRITE, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, "Format", 0, REG_BINARY, format, sizeof format);
        RegCloseKey(key);
    }
}

BOOL CALLBACK CountDialogs(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<std::pair<DWORD, int>*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->first && IsWindowVisible(window) && GetDlgItem(window, IDC_RECORD_START) != nullptr) {
        ++search->second;
    }
    return TRUE;
}

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<std::pair<DWORD, HWND>*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == search->first && std::strcmp(className, "#32770") == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, IDC_RECORD_START) != nullptr) {
        search->second = window;
        return FALSE;
    }
    return TRUE;
}

// A visible message box of the process (a dialog that is not the recording dialog).
BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<std::pair<DWORD, HWND>*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == search->first && std::strcmp(className, "#32770") == 0 && IsWindowVisible(window) &&
        GetDlgItem(window, IDC_RECORD_START) == nullptr) {
        search->second = window;
        return FALSE;
    }
    return TRUE;
}

HWND Find(WNDENUMPROC finder, DWORD process) {
    std::pair<DWORD, HWND> search{process, nullptr};
    EnumWindows(finder, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    if (argc < 6) {
        return false;
    }
    gPlayerPath = argv[1];
    options.list = argv[2];
    options.folder = argv[3];
    options.mode = std::atoi(argv[4]);
    options.name = argv[5];
    for (int i = 6; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--play-first") {
            options.playFirst = true;
        } else if (option == "--second-click") {
            options.secondClick = true;
        } else if (option == "--stop-after" && i + 1 < argc) {
            options.stopAfterMs = static_cast<DWORD>(std::atol(argv[++i]));
        } else if (option == "--wait-ms" && i + 1 < argc) {
            options.waitMs = static_cast<DWORD>(std::atol(argv[++i]));
        } else if (option == "--answer" && i + 1 < argc) {
            options.answerYes = std::strcmp(argv[++i], "yes") == 0;
        } else {
            return false;
        }
    }
    return options.mode >= 1 && options.mode <= 4;
}

void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Answers a message box and reports it.
void AnswerBox(HWND box, const Options& options, DWORD elapsed) {
    const std::string caption = WindowText(box);
    const std::string text = BoxText(box);
    if (text == kOverwriteText) {
        std::printf("overwrite-question: %s t=%lu\n", caption.c_str(), elapsed);
        PostMessageA(box, WM_COMMAND, options.answerYes ? IDYES : IDNO, 0);
    } else {
        const bool diskFull = text.find(kDiskFullReason) != std::string::npos;
        std::printf("message: %s%s t=%lu\n", caption.c_str(), diskFull ? " reason=disk-full" : "", elapsed);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    std::fflush(stdout);
}

// Watches the dialog until the recording has started and ended (or never started).
void Watch(HWND dialog, DWORD process, const Options& options) {
    const DWORD start = GetTickCount();
    std::string lastPath;
    bool recording = false;
    bool started = false;
    bool stopClicked = false;
    DWORD startedAt = 0;
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (HWND box = Find(FindBox, process)) {
            AnswerBox(box, options, elapsed);
            Sleep(200);
            continue;
        }
        const std::string path = WindowText(GetDlgItem(dialog, IDC_RECORD_PATH));
        if (path != lastPath) {
            std::printf("path: %s t=%lu\n", path.c_str(), elapsed);
            lastPath = path;
        }
        const bool now = WindowText(GetDlgItem(dialog, IDC_RECORD_START)) == kStopButtonText;
        if (now != recording) {
            std::printf("recording: %s t=%lu\n", now ? "on" : "off", elapsed);
            recording = now;
            if (now && !started) {
                started = true;
                startedAt = elapsed;
            }
        }
        std::fflush(stdout);
        if (started && options.stopAfterMs > 0 && !stopClicked && elapsed - startedAt >= options.stopAfterMs) {
            Click(dialog, IDC_RECORD_START);
            if (options.secondClick) {
                Click(dialog, IDC_RECORD_START);
                Click(dialog, IDC_RECORD_CLOSE);
            }
            stopClicked = true;
        }
        if ((started && !recording) || (!started && elapsed > 3000) || elapsed > options.waitMs) {
            return;
        }
        Sleep(10);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: RecordDriver PLAYER LIST FOLDER MODE NAME [options]\n");
        return 2;
    }
    ResetPlayerSettings();
    WriteFormat();
    WriteString("Record", "LastDirectory_Multi", options.folder.c_str());
    WriteString("Record", "LastDirectory_Single", options.folder.c_str());

    PlayerProcess player;
    if (!player.Start("\"" + options.list + "\"")) {
        std::printf("result: the player did not start\n");
        return 1;
    }
    HWND main = player.WaitForMainWindow();
    if (!main) {
        std::printf("result: no main window\n");
        return 1;
    }
    if (options.playFirst) {
        PostMessageA(main, WM_SYSCOMMAND, IDM_PLAY, 0);
        Sleep(500);
    }
    PostMessageA(main, WM_SYSCOMMAND, IDM_RECORD, 0);
    HWND dialog = nullptr;
    for (DWORD waited = 0; !dialog && waited < 10000; waited += 20) {
        Sleep(20);
        dialog = Find(FindDialog, player.ProcessId());
    }
    if (!dialog) {
        std::printf("result: the recording dialog did not open\n");
        return 1;
    }
    // A second record command while the dialog runs opens nothing more.
    PostMessageA(main, WM_SYSCOMMAND, IDM_RECORD, 0);
    Sleep(300);
    std::pair<DWORD, int> dialogs{player.ProcessId(), 0};
    EnumWindows(CountDialogs, reinterpret_cast<LPARAM>(&dialogs));
    std::printf("record-dialogs: %d\n", dialogs.second);
    Click(dialog, kModeButtons[options.mode - 1]);
    Sleep(100);
    SendMessageA(GetDlgItem(dialog, IDC_RECORD_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(options.name.c_str()));
    Click(dialog, IDC_RECORD_START);
    Watch(dialog, player.ProcessId(), options);

    const std::string caption = WindowText(main);
    Sleep(600);
    // Mode 4 leaves playback alone: its time still moves after the recording stopped.
    std::printf("playback-after: %s\n", WindowText(main) != caption ? "moving" : "still");
    if (IsWindow(dialog)) {
        Click(dialog, IDC_RECORD_CLOSE);
    }
    for (DWORD waited = 0; IsWindow(dialog) && waited < 5000; waited += 20) {
        Sleep(20);
    }
    std::printf("dialog: %s\n", IsWindow(dialog) ? "still open" : "closed");
    std::printf("exit: %ld\n", player.CloseAndWait());
    std::printf("result: done\n");
    return 0;
}
