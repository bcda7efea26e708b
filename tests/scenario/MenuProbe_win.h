// The probe that the scenario driver loads into the player with a WH_CALLWNDPROC hook: it
// answers what only the player's own thread can see (its system menu, its keyboard focus, its
// window pixels) and does what only that thread can do (keys with Shift held, dropped files).
// Requests and answers pass through one named file mapping; the driver writes a request and
// sends the player's main window the registered message kProbeMessageName.
#pragma once

#include <cstdint>

constexpr char kProbeMessageName[] = "MelodrixScenarioProbe";
constexpr char kProbeMappingName[] = "MelodrixScenarioProbeBlock";
constexpr char kProbeHookExport[] = "ProbeHook";
constexpr std::uint32_t kProbePayloadBytes = 1u << 20;

enum class ProbeRequest : std::int32_t {
    kNone = 0,
    kMenuItem = 1,   // argument: menu command id; answers state (GetMenuState) and text
    kFocus = 2,      // answers the focused window and its control id
    kKey = 3,        // target: control window; argument: virtual key; argument2: Shift held
    kDropFiles = 4,  // payload: NUL-separated paths ending with an empty one
    kCapture = 5,    // the window's pixels as 32-bit rows top down into the payload
    kMenuItemCount = 6,
    kSendText = 7,  // target: window; argument: message; argument2: wParam; lParam: text
};

struct ProbeBlock {
    ProbeRequest request;
    std::int32_t argument;
    std::int32_t argument2;
    std::uint32_t target;  // a window handle of the player
    std::int32_t status;   // 1 done, 0 failed, -1 not seen by the probe
    std::int32_t value;
    std::int32_t value2;
    std::int32_t width;
    std::int32_t height;
    char text[512];
    std::uint32_t payloadBytes;
    unsigned char payload[kProbePayloadBytes];
};
