// The player panel's geometry and arithmetic without any drawing: where every control and part
// sits in both forms, the keyboard focus walk, the counter's glyphs, the slider and seek-bar
// mappings, the text fitting decision and the caption.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/PanelNumbers.h"

// The display's parts that are not windows.
enum PanelPartIndex { kListTitlePart, kSongTitlePart, kCommentPart, kPlayStatePart, kDeviceKindPart, kPartCount };

struct PanelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const PanelRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool IsEmpty() const { return left >= right || top >= bottom; }
};

// Where a control window goes; repaint is false only for the buttons the flat form hides.
struct ControlPlace {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool repaint = true;
    PanelRect Rect() const { return {x, y, x + width, y + height}; }
};

struct PanelLayout {
    std::array<ControlPlace, kPanelControlCount> controls{};  // by control id
    std::array<PanelRect, kPartCount> parts{};
    PanelRect counter;
    // frames[0] is the black display; the others are button groups framed by a groove.
    std::array<PanelRect, 9> frames{};
    int frameCount = 0;
};

// Places everything for a client area of width x height in the given form. A client area too
// small for the stated geometry gives sizes of 0, never negative ones.
PanelLayout ComputePanelLayout(int form, std::int32_t width, std::int32_t height);

// Keyboard focus: the next control from controlId in direction -1 or +1 through the form's tab
// order, wrapping, skipping controls for which isEnabled is false. Answers controlId itself
// when no other control is enabled, and -1 when controlId is not in the form's order.
int NextFocusControl(int form, int controlId, int direction, const std::function<bool(int)>& isEnabled);

// One 5 x 9 glyph of the counter: x offset from the counter's left edge and the glyph number
// (digits 0 ... 9, then "/", ":", "[", "]").
struct CounterGlyph {
    std::int32_t offset;
    std::int32_t glyph;
};
constexpr int kCounterGlyphCount = 19;
constexpr std::int32_t kCounterGlyphWidth = 5;
constexpr std::int32_t kCounterGlyphHeight = 9;
constexpr std::int32_t kCounterGlyphTop = 2;

// The counter for a 1-based queue position, the queue length and the song's position and length
// in milliseconds. Negative values (no queue, nothing open) show as zeros.
std::array<CounterGlyph, kCounterGlyphCount> CounterGlyphs(std::int32_t position,
                                                           std::int32_t length,
                                                           std::int32_t songMs,
                                                           std::int32_t songLengthMs);

// The volume slider: the value for a pointer at y in a client area from top to bottom, or
// nothing when the slider is too small to have a track.
std::optional<std::uint32_t> VolumeFromPointer(std::int32_t top, std::int32_t bottom, std::int32_t y);
// Shift+up (+1) or Shift+down (-1): one step of 4096, kept within 0 ... 65535.
std::uint32_t VolumeAfterKey(std::uint32_t volume, int direction);
// The top of the cyan level bar inside the slider's inner rectangle.
std::int32_t VolumeLevelY(std::int32_t innerTop, std::int32_t innerBottom, std::uint32_t volume);

// The balance slider: the value for a pointer at x, or nothing when there is no track.
std::optional<std::int32_t> BalanceFromPointer(std::int32_t left, std::int32_t right, std::int32_t x);
// Shift+left (-1) or Shift+right (+1): one step of 10, kept within -100 ... 100.
std::int32_t BalanceAfterKey(std::int32_t balance, int direction);
// The left edge of the 3-pixel knob inside the inner rectangle.
std::int32_t BalanceKnobX(std::int32_t innerLeft, std::int32_t innerRight, std::int32_t balance);

// The seek bar's track is its client width less 3 pixels on each side.
std::int32_t SeekTrackWidth(std::int32_t clientWidth);
// The drawn length of the played part for a song position.
std::int32_t SeekKnobForPosition(std::int32_t trackWidth, std::int32_t positionMs, std::int32_t lengthMs);
// The drawn length while dragging, for a pointer at client x: within 0 ... trackWidth - 1.
std::int32_t SeekKnobForPointer(std::int32_t trackWidth, std::int32_t x);
// The song position a drag released at knob asks for: length x knob / trackWidth; 0 when the
// track has no width.
std::int32_t SeekTargetMs(std::int32_t lengthMs, std::int32_t knob, std::int32_t trackWidth);

// The play-order switch steps through 0 ... 3 and wraps both ways.
std::int32_t NextPlayOrder(std::int32_t order);
std::int32_t PreviousPlayOrder(std::int32_t order);

// Text fitting: the font height for a text in an area, and whether it is drawn word-wrapped.
// measure answers the text's width at a font height and the height its ink needs: a font may
// come out taller than asked, and a low glyph such as "_" may reach below the font's cell;
// either would be cut off at the area's edge. The height shrinks from the area's height one
// pixel at a time until the text fits on one line, width and ink, or the height reaches half
// the area's height, where the text wraps instead.
struct TextExtent {
    std::int32_t width;
    std::int32_t inkHeight;
};
struct TextFit {
    std::int32_t height;
    bool wrap;
    std::int32_t inkHeight;  // of the chosen height, for centring the line
};
TextFit FitPanelText(std::int32_t areaWidth,
                     std::int32_t areaHeight,
                     const std::function<TextExtent(std::int32_t height)>& measure);

// The main window's caption: "[mm:ss] title" while a title is known, else "Melodrix". At most
// kCaptionBytes - 1 bytes, never cut inside a double-byte character.
constexpr std::size_t kCaptionBytes = 544;
std::string PanelCaption(std::int32_t positionMs, const char* title);

// Cells of the skin bitmaps (source positions in pixels).
struct SkinCell {
    std::int32_t x;
    std::int32_t y;
    bool operator==(const SkinCell& other) const { return x == other.x && y == other.y; }
};
// The play-state label for a playback state (an MCI mode) and the song position.
SkinCell PlayStateCell(std::int32_t state, std::int32_t positionMs);
// The device-kind label for an MCI device type (0 or unknown: the blank cell).
SkinCell DeviceKindCell(std::int32_t deviceType);

// Item state bits of an owner-drawn button, as the system reports them (ODS_SELECTED,
// ODS_DISABLED, ODS_FOCUS).
constexpr std::uint32_t kItemSelected = 0x1;
constexpr std::uint32_t kItemDisabled = 0x4;
constexpr std::uint32_t kItemFocus = 0x10;
// A push button's face: pressed while held, and for the mode buttons while their mode is the
// current one (they are then disabled and nothing else).
bool PanelButtonShowsPressed(int controlId, std::uint32_t itemState);
// The glyph column: normal, focused or disabled.
std::int32_t PanelButtonGlyphColumn(std::uint32_t itemState);
// The face of the text and WRD toggles: normal, lit while their window shows, or disabled.
std::int32_t ToggleFaceColumn(std::uint32_t itemState, bool windowOpen);

// Which controls the play mode's panel flags enable, with the menu command that follows each
// (0 for none).
struct PanelFlagControl {
    int controlId;
    std::int32_t bit;
    int menuCommand;
};
extern const std::array<PanelFlagControl, 11> kPanelFlagControls;
// The text and WRD toggles are also enabled while their window shows.
bool TextToggleEnabled(std::int32_t flags, bool textOpen);
bool WrdToggleEnabled(std::int32_t flags, bool wrdOpen);
