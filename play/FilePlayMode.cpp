// The file play mode: its queue of song files, the device for each song and the song's
// companion text and WRD script.
#include "play/FilePlayMode.h"

#include <cstdio>

#include <utility>

#include "app/Settings.h"
#include "app/StartOptions.h"
#include "app/containers/ShiftJis.h"
#include "play/FileQueueBuilder.h"
#include "play/PlayTexts.h"
#include "songfiles/FileTypes.h"

namespace {

// Tries the mode's devices for ChooseDevice and remembers the one tried last with its answer.
class PartsOpener : public SongDeviceOpener {
public:
    PartsOpener(FileModeParts& parts, MediaDevice*& tried, std::int32_t& result)
        : parts(parts), tried(tried), result(result) {}

    bool OpenWave(const char* path) override { return Try(parts.WaveDevice(), path); }
    bool OpenMp3(const char* path) override { return Try(parts.Mp3Device(), path); }
    bool OpenMci(const char* path) override { return Try(parts.MciDevice(), path); }

private:
    bool Try(MediaDevice& device, const char* path) {
        tried = &device;
        result = device.Open(path);
        return result != 0;
    }

    FileModeParts& parts;
    MediaDevice*& tried;
    std::int32_t& result;
};

bool IsRandomOrder(std::int32_t mode) {
    return mode == kPlayRandom || mode == kPlayRandomRepeat;
}

}  // namespace

FilePlayMode::FilePlayMode(PlayOwner& owner, std::unique_ptr<FileModeParts> modeParts, StringList& songHistory)
    : PlayMode(owner), parts(std::move(modeParts)), history(songHistory) {
    CopyShiftJis(dialogDirectory, sizeof dialogDirectory, gSettings.file.LastDirectory);
    filterIndex = gSettings.file.FilterIndex;
    names = history;
    if (gSettings.file.SaveSong) {
        currentPosition = gSettings.file.LastSong;
    }
    BuildQueue();
    orderCount = GetSongCount();
    gStartOptions.addSongs = 0;
    if (currentPosition < 0 || currentPosition >= GetSongCount()) {
        currentPosition = 0;
    }
    playMode = gSettings.play.FilePlayMode;
    if (playMode < kPlayNormal || playMode > kPlayRandomRepeat) {
        playMode = kPlayNormal;
    }
    if (GetSongCount() > 0 && IsRandomOrder(playMode)) {
        Shuffle(0);
    }
}

FilePlayMode::~FilePlayMode() {
    StoreSession();
    // The song is closed while this mode's devices still exist.
    Deactivate();
    CloseDevice();
    textViewer.reset();
    wrdScreen.reset();
}

void FilePlayMode::StoreSession() {
    gSettings.file.LastSong = currentPosition;
    history = names;
    CopyShiftJis(gSettings.file.LastDirectory, sizeof gSettings.file.LastDirectory, dialogDirectory);
    gSettings.file.FilterIndex = filterIndex;
    gSettings.play.FilePlayMode = playMode;
}

int FilePlayMode::BuildQueue() {
    AddedSongsStart start;
    start.pending = gStartOptions.addSongs != 0;
    start.firstAddedName = gSettings.file.LastSong;
    RefusedEntries refused;
    ExpandNames(names, songs, &start, &refused);
    if (start.startSong >= 0) {
        currentPosition = start.startSong;
        gStartOptions.addSongs = 0;
    }
    CompleteSongs(songs);
    if (refused.count > 0) {
        // Nothing of a list is dropped without a word: one notice for the whole queue.
        char text[kMaxPathBytes + 128];
        std::snprintf(text, sizeof text, kRefusedEntriesFormat, static_cast<int>(refused.count),
                      refused.firstList.c_str());
        owner.ShowNotice(text);
    }
    return songs.empty() ? 0 : 1;
}

void FilePlayMode::FreeQueue() {
    while (!songs.empty()) {
        songs.pop_back();
    }
}

int FilePlayMode::GetSongCount() {
    return static_cast<int>(songs.size());
}

void FilePlayMode::GetSong(SongEntry& entry, int index) {
    if (index < 0 || index >= GetSongCount()) {
        return;
    }
    songs[static_cast<std::size_t>(index)].CopyTo(entry);
    entry.queueIndex = index;
}

void FilePlayMode::GetQueueTitle(char* text, std::size_t capacity, int position) {
    SongEntry entry;
    GetSongAt(entry, position);
    CopyShiftJis(text, capacity, entry.title);
}

MediaDevice* FilePlayMode::OpenDevice(const SongEntry& entry) {
    opening = entry;
    openDevice = nullptr;
    openResult = 0;
    PartsOpener opener(*parts, openDevice, openResult);
    char openedPath[kMaxPathBytes];
    if (ChooseDevice(opening.path, gSettings.wave.SelfPlay != 0, opener, openedPath) == SongDevice::kNone) {
        openResult = 0;
        return nullptr;
    }
    SetSongField(opening.path, openedPath);

    const SongCompanions companions = FindSongCompanions(opening.path, openDevice->deviceType);
    hasWrd = companions.hasWrd ? 1 : 0;
    hasText = companions.hasText ? 1 : 0;
    StartTimer();
    if (hasWrd && gSettings.file.WrdView) {
        wrdScreen.reset();
        wrdScreen = parts->MakeWrdPlayer(companions.wrdPath, *openDevice, parts->MciTimebase());
        if (gSettings.file.WrdOpen) {
            OpenWrd();
        } else {
            CloseWrd();
        }
    }
    if (hasText && gSettings.file.TextOpen) {
        OpenText();
    }
    return openDevice;
}

void FilePlayMode::CloseDevice() {
    if (!DeviceHoldsSong()) {
        return;
    }
    StopTimer();
    openDevice->Close();
    openDevice = nullptr;
    openResult = 0;
    wrdScreen.reset();
    hasWrd = 0;
}

void FilePlayMode::OnTick() {
    if (DeviceHoldsSong() && wrdScreen) {
        const int tick = openDevice->GetTickPosition();
        wrdScreen->Advance(tick > 0 ? static_cast<std::uint32_t>(tick) : 0);
    }
}

bool FilePlayMode::CompanionPath(char* path, const char* ext) const {
    return opening.path[0] != '\0' && ReplaceExtension(path, opening.path, ext) && FileExists(path);
}

void FilePlayMode::OpenText() {
    // Also while the song is being opened, so that the automatic opening works on its first open.
    if (!songLoaded && !DeviceHoldsSong()) {
        return;
    }
    textViewer.reset();
    char path[kMaxPathBytes];
    if (CompanionPath(path, ".DOC") || CompanionPath(path, ".TXT")) {
        textViewer = parts->OpenTextViewer(path);
    }
    owner.UpdateButtons();
}

void FilePlayMode::CloseText() {
    textViewer.reset();
}

int FilePlayMode::IsTextOpen() {
    return textViewer && textViewer->IsOpen() ? 1 : 0;
}

void FilePlayMode::OpenWrd() {
    if (!DeviceHoldsSong()) {
        return;
    }
    if (!wrdScreen) {
        char path[kMaxPathBytes];
        // Only a song on the sequencer has a script (hasWrd); it gives the script its ticks.
        if (!hasWrd || !CompanionPath(path, ".wrd")) {
            return;
        }
        wrdScreen = parts->MakeWrdPlayer(path, *openDevice, parts->MciTimebase());
        if (wrdScreen) {
            wrdScreen->OpenWindow();
        }
    } else if (!wrdScreen->IsWindowOpen()) {
        wrdScreen->OpenWindow();
    }
}

void FilePlayMode::CloseWrd() {
    if (wrdScreen) {
        wrdScreen->CloseWindow();
    }
}

int FilePlayMode::IsWrdOpen() {
    return wrdScreen && wrdScreen->IsWindowOpen() ? 1 : 0;
}

int FilePlayMode::EditList() {
    if (!SelectPlayLists) {
        return 0;
    }
    // The dialog works on a copy, so a cancel leaves the names as they were.
    StringList chosen = names;
    if (!SelectPlayLists(chosen) || chosen.Count() == 0) {
        return 0;
    }
    names = chosen;
    Reload();
    return 1;
}

int FilePlayMode::OpenSource() {
    OpenDialogResult result = parts->RunOpenDialog(dialogDirectory, filterIndex);
    if (!result.accepted) {
        return 0;
    }
    char directory[kMaxPathBytes];
    if (!result.currentDirectory.empty() &&
        CopyShiftJis(directory, sizeof directory, result.currentDirectory.c_str())) {
        CopyShiftJis(dialogDirectory, sizeof dialogDirectory, directory);
    }
    filterIndex = result.filterIndex;
    StringList chosen;
    // A result without a usable path keeps the names the user had.
    if (SplitOpenDialogResult(result.buffer, chosen) == 0) {
        return 0;
    }
    names = chosen;
    Reload();
    return 1;
}

void FilePlayMode::SetNames(const StringList& list) {
    names = list;
    BuildQueue();
}

void FilePlayMode::DropFiles(const StringList& paths) {
    Deactivate();
    SetNames(paths);
    DropOrder();
    orderCount = GetSongCount();
    if (IsRandomOrder(playMode)) {
        Shuffle(0);
    }
    Activate();
}

std::size_t FilePlayMode::QueueBytes() const {
    std::size_t bytes = (songs.capacity() - songs.size()) * sizeof(QueuedSong);
    for (const QueuedSong& song : songs) {
        bytes += song.Bytes();
    }
    return bytes;
}
