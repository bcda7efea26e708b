// The WRD player's command table: waiting for the music, text placement and colours, drawing on
// the graphics pages, palettes and MAG images. Malformed commands do nothing.
#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "app/containers/PathHelpers.h"
#include "wrd/MagDecoder.h"
#include "wrd/WrdArguments.h"
#include "wrd/WrdPlayer.h"

namespace {

constexpr char kEsc = 0x1B;

int ClampToInt(std::int64_t value) {
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// A 4-bit colour component as an 8-bit one: 0 stays dark, 1-15 reach up to full brightness.
std::uint8_t Component(std::uint32_t nibble) {
    return static_cast<std::uint8_t>(nibble == 0 ? 0 : nibble * 16 + 15);
}

}  // namespace

bool WrdPlayer::RunCommand(const std::string& text) {
    WrdCommand command;
    if (!ParseWrdCommand(text, command)) {
        return false;
    }
    std::int32_t values[2] = {0, 0};
    const std::string& arguments = command.arguments;
    if (IsCommand(command, "WAIT")) {
        return Wait(command);
    } else if (IsCommand(command, "REST")) {
        return Rest(command);
    } else if (IsCommand(command, "WMODE")) {
        WaitMode(command);
    } else if (IsCommand(command, "OFFSET")) {
        if (ReadDecimals(arguments, values, 1) == 1) {
            measureOffset_ = values[0];
        }
    } else if (IsCommand(command, "LOCATE")) {
        Locate(command);
    } else if (IsCommand(command, "TON")) {
        if (ReadDecimals(arguments, values, 1) == 1) {
            screen_.SetTextVisible(values[0] != 0);
            screen_.Invalidate();
        }
    } else if (IsCommand(command, "COLOR")) {
        WriteEscape("[" + arguments + "m");
    } else if (IsCommand(command, "GCLS")) {
        ReadDecimals(arguments, values, 1);
        screen_.ClearPlanes(values[0]);
    } else if (IsCommand(command, "GSCREEN")) {
        if (ReadDecimals(arguments, values, 2) == 2) {
            screen_.SelectPages(values[0], values[1]);
            screen_.Invalidate();
        }
    } else if (IsCommand(command, "GON")) {
        if (ReadDecimals(arguments, values, 1) == 1) {
            screen_.SetGraphicsVisible(values[0] != 0);
        }
    } else if (IsCommand(command, "TCLS")) {
        TextClear(command);
    } else if (IsCommand(command, "GLINE")) {
        GraphicsLine(command);
    } else if (IsCommand(command, "PAL")) {
        SetPaletteColours(command);
    } else if (IsCommand(command, "ESC")) {
        WriteEscape("[" + arguments);
    } else if (IsCommand(command, "MAG")) {
        LoadImage(command);
    } else if (IsCommand(command, "GMOVE")) {
        MoveGraphics(command);
    } else if (IsCommand(command, "FADE")) {
        Fade(command);
    }
    // PLOAD, PALCHG, EXEC, END, LOOP, STOP and unknown names do nothing.
    return false;
}

void WrdPlayer::WriteEscape(const std::string& body) {
    const std::string sequence = kEsc + body;
    console_.PutBytes(reinterpret_cast<const std::uint8_t*>(sequence.data()), sequence.size());
}

void WrdPlayer::WaitMode(const WrdCommand& command) {
    std::int32_t values[2] = {0, 0};
    const int count = ReadDecimals(command.arguments, values, 2);
    stepMode_ = count >= 1 ? values[0] : 0;
    if (count >= 2) {
        charMode_ = values[1];
    }
}

// Waits for the start of a measure counted from 1 (shifted by OFFSET); never moves backwards.
bool WrdPlayer::Wait(const WrdCommand& command) {
    std::int32_t measure = 0;
    if (ReadDecimals(command.arguments, &measure, 1) != 1) {
        return false;
    }
    const std::uint32_t tick = MeasureStart(std::int64_t{measure} + measureOffset_ - 1);
    if (tick > nextTick_) {
        nextTick_ = tick;
    }
    return true;
}

// The next step is due at the start of the measure n measures after the one holding it.
bool WrdPlayer::Rest(const WrdCommand& command) {
    std::int32_t count = 0;
    if (ReadDecimals(command.arguments, &count, 1) != 1) {
        return false;
    }
    const MeasurePosition at = MeasureAt(nextTick_);
    nextTick_ = MeasureStart(std::int64_t{at.measure} + count);
    return true;
}

void WrdPlayer::Locate(const WrdCommand& command) {
    std::int32_t values[2] = {0, 0};
    if (ReadDecimals(command.arguments, values, 2) == 2) {
        char sequence[40];
        std::snprintf(sequence, sizeof sequence, "[%d;%dH", static_cast<int>(values[0]), static_cast<int>(values[1]));
        WriteEscape(sequence);
    } else {
        WriteEscape("[" + command.arguments + "H");
    }
}

// Missing trailing values take the whole screen in blanks.
void WrdPlayer::TextClear(const WrdCommand& command) {
    std::int32_t values[6] = {1, 1, kTextColumns, kTextRows, 0, kBlankChar};
    ReadDecimals(command.arguments, values, 6);
    values[0] = std::max<std::int32_t>(values[0], 1);
    console_.FillTextRect(values[0], values[1], values[2], values[3], values[4], values[5]);
}

// Mode 0 a line, 1 a box, 2 a box filled inside its outline.
void WrdPlayer::GraphicsLine(const WrdCommand& command) {
    std::int32_t v[7] = {};
    if (ReadDecimals(command.arguments, v, 7) != 7) {
        return;
    }
    const int x1 = v[0], y1 = v[1], x2 = v[2], y2 = v[3], colour = v[4], mode = v[5], fill = v[6];
    if (mode == 0) {
        screen_.Line(x1, y1, x2, y2, colour);
    } else if (mode == 1 || mode == 2) {
        screen_.Box(x1, y1, x2, y2, colour);
        // The inside is taken from the ordered corners, so a box given from right to left is not
        // filled over its own outline.
        const std::int64_t left = std::min(x1, x2), right = std::max(x1, x2);
        const std::int64_t top = std::min(y1, y2), bottom = std::max(y1, y2);
        if (mode == 2 && right - left > 1 && bottom - top > 1) {
            screen_.FillBox(ClampToInt(left + 1), ClampToInt(top + 1), ClampToInt(right - 1), ClampToInt(bottom - 1),
                            fill);
        }
    }
    screen_.RefreshPixelRect(x1, y1, x2, y2);
}

// "#slot," then sixteen colours 0xRGB; without "#" the colours go to the current palette.
void WrdPlayer::SetPaletteColours(const WrdCommand& command) {
    const std::vector<std::string> fields = SplitFields(command.arguments);
    std::size_t first = 0;
    std::int32_t slot = 0;
    if (!fields.empty() && !fields[0].empty() && fields[0][0] == '#') {
        if (!ParseDecimal(fields[0].substr(1), slot)) {
            return;
        }
        first = 1;
    }
    if (fields.size() < first + 16) {
        return;
    }
    Palette colours;
    for (std::size_t i = 0; i < 16; ++i) {
        std::uint32_t rgb = 0;
        if (!ParseHex(fields[first + i], rgb)) {
            return;
        }
        colours[i].red = Component((rgb >> 8) & 15);
        colours[i].green = Component((rgb >> 4) & 15);
        colours[i].blue = Component(rgb & 15);
    }
    // Slots outside 0-19 do not exist; the model ignores them.
    screen_.SetPalette(slot, colours);
    if (slot == 0) {
        screen_.Invalidate();
    }
}

// The image is always taken from the script's folder, whatever folder the argument names.
void WrdPlayer::LoadImage(const WrdCommand& command) {
    const std::vector<std::string> fields = SplitFields(command.arguments);
    if (fields.empty() || fields[0].empty()) {
        return;
    }
    char folder[kMaxPathBytes];
    char name[kMaxPathBytes];
    if (!DirectoryOf(folder, scriptPath_.c_str()) || !FileNameOf(name, fields[0].c_str()) || name[0] == '\0') {
        return;
    }
    const std::string path = std::string(folder) + name;
    if (path.size() >= kMaxPathBytes) {
        return;
    }
    std::int32_t values[4] = {-1, -1, 1, kMagUseImagePalette};
    for (std::size_t i = 1; i < fields.size() && i <= 4; ++i) {
        std::int32_t value = 0;
        if (ParseDecimal(fields[i], value)) {
            values[i - 1] = value;
        }
    }
    LoadMag(path.c_str(), values[0], values[1], values[2], values[3], screen_);
}

void WrdPlayer::MoveGraphics(const WrdCommand& command) {
    std::int32_t v[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (ReadDecimals(command.arguments, v, 9) < 6) {
        return;
    }
    screen_.MovePageRect(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8] != 0);
    screen_.RefreshPixelRect(v[4], v[5], ClampToInt(std::int64_t{v[4]} + v[2] - v[0]),
                             ClampToInt(std::int64_t{v[5]} + v[3] - v[1]));
}

// Switches to the target palette at once; there is no gradual fade.
void WrdPlayer::Fade(const WrdCommand& command) {
    std::int32_t values[3] = {0, 0, 0};
    if (ReadDecimals(command.arguments, values, 3) < 2) {
        return;
    }
    screen_.UsePaletteSlot(values[1]);
    screen_.Invalidate();
}
