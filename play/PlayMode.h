// The abstract play mode: the song queue with its play order, and the controller that drives
// the device holding the current song. The file and CD modes supply the songs and devices.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/containers/WindowMessages.h"
#include "devices/DeviceVolume.h"
#include "devices/MediaDevice.h"
#include "play/PanelFlags.h"
#include "play/PlayOwner.h"
#include "play/SongEntry.h"

// Play orders.
constexpr std::int32_t kPlayNormal = 0;
constexpr std::int32_t kPlayRepeat = 1;
constexpr std::int32_t kPlayRandom = 2;
constexpr std::int32_t kPlayRandomRepeat = 3;

// Positions with a meaning of their own for Select.
constexpr std::int32_t kSelectNext = -2;
constexpr std::int32_t kSelectPrevious = -3;

class PlayMode {
public:
    explicit PlayMode(PlayOwner& owner);
    PlayMode(const PlayMode&) = delete;
    PlayMode& operator=(const PlayMode&) = delete;

    // The derived mode's songs and devices, in slot order.
    virtual int BuildQueue() = 0;
    virtual void FreeQueue() = 0;
    virtual int GetSongCount() = 0;
    virtual void GetSong(SongEntry& entry, int index) = 0;
    virtual void GetQueueTitle(char* text, std::size_t capacity, int position) = 0;
    virtual MediaDevice* OpenDevice(const SongEntry& entry) = 0;
    virtual void CloseDevice() = 0;
    virtual void OnTick() = 0;
    virtual ~PlayMode();
    virtual int Activate();
    virtual void Deactivate();
    virtual int EditList() = 0;
    virtual int OpenSource() = 0;
    virtual int Eject() { return 0; }
    virtual int GetPanelFlags();
    virtual void OpenText() {}
    virtual void CloseText() {}
    virtual int IsTextOpen() { return 0; }
    virtual void OpenWrd() {}
    virtual void CloseWrd() {}
    virtual int IsWrdOpen() { return 0; }
    // Writes what the mode would leave in the settings at its end (the song history, the current
    // song, the play order), so that a player that never gets to end loses nothing.
    virtual void StoreSession() {}

    // The queue.
    void Reload();
    void Select(int position);
    void GetSongAt(SongEntry& entry, int position);
    void Shuffle(int from);
    void DropOrder();
    void SetPlayMode(int mode);
    int GetPlayMode() const { return playMode; }
    int GetQueueLength();
    int GetCurrentPosition() const;
    void CopyCurrentSong(SongEntry& entry) const;
    void GetListTitle(char* text, std::size_t capacity) const;
    void GetTitle(char* text, std::size_t capacity) const;
    void GetComment(char* text, std::size_t capacity) const;
    void GetFontName(char* text, std::size_t capacity) const;
    bool IsActive() const { return active != 0; }

    // The controller's commands; each does nothing unless the mode is active.
    void Play();
    void Stop();
    void PauseResume();
    void Previous();
    void Next();
    void JumpToSong();
    void Skip(int direction);
    void Scan(int direction);
    void SeekTo(int milliseconds);
    void HandleTimerMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    // What the panel and the recorder read.
    int GetState() const { return state; }
    int GetSongPosition();
    int GetSongLength() const;
    int GetDeviceType() const;
    std::uint32_t GetVolume();
    void SetVolume(std::uint32_t level);
    std::int32_t GetBalance();
    void SetBalance(std::int32_t value);

    // Where random numbers come from (the runtime's generator unless a test injects one) and
    // which volume port the song volume uses.
    std::function<int()> random;
    VolumePort* volumePort = nullptr;

protected:
    int OpenCurrent();
    void CloseCurrent();
    void ResetSong();
    void Resume(int saved);
    void SeekTick();
    // After a skip, a released seek button or a slider move: plays or pauses the device as
    // before the seek, then refreshes the panel.
    void EndSeek(int stateBefore);
    void StartTimer();
    void StopTimer();
    void ApplySongVolume();
    void ReleaseSongVolume();
    // Starts the open device and refreshes the panel.
    void StartDevice();
    // The silence before a song ends (its timer fired, or Play was pressed again) or is cut off
    // (stop, another song, deactivation).
    void EndSilence();
    void CancelSilence();
    // Opens the device again when a stop closed it; false when the song cannot be reached.
    bool EnsureDeviceOpen();
    // The mode is active and its queue holds at least one song.
    bool HasSongs();
    // Blanks current as a song that is not there (queue index 0 too).
    void BlankCurrent();

    // Moves to a position and opens its song, to play when toPlay or as the mode was; what came
    // of it.
    enum class SelectOutcome { kOpened, kIdle, kUnplayable };
    SelectOutcome SelectOnce(int position, bool toPlay);
    // Songs that cannot be opened while the player is to play are passed over in the direction
    // of travel, a batch per posted message, until one plays or a whole pass found none.
    void BeginPassOver(int step);
    void ContinuePassOver();
    void CancelPassOver() { passOverLeft = 0; }
    void NoticePassedOver();

    PlayOwner& owner;

    // The queue.
    std::int32_t active = 0;
    SongEntry current;
    std::int32_t playMode = kPlayNormal;
    std::vector<std::int32_t> order;  // empty: list order
    std::int32_t orderCount = 0;
    std::int32_t currentPosition = 0;

    // The controller.
    MediaDevice* device = nullptr;  // owned by the derived mode
    std::int32_t deviceOpen = 0;
    std::int32_t songLoaded = 0;
    std::int32_t deviceType = 0;
    std::int32_t state = kModeNotReady;
    std::int32_t lengthMs = 0;
    std::int32_t positionMs = 0;
    std::int32_t lastBlinkPosition = 0;
    std::unique_ptr<DeviceVolume> songVolume;
    std::int32_t timerId = 0;
    std::int32_t tickToggle = 0;
    std::int32_t seekHeld = 0;
    std::uint32_t seekTickCount = 0;
    std::int32_t seekDirection = 0;
    std::int32_t stateBeforeSeek = 0;
    std::int32_t hasText = 0;
    std::int32_t hasWrd = 0;
    // Counts ResetSong calls: a device call that ends the song under our feet (the CD device
    // reports a track's end from GetPosition) must not leave its answer on the next song.
    std::uint32_t songSerial = 0;
    // The pass over unplayable songs: the step (kSelectNext or kSelectPrevious) and how many
    // songs of the pass are left to try; 0 when no pass is going on.
    std::int32_t passOverStep = kSelectNext;
    std::int32_t passOverLeft = 0;
    // The timer of the silence before the current song; 0 while there is none.
    std::uintptr_t silenceTimer = 0;
};

// How many songs one pass-over step tries before the window gets its turn again.
constexpr int kPassOverBatch = 64;
