// Sector arithmetic of the unbuffered file reader: unbuffered reads must start on a sector
// boundary and cover whole sectors, so the reader fills a window of whole sectors and copies
// out of it.
#pragma once

#include <algorithm>
#include <cstdint>

struct SectorWindowFill {
    std::uint32_t start = 0;  // file offset of the window's first byte, on a sector boundary
    std::uint32_t bytes = 0;  // bytes to read: whole sectors
};

// The window size for a requested size: at least one sector, a whole number of sectors.
inline std::uint32_t SectorWindowSize(std::uint32_t requestedBytes, std::uint32_t sectorSize) {
    if (sectorSize == 0) {
        return 0;
    }
    const std::uint32_t size = std::max(requestedBytes, sectorSize);
    return size - size % sectorSize;
}

// The window that holds position: it starts at the sector of position and reads windowSize
// bytes, or, near the end of the file, the rest of the file rounded up to whole sectors.
inline SectorWindowFill SectorWindowFor(std::uint32_t position,
                                        std::uint32_t windowSize,
                                        std::uint32_t sectorSize,
                                        std::uint32_t fileSize) {
    SectorWindowFill fill;
    fill.start = position - position % sectorSize;
    const std::uint64_t rest = std::uint64_t{fileSize} - fill.start;
    if (rest >= windowSize) {
        fill.bytes = windowSize;
    } else {
        const std::uint64_t rounded = (rest + sectorSize - 1) / sectorSize * sectorSize;
        fill.bytes = static_cast<std::uint32_t>(std::min<std::uint64_t>(rounded, windowSize));
    }
    return fill;
}

// A window read is good when it delivered everything asked for or exactly the rest of the file.
inline bool SectorWindowReadIsGood(const SectorWindowFill& fill, std::uint32_t delivered, std::uint32_t fileSize) {
    return delivered == fill.bytes || std::uint64_t{fill.start} + delivered == fileSize;
}
