// The emulated PC-98 screen's model: text cells, the two DIB pages, palettes, drawing primitives and
// the refresh notifications a window follows.
#include "wrd/ScreenModel.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr PaletteEntry Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return PaletteEntry{blue, green, red, 0};
}

void PutLittle16(std::uint8_t* out, std::uint16_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLittle32(std::uint8_t* out, std::uint32_t value) {
    PutLittle16(out, static_cast<std::uint16_t>(value));
    PutLittle16(out + 2, static_cast<std::uint16_t>(value >> 16));
}

// Rounds down to a multiple of 8, also for negative values.
std::int64_t FloorTo8(std::int64_t value) {
    return value >= 0 ? value & ~std::int64_t{7} : -((-value + 7) & ~std::int64_t{7});
}

}  // namespace

PaletteEntry TextColour(int colourIndex) {
    const int index = colourIndex & 7;
    return Rgb((index & 1) ? 255 : 0, (index & 2) ? 255 : 0, (index & 4) ? 255 : 0);
}

const Palette& DefaultPalette() {
    // Indices 0-7: bit 0 blue, bit 1 red, bit 2 green; 8-15 the dim shades.
    static const Palette kDefault = {
        Rgb(0, 0, 0),     Rgb(0, 0, 255),     Rgb(255, 0, 0),     Rgb(255, 0, 255),   Rgb(0, 255, 0), Rgb(0, 255, 255),
        Rgb(255, 255, 0), Rgb(255, 255, 255), Rgb(127, 127, 127), Rgb(0, 0, 175),     Rgb(175, 0, 0), Rgb(175, 0, 175),
        Rgb(0, 175, 0),   Rgb(0, 175, 175),   Rgb(175, 175, 0),   Rgb(175, 175, 175),
    };
    return kDefault;
}

ScreenModel::ScreenModel() {
    for (auto& page : pages_) {
        page.assign(kPageBytes, 0);
        std::uint8_t* header = page.data();
        PutLittle32(header, kDibHeaderBytes);
        PutLittle32(header + 4, kPageWidth);
        PutLittle32(header + 8, kPageHeight);  // positive: rows are stored bottom-up
        PutLittle16(header + 12, 1);
        PutLittle16(header + 14, 4);
    }
    ResetText();
    ResetGraphics();
}

void ScreenModel::ResetText() {
    text_.cursorPos = 0;
    text_.attribute = kDefaultAttribute;
    text_.savedCursorPos = 0;
    text_.savedAttribute = kDefaultAttribute;
    for (int i = 0; i < kTextCells; ++i) {
        BlankCell(i);
    }
    RefreshAll();
}

void ScreenModel::ResetGraphics() {
    for (auto& page : pages_) {
        std::fill(page.begin() + kPagePixelOffset, page.end(), 0);
    }
    SetPalette(0, DefaultPalette());
    activePage_ = 0;
    displayPage_ = 0;
    // The pixels under every cell changed, so the window must not keep showing the old picture.
    RefreshAll();
}

void ScreenModel::BlankCell(int index) {
    if (index < 0 || index >= kTextCells) {
        return;
    }
    text_.cellChars[index] = kBlankChar;
    text_.cellAttrs[index] = kDefaultAttribute;
    text_.cellKinds[index] = kSingleByte;
}

void ScreenModel::SetTextVisible(bool on) {
    if (on != textVisible_) {
        textVisible_ = on;
        RefreshAll();
    }
}

void ScreenModel::SetGraphicsVisible(bool on) {
    if (on != graphicsVisible_) {
        graphicsVisible_ = on;
        RefreshAll();
    }
}

void ScreenModel::SetDrawingEnabled(bool on) {
    const bool wasEnabled = drawingEnabled_;
    drawingEnabled_ = on;
    if (!wasEnabled && on) {
        RefreshAll();
    }
}

void ScreenModel::SelectPages(int active, int display) {
    if (active == 0 || active == 1) {
        activePage_ = active;
    }
    if ((display == 0 || display == 1) && display != displayPage_) {
        displayPage_ = display;
        Invalidate();
    }
}

int ScreenModel::PixelAt(int page, int x, int y) const {
    if (page < 0 || page > 1 || x < 0 || x >= kPageWidth || y < 0 || y >= kPageHeight) {
        return 0;
    }
    const std::uint8_t byte = PixelRow(page, y)[x / 2];
    return (x & 1) ? byte & 15 : byte >> 4;
}

void ScreenModel::SetPalette(int slot, const Palette& colours) {
    if (slot < 0 || slot >= kPaletteSlots) {
        return;
    }
    palettes_[slot] = colours;
    if (slot != 0) {
        return;
    }
    for (auto& page : pages_) {
        std::uint8_t* table = page.data() + kDibHeaderBytes;
        for (const PaletteEntry& entry : colours) {
            *table++ = entry.blue;
            *table++ = entry.green;
            *table++ = entry.red;
            *table++ = 0;
        }
    }
    if (observer_) {
        observer_->OnCurrentPaletteChanged();
    }
}

void ScreenModel::UsePaletteSlot(int slot) {
    if (slot >= 0 && slot < kPaletteSlots) {
        const Palette colours = palettes_[slot];
        SetPalette(0, colours);
    }
}

void ScreenModel::ClearPlanes(int mask) {
    std::uint8_t* pixels = pages_[activePage_].data() + kPagePixelOffset;
    const int nibble = mask & 15;
    if (nibble == 0 || nibble == 15) {
        std::memset(pixels, 0, kPageBytes - kPagePixelOffset);
        return;
    }
    const auto keep = static_cast<std::uint8_t>(~(nibble << 4 | nibble));
    for (std::size_t i = 0; i < kPageBytes - kPagePixelOffset; ++i) {
        pixels[i] &= keep;
    }
}

void ScreenModel::PutPixel(int x, int y, int colour) {
    if (x < 0 || x >= kPageWidth || y < 0 || y >= kPageHeight) {
        return;
    }
    std::uint8_t& byte = PixelRow(activePage_, y)[x / 2];
    const auto value = static_cast<std::uint8_t>(colour & 15);
    byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | value)
                   : static_cast<std::uint8_t>((byte & 0x0F) | value << 4);
}

void ScreenModel::Line(int x1, int y1, int x2, int y2, int colour) {
    const std::int64_t dx = std::abs(std::int64_t{x2} - x1);
    const std::int64_t dy = std::abs(std::int64_t{y2} - y1);
    if (dx > dy) {
        if (x1 <= x2) {
            LineMajor(x1, y1, x2, y2, true, colour);
        } else {
            LineMajor(x2, y2, x1, y1, true, colour);
        }
    } else if (y1 <= y2) {
        LineMajor(y1, x1, y2, x2, false, colour);
    } else {
        LineMajor(y2, x2, y1, x1, false, colour);
    }
}

// Steps the major coordinate a from fromA up to toA; b follows with the error term. Only the steps
// whose a lies on the page are walked: the state at the first of them is computed directly, so a
// line with far-away end points costs no more than one across the page.
void ScreenModel::LineMajor(int fromA, int fromB, int toA, int toB, bool xMajor, int colour) {
    const std::int64_t majorSize = xMajor ? kPageWidth : kPageHeight;
    const std::int64_t da = std::int64_t{toA} - fromA;
    const std::int64_t db = std::abs(std::int64_t{toB} - fromB);
    const int step = toB > fromB ? 1 : -1;
    const std::int64_t firstStep = std::max<std::int64_t>(0, -std::int64_t{fromA});
    const std::int64_t lastStep = std::min<std::int64_t>(da, majorSize - 1 - fromA);
    if (firstStep > lastStep) {
        return;
    }
    const std::int64_t start = da >> 1;
    // Number of minor steps taken after k major steps: the error went negative that many times.
    // Written without multiplying back, so end points at the far ends of int cannot overflow.
    const std::int64_t owed = firstStep * db - start;
    const std::int64_t minorSteps = owed > 0 ? owed / da + (owed % da != 0 ? 1 : 0) : 0;
    std::int64_t error = owed > 0 ? (da - owed % da) % da : -owed;
    std::int64_t b = fromB + step * minorSteps;
    for (std::int64_t k = firstStep;; ++k) {
        const std::int64_t a = fromA + k;
        if (b >= 0 && b < std::max(kPageWidth, kPageHeight)) {
            if (xMajor) {
                PutPixel(static_cast<int>(a), static_cast<int>(b), colour);
            } else {
                PutPixel(static_cast<int>(b), static_cast<int>(a), colour);
            }
        }
        if (k == lastStep) {
            break;
        }
        error -= db;
        if (error < 0) {
            error += da;
            b += step;
        }
    }
}

void ScreenModel::Box(int x1, int y1, int x2, int y2, int colour) {
    Line(x1, y1, x2, y1, colour);
    Line(x2, y1, x2, y2, colour);
    Line(x2, y2, x1, y2, colour);
    Line(x1, y2, x1, y1, colour);
}

void ScreenModel::FillBox(int x1, int y1, int x2, int y2, int colour) {
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), kPageWidth - 1);
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), kPageHeight - 1);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            PutPixel(x, y, colour);
        }
    }
}

// Moves whole 8-pixel groups. Parts of the block that would come from or land outside a page are
// left out, and a plain copy reads the whole block before writing so that a block moved onto
// itself on the same page arrives intact.
void ScreenModel::MovePageRect(int x1,
                               int y1,
                               int x2,
                               int y2,
                               int destX,
                               int destY,
                               int sourcePage,
                               int destPage,
                               bool exchange) {
    if (sourcePage < 0 || sourcePage > 1 || destPage < 0 || destPage > 1) {
        return;
    }
    const std::int64_t left = FloorTo8(std::min(x1, x2));
    const std::int64_t right = FloorTo8(std::max(x1, x2)) + 7;
    const std::int64_t top = std::min(y1, y2);
    const std::int64_t bottom = std::max(y1, y2);
    std::int64_t sourceByte = left / 2;
    std::int64_t destByte = FloorTo8(destX) / 2;
    std::int64_t count = (right - left + 1) / 2;
    const std::int64_t leftCut = std::max<std::int64_t>({0, -sourceByte, -destByte});
    sourceByte += leftCut;
    destByte += leftCut;
    count = std::min({count - leftCut, kPageRowBytes - sourceByte, kPageRowBytes - destByte});
    const std::int64_t rowShift = std::int64_t{destY} - top;
    const std::int64_t firstRow = std::max<std::int64_t>({top, 0, -rowShift});
    const std::int64_t lastRow = std::min<std::int64_t>({bottom, kPageHeight - 1, kPageHeight - 1 - rowShift});
    if (count <= 0 || firstRow > lastRow) {
        return;
    }
    const auto bytes = static_cast<std::size_t>(count);
    if (exchange) {
        for (std::int64_t y = firstRow; y <= lastRow; ++y) {
            std::uint8_t* source = PixelRow(sourcePage, static_cast<int>(y)) + sourceByte;
            std::uint8_t* dest = PixelRow(destPage, static_cast<int>(y + rowShift)) + destByte;
            for (std::size_t i = 0; i < bytes; ++i) {
                std::swap(source[i], dest[i]);
            }
        }
        return;
    }
    std::vector<std::uint8_t> block;
    block.reserve(bytes * static_cast<std::size_t>(lastRow - firstRow + 1));
    for (std::int64_t y = firstRow; y <= lastRow; ++y) {
        const std::uint8_t* source = PixelRow(sourcePage, static_cast<int>(y)) + sourceByte;
        block.insert(block.end(), source, source + bytes);
    }
    const std::uint8_t* next = block.data();
    for (std::int64_t y = firstRow; y <= lastRow; ++y, next += bytes) {
        std::memcpy(PixelRow(destPage, static_cast<int>(y + rowShift)) + destByte, next, bytes);
    }
}

std::uint16_t ScreenModel::GetUnit(int u, int y) const {
    u += u < 0 ? kPageUnits : (u >= kPageUnits ? -kPageUnits : 0);
    y += y < 0 ? kPageHeight : (y >= kPageHeight ? -kPageHeight : 0);
    if (u < 0 || u >= kPageUnits || y < 0 || y >= kPageHeight) {
        return 0;
    }
    const std::uint8_t* unit = PixelRow(activePage_, y) + 2 * u;
    return static_cast<std::uint16_t>(unit[0] | unit[1] << 8);
}

void ScreenModel::SetUnit(int u, int y, std::uint16_t value) {
    u += u < 0 ? kPageUnits : (u >= kPageUnits ? -kPageUnits : 0);
    y += y < 0 ? kPageHeight : (y >= kPageHeight ? -kPageHeight : 0);
    if (u < 0 || u >= kPageUnits || y < 0 || y >= kPageHeight) {
        return;
    }
    std::uint8_t* unit = PixelRow(activePage_, y) + 2 * u;
    unit[0] = static_cast<std::uint8_t>(value);
    unit[1] = static_cast<std::uint8_t>(value >> 8);
}

void ScreenModel::RefreshCells(int column, int row, int columns, int rows) {
    const int left = std::max(column, 0);
    const int top = std::max(row, 0);
    const int right = static_cast<int>(std::min<std::int64_t>(std::int64_t{column} + columns, kTextColumns));
    const int bottom = static_cast<int>(std::min<std::int64_t>(std::int64_t{row} + rows, kTextRows));
    const CellRect cells{left, top, right - left, bottom - top};
    if (cells.IsEmpty() || !drawingEnabled_) {
        return;
    }
    MarkDirty(cells);
    if (observer_) {
        observer_->OnCellsChanged(cells);
    }
}

void ScreenModel::RefreshRange(int first, int count) {
    if (count <= 0) {
        return;
    }
    const int firstRow = std::max(first, 0) / kTextColumns;
    const int lastRow = std::min(std::int64_t{first} + count - 1, std::int64_t{kTextCells - 1}) / kTextColumns;
    RefreshCells(0, firstRow, kTextColumns, lastRow - firstRow + 1);
}

void ScreenModel::RefreshCell(int index) {
    if (index < 0 || index >= kTextCells) {
        return;
    }
    int first = index;
    int count = 1;
    if (text_.cellKinds[index] == kTrailByte && index % kTextColumns > 0) {
        first = index - 1;
        count = 2;
    } else if (text_.cellKinds[index] == kLeadByte && index % kTextColumns < kTextColumns - 1) {
        count = 2;
    }
    RefreshCells(first % kTextColumns, first / kTextColumns, count, 1);
}

void ScreenModel::RefreshPixelRect(int x1, int y1, int x2, int y2) {
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), kPageWidth - 1);
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), kPageHeight - 1);
    if (left > right || top > bottom) {
        return;
    }
    RefreshCells(left / 8, top / 16, right / 8 - left / 8 + 1, bottom / 16 - top / 16 + 1);
}

void ScreenModel::Invalidate() {
    MarkDirty(CellRect{0, 0, kTextColumns, kTextRows});
    if (observer_) {
        observer_->OnInvalidate();
    }
}

CellRect ScreenModel::TakeDirty() {
    const CellRect taken = dirty_;
    dirty_ = CellRect{};
    return taken;
}

void ScreenModel::MarkDirty(const CellRect& cells) {
    if (dirty_.IsEmpty()) {
        dirty_ = cells;
        return;
    }
    const int left = std::min(dirty_.column, cells.column);
    const int top = std::min(dirty_.row, cells.row);
    const int right = std::max(dirty_.column + dirty_.columns, cells.column + cells.columns);
    const int bottom = std::max(dirty_.row + dirty_.rows, cells.row + cells.rows);
    dirty_ = CellRect{left, top, right - left, bottom - top};
}
