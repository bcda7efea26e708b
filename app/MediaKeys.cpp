// Media keys to panel actions.
#include "app/MediaKeys.h"

#include "devices/MediaDevice.h"

std::optional<MediaKey> MediaKeyOfAppCommand(int appCommand) {
    switch (appCommand) {
        case kAppCommandMediaPlayPause:
            return MediaKey::PlayPause;
        case kAppCommandMediaPlay:
            return MediaKey::Play;
        case kAppCommandMediaPause:
            return MediaKey::Pause;
        case kAppCommandMediaStop:
            return MediaKey::Stop;
        case kAppCommandMediaNextTrack:
            return MediaKey::NextTrack;
        case kAppCommandMediaPreviousTrack:
            return MediaKey::PreviousTrack;
        default:
            return std::nullopt;
    }
}

std::optional<MediaKey> MediaKeyOfHotKey(int hotKeyId) {
    const int index = hotKeyId - kMediaHotKeyFirstId;
    if (index < 0 || index >= kMediaHotKeyCount) {
        return std::nullopt;
    }
    switch (kMediaHotKeys[index]) {
        case kVirtualKeyMediaPlayPause:
            return MediaKey::PlayPause;
        case kVirtualKeyMediaStop:
            return MediaKey::Stop;
        case kVirtualKeyMediaNextTrack:
            return MediaKey::NextTrack;
        default:
            return MediaKey::PreviousTrack;
    }
}

std::optional<PlayerAction> MediaKeyAction(MediaKey key, std::int32_t playState) {
    const bool sounding = playState == kModePlay;
    const bool paused = playState == kModePause;
    switch (key) {
        case MediaKey::PlayPause:
            return sounding || paused ? PlayerAction::PauseResume : PlayerAction::Play;
        case MediaKey::Play:
            if (paused) {
                return PlayerAction::PauseResume;
            }
            return sounding ? std::nullopt : std::optional<PlayerAction>(PlayerAction::Play);
        case MediaKey::Pause:
            return sounding ? std::optional<PlayerAction>(PlayerAction::PauseResume) : std::nullopt;
        case MediaKey::Stop:
            return PlayerAction::Stop;
        case MediaKey::NextTrack:
            return PlayerAction::Next;
        case MediaKey::PreviousTrack:
            return PlayerAction::Previous;
    }
    return std::nullopt;
}
