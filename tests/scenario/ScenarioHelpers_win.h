// Tools of the player scenarios: the probe inside the player, window pixels, skin bitmaps from
// the player's resources, and test songs and play lists written at test time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/scenario/MenuProbe_win.h"

// 32-bit pixels (0x00RRGGBB), rows top down.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
    bool SaveBmp(const std::string& path) const;
};

// The probe hooked into the thread of a player window. The hook stays for the object's life.
class PlayerProbe {
public:
    explicit PlayerProbe(HWND playerWindow);
    ~PlayerProbe();
    PlayerProbe(const PlayerProbe&) = delete;
    PlayerProbe& operator=(const PlayerProbe&) = delete;

    bool Ready() const { return block != nullptr && hook != nullptr; }
    // GetMenuState of a system menu item, or nothing when the item does not exist.
    std::optional<UINT> MenuState(UINT id);
    std::string MenuText(UINT id);
    int MenuItemCount();
    // The control id of the window that has the keyboard focus in the player (-1: none).
    int FocusedControl();
    // A key sent to a control of the player, with Shift held or not.
    bool Key(HWND control, UINT key, bool shift = false);
    // Files dropped on the player's window; returns when the player has taken them in.
    bool Drop(const std::vector<std::string>& paths);
    // The text a message writes into its lParam buffer inside the player (LB_GETTEXT).
    std::string SendForText(HWND target, UINT message, WPARAM wParam);
    std::optional<Image> Capture();

private:
    bool Ask(ProbeRequest request);

    HWND window;
    HANDLE mapping = nullptr;
    ProbeBlock* block = nullptr;
    HMODULE library = nullptr;
    HHOOK hook = nullptr;
    UINT message = 0;
};

// The driver's own folder (with a trailing backslash), where MenuProbe.dll lies.
std::string DriverDirectory();
// A fresh, empty folder for one scenario's files.
std::string MakeScratchFolder(const char* name);
// A 16-bit mono 22050 Hz sine tone.
bool WriteSineWave(const std::string& path, double seconds, double frequency);
struct ListSong {
    std::string path;
    std::string title;
};
bool WritePlayList(const std::string& path, const std::string& title, const std::vector<ListSong>& songs);
// A bitmap resource of an executable, as 32-bit pixels.
std::optional<Image> LoadBitmapResource(const std::string& module, int id);
// The part of an image at (x, y) of the given size.
Image Crop(const Image& image, int x, int y, int width, int height);
// The overall limit of a wait for a window's state, a caption or a picture. It is a safety net
// against a hang, not a judgement of speed: a condition that holds is seen within one poll, and
// a loaded machine may take seconds to deliver a repaint or a focus change through the X server.
constexpr DWORD kSafetyMs = 15000;
// Runs until the condition holds or the time is up; answers the condition's last value.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = kSafetyMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}
