// The window messages that pass between the player's parts, as portable numbers: the play modes
// route them without the window system's headers. Each copy of a system number is pinned to
// the system's own definition in app/SystemMirrors_win.cpp.
#pragma once

#include <cstdint>

constexpr std::uint32_t kTimerMessage = 0x0113;      // WM_TIMER
constexpr std::uint32_t kUserMessageBase = 0x0400;   // WM_USER: the first private message
constexpr std::uint32_t kMciNotifyMessage = 0x03B9;  // MM_MCINOTIFY: the end of a song
constexpr std::uint32_t kNotifySuccessful = 1;       // MCI_NOTIFY_SUCCESSFUL, its wParam

// Sent to the owner window (both parameters 0) when the text viewer's window has been destroyed.
constexpr std::uint32_t WM_TEXTVIEWER_CLOSED = kUserMessageBase + 11;
// Sent to the owner window (both parameters 0) when the WRD screen's window has been destroyed.
constexpr std::uint32_t WM_WRDSCREEN_CLOSED = kUserMessageBase + 12;
// Posted by a play mode to itself through the main window: the next step of passing over songs
// that cannot be opened, so the window answers between the steps.
constexpr std::uint32_t kPassOverMessage = kUserMessageBase + 13;
