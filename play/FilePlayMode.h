// The play mode of song files: its source is a list of names (song files, play lists and folder
// entries), which it expands into its queue; it chooses a device for each song by the file's
// extension and looks after the song's companion text and WRD script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/containers/PathHelpers.h"
#include "app/containers/StringList.h"
#include "play/FileModeParts.h"
#include "play/PlayMode.h"
#include "play/QueuedSong.h"

class FilePlayMode : public PlayMode {
public:
    // Takes its names from history (the song history) and its position, play order, dialog
    // folder and filter from the settings; the destructor writes them all back.
    FilePlayMode(PlayOwner& owner, std::unique_ptr<FileModeParts> parts, StringList& history);
    ~FilePlayMode() override;
    void StoreSession() override;

    int BuildQueue() override;
    void FreeQueue() override;
    int GetSongCount() override;
    void GetSong(SongEntry& entry, int index) override;
    void GetQueueTitle(char* text, std::size_t capacity, int position) override;
    MediaDevice* OpenDevice(const SongEntry& entry) override;
    void CloseDevice() override;
    void OnTick() override;
    // The play-list selection dialog on the names; on OK the queue is rebuilt from the chosen
    // entries. Answers 1 when reloaded.
    int EditList() override;
    int OpenSource() override;
    void OpenText() override;
    void CloseText() override;
    int IsTextOpen() override;
    void OpenWrd() override;
    void CloseWrd() override;
    int IsWrdOpen() override;

    // Replaces the names and rebuilds the songs (the play order is the caller's).
    void SetNames(const StringList& list);
    // Files dropped on the main window: the mode is rebuilt from them and activated again at its
    // position, which wraps to the first song when it lies past the new end.
    void DropFiles(const StringList& paths);

    const StringList& Names() const { return names; }

    // The play-list selection dialog, supplied by the main window: on OK it replaces the list it
    // is given with the chosen entries and answers nonzero. Until then it cancels.
    std::function<int(StringList& names)> SelectPlayLists;
    // Bytes held by the queue: the records with their texts.
    std::size_t QueueBytes() const;
    // The song being opened or open, with the path actually opened.
    const SongEntry& OpeningSong() const { return opening; }

private:
    bool DeviceHoldsSong() const { return openDevice != nullptr && openResult != 0; }
    // path := the opened song's path with ext, when that file exists.
    bool CompanionPath(char* path, const char* ext) const;

    std::unique_ptr<FileModeParts> parts;
    StringList& history;
    StringList names;
    std::vector<QueuedSong> songs;
    SongEntry opening;
    MediaDevice* openDevice = nullptr;
    std::int32_t openResult = 0;
    std::unique_ptr<CompanionText> textViewer;
    std::unique_ptr<CompanionScript> wrdScreen;
    char dialogDirectory[kMaxPathBytes] = {};
    std::int32_t filterIndex = 1;
};
