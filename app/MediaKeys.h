#pragma once
// The keyboard's media keys: what each one does to the player. They arrive as WM_APPCOMMAND
// while one of the player's windows has the focus, and as hot keys while another program has it.
#include <cstdint>
#include <optional>

#include "app/CommandTable.h"

enum class MediaKey { PlayPause, Play, Pause, Stop, NextTrack, PreviousTrack };

// Portable copies of the system's numbers (pinned in app/SystemMirrors_win.cpp).
constexpr int kAppCommandMediaNextTrack = 11;
constexpr int kAppCommandMediaPreviousTrack = 12;
constexpr int kAppCommandMediaStop = 13;
constexpr int kAppCommandMediaPlayPause = 14;
constexpr int kAppCommandMediaPlay = 46;
constexpr int kAppCommandMediaPause = 47;
constexpr int kVirtualKeyMediaNextTrack = 0xB0;
constexpr int kVirtualKeyMediaPreviousTrack = 0xB1;
constexpr int kVirtualKeyMediaStop = 0xB2;
constexpr int kVirtualKeyMediaPlayPause = 0xB3;

// The hot keys the player asks for, in hot-key id order (id = kMediaHotKeyFirstId + index).
constexpr int kMediaHotKeyFirstId = 0x4D58;  // "MX": clear of the ids other programs pick first
constexpr int kMediaHotKeys[] = {kVirtualKeyMediaPlayPause, kVirtualKeyMediaStop, kVirtualKeyMediaNextTrack,
                                 kVirtualKeyMediaPreviousTrack};
constexpr int kMediaHotKeyCount = sizeof kMediaHotKeys / sizeof kMediaHotKeys[0];

std::optional<MediaKey> MediaKeyOfAppCommand(int appCommand);
// The key of a hot-key id the player registered, none for any other id.
std::optional<MediaKey> MediaKeyOfHotKey(int hotKeyId);

// The panel action a media key stands for in the current play state (a device mode such as
// kModePlay): play/pause pauses or resumes a sounding or paused song and starts any other;
// play and pause act only where they change something.
std::optional<PlayerAction> MediaKeyAction(MediaKey key, std::int32_t playState);
