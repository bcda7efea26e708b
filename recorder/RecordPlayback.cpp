// The recording dialog's view of the current play mode.
#include "recorder/RecordPlayback.h"

#include "play/PlayMode.h"

int PlayModePlayback::GetQueueLength() {
    return mode.GetQueueLength();
}

int PlayModePlayback::GetCurrentPosition() {
    return mode.GetCurrentPosition();
}

void PlayModePlayback::Select(int position) {
    mode.Select(position);
}

void PlayModePlayback::GetCurrentTitle(char* text, std::size_t capacity) {
    SongEntry entry;
    mode.CopyCurrentSong(entry);
    CopyShiftJis(text, capacity, entry.title);
}

void PlayModePlayback::Play() {
    mode.Play();
}

void PlayModePlayback::Stop() {
    mode.Stop();
}

void PlayModePlayback::HandleTimerMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    mode.HandleTimerMessage(message, wParam, lParam);
}
