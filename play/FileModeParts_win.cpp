// The file play mode's devices, companion windows and file-open dialog on Win32.
#include "play/FileModeParts_win.h"

#include "app/containers/SystemFunction_win.h"

#include <commdlg.h>

#include "wrd/TextViewer_win.h"
#include "wrd/WrdPlayer.h"

namespace {

// Big enough for a folder and a few hundred chosen names.
constexpr DWORD kResultBytes = 32768;

// Display text and pattern of each filter, in the order the filter index counts them.
constexpr char kFilters[] =
    "全てのﾌｧｲﾙ(*.*)\0*.*\0"
    "MIDIﾌｧｲﾙ(*.mid;*.smf)\0*.mid;*.smf\0"
    "WAVEﾌｧｲﾙ(*.wav)\0*.wav\0"
    "MP3ﾌｧｲﾙ(*.mp3)\0*.mp3\0"
    "AVIﾌｧｲﾙ(*.AVI)\0*.avi\0"
    "ﾌﾟﾚｲﾘｽﾄ(*.rpl;*.m3u;*.m3u8;*.pls)\0*.rpl;*.m3u;*.m3u8;*.pls\0"
    "Recomposerﾌｧｲﾙ(*.rcp;*.r36;*.g36;*.g18)\0*.rcp;*.r36;*.g36;*.g18\0";

class TextViewerCompanion : public CompanionText {
public:
    TextViewerCompanion(HWND owner, const char* path) : viewer(owner, path) {}
    bool IsOpen() const override { return viewer.IsOpen(); }

private:
    TextViewer viewer;
};

class WrdPlayerCompanion : public CompanionScript {
public:
    WrdPlayerCompanion(HWND owner, const char* scriptPath, MediaDevice& device, std::uint16_t timebase)
        : player(owner, scriptPath, device, timebase) {}
    void OpenWindow() override { player.OpenWindow(); }
    void CloseWindow() override { player.CloseWindow(); }
    bool IsWindowOpen() const override { return player.IsWindowOpen(); }
    void Advance(std::uint32_t tick) override { player.Advance(tick); }

private:
    WrdPlayer player;
};

}  // namespace

SystemFileModeParts::SystemFileModeParts(HWND owner) : owner(owner), mci(owner), wave(owner), mp3(owner) {}

std::unique_ptr<CompanionText> SystemFileModeParts::OpenTextViewer(const char* path) {
    return std::make_unique<TextViewerCompanion>(owner, path);
}

std::unique_ptr<CompanionScript> SystemFileModeParts::MakeWrdPlayer(const char* scriptPath,
                                                                    MediaDevice& device,
                                                                    std::uint16_t timebase) {
    return std::make_unique<WrdPlayerCompanion>(owner, scriptPath, device, timebase);
}

OpenDialogResult SystemFileModeParts::RunOpenDialog(const char* initialDirectory, std::int32_t filterIndex) {
    OpenDialogResult result;
    std::vector<char> buffer(kResultBytes, '\0');
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilters;
    dialog.nFilterIndex = filterIndex > 0 ? static_cast<DWORD>(filterIndex) : 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kResultBytes;
    dialog.lpstrInitialDir = initialDirectory != nullptr && initialDirectory[0] != '\0' ? initialDirectory : nullptr;
    dialog.Flags =
        OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_LONGNAMES | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    const auto getOpenFileName = SystemFunction<BOOL(WINAPI*)(OPENFILENAMEA*)>("comdlg32.dll", "GetOpenFileNameA");
    if (getOpenFileName == nullptr || !getOpenFileName(&dialog)) {
        return result;
    }
    result.accepted = true;
    result.buffer = std::move(buffer);
    result.filterIndex = static_cast<std::int32_t>(dialog.nFilterIndex);
    // The dialog leaves the process in the folder the user chose from.
    char directory[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
    if (length > 0 && length < MAX_PATH) {
        result.currentDirectory = directory;
    }
    return result;
}
