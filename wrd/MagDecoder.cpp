// MAG decoding: header and palette, then flag A bits select flag B bytes that are folded into a
// running flag line whose nibbles say, per unit of four pixels, "new pixels" or "copy from here".
#include "wrd/MagDecoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/containers/FileSystem.h"

namespace {

constexpr char kSignature[] = "MAKI02  ";
constexpr std::size_t kSignatureBytes = 8;
constexpr std::size_t kHeaderBytes = 32;
constexpr std::size_t kPaletteBytes = 48;
constexpr std::size_t kMaxFileBytes = 16u << 20;  // far above any 640 x 400 image

// Where a unit with flag nibble 1-15 is copied from, relative to it (units, rows).
constexpr int kCopyFrom[16][2] = {{0, 0},   {-1, 0}, {-2, 0},  {-4, 0},  {0, -1}, {-1, -1}, {0, -2},  {-1, -2},
                                  {-2, -2}, {0, -4}, {-1, -4}, {-2, -4}, {0, -8}, {-1, -8}, {-2, -8}, {0, -16}};

std::uint32_t Little16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0] | p[1] << 8);
}

std::uint32_t Little32(const std::uint8_t* p) {
    return Little16(p) | Little16(p + 2) << 16;
}

// A run of the file between two offsets; reads beyond the run or the file give 0, as if the short
// file had been padded, so a lying header can only produce a wrong picture.
class ByteRun {
public:
    ByteRun(const std::uint8_t* data, std::size_t size, std::uint64_t start, std::uint64_t length) {
        if (start < size) {
            begin_ = data + start;
            size_ = static_cast<std::size_t>(std::min<std::uint64_t>(length, size - start));
        }
    }
    std::uint8_t Next() { return next_ < size_ ? begin_[next_++] : 0; }
    std::uint8_t At(std::size_t index) const { return index < size_ ? begin_[index] : 0; }

private:
    const std::uint8_t* begin_ = nullptr;
    std::size_t size_ = 0;
    std::size_t next_ = 0;
};

void DecodePixels(ByteRun& flagA, ByteRun& flagB, ByteRun& pixels, const MagInfo& info, ScreenModel& screen) {
    const int widthUnits = info.width / 4;
    // Positions beyond the wrap-around are never stored, so clamping keeps the sums in range
    // without changing what lands on the page.
    const int column = std::min(info.destX / 4, 2 * kPageUnits);
    const int top = std::min(info.destY, 2 * kPageHeight);
    std::vector<std::uint8_t> flagLine(static_cast<std::size_t>(widthUnits / 2), 0);
    std::size_t flagBit = 0;
    for (int row = 0; row < info.height; ++row) {
        const int y = top + row;
        for (std::uint8_t& flags : flagLine) {
            const bool set = (flagA.At(flagBit / 8) >> (7 - flagBit % 8)) & 1;
            ++flagBit;
            if (set) {
                flags ^= flagB.Next();
            }
        }
        for (int i = 0; i < widthUnits; ++i) {
            const std::uint8_t flags = flagLine[i / 2];
            const int nibble = (i & 1) ? flags & 15 : flags >> 4;
            const int u = column + i;
            std::uint16_t value;
            if (nibble == 0) {
                const std::uint8_t low = pixels.Next();
                value = static_cast<std::uint16_t>(low | pixels.Next() << 8);
            } else {
                value = screen.GetUnit(u + kCopyFrom[nibble][0], y + kCopyFrom[nibble][1]);
            }
            screen.SetUnit(u, y, value);
        }
    }
}

}  // namespace

MagInfo DecodeMag(const std::uint8_t* data, std::size_t size, ScreenModel& screen, int x, int y, int paletteMode) {
    MagInfo info;
    if (size < kSignatureBytes || std::memcmp(data, kSignature, kSignatureBytes) != 0) {
        info.result = MagResult::kNotMag;
        return info;
    }
    const std::uint8_t* zero = std::find(data + kSignatureBytes, data + size, 0);
    const std::size_t headerStart = static_cast<std::size_t>(zero - data);
    if (size - headerStart < kHeaderBytes + kPaletteBytes) {
        info.result = MagResult::kTruncated;
        return info;
    }
    const std::uint8_t* header = data + headerStart;
    if (header[3] & 0x80) {
        info.result = MagResult::kTooManyColours;
        return info;
    }
    const int xStart = static_cast<int>(Little16(header + 4) & ~7u);
    const int xEnd = static_cast<int>((Little16(header + 8) & ~7u) + 7);
    const int yStart = static_cast<int>(Little16(header + 6));
    const int yEnd = static_cast<int>(Little16(header + 10));
    info.xStart = xStart;
    info.yStart = yStart;
    info.width = xEnd - xStart + 1;
    info.height = yEnd - yStart + 1;
    info.destX = x >= 0 ? x & ~7 : xStart;
    info.destY = y >= 0 ? y : yStart;
    if (info.width <= 0 || info.height <= 0 || info.width > kPageWidth || info.height > kPageHeight) {
        info.result = MagResult::kBadGeometry;
        return info;
    }
    const std::uint32_t flagAOffset = Little32(header + 12);
    const std::uint32_t flagBOffset = Little32(header + 16);
    if (flagBOffset < flagAOffset) {
        info.result = MagResult::kBadLayout;
        return info;
    }

    Palette palette;
    const std::uint8_t* entry = header + kHeaderBytes;
    for (PaletteEntry& colour : palette) {
        colour = PaletteEntry{entry[2], entry[0], entry[1], 0};
        entry += 3;
    }
    if (paletteMode == kMagUseImagePalette || paletteMode == kMagPaletteOnly) {
        screen.SetPalette(0, palette);
    }
    screen.SetPalette(kMagPaletteSlot, palette);
    screen.SetPalette(kMagPagePaletteSlot + screen.ActivePage(), palette);

    if (paletteMode == kMagPaletteOnly) {
        info.result = MagResult::kPaletteOnly;
        screen.Invalidate();
        return info;
    }
    ByteRun flagA(data, size, std::uint64_t{headerStart} + flagAOffset, flagBOffset - flagAOffset);
    ByteRun flagB(data, size, std::uint64_t{headerStart} + flagBOffset, Little32(header + 20));
    // The pixel data runs to the end of the file, whatever size the header gives it.
    ByteRun pixels(data, size, std::uint64_t{headerStart} + Little32(header + 24), size);
    DecodePixels(flagA, flagB, pixels, info, screen);
    info.result = MagResult::kLoaded;

    const bool inside = info.destX + info.width <= kPageWidth && info.destY + info.height <= kPageHeight;
    if (paletteMode == kMagKeepPalette && inside) {
        screen.RefreshPixelRect(info.destX, info.destY, info.destX + info.width - 1, info.destY + info.height - 1);
    } else {
        screen.Invalidate();
    }
    return info;
}

MagInfo LoadMag(const char* path, int x, int y, int, int paletteMode, ScreenModel& screen) {
    std::vector<std::uint8_t> contents;
    if (!ActiveFileSystem().ReadFile(path, contents, kMaxFileBytes)) {
        return MagInfo{};
    }
    return DecodeMag(contents.data(), contents.size(), screen, x, y, paletteMode);
}
