// What the recording dialog needs of playback: the current play mode's queue and controller,
// and the main window's flag that sends the device messages to the dialog.
#pragma once

#include <cstddef>
#include <cstdint>

class PlayMode;

class RecordPlayback {
public:
    virtual ~RecordPlayback() = default;
    virtual int GetQueueLength() = 0;
    virtual int GetCurrentPosition() = 0;
    virtual void Select(int position) = 0;
    // The title of the current song (Shift-JIS; empty for none).
    virtual void GetCurrentTitle(char* text, std::size_t capacity) = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void HandleTimerMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // The main window's recorderActive.
    virtual void SetRecorderActive(int active) = 0;
};

// Playback as the main window offers it: its current play mode and its recorderActive field.
class PlayModePlayback final : public RecordPlayback {
public:
    PlayModePlayback(PlayMode& mode, int& recorderActive) : mode(mode), recorderActive(recorderActive) {}

    int GetQueueLength() override;
    int GetCurrentPosition() override;
    void Select(int position) override;
    void GetCurrentTitle(char* text, std::size_t capacity) override;
    void Play() override;
    void Stop() override;
    void HandleTimerMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void SetRecorderActive(int active) override { recorderActive = active; }

private:
    PlayMode& mode;
    int& recorderActive;
};
