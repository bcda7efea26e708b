// The in-memory model of the emulated PC-98 screen: an 80 x 25 text plane over two 640 x 400
// 16-colour graphics pages and a table of palettes. A window reads it and paints; it never paints.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kTextColumns = 80;
constexpr int kTextRows = 25;
constexpr int kTextCells = kTextColumns * kTextRows;
constexpr int kPageWidth = 640;
constexpr int kPageHeight = 400;
constexpr int kPageRowBytes = kPageWidth / 2;
constexpr int kPageUnits = kPageWidth / 4;  // 16-bit units of four pixels per row
constexpr std::size_t kDibHeaderBytes = 40;
constexpr std::size_t kDibColourTableBytes = 16 * 4;
constexpr std::size_t kPagePixelOffset = kDibHeaderBytes + kDibColourTableBytes;
constexpr std::size_t kPageBytes = kPagePixelOffset + kPageRowBytes * kPageHeight;  // 128104
constexpr int kPaletteSlots = 20;
constexpr int kMagPaletteSlot = 17;      // palette of the latest MAG image
constexpr int kMagPagePaletteSlot = 18;  // plus the page the image went to
constexpr std::uint8_t kBlankChar = 0x20;
constexpr std::uint8_t kDefaultAttribute = 7;

enum CellKind : std::uint8_t { kSingleByte = 0, kLeadByte = 1, kTrailByte = 2 };

// One colour-table entry in the byte order of a DIB colour table.
struct PaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};
using Palette = std::array<PaletteEntry, 16>;

// The text plane; cells are addressed by row * 80 + column.
struct TextPlane {
    std::array<std::uint8_t, kTextCells> cellChars{};  // Shift-JIS bytes
    std::array<std::uint8_t, kTextCells> cellAttrs{};  // bits 0-2 colour, bit 3 reverse, 4-7 last plain code
    std::array<std::uint8_t, kTextCells> cellKinds{};  // CellKind
    std::int32_t cursorPos = 0;
    std::uint8_t attribute = kDefaultAttribute;
    std::uint8_t savedAttribute = kDefaultAttribute;
    std::int32_t savedCursorPos = 0;
};

// A block of cells, column/row of its top-left corner and its size.
struct CellRect {
    int column = 0;
    int row = 0;
    int columns = 0;
    int rows = 0;
    bool IsEmpty() const { return columns <= 0 || rows <= 0; }
};

// What the window implements to follow the model. Calls arrive on the thread that changes the model.
class ScreenObserver {
public:
    virtual ~ScreenObserver() = default;
    // The block must be recomposed and presented; only sent while drawing is enabled.
    virtual void OnCellsChanged(const CellRect& cells) = 0;
    // The whole window must be repainted at once.
    virtual void OnInvalidate() = 0;
    // Palette slot 0 changed: palette-based displays rebuild their logical palette.
    virtual void OnCurrentPaletteChanged() = 0;
};

// The RGB of a text colour index 0-7 (fixed, not taken from any palette).
PaletteEntry TextColour(int colourIndex);
// The palette every graphics reset makes current.
const Palette& DefaultPalette();

class ScreenModel {
public:
    ScreenModel();
    ScreenModel(const ScreenModel&) = delete;
    ScreenModel& operator=(const ScreenModel&) = delete;

    // The observer is not owned; nullptr detaches it.
    void SetObserver(ScreenObserver* observer) { observer_ = observer; }

    void ResetText();
    void ResetGraphics();

    TextPlane& Text() { return text_; }
    const TextPlane& Text() const { return text_; }
    // Makes a cell (0x20, attribute 7, single byte); nothing is refreshed.
    void BlankCell(int index);

    bool TextVisible() const { return textVisible_; }
    bool GraphicsVisible() const { return graphicsVisible_; }
    bool DrawingEnabled() const { return drawingEnabled_; }
    void SetTextVisible(bool on);
    void SetGraphicsVisible(bool on);
    void SetDrawingEnabled(bool on);

    int ActivePage() const { return activePage_; }
    int DisplayPage() const { return displayPage_; }
    // A value outside 0..1 leaves that page unchanged.
    void SelectPages(int active, int display);
    // The whole device-independent bitmap of a page (header, colour table, bottom-up pixels).
    const std::uint8_t* PageImage(int page) const { return pages_[page & 1].data(); }
    // The palette index of a pixel of a page; 0 outside the page.
    int PixelAt(int page, int x, int y) const;

    const Palette& PaletteSlot(int slot) const { return palettes_[slot]; }
    // Slots outside 0..19 are ignored.
    void SetPalette(int slot, const Palette& colours);
    void UsePaletteSlot(int slot);

    void ClearPlanes(int mask);
    void PutPixel(int x, int y, int colour);
    void Line(int x1, int y1, int x2, int y2, int colour);
    void Box(int x1, int y1, int x2, int y2, int colour);
    void FillBox(int x1, int y1, int x2, int y2, int colour);
    void
    MovePageRect(int x1, int y1, int x2, int y2, int destX, int destY, int sourcePage, int destPage, bool exchange);
    std::uint16_t GetUnit(int u, int y) const;
    void SetUnit(int u, int y, std::uint16_t value);

    void RefreshCells(int column, int row, int columns, int rows);
    void RefreshRange(int first, int count);
    void RefreshCell(int index);
    void RefreshAll() { RefreshCells(0, 0, kTextColumns, kTextRows); }
    void RefreshPixelRect(int x1, int y1, int x2, int y2);
    void Invalidate();

    // Everything refreshed since the last TakeDirty, as one enclosing block (empty when nothing).
    CellRect TakeDirty();

private:
    std::uint8_t* PixelRow(int page, int y) {
        return pages_[page].data() + kPagePixelOffset + (399 - y) * kPageRowBytes;
    }
    const std::uint8_t* PixelRow(int page, int y) const {
        return pages_[page].data() + kPagePixelOffset + (399 - y) * kPageRowBytes;
    }
    void MarkDirty(const CellRect& cells);
    void LineMajor(int fromA, int fromB, int toA, int toB, bool xMajor, int colour);

    TextPlane text_;
    std::array<std::vector<std::uint8_t>, 2> pages_;
    std::array<Palette, kPaletteSlots> palettes_{};
    int activePage_ = 0;
    int displayPage_ = 0;
    bool textVisible_ = true;
    bool graphicsVisible_ = true;
    bool drawingEnabled_ = true;
    CellRect dirty_;
    ScreenObserver* observer_ = nullptr;
};
