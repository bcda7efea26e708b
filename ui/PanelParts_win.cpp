// Painting of the display's parts: text fitting, state and kind labels, the counter.
#include "ui/PanelParts_win.h"

#include <algorithm>
#include <cstring>

#include "app/Settings.h"
#include "app/containers/DeviceContext_win.h"
#include "app/containers/ShiftJis.h"
#include "play/PlayMode.h"
#include "support/MxLib.h"
#include "ui/PanelSkin_win.h"

static_assert(sizeof(LOGFONTA) == sizeof(LogFontRecord), "the font setting is a logical-font record");

void PanelPart::SetArea(const PanelRect& area) {
    rect = area;
    Redraw();
}

void PanelPart::Redraw() {
    HWND window = owner.ParentWindow();
    // Before the main window is first shown (the panel is laid out during its creation) there
    // is nothing to see: its first WM_PAINT draws every part, so drawing earlier only costs
    // start-up time.
    if (rect.IsEmpty() || !window || !IsWindowVisible(window)) {
        return;
    }
    if (const WindowDc dc(window); dc) {
        Draw(dc.Get());
    }
}

namespace {

// The height the selected font's text needs: its cell, or more where an underscore reaches
// below the cell (some faces place it there at small sizes).
std::int32_t InkHeight(HDC dc, bool hasLowGlyph) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    std::int32_t depth = metrics.tmDescent;
    if (hasLowGlyph) {
        GLYPHMETRICS glyph = {};
        const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        if (GetGlyphOutlineA(dc, '_', GGO_METRICS, &glyph, 0, nullptr, &identity) != GDI_ERROR) {
            const std::int32_t bottom = glyph.gmptGlyphOrigin.y - static_cast<std::int32_t>(glyph.gmBlackBoxY);
            depth = std::max(depth, -bottom);
        }
    }
    return metrics.tmAscent + depth;
}

}  // namespace

void TextPart::Draw(HDC dc) {
    char text[512] = "";
    char face[32] = "";
    if (PlayMode* mode = owner.CurrentMode()) {
        GetText(*mode, text, sizeof text);
        mode->GetFontName(face, sizeof face);
    }
    LOGFONTA font;
    std::memcpy(&font, &gSettings.player.Font, sizeof font);
    // A stored face without its terminator must not run past the record.
    font.lfFaceName[sizeof font.lfFaceName - 1] = '\0';
    // The stored default asks for the Western character set, which turns every Shift-JIS title
    // into mojibake; the system's own character set shows them as written.
    if (font.lfCharSet == ANSI_CHARSET) {
        font.lfCharSet = DEFAULT_CHARSET;
    }
    if (face[0] != '\0') {
        // A list's own face with the default character set, everything else left to the system.
        std::memset(&font, 0, sizeof font);
        std::memcpy(font.lfFaceName, face, sizeof font.lfFaceName);
        font.lfFaceName[sizeof font.lfFaceName - 1] = '\0';
        font.lfCharSet = DEFAULT_CHARSET;
    }
    SetBkColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(0, 255, 255));

    const int length = static_cast<int>(std::strlen(text));
    UniqueGdiObject selected;  // outlives the guard, which selects the original font back first
    const ScopedSelectObject restoreFont(dc, GetCurrentObject(dc, OBJ_FONT));
    const bool hasLowGlyph = std::memchr(text, '_', length) != nullptr;
    const TextFit fit = FitPanelText(rect.right - rect.left, rect.bottom - rect.top, [&](std::int32_t height) {
        font.lfHeight = height;
        UniqueGdiObject candidate(CreateFontIndirectA(&font));
        SelectObject(dc, candidate.Get());
        selected = std::move(candidate);  // the font selected before is no longer in use
        SIZE size = {};
        GetTextExtentPoint32A(dc, text, length, &size);
        return TextExtent{static_cast<std::int32_t>(size.cx), InkHeight(dc, hasLowGlyph)};
    });
    RECT area = {rect.left, rect.top, rect.right, rect.bottom};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (fit.wrap) {
        DrawTextA(dc, text, length, &area, DT_WORDBREAK | DT_NOPREFIX);
        return;
    }
    // Centred by the ink rather than by the font's cell, so that nothing below the baseline
    // is cut off; no prefix processing, so "&" and "_" show as typed.
    area.top += std::max<LONG>(0, (area.bottom - area.top - fit.inkHeight) / 2);
    DrawTextA(dc, text, length, &area, DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
}

void ListTitlePart::GetText(PlayMode& mode, char* text, std::size_t capacity) {
    mode.GetListTitle(text, capacity);
}

void SongTitlePart::GetText(PlayMode& mode, char* text, std::size_t capacity) {
    mode.GetTitle(text, capacity);
}

void CommentPart::GetText(PlayMode& mode, char* text, std::size_t capacity) {
    if (!notice.empty()) {
        CopyShiftJis(text, capacity, notice.c_str());
        return;
    }
    mode.GetComment(text, capacity);
}

void PlayStatePart::Draw(HDC dc) {
    PlayMode* mode = owner.CurrentMode();
    const SkinCell cell = mode ? PlayStateCell(mode->GetState(), mode->GetSongPosition()) : PlayStateCell(0, 0);
    DrawBitmapEx(dc, AsBitmap(owner.Skin().playStates), rect.left, rect.top, 32, 12, cell.x, cell.y);
}

void DeviceKindPart::Draw(HDC dc) {
    PlayMode* mode = owner.CurrentMode();
    const SkinCell cell = DeviceKindCell(mode ? mode->GetDeviceType() : 0);
    DrawBitmapEx(dc, AsBitmap(owner.Skin().deviceKinds), rect.left, rect.top, 32, 12, cell.x, cell.y);
}

CounterPart::CounterPart(ControlOwner& owner) : PanelPart(owner), digits(LoadSkinBitmap(IDB_COUNTER_DIGITS)) {}

void CounterPart::Draw(HDC dc) {
    std::int32_t position = 0, length = -1, songMs = 0, songLengthMs = 0;
    if (PlayMode* mode = owner.CurrentMode()) {
        position = mode->GetCurrentPosition() + 1;
        length = mode->GetQueueLength();
        songMs = mode->GetSongPosition();
        songLengthMs = mode->GetSongLength();
    }
    for (const CounterGlyph& glyph : CounterGlyphs(position, length, songMs, songLengthMs)) {
        DrawBitmapEx(dc, AsBitmap(digits), rect.left + glyph.offset, rect.top + kCounterGlyphTop, kCounterGlyphWidth,
                     kCounterGlyphHeight, kCounterGlyphWidth * glyph.glyph, 0);
    }
}
