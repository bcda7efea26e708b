// A screen observer for the tests that records every notification.
#pragma once

#include <vector>

#include "wrd/ScreenModel.h"

struct ScreenRecorder : ScreenObserver {
    std::vector<CellRect> cells;
    int invalidations = 0;
    int paletteChanges = 0;

    void OnCellsChanged(const CellRect& changed) override { cells.push_back(changed); }
    void OnInvalidate() override { ++invalidations; }
    void OnCurrentPaletteChanged() override { ++paletteChanges; }
    void Clear() { *this = ScreenRecorder{}; }
};

inline bool operator==(const CellRect& a, const CellRect& b) {
    return a.column == b.column && a.row == b.row && a.columns == b.columns && a.rows == b.rows;
}
