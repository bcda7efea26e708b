// Composition arithmetic of the emulated screen: cell pixels, text runs, presentation plan.
#include "wrd/ScreenComposer.h"

#include <algorithm>

namespace {

// The block limited to the 80 x 25 screen.
CellRect ClipToScreen(const CellRect& cells) {
    const int left = std::max(cells.column, 0);
    const int top = std::max(cells.row, 0);
    const int right = std::min(cells.column + std::max(cells.columns, 0), kTextColumns);
    const int bottom = std::min(cells.row + std::max(cells.rows, 0), kTextRows);
    return CellRect{left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

}  // namespace

PixelBox CellPixels(const CellRect& cells) {
    return PixelBox{cells.column * kCellWidth, cells.row * kCellHeight, cells.columns * kCellWidth,
                    cells.rows * kCellHeight};
}

int BottomUpSourceY(const CellRect& cells) {
    return kPageHeight - (cells.row + cells.rows) * kCellHeight;
}

std::vector<TextRun> TextRunsIn(const TextPlane& text, const CellRect& block) {
    std::vector<TextRun> runs;
    const CellRect cells = ClipToScreen(block);
    if (cells.IsEmpty()) {
        return runs;
    }
    const int end = cells.column + cells.columns;
    for (int row = cells.row; row < cells.row + cells.rows; ++row) {
        const int base = row * kTextColumns;
        int column = cells.column;
        while (column < end) {
            const std::uint8_t attribute = text.cellAttrs[base + column];
            int last = column;
            while (last + 1 < end && text.cellAttrs[base + last + 1] == attribute) {
                ++last;
            }
            TextRun run;
            run.row = row;
            run.column = column;
            run.length = last - column + 1;
            run.attribute = attribute;
            run.textColumn = column;
            run.textLength = run.length;
            // Widen only over a matching half, so an orphaned byte never pulls in its neighbour.
            if (text.cellKinds[base + column] == kTrailByte && column > 0 &&
                text.cellKinds[base + column - 1] == kLeadByte) {
                --run.textColumn;
                ++run.textLength;
            }
            if (text.cellKinds[base + last] == kLeadByte && last + 1 < kTextColumns &&
                text.cellKinds[base + last + 1] == kTrailByte) {
                ++run.textLength;
            }
            runs.push_back(run);
            column = last + 1;
        }
    }
    return runs;
}

std::string RunBytes(const TextPlane& text, const TextRun& run) {
    std::string bytes;
    const int base = run.row * kTextColumns;
    for (int column = run.textColumn; column < run.textColumn + run.textLength; ++column) {
        const std::uint8_t byte = text.cellChars[base + column];
        bytes.push_back(static_cast<char>(byte == 0 ? kBlankChar : byte));
    }
    return bytes;
}

Presentation PlanPresentation(const CellRect& cells, int clientWidth, int clientHeight) {
    Presentation plan;
    if (clientWidth == kPageWidth && clientHeight == kPageHeight) {
        plan.source = CellPixels(ClipToScreen(cells));
        plan.target = plan.source;
        return plan;
    }
    plan.stretch = true;
    plan.source = PixelBox{0, 0, kPageWidth, kPageHeight};
    plan.target = PixelBox{0, 0, clientWidth, clientHeight};
    return plan;
}
