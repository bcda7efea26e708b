// Whether a saved window rectangle still reaches the desktop, so that a window is never opened
// where the user cannot see or grab it.
#pragma once

#include <cstdint>

// The area a window must reach: left and top edge inclusive, right and bottom edge exclusive.
struct DesktopArea {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// True when the rectangle (x, y, width, height) overlaps the area. The height may be just the
// part that must stay visible (a caption). Never-saved values (the most negative integer) fail.
inline bool ReachesDesktop(std::int32_t x,
                           std::int32_t y,
                           std::int32_t width,
                           std::int32_t height,
                           const DesktopArea& area) {
    const std::int64_t right = std::int64_t{x} + width;
    const std::int64_t bottom = std::int64_t{y} + height;
    return right > area.left && x < area.right && bottom > area.top && y < area.bottom;
}
